#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Starts Wine's programs in one prefix.
class WineRunner {
public:
    virtual ~WineRunner() = default;
    // Runs `wine` with the arguments; its exit code, or -1 when it could not be started or did
    // not finish in time.
    virtual int run(const QStringList& arguments) = 0;
};

// Runs the `wine` found on PATH, without a shell, in the prefix; the first argument names the
// Windows program.
class ProcessWineRunner : public WineRunner {
public:
    explicit ProcessWineRunner(QString prefix, int timeoutMs = 60000);
    // The prefix is asked at each run: it follows the game directory the user chooses.
    explicit ProcessWineRunner(std::function<QString()> prefix, int timeoutMs = 60000);
    int run(const QStringList& arguments) override;

private:
    std::function<QString()> m_prefix;
    int m_timeoutMs;
};

// The registry of a prefix through Wine's own `reg` command, which goes through the running
// Wine server, so that the change is not lost when the server saves its registry.
class WineRegCommand {
public:
    explicit WineRegCommand(WineRunner& runner)
        : m_runner(runner)
    {
    }

    // key is the full path, such as "HKEY_USERS\.DEFAULT\Software\...".
    bool keyExists(const QString& key);

    // Writes a value into a key that exists; `reg add` would create a missing key, so the key is
    // looked up first. typeName is reg's ("REG_SZ", "REG_BINARY"), data as reg's /d takes it.
    bool setValue(const QString& key, const QString& name, const QString& typeName,
                  const QString& data);

    static QStringList queryArguments(const QString& key);
    static QStringList addArguments(const QString& key, const QString& name,
                                    const QString& typeName, const QString& data);

private:
    WineRunner& m_runner;
};
