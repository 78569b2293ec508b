#pragma once

#include <QString>
#include <QStringView>

// IP addresses read as Qt Network's QHostAddress reads them, but through QUrl: the command line
// and join links are checked at start-up, and the launcher loads Qt Network only at the first
// Refresh.

// An IPv6 address, with or without a zone ("fe80::1%eth0").
bool isIpv6Address(QStringView host);

// The address in one spelling for each address (2001:DB8::7 and 2001:db8:0::7 alike); empty when
// the text is no IPv4 or IPv6 address.
QString normalIpAddress(QStringView text);
