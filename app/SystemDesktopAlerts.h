#pragma once

#include "common/DesktopAlerts.h"

#include <QObject>

#include <memory>

class QSystemTrayIcon;

// The desktop's own notifications: on Linux the notification service of the session bus
// (org.freedesktop.Notifications), which GNOME offers without any tray; on Windows the tray
// icon's message. The tray icon exists only while the alerts run, so that a launcher without
// them costs nothing, and it never keeps the program alive: the main window's close ends it.
class SystemDesktopAlerts : public QObject, public DesktopAlerts {
    Q_OBJECT
public:
    explicit SystemDesktopAlerts(QObject* parent = nullptr);
    ~SystemDesktopAlerts() override;

    void setRunning(bool running) override;
    void notify(const QString& text, const QString& tag) override;

    QString toolTip() const;
    bool trayShown() const;

private:
    // Per system: reaches the desktop's service, once alerts first run (a launcher without them
    // never connects to it); hands it the news, calling newsNotShown when it cannot.
    void startDesktop();
    void sendToDesktop(const QString& text, const QString& tag);
    void newsNotShown(const QString& text);
    void clicked(const QString& tag);

    std::unique_ptr<QSystemTrayIcon> m_tray;
    QString m_latestTag;
    QString m_toolTip;
    struct Desktop;
    std::unique_ptr<Desktop> m_desktop;
};
