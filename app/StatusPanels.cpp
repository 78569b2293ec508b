#include "app/StatusPanels.h"

#include "common/ProgramName.h"

// Each bar as one table: a panel's caption, tooltip, width, look and what its click does.

using Look = PanelBar::Look;
using Action = PanelBar::Action;

std::vector<PanelBar::Panel> statusBar3Panels()
{
    return {
        {QStringLiteral("Downloads"), QStringLiteral("Downloads"), 1440, Look::Heading, true},
        {QStringLiteral("1.23 Patch"), QStringLiteral("1.2x -> 1.23 Patch for Registered"), 1440,
         Look::Action, true, Action::Patch},
        {QStringLiteral("1.23 Shareware"), QStringLiteral("1.23 Shareware"), 1440, Look::Action,
         true, Action::Shareware},
        {QString(), QString(), 2535, Look::Spacer, true},
        {QStringLiteral("?"), QStringLiteral("Questions, Anyone?"), 270, Look::Inset, true,
         Action::Help},
        {QStringLiteral("_"), QStringLiteral("Minimize Me"), 270, Look::Inset, true,
         Action::Minimise},
        {QStringLiteral("X"), QStringLiteral("Close Me"), 270, Look::Inset, true, Action::Close},
    };
}

std::vector<PanelBar::Panel> statusBar2Panels()
{
    return {
        {QStringLiteral("Links"), QStringLiteral("Quick Links to your favorite sites!"), 900,
         Look::Heading, false},
        {QStringLiteral("Brix 2 Online"), QStringLiteral("Visit Brix2Online"), 1440, Look::Action,
         true, Action::Brix2Online},
        {QStringLiteral("BCF"), QStringLiteral("Visit the Brix Community Forums"), 1440,
         Look::Action, true, Action::Bcf},
        {QStringLiteral("The Daily Pindle"), QStringLiteral("Very Old - Get the 1.23 Patch Here."),
         1440, Look::Action, true, Action::DailyPindle},
        {QStringLiteral("eMail ") + hosts::AuthorNickname,
         QStringLiteral("Are you bored? Email me."), 1440, Look::Action, true, Action::Email},
        {QString(), QString(), 1440, Look::Time, true},
    };
}

std::vector<PanelBar::Panel> statusBar1Panels()
{
    return {
        {QStringLiteral("Useless Time Killers"), QStringLiteral("Have fun with your game!"), 1351,
         Look::Heading, false},
        {QStringLiteral("New Window"),
         QStringLiteral("Enable yourself to open a new brix2 window, as much as you want!"), 1440,
         Look::Action, true, Action::NewWindow},
        {QStringLiteral("Servers in Telnet"),
         QStringLiteral("View the Brix Quorrel 2 servers via telnet! Cool!"), 1440, Look::Action,
         true, Action::ServersInTelnet},
        {QStringLiteral("Servers Info"),
         QStringLiteral("View the current statistics of all time servers."), 1440, Look::Action,
         true, Action::ServersInfo},
        {QStringLiteral("PL's Server Mirrors"), QStringLiteral("Pellam's Alternative to Tessland"),
         1440, Look::Action, true, Action::PellamMirror},
        {QString(), ProgramName + QStringLiteral(" - the Brix Quorrel 2 launcher"), 1440,
         Look::Date, false},
    };
}
