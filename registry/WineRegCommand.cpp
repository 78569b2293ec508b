#include "registry/WineRegCommand.h"

#include "registry/Registry.h"
#include "registry/ValueEncoding.h"

#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

ProcessWineRunner::ProcessWineRunner(QString prefix, int timeoutMs)
    : ProcessWineRunner([prefix = std::move(prefix)] { return prefix; }, timeoutMs)
{
}

ProcessWineRunner::ProcessWineRunner(std::function<QString()> prefix, int timeoutMs)
    : m_prefix(std::move(prefix))
    , m_timeoutMs(timeoutMs)
{
}

int ProcessWineRunner::run(const QStringList& arguments)
{
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (wine.isEmpty())
        return -1;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"), m_prefix());
    environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    // Arguments go out in UTF-8; Wine reads them in the locale's character set.
    QString ctype = environment.value(QStringLiteral("LC_ALL"));
    if (ctype.isEmpty())
        ctype = environment.value(QStringLiteral("LC_CTYPE"));
    if (ctype.isEmpty())
        ctype = environment.value(QStringLiteral("LANG"));
    if (!ctype.contains(QLatin1String("utf-8"), Qt::CaseInsensitive) &&
        !ctype.contains(QLatin1String("utf8"), Qt::CaseInsensitive))
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));

    QProcess process;
    process.setProgram(wine);
    process.setArguments(arguments);
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // Wine may take seconds to start. Meanwhile the window goes on painting, and its clock,
    // timer and socket go on working; clicks and keys wait until the handler has finished, as
    // they did before.
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    process.start();
    limit.start(m_timeoutMs);
    if (process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (process.state() != QProcess::NotRunning) {
        // Too slow, or the program is quitting.
        process.kill();
        process.waitForFinished(5000);
        return -1;
    }
    if (process.error() == QProcess::FailedToStart)
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool WineRegCommand::keyExists(const QString& key)
{
    return m_runner.run(queryArguments(key)) == 0;
}

bool WineRegCommand::setValue(const QString& key, const QString& name, quint32 type,
                              const QByteArray& data)
{
    const QStringList add = addArguments(key, name, type, data);
    if (add.isEmpty() || !keyExists(key))
        return false;
    return m_runner.run(add) == 0;
}

QStringList WineRegCommand::queryArguments(const QString& key)
{
    return {QStringLiteral("reg"), QStringLiteral("query"), key};
}

QStringList WineRegCommand::addArguments(const QString& key, const QString& name, quint32 type,
                                         const QByteArray& data)
{
    QString typeName;
    QString text;
    if (type == Registry::RegSz) {
        typeName = QStringLiteral("REG_SZ");
        // The text ends at its terminating zero byte.
        const qsizetype zero = data.indexOf('\0');
        text = encoding::fromAnsi(zero >= 0 ? data.left(zero) : data);
    } else if (type == Registry::RegBinary) {
        typeName = QStringLiteral("REG_BINARY");
        text = QString::fromLatin1(data.toHex().toUpper());
    } else {
        return {};
    }
    QStringList arguments = {QStringLiteral("reg"), QStringLiteral("add"), key};
    if (name.isEmpty())
        arguments << QStringLiteral("/ve"); // the key's default value
    else
        arguments << QStringLiteral("/v") << name;
    arguments << QStringLiteral("/t") << typeName << QStringLiteral("/d") << text
              << QStringLiteral("/f");
    return arguments;
}
