#include "pages/JoinGamePage.h"

#include "browser/JoinCommand.h"
#include "browser/ServerSortModel.h"
#include "browser/ServerTableModel.h"
#include "common/MessageBoxes.h"
#include "launch/GameDirectory.h"
#include "launch/StartOrWarn.h"
#include "pages/Controls.h"
#include "pages/LinkedServerModel.h"

#include <QCheckBox>
#include <QEvent>
#include <QHeaderView>
#include <QHostAddress>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTcpSocket>
#include <QTreeView>

JoinGamePage::JoinGamePage(ProgramStarter& programs, MessageBoxes& messages,
                           const ListServerHosts& hosts, const GameDir& gameDir, QWidget* parent)
    : QGroupBox(QStringLiteral("Join Game"), parent)
    , m_programs(programs)
    , m_messages(messages)
    , m_hosts(hosts)
    , m_gameDir(gameDir)
    , m_servers(new ServerTableModel(this))
    , m_shown(new ServerSortModel(*m_servers, this))
    , m_withLinked(new LinkedServerModel(this))
{
    m_withLinked->setSourceModel(m_shown);
    ListView1 = makeControl<QTreeView>(this, "ListView1", 120, 240, 5055, 2295);
    ListView1->setModel(m_withLinked);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setItemsExpandable(false);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->header()->setStretchLastSection(false);
    // A click on a header sorts by its column, a second click reverses; until then the rows stay
    // in the order the list server sent them.
    ListView1->header()->setSortIndicator(-1, Qt::AscendingOrder);
    ListView1->setSortingEnabled(true);
    ListView1->setAccessibleName(QStringLiteral("Game servers"));

    Check1 = makeControl<QCheckBox>(this, "Check1", 120, 2580, 2055, 255,
                                    QStringLiteral("Pellam's List Server Mirror"));
    Check1->setToolTip(QStringLiteral("Pretty Reliable"));
    Check1->setChecked(true);
    Check2 = makeControl<QCheckBox>(this, "Check2", 120, 2820, 2055, 225,
                                    QStringLiteral("Corvin's List Server Mirror"));
    Check2->setToolTip(QStringLiteral("Is this reliable? Let me know..."));
    Check2->setChecked(true);

    Command5 = makeControl<QPushButton>(this, "Command5", 2280, 2640, 1335, 375,
                                        QStringLiteral("<=== Refresh List"));
    Command4 = makeControl<QPushButton>(this, "Command4", 3840, 2640, 1335, 375,
                                        QStringLiteral("Launch ===>"));

    Winsock1 = new QTcpSocket(this);
    Winsock1->setObjectName(QStringLiteral("Winsock1"));

    connect(Command5, &QPushButton::clicked, this, &JoinGamePage::Command5_Click);
    connect(Command4, &QPushButton::clicked, this, &JoinGamePage::Command4_Click);
    connect(Check1, &QCheckBox::clicked, this, &JoinGamePage::Check1_Click);
    connect(Check2, &QCheckBox::clicked, this, &JoinGamePage::Check2_Click);
    connect(Winsock1, &QTcpSocket::readyRead, this, &JoinGamePage::Winsock1_DataArrival);
    // The unfinished last line of a closed connection never becomes a row.
    connect(Winsock1, &QTcpSocket::disconnected, this, [this] { m_reply.reset(); });

    // A click anywhere on the table, on a row or on its empty part, decides the Launch button;
    // so does choosing a row with the keyboard, which would otherwise leave the button as the
    // last click left it.
    ListView1->viewport()->installEventFilter(this);
    // Sorting moves the listed rows only; the linked server's row stays chosen if it was.
    connect(m_withLinked, &QAbstractItemModel::layoutAboutToBeChanged, this,
            [this] { m_keepLinkedChosen = linkedRowSelected(); });
    connect(m_withLinked, &QAbstractItemModel::layoutChanged, this, [this] {
        if (m_keepLinkedChosen)
            ListView1->selectionModel()->select(m_withLinked->index(m_withLinked->linkedRow(), 0),
                                                QItemSelectionModel::ClearAndSelect |
                                                    QItemSelectionModel::Rows);
        m_keepLinkedChosen = false;
    });
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &JoinGamePage::ListView1_Click);
}

void JoinGamePage::addServerColumn(const QString& header, int widthTwips)
{
    m_servers->addColumn(header);
    ListView1->header()->resizeSection(m_servers->columnCount() - 1, twips::toPixels(widthTwips));
}

