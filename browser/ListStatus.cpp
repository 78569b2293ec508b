#include "browser/ListStatus.h"

namespace {

QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QString failureText(const ListQuery::Attempt& attempt, std::chrono::milliseconds timeout)
{
    switch (attempt.failure) {
    case ListQuery::Failure::NotFound:
        return QStringLiteral("the host of %1 was not found").arg(attempt.name);
    case ListQuery::Failure::Refused:
        return QStringLiteral("%1 refused the connection").arg(attempt.name);
    case ListQuery::Failure::Silent:
        return QStringLiteral("%1 did not answer within %2 s")
            .arg(attempt.name)
            .arg(std::chrono::duration_cast<std::chrono::seconds>(timeout).count());
    case ListQuery::Failure::ClosedEmpty:
        return QStringLiteral("%1 closed the connection with nothing usable").arg(attempt.name);
    case ListQuery::Failure::Other:
        return QStringLiteral("%1 could not be reached (%2)").arg(attempt.name, attempt.detail);
    }
    return {};
}

// "X refused the connection; Y did not answer within 10 s."
QString failuresText(const ListStatus& status)
{
    QStringList parts;
    for (const ListQuery::Attempt& attempt : status.failures)
        parts.append(failureText(attempt, status.answerTimeout));
    return capitalised(parts.join(QStringLiteral("; "))) + u'.';
}

QString counted(quint64 count, const char* one, const char* many)
{
    return QString::number(count) + u' ' + QLatin1String(count == 1 ? one : many);
}

} // namespace

QString statusText(const ListStatus& status)
{
    QString text;
    using State = ListQuery::State;
    switch (status.state) {
    case State::Idle:
        return QStringLiteral("Press \u201c<=== Refresh List\u201d to see the running servers.");
    case State::Asking:
    case State::Receiving:
        text = QStringLiteral("Asking %1\u2026").arg(status.source);
        if (!status.failures.empty())
            text = failuresText(status) + u' ' + text;
        return text;
    case State::Failed:
        return QStringLiteral("No list server answered. ") + failuresText(status);
    case State::Empty:
        text = QStringLiteral("No servers are running right now.");
        if (!status.failures.empty())
            text += QStringLiteral(" %1 answered; %2")
                        .arg(capitalised(status.source), failuresText(status));
        return text;
    case State::Listed:
        break;
    }
    text = QStringLiteral("%1, %2, from %3 at %4.")
               .arg(counted(status.totals.servers, "server", "servers"),
                    counted(status.totals.players, "player", "players"), status.source,
                    status.answeredAt.toString(QStringLiteral("HH:mm")));
    if (status.cutOff)
        text += QStringLiteral(" It sent more than a list can hold; the rest was left out.");
    if (!status.failures.empty())
        text += u' ' + failuresText(status);
    if (status.shown)
        text = QStringLiteral("%1 of %2 shown. ")
                   .arg(*status.shown)
                   .arg(counted(status.totals.servers, "server", "servers")) +
               text;
    return text;
}

QString howLongAgo(const QDateTime& then, const QDateTime& now)
{
    const qint64 seconds = std::max<qint64>(0, then.secsTo(now));
    if (seconds < 60)
        return QStringLiteral("just now");
    if (seconds < 3600)
        return QStringLiteral("%1 min ago").arg(seconds / 60);
    if (seconds < 86400)
        return QStringLiteral("%1 h ago").arg(seconds / 3600);
    const qint64 days = seconds / 86400;
    return days == 1 ? QStringLiteral("yesterday") : QStringLiteral("%1 days ago").arg(days);
}
