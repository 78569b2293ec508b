#pragma once

#include <QString>

#include <functional>

// Where "someone is playing" reaches the user outside the window: an icon in the tray while the
// alerts run, and the desktop's own notifications. Where the desktop has no notification
// service, the tray icon's tooltip carries the news, and nothing fails.
class DesktopAlerts {
public:
    virtual ~DesktopAlerts() = default;
    // Shows the tray icon while the alerts run, and hides it after.
    virtual void setRunning(bool running) = 0;
    // One piece of news; tag names its server and comes back when the user clicks it.
    virtual void notify(const QString& text, const QString& tag) = 0;

    // The user clicked a notification, or the tray icon (then the tag of the latest news, or
    // empty when there was none).
    std::function<void(const QString& tag)> activated;
};
