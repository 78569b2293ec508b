#pragma once

#include "browser/JoinLink.h"

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// One launcher answers join links for its user. The first launcher listens on a local socket
// that only this user can reach; a later `korvane brix2://...` hands its link over and ends,
// and the running window comes to the front. The socket's name is per user, and on Unix it lies
// in a directory that only the user can enter.
//
// The conversation: the new program sends the link's text and a line feed; the running one
// checks it again, answers "ok\n" (or "refused\n") and hangs up.

// The socket's name (a path on Unix); empty when no private place for it can be had, in which
// case links are not handed over and every launcher opens its own window. Each system has its
// own file.
QString linkChannelName();

// Sends the link to the launcher listening on name. True only when that launcher took it.
bool handOverLink(const QString& name, const JoinLink& link, int timeoutMs = 2000);

class LinkListener : public QObject {
    Q_OBJECT
public:
    explicit LinkListener(QString name, QObject* parent = nullptr);

    // Starts answering; false when another launcher already does, or the socket cannot be made.
    // A socket left behind by a launcher that died is cleared first.
    bool listen();
    QString fullServerName() const;

    // A text this long is no link; the connection is dropped.
    static constexpr qsizetype MaxMessageLength = 1024;

Q_SIGNALS:
    void linkReceived(const JoinLink& link);

private:
    void answer(QLocalSocket* socket);

    QString m_name;
    QLocalServer* m_server;
};
