#include "browser/JoinGamePage.h"

#include "app/Controls.h"
#include "app/Services.h"
#include "browser/ServerTableModel.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>

JoinGamePage::JoinGamePage(const Services& services, SharedValues& values, QWidget* parent)
    : QGroupBox(QStringLiteral("Join Game"), parent)
    , m_services(services)
    , m_values(values)
    , m_servers(new ServerTableModel(this))
{
    ListView1 = makeControl<QTreeView>(this, "ListView1", 120, 240, 5055, 2295);
    ListView1->setModel(m_servers);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setItemsExpandable(false);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->header()->setSectionsClickable(false);
    ListView1->header()->setStretchLastSection(false);
    ListView1->setAccessibleName(QStringLiteral("Game servers"));

    Check1 = makeControl<QCheckBox>(this, "Check1", 120, 2580, 2055, 255,
                                    QStringLiteral("Pellam's List Server Mirror"));
    Check1->setToolTip(QStringLiteral("Pretty Reliable"));
    Check1->setChecked(true);
    Check2 = makeControl<QCheckBox>(this, "Check2", 120, 2820, 2055, 225,
                                    QStringLiteral("Corvin's List Server Mirror"));
    Check2->setToolTip(QStringLiteral("Is this reliable? Let me know..."));
    Check2->setChecked(true);

    Command5 = makeControl<QPushButton>(this, "Command5", 2280, 2640, 1335, 375,
                                        QStringLiteral("<=== Refresh List"));
    Command4 = makeControl<QPushButton>(this, "Command4", 3840, 2640, 1335, 375,
                                        QStringLiteral("Launch ===>"));
}

void JoinGamePage::addServerColumn(const QString& header, int widthTwips)
{
    m_servers->addColumn(header);
    ListView1->header()->resizeSection(m_servers->columnCount() - 1, twips::toPixels(widthTwips));
}
