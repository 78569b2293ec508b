#pragma once

#include "app/PanelBar.h"

#include <QString>

#include <vector>

// The addresses behind the status-bar panels.
namespace hosts {
inline const QString CommunitySite = QStringLiteral("www.brix2online.net");
inline const QString OfficialSite = QStringLiteral("www.ventaloft.com");
inline const QString SharewareFtp = QStringLiteral("ftp.ventaloft.com");
inline const QString AuthorNickname = QStringLiteral("Korv");
inline const QString AuthorEmail = QStringLiteral("korv@brix2online.net");
} // namespace hosts

// The panels of the three status bars, left to right.
std::vector<PanelBar::Panel> statusBar1Panels(); // bottom edge: tools and the date
std::vector<PanelBar::Panel> statusBar2Panels(); // above it: links and the time
std::vector<PanelBar::Panel> statusBar3Panels(); // top edge: downloads, help, minimise, close
