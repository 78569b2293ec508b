#pragma once

#include "browser/ServerRow.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <vector>

// Takes apart one line of a list server's reply: the bytes between two LFs, the CR that should
// end it included. Gives nothing for a line that is not a server entry.
//
// A line reads: address ":" port and further columns "[" players "]" one blank, the server name
// and CR. The type, version and "private" words are looked for only in the columns before the
// first "]", never in the name, so a server's own name cannot change how it is listed.
std::optional<ServerRow> parseServerLine(QByteArrayView line);

// The lines of one connection, as its bytes arrive. TCP may cut the text anywhere, so the
// unfinished end of one arrival is kept and completed by the next; a line is parsed only once
// its LF has come. A line still unfinished when the connection ends never becomes a row.
class ReplyParser {
public:
    // A line longer than this is no server entry; it is skipped up to its LF instead of being
    // held, so that a server sending endless text without LF cannot fill the memory.
    static constexpr qsizetype MaxLineLength = 4 * 1024 * 1024;

    // Appends to rows the servers of every line that this arrival completes, in their order.
    void feed(QByteArrayView bytes, std::vector<ServerRow>& rows);
    std::vector<ServerRow> feed(QByteArrayView bytes);

    // Forgets the unfinished line: the next bytes belong to a new connection.
    void reset();

    // Bytes of the unfinished line held until its LF comes.
    qsizetype pendingSize() const { return m_pending.size(); }

private:
    void lineComplete(QByteArrayView line, std::vector<ServerRow>& rows);

    QByteArray m_pending;
    bool m_skippingLongLine = false;
};