bool JoinGamePage::eventFilter(QObject* watched, QEvent* event)
{
    // The view selects on the press, so by the release the clicked row is the selected one.
    if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        ListView1_Click();
    return QGroupBox::eventFilter(watched, event);
}

void JoinGamePage::Command5_Click()
{
    m_withLinked->setLinkedServer({});
    m_link.reset();
    m_servers->clear();
    // Drops whatever the old connection still had waiting, so none of it reaches the new list.
    Winsock1->abort();
    m_reply.reset();
    const ListServerHosts& hosts = m_hosts;
    const ListServer* server = &hosts.primary;
    if (Check1->isChecked())
        server = &hosts.pellamMirror;
    if (Check2->isChecked())
        server = &hosts.corvinMirror;
    // Nothing is ever written: the list server speaks of its own accord. Failing to connect
    // leaves the table empty, which is all the user sees of it.
    Winsock1->connectToHost(server->host, server->port, QIODevice::ReadOnly);
}

void JoinGamePage::Check1_Click()
{
    if (Check1->isChecked())
        Check2->setChecked(false);
}

void JoinGamePage::Check2_Click()
{
    if (Check2->isChecked())
        Check1->setChecked(false);
}

void JoinGamePage::Winsock1_DataArrival()
{
    addReplyData(Winsock1->readAll());
}

void JoinGamePage::addReplyData(QByteArrayView bytes)
{
    std::vector<ServerRow> rows;
    m_reply.feed(bytes, rows);
    m_servers->append(std::move(rows));
}

std::optional<int> JoinGamePage::selectedRow() const
{
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    if (rows.isEmpty() || m_withLinked->isLinkedRow(rows.first()))
        return std::nullopt;
    return m_shown->sourceRow(rows.first().row());
}

bool JoinGamePage::linkedRowSelected() const
{
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    return m_link && !rows.isEmpty() && m_withLinked->isLinkedRow(rows.first());
}

void JoinGamePage::showLinkedServer(const JoinLink& link)
{
    m_link = link;
    // Addresses are compared as addresses where they are ones (2001:DB8::7 is 2001:db8::7),
    // host names without regard to case.
    const QHostAddress linked(link.address);
    int listed = -1;
    for (int row = 0; row < m_servers->rowCount() && listed < 0; ++row) {
        // A private row shows a word, not an address: brix2://Private names a host.
        const ServerRow& server = m_servers->row(row);
        const QString address = server.address();
        if (!server.isPrivate() && (address.compare(link.address, Qt::CaseInsensitive) == 0 ||
                                    (!linked.isNull() && QHostAddress(address) == linked)))
            listed = row;
    }
    m_withLinked->setLinkedServer(listed < 0 ? link.hostAndPort() : QString());
    const int shownRow = listed < 0 ? m_withLinked->linkedRow()
                                    : m_shown->mapFromSource(m_servers->index(listed, 0)).row();
    const QModelIndex index = m_withLinked->index(shownRow, 0);
    ListView1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
    ListView1->scrollTo(index);
    ListView1_Click();
    Command4->setFocus(Qt::OtherFocusReason);
}

void JoinGamePage::ListView1_Click()
{
    const std::optional<int> row = selectedRow();
    Command4->setEnabled(linkedRowSelected() ||
                         (row && m_servers->row(*row).address() != ServerRow::PrivateAddress));
}

void JoinGamePage::Command4_Click()
{
    if (linkedRowSelected()) {
        // The address passed every rule of a join link; the port is not the game's to take.
        const std::optional<CommandLine> line = joinCommandLine(m_gameDir.text(), m_link->address);
        if (line)
            startOrWarn(m_programs, m_messages, this, *line);
        return;
    }
    const std::optional<int> row = selectedRow();
    if (!row) {
        m_messages.inform(this, MessageCaption,
                          QStringLiteral("Choose a server from the list first."));
        return;
    }
    const QString address = m_servers->row(*row).address();
    if (address == ServerRow::PrivateAddress) {
        m_messages.warn(this, MessageCaption,
                        QStringLiteral("This server is private; it cannot be joined "
                                       "from the list."));
        return;
    }
    // The address is not shown: it came from the network and could be anything.
    const std::optional<CommandLine> line = joinCommandLine(m_gameDir.text(), address);
    if (!line) {
        m_messages.warn(
            this, MessageCaption,
            QStringLiteral("The game was not started: this server's address is not a plain host "
                           "name or IP address."));
        return;
    }
    startOrWarn(m_programs, m_messages, this, *line);
}
