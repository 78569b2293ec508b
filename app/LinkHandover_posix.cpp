#include "app/LinkHandover.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A socket address for the path; none when the path is too long for one.
std::optional<sockaddr_un> addressOf(const QByteArray& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return std::nullopt;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return address;
}

int openSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

// Waits until fd is ready for events; false once the deadline has passed.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline)
{
    pollfd watched{fd, events, 0};
    for (;;) {
        const int result = ::poll(&watched, 1, int(deadline.remainingTime()));
        if (result > 0)
            return true;
        if (result == 0 || errno != EINTR)
            return false;
    }
}

// Connects to the socket at path. The descriptor, or -1 when nobody listens there (errno says
// why) or not within the deadline.
int connectTo(const QByteArray& path, const QDeadlineTimer& deadline)
{
    const std::optional<sockaddr_un> address = addressOf(path);
    if (!address) {
        errno = ENAMETOOLONG;
        return -1;
    }
    const int fd = openSocket();
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0)
        return fd;
    // A listener whose queue is full takes the connection later.
    if (errno == EAGAIN || errno == EINPROGRESS) {
        int error = 0;
        socklen_t length = sizeof error;
        if (waitFor(fd, POLLOUT, deadline) &&
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
            return fd;
        errno = error ? error : ETIMEDOUT;
    }
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
}

} // namespace

bool handOverLink(const QString& name, const JoinLink& link, int timeoutMs)
{
    if (name.isEmpty())
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    const int fd = connectTo(QFile::encodeName(name), deadline);
    if (fd < 0)
        return false;
    const QByteArray message = link.text().toUtf8() + '\n';
    qsizetype sent = 0;
    while (sent < message.size()) {
        const ssize_t written =
            ::send(fd, message.constData() + sent, size_t(message.size() - sent), MSG_NOSIGNAL);
        if (written > 0)
            sent += written;
        else if (!(written < 0 && (errno == EINTR || errno == EAGAIN) &&
                   waitFor(fd, POLLOUT, deadline)))
            break;
    }
    QByteArray reply;
    while (sent == message.size() && !reply.endsWith('\n') && reply.size() < 64) {
        char buffer[64];
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got > 0)
            reply.append(buffer, got);
        else if (!(got < 0 && (errno == EINTR || errno == EAGAIN) && waitFor(fd, POLLIN, deadline)))
            break;
    }
    ::close(fd);
    return reply == LinkListener::Accepted;
}

// One peer: its line is read as it comes, answered, and the connection closed.
class LinkPeer : public QObject {
public:
    using Answer = std::function<void(const QByteArray& line, LinkPeer& peer)>;

    LinkPeer(int fd, Answer answer, QObject* parent)
        : QObject(parent)
        , m_fd(fd)
        , m_answer(std::move(answer))
        , m_readable(fd, QSocketNotifier::Read, this)
    {
        connect(&m_readable, &QSocketNotifier::activated, this, &LinkPeer::read);
        QTimer::singleShot(LinkListener::AnswerTimeoutMs, this, &LinkPeer::close);
    }
    ~LinkPeer() override
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    void reply(const QByteArray& bytes)
    {
        // A fresh connection's buffer takes a few bytes at once; a peer that cannot take them
        // is not waited for.
        ::send(m_fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
        close();
    }

    // Hangs up; the peer goes once the event loop is back.
    void close()
    {
        m_readable.setEnabled(false);
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        deleteLater();
    }

private:
    void read()
    {
        char buffer[512];
        const ssize_t got = ::recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            return;
        if (got <= 0) {
            close();
            return;
        }
        m_received.append(buffer, got);
        const qsizetype end = m_received.indexOf('\n');
        if (end < 0) {
            if (m_received.size() > LinkListener::MaxMessageLength)
                close();
            return;
        }
        if (end >= LinkListener::MaxMessageLength) {
            close();
            return;
        }
        m_readable.setEnabled(false);
        m_answer(m_received.first(end), *this);
    }

    int m_fd;
    Answer m_answer;
    QSocketNotifier m_readable;
    QByteArray m_received;
};

// The listening socket is watched by a thread of its own rather than by the window's event
// loop: that loop wakes every 10 ms for the player's tick, and every descriptor it watches is
// looked at on each of those wake-ups. The thread sleeps until a peer calls or the listener
// ends, and hands each peer to the listener's thread.
struct LinkListener::Channel {
    int fd = -1;
    QByteArray path; // once listening
    int stop[2] = {-1, -1}; // a byte written to this pipe ends the thread
    std::thread waiting;

