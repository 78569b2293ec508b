#include "app/SystemDesktopAlerts.h"

#include "common/ProgramName.h"

#include <QSystemTrayIcon>
#include <QTime>

namespace {

QString idleToolTip()
{
    return ProgramName + QStringLiteral(": telling you when someone is playing");
}

} // namespace

void SystemDesktopAlerts::setRunning(bool running)
{
    if (!running) {
        m_tray.reset();
        m_latestTag.clear();
        return;
    }
    if (m_tray)
        return;
    startDesktop();
    m_tray = std::make_unique<QSystemTrayIcon>(QIcon(QStringLiteral(":/korvane/icon.png")));
    m_toolTip = idleToolTip();
    m_tray->setToolTip(m_toolTip);
    connect(m_tray.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    clicked(m_latestTag);
            });
    connect(m_tray.get(), &QSystemTrayIcon::messageClicked, this,
            [this] { clicked(m_latestTag); });
    m_tray->show();
}

void SystemDesktopAlerts::notify(const QString& text, const QString& tag)
{
    m_latestTag = tag;
    sendToDesktop(text, tag);
}

void SystemDesktopAlerts::newsNotShown(const QString& text)
{
    m_toolTip = ProgramName + QStringLiteral(": ") + text + QStringLiteral(" (") +
                QTime::currentTime().toString(QStringLiteral("HH:mm")) + u')';
    if (m_tray)
        m_tray->setToolTip(m_toolTip);
}

void SystemDesktopAlerts::clicked(const QString& tag)
{
    if (activated)
        activated(tag);
}

QString SystemDesktopAlerts::toolTip() const
{
    return m_toolTip;
}

bool SystemDesktopAlerts::trayShown() const
{
    return m_tray && m_tray->isVisible();
}
