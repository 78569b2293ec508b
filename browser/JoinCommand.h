#pragma once

#include "launch/CommandLine.h"

#include <QString>
#include <QStringView>

#include <optional>

// The address of a listed server comes from the network and ends up on the game's command
// line. It is joined only when it is one plain host token: an IPv4 address, an IPv6 address
// without a zone, or a host name (ASCII letters, digits, dots and hyphens, not starting with a
// hyphen, at most 253 characters), so that no reply can add switches or further arguments of
// its own.
bool isPlainHostAddress(QStringView address);

// The game connected to the server at address, as the user would type it: the game directory
// glued to "brix2.exe", then "-connect " and the address. Nothing for an address that is not a
// plain host token.
std::optional<CommandLine> joinCommandLine(const QString& gameDir, const QString& address);
