#include "app/LinkRegistration.h"

#include <QString>

namespace {
const QString OnlyWindows =
    QStringLiteral("korvane: brix2:// links are registered by the desktop entry on this system "
                   "(MimeType=x-scheme-handler/brix2); there is nothing to %1.\n");
} // namespace

bool registerLinkHandler(QString& message)
{
    message = OnlyWindows.arg(QStringLiteral("register"));
    return false;
}

bool unregisterLinkHandler(QString& message)
{
    message = OnlyWindows.arg(QStringLiteral("unregister"));
    return false;
}
