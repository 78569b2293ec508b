#include "pages/JoinGamePage.h"

#include "browser/JoinCommand.h"
#include "browser/ServerSortModel.h"
#include "browser/ServerTableModel.h"
#include "common/MessageBoxes.h"
#include "launch/GameDirectory.h"
#include "launch/StartOrWarn.h"
#include "pages/Controls.h"

#include <QCheckBox>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeView>

JoinGamePage::JoinGamePage(ProgramStarter& programs, MessageBoxes& messages,
                           const ListServerHosts& hosts, ListServerSockets& sockets,
                           const GameDir& gameDir, QWidget* parent)
    : QGroupBox(QStringLiteral("Join Game"), parent)
    , m_programs(programs)
    , m_messages(messages)
    , m_hosts(hosts)
    , m_sockets(sockets)
    , m_gameDir(gameDir)
    , m_servers(new ServerTableModel(this))
    , m_shown(new ServerSortModel(*m_servers, this))
{
    ListView1 = makeControl<QTreeView>(this, "ListView1", 120, 240, 5055, 2295);
    ListView1->setModel(m_shown);
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

    connect(Command5, &QPushButton::clicked, this, &JoinGamePage::Command5_Click);
    connect(Command4, &QPushButton::clicked, this, &JoinGamePage::Command4_Click);
    connect(Check1, &QCheckBox::clicked, this, &JoinGamePage::Check1_Click);
    connect(Check2, &QCheckBox::clicked, this, &JoinGamePage::Check2_Click);

    // A click anywhere on the table, on a row or on its empty part, decides the Launch button;
    // so does choosing a row with the keyboard, which would otherwise leave the button as the
    // last click left it.
    ListView1->viewport()->installEventFilter(this);
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
    m_servers->clear();
    if (!Winsock1) {
        QString reason;
        Winsock1 = m_sockets.open(
            this,
            {[this](const QByteArray& bytes) { Winsock1_DataArrival(bytes); },
             // The unfinished last line of a closed connection never becomes a row.
             [this] { m_reply.reset(); }},
            &reason);
        if (!Winsock1) {
            m_messages.warn(this, MessageCaption,
                            QStringLiteral("The list of servers cannot be asked for: the "
                                           "network library could not be loaded.\n\n") +
                                reason);
            return;
        }
    }
    // The new connection drops whatever the old one still had waiting, so none of it reaches
    // the new list.
    m_reply.reset();
    const ListServerHosts& hosts = m_hosts;
    const ListServer* server = &hosts.primary;
    if (Check1->isChecked())
        server = &hosts.pellamMirror;
    if (Check2->isChecked())
        server = &hosts.corvinMirror;
    // Nothing is ever written: the list server speaks of its own accord. Failing to connect
    // leaves the table empty, which is all the user sees of it.
    Winsock1->connectTo(server->host, server->port);
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

void JoinGamePage::Winsock1_DataArrival(const QByteArray& bytes)
{
    addReplyData(bytes);
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
    if (rows.isEmpty())
        return std::nullopt;
    return m_shown->sourceRow(rows.first().row());
}

void JoinGamePage::ListView1_Click()
{
    const std::optional<int> row = selectedRow();
    Command4->setEnabled(row && m_servers->row(*row).address() != ServerRow::PrivateAddress);
}

void JoinGamePage::Command4_Click()
{
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
