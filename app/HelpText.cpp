#include "app/HelpText.h"

#include "common/ProgramName.h"

#include <QStringList>

QString designedHelpText()
{
    const QStringList lines = {
        ProgramName,
        QStringLiteral("A launcher for Brix Quorrel 2, by Korv. Free to use and share."),
        QStringLiteral(" "),
        QStringLiteral("I get a file not found error when launching Brix2 / QLE"),
        QStringLiteral("\tTry going to 'Setup' and configuring your game first."),
        QStringLiteral("Why doesn't my server get listed?"),
        QStringLiteral("\tBecause it isn't supposed to."),
        QStringLiteral("What is Corvin's & Pellam's Server List?"),
        QStringLiteral("\tIf the normal server list is down, you can use these."),
        QStringLiteral("How do i use the normal server list?"),
        QStringLiteral("\tIn the 'Join Game', uncheck both server options."),
        QStringLiteral("My mod player won't play files."),
        QStringLiteral("\tYou have to open the file first, then click play."),
        QStringLiteral("Are you an angel?"),
        QStringLiteral("\tNo, i am your father."),
    };
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}