    ~Channel()
    {
        if (waiting.joinable()) {
            const char end = 0;
            while (::write(stop[1], &end, 1) < 0 && errno == EINTR) {
            }
            waiting.join();
        }
        for (const int end : stop)
            if (end >= 0)
                ::close(end);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(path.constData());
        }
    }

    // Accepts peers until the stop pipe speaks; `welcome` takes each on the listener's thread.
    static void wait(int fd, int stop, const std::function<void(int)>& welcome)
    {
        pollfd watched[2] = {{fd, POLLIN, 0}, {stop, POLLIN, 0}};
        for (;;) {
            if (::poll(watched, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (watched[1].revents != 0)
                return;
            const int peer = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (peer >= 0) {
                welcome(peer);
            } else if (errno != EAGAIN && errno != EINTR && errno != ECONNABORTED) {
                // Out of descriptors, say: the call stays queued, so wait a little rather than
                // spin on it.
                pollfd onlyStop{stop, POLLIN, 0};
                if (::poll(&onlyStop, 1, 100) > 0)
                    return;
            }
        }
    }
};

LinkListener::LinkListener(QString name, QObject* parent)
    : QObject(parent)
    , m_name(std::move(name))
    , m_channel(new Channel)
{
}

LinkListener::~LinkListener() = default;

bool LinkListener::listen()
{
    if (m_name.isEmpty() || m_channel->fd >= 0)
        return false;
    const QByteArray path = QFile::encodeName(m_name);
    // Asked first, as the socket is made aside and moved into place, over whatever lies there:
    // another launcher's socket would be taken over unseen.
    if (const int probe = connectTo(path, QDeadlineTimer(500)); probe >= 0) {
        ::close(probe);
        return false;
    } else if (errno != ECONNREFUSED && errno != ENOENT) {
        return false;
    }
    // Nobody answers: nothing is there, or a launcher that died left its socket behind. The new
    // socket is bound under a name of its own, closed to everyone but the user, and only then
    // put in place, so that nobody else can ever reach it.
    const QByteArray aside = path + ".new-" + QByteArray::number(qlonglong(::getpid()));
    const std::optional<sockaddr_un> address = addressOf(aside);
    const int fd = address ? openSocket() : -1;
    if (fd < 0)
        return false;
    ::unlink(aside.constData());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
        ::chmod(aside.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 16) != 0 ||
        ::rename(aside.constData(), path.constData()) != 0) {
        ::close(fd);
        ::unlink(aside.constData());
        return false;
    }
    if (::pipe2(m_channel->stop, O_CLOEXEC) != 0) {
        ::close(fd);
        ::unlink(path.constData());
        return false;
    }
    m_channel->fd = fd;
    m_channel->path = path;
    const auto welcome = [this](int peer) {
        // A peer that arrives as the listener ends is never welcomed; its descriptor goes with
        // the program.
        QMetaObject::invokeMethod(
            this,
            [this, peer] {
                new LinkPeer(
                    peer,
                    [this](const QByteArray& line, LinkPeer& from) {
                        answer(line, [&from](const QByteArray& reply) { from.reply(reply); });
                    },
                    this);
            },
            Qt::QueuedConnection);
    };
    m_channel->waiting = std::thread(&Channel::wait, fd, m_channel->stop[0], welcome);
    return true;
}

QString LinkListener::fullServerName() const
{
    return m_channel->fd >= 0 ? m_name : QString();
}
