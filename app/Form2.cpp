#include "app/Form2.h"

#include "app/HelpText.h"
#include "common/ProgramName.h"
#include "pages/Twips.h"

#include <QCloseEvent>
#include <QPlainTextEdit>

Form2::Form2()
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(ProgramName + QStringLiteral(" Help."));
    setFixedSize(twips::size(4695, 3255));
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twips::rect(120, 120, 4455, 3015));
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The box was laid out for an 8-point system font; in today's larger default fonts the
    // text runs past its foot, and without a bar nothing would show that more lines follow.
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A Windows text box puts tab stops every eight average characters, not every 80 pixels.
    Text1->setTabStopDistance(8 * Text1->fontMetrics().averageCharWidth());
    Text1->setAccessibleName(QStringLiteral("Help text"));
}

void Form2::showHelp()
{
    if (!m_loaded) {
        // The box keeps lines apart with LF; CR LF comes back in text().
        QString shown = designedHelpText();
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        Text1->setPlainText(shown);
        m_loaded = true;
    }
    show();
    raise();
    activateWindow();
}

QString Form2::text() const
{
    QString text = Text1->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void Form2::closeEvent(QCloseEvent* event)
{
    m_loaded = false;
    event->accept();
    Q_EMIT closed();
}
