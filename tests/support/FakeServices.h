#pragma once

// Fakes of every service the main window takes, recording what the window asked of them.

#include "browser/TcpListServerSocket.h"
#include "common/Clipboard.h"
#include "common/FileDialog.h"
#include "common/GameDirectoryWatcher.h"
#include "common/MessageBoxes.h"
#include "common/RecordStorage.h"
#include "common/Services.h"
#include "common/SettingsStore.h"
#include "common/UrlOpener.h"
#include "launch/ProgramStarter.h"
#include "player/ModulePlayer.h"
#include "registry/Registry.h"

#include <QMap>
#include <QStringList>
#include <QUrl>

#include <deque>
#include <vector>

class FakeProgramStarter : public ProgramStarter {
public:
    Result start(const CommandLine& commandLine) override
    {
        started.push_back(commandLine);
        return nextResult;
    }
    std::vector<CommandLine> started;
    Result nextResult{true, {}};
};

class FakeUrlOpener : public UrlOpener {
public:
    bool open(const QUrl& url) override
    {
        opened.append(url);
        return succeed;
    }
    QList<QUrl> opened;
    bool succeed = true;
};

class FakeMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        QString caption;
        QString text;
        bool warning;
    };
    void inform(QWidget*, const QString& caption, const QString& text) override
    {
        shown.push_back({caption, text, false});
    }
    void warn(QWidget*, const QString& caption, const QString& text) override
    {
        shown.push_back({caption, text, true});
    }
    std::vector<Shown> shown;
};

class FakeFileDialog : public FileDialog {
public:
    std::optional<QString> openFileName(QWidget*, const QString& filter) override
    {
        filters.append(filter);
        if (answers.empty())
            return std::nullopt;
        const QString answer = answers.front();
        answers.pop_front();
        if (answer.isNull())
            return std::nullopt;
        return answer;
    }
    // The paths the user picks, in turn; a null QString, or nothing left, means Cancel.
    std::deque<QString> answers;
    QStringList filters;
};

class FakeRegistry : public Registry {
public:
    std::optional<Key> openKey(Key root, const QByteArray& subKey, quint32 access) override
    {
        opened.append(subKey);
        if (!existingKeys.contains(subKey))
            return std::nullopt;
        return Key(existingKeys.indexOf(subKey) + 1);
    }
    bool setValue(Key key, const QByteArray& name, quint32 type, const QByteArray& data) override
    {
        written.push_back({existingKeys.value(int(key) - 1), name, type, data});
        return true;
    }
    void closeKey(Key key) override { closed.append(key); }
    struct Write {
        QByteArray key;
        QByteArray name;
        quint32 type;
        QByteArray data;
    };
    QList<QByteArray> existingKeys;
    QList<QByteArray> opened;
    QList<Key> closed;
    std::vector<Write> written;
};

class FakeSettingsStore : public SettingsStore {
public:
    bool save(const QString& app, const QString& section, const QString& key,
              const QString& value) override
    {
        lastError = failWrites ? QStringLiteral("disk full") : QString();
        if (failWrites)
            return false;
        values[app + QLatin1Char('/') + section + QLatin1Char('/') + key] = value;
        return true;
    }
    std::optional<QString> load(const QString& app, const QString& section,
                                const QString& key) override
    {
        lastError = failReads ? QStringLiteral("unreadable") : QString();
        const QString path = app + QLatin1Char('/') + section + QLatin1Char('/') + key;
        if (failReads || !values.contains(path))
            return std::nullopt;
        return values.value(path);
    }
    QString error() const override { return lastError; }
    QMap<QString, QString> values;
    bool failWrites = false;
    bool failReads = false;
    QString lastError;
};

class FakeModulePlayer : public ModulePlayer {
public:
    Handle createEx(const QString& parameters) override
    {
        calls.append(QStringLiteral("createEx ") + parameters);
        return 7;
    }
    qint16 setWindow(Handle, quintptr handle) override
    {
        window = handle;
        return record(QStringLiteral("setWindow"));
    }
    qint16 load(Handle, const QString& path) override
    {
        return record(QStringLiteral("load ") + path);
    }
    qint16 play(Handle) override { return record(QStringLiteral("play")); }
    qint16 stop(Handle) override { return record(QStringLiteral("stop")); }
    qint32 setVolume(Handle, qint32 wanted) override
    {
        record(QStringLiteral("setVolume %1").arg(wanted));
        volume = volumeInForce ? *volumeInForce : std::clamp(wanted, 0, 100);
        return volume;
    }
    qint32 getVolume(Handle) override { return volume; }
    qint32 getMaxPosition(Handle) override { return maxPosition; }
    qint32 getCurrentPosition(Handle) override { return position; }
    qint16 destroy(Handle) override { return record(QStringLiteral("destroy")); }

    int count(const QString& call) const
    {
        return int(std::count_if(calls.begin(), calls.end(),
                                 [&](const QString& c) { return c.startsWith(call); }));
    }

    QStringList calls;
    quintptr window = 0; // what setWindow was given
    qint32 volume = 100;
    std::optional<qint32> volumeInForce; // when set, what setVolume answers whatever is asked
    qint32 maxPosition = 0;
    qint32 position = 0;

private:
    qint16 record(const QString& call)
    {
        calls.append(call);
        return 1;
    }
};

class FakeGameDirectoryWatcher : public GameDirectoryWatcher {
public:
    void gameDirectoryChosen(const QString& gameDir) override { chosen.append(gameDir); }
    QStringList chosen;
};

class FakeClipboard : public Clipboard {
public:
    void setText(const QString& text) override { this->text = text; }
    QString text;
};

// A store in memory that can be made to fail.
class FakeRecordStorage : public RecordStorage {
public:
    Contents read() override { return contents; }
    bool write(const QByteArray& data, QString* error) override
    {
        ++writes;
        if (failWrites) {
            *error = QStringLiteral("disk full");
            return false;
        }
        contents = {Contents::Read, data, {}};
        return true;
    }
    bool keepAside(QString* error) override
    {
        if (failKeepAside) {
            *error = QStringLiteral("read-only");
            return false;
        }
        aside = contents.data;
        return true;
    }
    QString location() const override { return QStringLiteral("the test store"); }
    Contents contents;
    std::optional<QByteArray> aside;
    int writes = 0;
    bool failWrites = false;
    bool failKeepAside = false;
};

// One of each fake, and the Services bundle that points at them.
struct FakeServices {
    FakeProgramStarter programs;
    FakeUrlOpener urls;
    FakeMessageBoxes messages;
    FakeFileDialog files;
    FakeRegistry registry;
    FakeSettingsStore settings;
    FakeModulePlayer player;
    FakeGameDirectoryWatcher gameDirectory;
    FakeClipboard clipboard;
    FakeRecordStorage records;
    TcpListServerSockets sockets;
    ListServerHosts listServers{{QStringLiteral("127.0.0.1")},
                                {QStringLiteral("127.0.0.1")},
                                {QStringLiteral("127.0.0.1")}};

    Services services()
    {
        return Services{programs, urls,     messages, files,     listServers, sockets,
                        registry, settings, player,   clipboard, records,     &gameDirectory};
    }
};
