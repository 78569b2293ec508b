#include "app/SystemDesktopAlerts.h"

#include "common/ProgramName.h"

#include <QSystemTrayIcon>

// Windows shows news as the tray icon's message; a click on it is the tray's messageClicked.
struct SystemDesktopAlerts::Desktop {};

SystemDesktopAlerts::SystemDesktopAlerts(QObject* parent)
    : QObject(parent)
{
}

void SystemDesktopAlerts::startDesktop() {}

SystemDesktopAlerts::~SystemDesktopAlerts() = default;

void SystemDesktopAlerts::sendToDesktop(const QString& text, const QString&)
{
    if (!m_tray || !QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages()) {
        newsNotShown(text);
        return;
    }
    m_tray->showMessage(ProgramName, text, QSystemTrayIcon::Information);
}
