#pragma once

#include <QString>

// The three list servers the Join Game page can ask. Injected as one value so that tests can
// point all three at servers of their own on the loopback address.
struct ListServerHosts {
    QString primary;
    QString pellamMirror;
    QString corvinMirror;
    quint16 port = 10057;
};

// The list servers the launcher asks unless told otherwise.
inline ListServerHosts defaultListServerHosts()
{
    return {QStringLiteral("list.brixquorrel.net"), QStringLiteral("pellam.brixquorrel.net"),
            QStringLiteral("corvin.brixquorrel.net"), 10057};
}
