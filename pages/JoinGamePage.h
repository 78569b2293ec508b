#pragma once

#include "browser/ReplyParser.h"
#include "common/ListServerHosts.h"
#include "common/ListServerSocket.h"

#include <QByteArrayView>
#include <QGroupBox>

#include <memory>
#include <optional>

class GameDir;
class MessageBoxes;
class ProgramStarter;
class QCheckBox;
class QPushButton;
class QTreeView;
class ServerSortModel;
class ServerTableModel;

// The Join Game page: asks a list server for the running game servers, shows them in the
// server table and joins the chosen one.
class JoinGamePage : public QGroupBox {
    Q_OBJECT
public:
    JoinGamePage(ProgramStarter& programs, MessageBoxes& messages, const ListServerHosts& hosts,
                 ListServerSockets& sockets, const GameDir& gameDir, QWidget* parent = nullptr);

    // Start-up adds the table's columns; it has none before.
    void addServerColumn(const QString& header, int widthTwips);
    ServerTableModel& servers() const { return *m_servers; }

    // What the data-arrival handler does with the bytes it took from the socket: the lines
    // they complete become rows at the end of the table.
    void addReplyData(QByteArrayView bytes);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Command5_Click();
    void Check1_Click();
    void Check2_Click();
    void Winsock1_DataArrival(const QByteArray& bytes);
    void ListView1_Click();
    void Command4_Click();

    std::optional<int> selectedRow() const;

    ProgramStarter& m_programs;
    MessageBoxes& m_messages;
    ListServerHosts m_hosts;
    ListServerSockets& m_sockets;
    const GameDir& m_gameDir;
    ServerTableModel* m_servers;
    ServerSortModel* m_shown; // the servers in the order the user chose
    ReplyParser m_reply;
    QTreeView* ListView1;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QPushButton* Command5;
    QPushButton* Command4;
    // Opened at the first Refresh, which is the first time the network is needed.
    std::unique_ptr<ListServerSocket> Winsock1;
};
