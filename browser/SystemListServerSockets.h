#pragma once

#include "common/ListServerSocket.h"

#include <QStringList>

// The launcher's list-server sockets. On Linux they live in a module of their own, loaded at the
// first Refresh: Qt Network and the libraries it pulls in (Kerberos, libproxy and more) would
// otherwise cost every start-up time and memory, though most starts never ask for the list. On
// Windows they are part of the program.
class SystemListServerSockets : public ListServerSockets {
public:
    // The folders where the module is looked for, in order: beside the program (where the
    // build puts it), then where it is installed.
    static QStringList moduleFolders();

    explicit SystemListServerSockets(QStringList folders = moduleFolders());
    ~SystemListServerSockets() override;

    std::unique_ptr<ListServerSocket> open(QObject* parent, const QString& name,
                                           ListServerSocket::Events events,
                                           QString* reason) override;

private:
    QStringList m_folders;
    ListServerSockets* m_sockets = nullptr; // once loaded; the module stays for good
    QString m_failure;                      // why it could not be loaded, once tried
};
