#pragma once

#include "browser/ListQuery.h"
#include "browser/PlayerCount.h"

#include <QString>
#include <QTime>

// What the server table says of the latest Refresh, in plain words, so that "nobody is playing"
// never looks like "the list server is gone".
struct ListStatus {
    ListQuery::State state = ListQuery::State::Idle;
    QString source; // the list server asked now, or the one that answered
    std::vector<ListQuery::Attempt> failures;
    std::chrono::milliseconds answerTimeout{10000};
    ListTotals totals;
    QTime answeredAt;
    bool cutOff = false; // the list was longer than a list can hold
    // While the filters hide rows: how many of the listed ones are shown.
    std::optional<qint64> shown;
};

QString statusText(const ListStatus& status);

// "3 min ago" and the like, for the time between then and now.
QString howLongAgo(const QDateTime& then, const QDateTime& now);
