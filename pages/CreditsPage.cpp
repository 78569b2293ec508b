#include "pages/CreditsPage.h"

#include "common/ProgramName.h"
#include "pages/Controls.h"

#include <QLabel>

CreditsPage::CreditsPage(QWidget* parent)
    : QGroupBox(QStringLiteral("Credits"), parent)
{
    Label1 = makeControl<QLabel>(
        this, "Label1", 120, 240, 5055, 2775,
        ProgramName +
            QStringLiteral("\n"
                           "The launcher for Brix Quorrel 2 and Brix Quorrel 2 Special Edition.\n\n"
                           "Written by Korv.\n"
                           "Server lists by the Brix 2 Online community, with mirrors kindly run "
                           "by Pellam and Corvin.\n"
                           "Module playback by libopenmpt; sound by SDL.\n\n"
                           "Brix Quorrel 2 belongs to its makers. Korvane is a fan's tool: have "
                           "fun with your game!"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}
