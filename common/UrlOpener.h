#pragma once

#include <QUrl>

// Opens an address with the desktop's handler for its scheme (browser, mail, telnet, ftp).
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual bool open(const QUrl& url) = 0;
};
