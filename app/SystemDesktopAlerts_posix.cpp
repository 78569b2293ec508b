#include "app/SystemDesktopAlerts.h"

#include "common/ProgramName.h"

#include <QDBusConnection>
#include <QSystemTrayIcon>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include <map>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
const QString DefaultAction = QStringLiteral("default");

} // namespace

// Listens for the service's ActionInvoked, which the bus delivers only to a slot named by text.
class NotificationClicks : public QObject {
    Q_OBJECT
public:
    std::map<uint, QString> tags; // notification id -> its server
    std::function<void(const QString&)> clicked;

public Q_SLOTS:
    void actionInvoked(uint id, const QString& action)
    {
        const auto found = tags.find(id);
        if (found == tags.end() || action != DefaultAction)
            return;
        const QString tag = found->second;
        if (clicked)
            clicked(tag);
    }
    void notificationClosed(uint id, uint) { tags.erase(id); }
};

struct SystemDesktopAlerts::Desktop {
    QDBusConnection bus = QDBusConnection::sessionBus();
    NotificationClicks clicks;
};

SystemDesktopAlerts::SystemDesktopAlerts(QObject* parent)
    : QObject(parent)
{
}

void SystemDesktopAlerts::startDesktop()
{
    if (m_desktop)
        return;
    m_desktop = std::make_unique<Desktop>();
    m_desktop->clicks.clicked = [this](const QString& tag) { clicked(tag); };
    if (!m_desktop->bus.isConnected())
        return;
    m_desktop->bus.connect(Service, Path, Interface, QStringLiteral("ActionInvoked"),
                           &m_desktop->clicks, SLOT(actionInvoked(uint, QString)));
    m_desktop->bus.connect(Service, Path, Interface, QStringLiteral("NotificationClosed"),
                           &m_desktop->clicks, SLOT(notificationClosed(uint, uint)));
}

SystemDesktopAlerts::~SystemDesktopAlerts() = default;

void SystemDesktopAlerts::sendToDesktop(const QString& text, const QString& tag)
{
    startDesktop();
    if (!m_desktop->bus.isConnected()) {
        newsNotShown(text);
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
    // The text goes as the summary, which the service shows as plain text: a server's name is
    // never read as markup.
    const QVariantMap hints{{QStringLiteral("desktop-entry"),
                             QStringLiteral("net.brix2online.Korvane")},
                            {QStringLiteral("category"), QStringLiteral("presence.online")}};
    call << ProgramName << uint(0) << QStringLiteral("net.brix2online.Korvane") << text
         << QString() << QStringList{DefaultAction, QStringLiteral("Show")} << hints
         << qint32(-1);
    // Asked without waiting: a service that is slow to answer never freezes the window.
    auto* watcher = new QDBusPendingCallWatcher(m_desktop->bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, text, tag] {
                watcher->deleteLater();
                const QDBusPendingReply<uint> reply = *watcher;
                if (reply.isError())
                    newsNotShown(text);
                else
                    m_desktop->clicks.tags[reply.value()] = tag;
            });
}

#include "SystemDesktopAlerts_posix.moc"
