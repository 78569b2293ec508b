#include "wine/WineRegCommand.h"

#include "wine/WineProcess.h"

#include <QEventLoop>
#include <QProcess>
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
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    process.setProcessEnvironment(environment);
    if (arguments.isEmpty() ||
        !prepareWineProcess(process, arguments.front(), arguments.mid(1), m_prefix()))
        return -1;
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

bool WineRegCommand::setValue(const QString& key, const QString& name, const QString& typeName,
                              const QString& data)
{
    return keyExists(key) && m_runner.run(addArguments(key, name, typeName, data)) == 0;
}

QStringList WineRegCommand::queryArguments(const QString& key)
{
    return {QStringLiteral("reg"), QStringLiteral("query"), key};
}

QStringList WineRegCommand::addArguments(const QString& key, const QString& name,
                                         const QString& typeName, const QString& data)
{
    QStringList arguments = {QStringLiteral("reg"), QStringLiteral("add"), key};
    if (name.isEmpty())
        arguments << QStringLiteral("/ve"); // the key's default value
    else
        arguments << QStringLiteral("/v") << name;
    arguments << QStringLiteral("/t") << typeName << QStringLiteral("/d") << data
              << QStringLiteral("/f");
    return arguments;
}
