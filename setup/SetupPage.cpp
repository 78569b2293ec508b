#include "setup/SetupPage.h"

#include "app/Controls.h"
#include "app/Services.h"
#include "launch/GameDirectory.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

SetupPage::SetupPage(const Services& services, SharedValues& values,
                     std::function<void()> refreshFileLists, QWidget* parent)
    : QGroupBox(QStringLiteral("Setup"), parent)
    , m_services(services)
    , m_values(values)
    , m_refreshFileLists(std::move(refreshFileLists))
{
    TempBrixDir = makeControl<QLineEdit>(this, "TempBrixDir", 120, 240, 4095, 315,
                                         QStringLiteral("Brix Quorrel 2 Directory"));
    TempBrixDir->setAccessibleName(QStringLiteral("Brix Quorrel 2 Directory"));
    Command1 =
        makeControl<QPushButton>(this, "Command1", 4320, 240, 855, 315, QStringLiteral("Accept"));
    connect(Command1, &QPushButton::clicked, this, &SetupPage::Command1_Click);

    Frame1 = makeControl<QGroupBox>(this, "Frame1", 120, 660, 5055, 1860,
                                    QStringLiteral("Registry Options"));
    Alias = makeControl<QLineEdit>(Frame1, "Alias", 120, 300, 3255, 315,
                                   QStringLiteral("Enter Alias..."));
    Alias->setMaxLength(14);
    Alias->setAccessibleName(QStringLiteral("Alias"));
    Command6 =
        makeControl<QPushButton>(Frame1, "Command6", 3480, 300, 735, 315, QStringLiteral("1.23"));
    Command7 =
        makeControl<QPushButton>(Frame1, "Command7", 4260, 300, 735, 315, QStringLiteral("Rkv"));

    // The start text is longer than the limit and is shown whole; a limit set afterwards
    // would cut it, so the text goes in first and the limit only guards what is typed.
    FurColors = makeControl<QLineEdit>(Frame1, "FurColors", 120, 780, 3255, 315);
    FurColors->setText(QStringLiteral("Enter Fur Colors (in hex)..."));
    FurColors->setAccessibleName(QStringLiteral("Fur Colors (in hex)"));
    Command8 =
        makeControl<QPushButton>(Frame1, "Command8", 3480, 780, 735, 315, QStringLiteral("1.23"));
    Command9 =
        makeControl<QPushButton>(Frame1, "Command9", 4260, 780, 735, 315, QStringLiteral("Rkv"));

    Brix = makeControl<QRadioButton>(Frame1, "Brix", 120, 1260, 1000, 315, QStringLiteral("Brix"));
    Vosk = makeControl<QRadioButton>(Frame1, "Vosk", 1200, 1260, 1000, 315, QStringLiteral("Vosk"));
    Nyla = makeControl<QRadioButton>(Frame1, "Nyla", 2280, 1260, 1000, 315, QStringLiteral("Nyla"));
    Command10 =
        makeControl<QPushButton>(Frame1, "Command10", 3480, 1260, 735, 315, QStringLiteral("1.23"));
    Command11 =
        makeControl<QPushButton>(Frame1, "Command11", 4260, 1260, 735, 315, QStringLiteral("Rkv"));

    Command2 =
        makeControl<QPushButton>(this, "Command2", 3360, 2640, 855, 375, QStringLiteral("Save"));
    Command3 =
        makeControl<QPushButton>(this, "Command3", 4320, 2640, 855, 375, QStringLiteral("Load"));

    // The page's keyboard order: directory, Accept, the frame, Save, Load, then the profile rows.
    QWidget::setTabOrder(TempBrixDir, Command1);
    QWidget::setTabOrder(Command1, Command2);
    QWidget::setTabOrder(Command2, Command3);
    QWidget::setTabOrder(Command3, Alias);
    QWidget* previous = Alias;
    for (QWidget* next : {static_cast<QWidget*>(Command6), static_cast<QWidget*>(Command7),
                          static_cast<QWidget*>(FurColors), static_cast<QWidget*>(Command8),
                          static_cast<QWidget*>(Command9), static_cast<QWidget*>(Brix),
                          static_cast<QWidget*>(Vosk), static_cast<QWidget*>(Nyla),
                          static_cast<QWidget*>(Command10), static_cast<QWidget*>(Command11)}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

// "Accept": the typed directory, ended by the separator, becomes the game directory.
void SetupPage::Command1_Click()
{
    const QString typed = TempBrixDir->text();
    if (!typed.endsWith(directorySeparator()))
        TempBrixDir->setText(withTrailingSeparator(typed));
    m_values.gameDir = TempBrixDir->text();
    m_refreshFileLists();
}
