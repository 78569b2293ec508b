#include "wine/WineProcess.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

bool saysUtf8(const QString& locale)
{
    return locale.contains(QLatin1String("utf-8"), Qt::CaseInsensitive) ||
           locale.contains(QLatin1String("utf8"), Qt::CaseInsensitive);
}

} // namespace

QProcessEnvironment wineEnvironment(QProcessEnvironment environment, const QString& prefix)
{
    if (!prefix.isEmpty())
        environment.insert(QStringLiteral("WINEPREFIX"), prefix);
    // The character set is the first of these that is set, as the C library decides it.
    QString ctype = environment.value(QStringLiteral("LC_ALL"));
    if (ctype.isEmpty())
        ctype = environment.value(QStringLiteral("LC_CTYPE"));
    if (ctype.isEmpty())
        ctype = environment.value(QStringLiteral("LANG"));
    if (!saysUtf8(ctype))
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}

bool prepareWineProcess(QProcess& process, const QString& windowsProgram,
                        const QStringList& arguments, const QString& prefix)
{
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (wine.isEmpty())
        return false;
    process.setProgram(wine);
    process.setArguments(QStringList{windowsProgram} + arguments);
    process.setProcessEnvironment(wineEnvironment(process.processEnvironment().isEmpty()
                                                      ? QProcessEnvironment::systemEnvironment()
                                                      : process.processEnvironment(),
                                                  prefix));
    return true;
}
