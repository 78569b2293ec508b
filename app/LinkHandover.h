#pragma once

#include "browser/JoinLink.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// One launcher answers join links for its user. The first launcher listens on a local socket
// that only this user can reach; a later `korvane brix2://...` hands its link over and ends,
// and the running window comes to the front. The socket's name is per user, and on Unix it lies
// in a directory that only the user can enter.
//
// The conversation: the new program sends the link's text and a line feed; the running one
// checks it again, answers "ok\n" (or "refused\n") and hangs up.
//
// Each system has its own file. On Unix the socket is a plain one, so that start-up does not
// load Qt Network, which the launcher loads only at the first Refresh, and a thread of its own
// waits for callers; Windows uses Qt's named pipes.

// The socket's name (a path on Unix); empty when no private place for it can be had, in which
// case links are not handed over and every launcher opens its own window.
QString linkChannelName();

// Sends the link to the launcher listening on name. True only when that launcher took it.
bool handOverLink(const QString& name, const JoinLink& link, int timeoutMs = 2000);

class LinkListener : public QObject {
    Q_OBJECT
public:
    explicit LinkListener(QString name, QObject* parent = nullptr);
    ~LinkListener() override;

    // Starts answering; false when another launcher already does, or the socket cannot be made.
    // A socket left behind by a launcher that died is cleared first.
    bool listen();
    QString fullServerName() const;

    // A text this long is no link; the connection is dropped.
    static constexpr qsizetype MaxMessageLength = 1024;
    // A peer that says nothing is not waited for longer than this.
    static constexpr int AnswerTimeoutMs = 2000;

    // The answers a launcher gives.
    static const QByteArray Accepted;
    static const QByteArray Refused;

Q_SIGNALS:
    void linkReceived(const JoinLink& link);

private:
    // Answers one received line, without its line feed: the peer is sent the answer and left,
    // then the link, if it is one, is told.
    void answer(const QByteArray& line, const std::function<void(const QByteArray&)>& reply);

    struct Channel;
    QString m_name;
    std::unique_ptr<Channel> m_channel;
};
