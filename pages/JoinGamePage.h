#pragma once

#include "browser/JoinLink.h"
#include "browser/ReplyParser.h"
#include "common/ListServerHosts.h"

#include <QByteArrayView>
#include <QGroupBox>

#include <optional>

class GameDir;
class LinkedServerModel;
class MessageBoxes;
class ProgramStarter;
class QCheckBox;
class QPushButton;
class QTcpSocket;
class QTreeView;
class ServerSortModel;
class ServerTableModel;

// The Join Game page: asks a list server for the running game servers, shows them in the
// server table and joins the chosen one.
class JoinGamePage : public QGroupBox {
    Q_OBJECT
public:
    JoinGamePage(ProgramStarter& programs, MessageBoxes& messages, const ListServerHosts& hosts,
                 const GameDir& gameDir, QWidget* parent = nullptr);

    // Start-up adds the table's columns; it has none before.
    void addServerColumn(const QString& header, int widthTwips);
    ServerTableModel& servers() const { return *m_servers; }

    // What the data-arrival handler does with the bytes it took from the socket: the lines
    // they complete become rows at the end of the table.
    void addReplyData(QByteArrayView bytes);

    // A join link's server, chosen for the user: its row when it is listed, otherwise a greyed
    // row of its own at the end of the table; "Launch ===>" takes the focus. Nothing starts
    // until the user presses it. A Refresh takes the greyed row away.
    void showLinkedServer(const JoinLink& link);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Command5_Click();
    void Check1_Click();
    void Check2_Click();
    void Winsock1_DataArrival();
    void ListView1_Click();
    void Command4_Click();

    std::optional<int> selectedRow() const;
    bool linkedRowSelected() const;

    ProgramStarter& m_programs;
    MessageBoxes& m_messages;
    ListServerHosts m_hosts;
    const GameDir& m_gameDir;
    ServerTableModel* m_servers;
    ServerSortModel* m_shown;        // the servers in the order the user chose
    LinkedServerModel* m_withLinked; // and the linked server that is not listed
    std::optional<JoinLink> m_link;
    bool m_keepLinkedChosen = false;
    ReplyParser m_reply;
    QTreeView* ListView1;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QPushButton* Command5;
    QPushButton* Command4;
    QTcpSocket* Winsock1;
};
