#pragma once

#include "browser/AlertWatcher.h"
#include "browser/JoinLink.h"
#include "browser/ListQuery.h"
#include "browser/PlayerCount.h"
#include "browser/ServerTableModel.h"
#include "common/ListServerHosts.h"

#include <QByteArrayView>
#include <QGroupBox>
#include <QPersistentModelIndex>
#include <QSet>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class Clipboard;
class GameDir;
class MessageBoxes;
class ProgramStarter;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class ServerRecords;
class ServerSortModel;
class ServerTableModel;
class ServerTableView;

// The Join Game page: asks a list server for the running game servers, shows them in the
// server table and joins the chosen one.
//
// The road of one Refresh: the mirror boxes choose who is asked first; ListQuery asks, falling
// back to the others, and hands over the rows as they arrive; the table model holds them (and
// the favourites that are not listed, greyed after them); the sort model puts them in the
// user's order and hides what the filters leave out; the status strip says what happened; and
// Launch joins the chosen row through the join command.
class JoinGamePage : public QGroupBox {
    Q_OBJECT
public:
    JoinGamePage(ProgramStarter& programs, MessageBoxes& messages, Clipboard& clipboard,
                 ServerRecords& records, const ListServerHosts& hosts, ListServerSockets& sockets,
                 const GameDir& gameDir, QWidget* parent = nullptr,
                 ListQuery::Timings timings = {});
    ~JoinGamePage() override;

    // Start-up adds the table's columns; it has none before.
    void addServerColumn(const QString& header, int widthTwips);
    ServerTableModel& servers() const { return *m_servers; }

    // What the data-arrival handler does with the bytes it took from the socket: the lines
    // they complete become rows at the end of the table.
    void addReplyData(QByteArrayView bytes);

    // A join link's server, chosen for the user: its row when it is listed, otherwise a greyed
    // row of its own at the end of the table, marked "from a link"; "Launch ===>" takes the
    // focus. Nothing starts until the user presses it. A Refresh takes the greyed row away.
    void showLinkedServer(const JoinLink& link);

    // The menus as a right click shows them: of the table at a point of its rows' area (a row's,
    // or the empty area's), and of the header.
    std::unique_ptr<QMenu> tableMenu(QPoint at);
    std::unique_ptr<QMenu> headerMenu();

    QString statusText() const;

    // "Tell me when someone is playing", as the table's context menu turns it on and off.
    AlertWatcher& alerts() const { return *m_alerts; }
    bool alertsRunning() const { return m_alerts->running(); }
    void setAlertsOn(bool on);
    // Stops them for the rest of this run without changing the user's choice.
    void pauseAlerts();

    // Chooses the server of this key (its address, or a private one's name): its row when
    // listed, otherwise a greyed row with what the latest ask for alerts said of it.
    void showServer(const QString& key);

Q_SIGNALS:
    void alertsRunningChanged(bool running);
    void someonePlaying(const QString& text, const QString& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Command5_Click();
    void Check1_Click();
    void Check2_Click();
    void ListView1_Click();
    void Command4_Click();

    void rowsArrived(std::vector<ServerRow>& rows);
    void updateStatus();
    void changeWhatIsHidden(const std::function<void()>& change);
    void updateExtraRows();
    void placeOverlays();
    void setFindBarOpen(bool open);
    QLineEdit* findBar();
    void addRecentServers(QMenu& menu);
    void addAlertChoices(QMenu& menu);
    std::optional<std::vector<PlayerAlerts::Server>> shownServers() const;
    bool selectListed(int row, const QString& name);
    void chooseRecent(const QString& address, const QString& name);
    void toggleFavourite(int row);
    void tell(const QString& notice);
    void noticeStoreProblem();

    std::optional<int> selectedRow() const;
    // The row the user chose, while a filter hides it too.
    bool chosenIsHidden() const;
    // The first listed row from `from` on that holds the link's server; -1 when none does.
    int listedRowOf(const JoinLink& link, int from = 0) const;
    bool isLinkedRow(int row) const; // the greyed row of a join link
    std::vector<ListQuery::Source> askingOrder() const;

    ProgramStarter& m_programs;
    MessageBoxes& m_messages;
    Clipboard& m_clipboard;
    ServerRecords& m_records;
    ListServerHosts m_hosts;
    const GameDir& m_gameDir;
    ServerTableModel* m_servers;
    ServerSortModel* m_shown; // the servers in the order the user chose
    ListQuery* m_query;
    std::optional<JoinLink> m_link; // the server a join link asked for, until the next Refresh
    bool m_linkListed = false;      // and the list holds it: no greyed row of its own
    ReplyParser m_direct;           // for bytes handed to addReplyData
    ListTotals m_totals;
    // The row the user chose last, in the table model: a filter that hides it and shows it again
    // gives the choice back. A Refresh forgets it.
    QPersistentModelIndex m_chosen;
    QSet<QString> m_listedFavourites; // favourites' addresses seen in this list
    QString m_notice;                 // said after the status until the next Refresh
    AlertWatcher* m_alerts;
    std::optional<ExtraRow> m_shownByAlert; // a server an alert told of, not in this list
    QTimer m_placing; // places the status and the find bar once changes are done
    ServerTableView* ListView1;
    QLabel* m_status;
    QLineEdit* m_find = nullptr; // made when first opened
    QCheckBox* Check1;
    QCheckBox* Check2;
    QPushButton* Command5;
    QPushButton* Command4;
};
