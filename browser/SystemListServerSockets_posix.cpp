#include "browser/SystemListServerSockets.h"

#include "browser/NetworkModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

QStringList SystemListServerSockets::moduleFolders()
{
    const QString program = QCoreApplication::applicationDirPath();
    return {program, QDir::cleanPath(program + QLatin1Char('/') +
                                     QStringLiteral(KORVANE_NETWORK_MODULE_FROM_PROGRAM))};
}

SystemListServerSockets::SystemListServerSockets(QStringList folders)
    : m_folders(std::move(folders))
{
}

SystemListServerSockets::~SystemListServerSockets() = default;

std::unique_ptr<ListServerSocket> SystemListServerSockets::open(QObject* parent,
                                                                const QString& name,
                                                                ListServerSocket::Events events,
                                                                QString* reason)
{
    if (!m_sockets && m_failure.isEmpty()) {
        QStringList failures;
        for (const QString& folder : m_folders) {
            QLibrary module(QDir(folder).filePath(QStringLiteral(KORVANE_NETWORK_MODULE_FILE)));
            if (const auto entry =
                    reinterpret_cast<NetworkModuleEntry>(module.resolve(NetworkModuleEntryName))) {
                m_sockets = entry();
                break;
            }
            failures.append(module.errorString());
        }
        if (!m_sockets)
            m_failure = failures.join(QStringLiteral("; "));
    }
    if (!m_sockets) {
        if (reason)
            *reason = m_failure;
        return nullptr;
    }
    return m_sockets->open(parent, name, std::move(events), reason);
}
