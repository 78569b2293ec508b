#pragma once

#include "registry/Registry.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>

class WinePrefix;
class WineRunner;

// The registry the game sees when it runs in a Wine prefix. HKEY_USERS\.DEFAULT lives in the
// prefix's userdef.reg. While no Wine server runs for the prefix, a value is written by editing
// that file: only the value's lines change, and the new file replaces the old one in one rename.
// While a server runs it holds the registry in memory and would overwrite such an edit when it
// exits, so then the value goes through Wine's own `reg` command instead.
// Keys are only ever opened, never created.
class WineRegistry : public Registry {
public:
    struct Hooks {
        // Whether a Wine server runs for the prefix; by default its lock is looked at.
        std::function<bool()> serverRunning;
        // Called with the new file, written beside the old one, just before it replaces the old
        // one; false abandons the write as if the program had stopped there.
        std::function<bool(const QString& newFile)> beforeReplace;
    };

    explicit WineRegistry(QString prefix);
    // Follows the prefix as it changes with the game directory; it must outlive the registry.
    explicit WineRegistry(const WinePrefix& prefix);
    WineRegistry(QString prefix, std::unique_ptr<WineRunner> runner, Hooks hooks);
    ~WineRegistry() override;

    std::optional<Key> openKey(Key root, const QByteArray& subKey, quint32 access) override;
    bool setValue(Key key, const QByteArray& valueName, quint32 type,
                  const QByteArray& data) override;
    void closeKey(Key key) override;

    QString userdefPath() const;

private:
    struct OpenKey {
        QString fullPath;     // "HKEY_USERS\.DEFAULT\..." for the reg command
        QString relativePath; // below .DEFAULT, as userdef.reg spells its sections
    };

    QString prefix() const { return m_prefix(); }
    bool serverRunning() const;
    bool setValueInFile(const OpenKey& key, const QString& name, quint32 type,
                        const QByteArray& data, bool* serverStarted);
    bool setValueByCommand(const OpenKey& key, const QString& name, quint32 type,
                           const QByteArray& data);

    std::function<QString()> m_prefix;
    std::unique_ptr<WineRunner> m_runner;
    Hooks m_hooks;
    std::map<Key, OpenKey> m_open;
    Key m_nextKey = 1;
};
