#include "app/LinkHandover.h"

const QByteArray LinkListener::Accepted = QByteArrayLiteral("ok\n");
const QByteArray LinkListener::Refused = QByteArrayLiteral("refused\n");

void LinkListener::answer(const QByteArray& line,
                          const std::function<void(const QByteArray&)>& reply)
{
    // The sender checked the link already; a sender that is not a launcher did not.
    const JoinLinkParse parsed = parseJoinLink(QString::fromUtf8(line));
    reply(parsed.link ? Accepted : Refused);
    if (parsed.link)
        Q_EMIT linkReceived(*parsed.link);
}
