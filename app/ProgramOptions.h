#pragma once

#include "browser/JoinLink.h"
#include "common/ListServerHosts.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the launcher was asked for on its command line. Read before any window exists, so that
// --help, --version and a mistyped option work in a terminal without a display.
struct ProgramOptions {
    // False: the launcher prints output (to standard output) and error (to standard error) and
    // ends at once with exitCode, before any window opens.
    bool run = true;
    int exitCode = 0;
    QString output;
    QString error;
    QString usage; // with an error: the options, for a user who has no terminal to ask again
    ListServerHosts listServers = defaultListServerHosts();
    // The server a join link or --connect named: the window comes up on it, nothing starts.
    std::optional<JoinLink> link;
    // --register-links / --unregister-links: the desktop's handler of join links, then end.
    enum class LinkRegistration { None, Register, Unregister };
    LinkRegistration registration = LinkRegistration::None;
};

// The exit status of a command line that cannot be understood.
constexpr int UsageExitCode = 2;

// arguments as main() receives them, the program's own name first.
ProgramOptions parseProgramOptions(const QStringList& arguments);

// "HOST" or "HOST:PORT" (an IPv6 address in brackets); the port is 10057 unless given. Nothing
// when the text is not a host name or address, or the port is not a number from 1 to 65535.
std::optional<ListServer> parseListServer(const QString& text);
