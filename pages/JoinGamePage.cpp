#include "pages/JoinGamePage.h"

#include "browser/JoinCommand.h"
#include "browser/ListStatus.h"
#include "browser/ServerRecords.h"
#include "browser/ServerSortModel.h"
#include "browser/ServerTableModel.h"
#include "common/Clipboard.h"
#include "common/IpAddress.h"
#include "common/MessageBoxes.h"
#include "launch/GameDirectory.h"
#include "launch/StartOrWarn.h"
#include "pages/Controls.h"
#include "pages/ServerTableView.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

namespace {

const QString NotListedNow = QStringLiteral("not listed now");
const QString FromALink = QStringLiteral("from a link");
const QString LinkedName = QStringLiteral("(from a link)");
const QString ToldByAlert =
    QStringLiteral("someone is playing; not in the list shown: press Refresh");

ServerRecords::Server recordOf(const ServerTableModel& servers, int row)
{
    return {servers.address(row), servers.cell(row, servercolumns::Name),
            servers.cell(row, servercolumns::Type), servers.cell(row, servercolumns::Version),
            servers.cell(row, servercolumns::Players)};
}

} // namespace

JoinGamePage::JoinGamePage(ProgramStarter& programs, MessageBoxes& messages, Clipboard& clipboard,
                           ServerRecords& records, const ListServerHosts& hosts,
                           ListServerSockets& sockets, const GameDir& gameDir, QWidget* parent,
                           ListQuery::Timings timings)
    : QGroupBox(QStringLiteral("Join Game"), parent)
    , m_programs(programs)
    , m_messages(messages)
    , m_clipboard(clipboard)
    , m_records(records)
    , m_hosts(hosts)
    , m_gameDir(gameDir)
    , m_servers(new ServerTableModel(this))
    , m_shown(new ServerSortModel(*m_servers, this))
    , m_query(new ListQuery(sockets, QStringLiteral("Winsock1"), timings, this))
    , m_alerts(new AlertWatcher(
          sockets, [this] { return askingOrder(); },
          [this](const QString& address) { return m_records.isFavourite(address); }, timings, this))
{
    ListView1 = makeControl<ServerTableView>(this, "ListView1", 120, 240, 5055, 2295);
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
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->header()->setContextMenuPolicy(Qt::CustomContextMenu);

    // What the table says of the list lies over its bottom edge, or over its empty rows' area;
    // a sibling of the table, as screen readers see no widget inside an item view.
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("ListStatus"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_status->setAutoFillBackground(true);
    m_status->setBackgroundRole(QPalette::Base);
    m_status->setForegroundRole(QPalette::PlaceholderText);
    m_status->setIndent(3);

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

    // The store's problem, if it has one, is told once.
    m_shown->setFilters(m_records.filters());
    m_servers->setFavourites([this] {
        QSet<QString> addresses;
        for (const ServerRecords::Server& server : m_records.favourites())
            addresses.insert(server.address);
        return addresses;
    }());
    m_notice = m_records.takeProblem();

    connect(Command5, &QPushButton::clicked, this, &JoinGamePage::Command5_Click);
    connect(Command4, &QPushButton::clicked, this, &JoinGamePage::Command4_Click);
    connect(Check1, &QCheckBox::clicked, this, &JoinGamePage::Check1_Click);
    connect(Check2, &QCheckBox::clicked, this, &JoinGamePage::Check2_Click);
    connect(m_query, &ListQuery::rowsArrived, this, &JoinGamePage::rowsArrived);
    connect(m_query, &ListQuery::stateChanged, this, [this] {
        updateExtraRows();
        updateStatus();
    });
    // Where the rows end decides where the status goes. A filter removes and inserts rows in
    // many pieces, and asking the view where its last row lies makes it lay out every row: the
    // overlays are placed once, when the changes are done.
    m_placing.setSingleShot(true);
    m_placing.setInterval(0);
    connect(&m_placing, &QTimer::timeout, this, &JoinGamePage::placeOverlays);
    const auto place = [this] { m_placing.start(); };
    connect(ListView1, &ServerTableView::areasChanged, this, place);
    connect(ListView1->header(), &QHeaderView::geometriesChanged, this, place);
    connect(m_shown, &QAbstractItemModel::rowsInserted, this, place);
    connect(m_shown, &QAbstractItemModel::rowsRemoved, this, place);
    connect(m_shown, &QAbstractItemModel::modelReset, this, place);
    connect(m_shown, &QAbstractItemModel::layoutChanged, this, place);
    connect(ListView1->verticalScrollBar(), &QScrollBar::valueChanged, this, place);
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        if (const std::unique_ptr<QMenu> menu = tableMenu(at))
            menu->exec(ListView1->viewport()->mapToGlobal(at));
    });
    connect(ListView1->header(), &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { headerMenu()->exec(ListView1->header()->mapToGlobal(at)); });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] { setFindBarOpen(true); });

    // A click anywhere on the table, on a row or on its empty part, decides the Launch button;
    // so does choosing a row with the keyboard, which would otherwise leave the button as the
    // last click left it.
    ListView1->viewport()->installEventFilter(this);
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &JoinGamePage::ListView1_Click);

    connect(m_alerts, &AlertWatcher::someonePlaying, this, [this](const PlayerAlerts::News& news) {
        Q_EMIT someonePlaying(PlayerAlerts::message(news), news.key);
    });
    // Alerts left on run again from the start, with no list shown yet: the first list they
    // ask for is their starting point.
    const ServerRecords::Alerts alerts = m_records.alerts();
    m_alerts->setInterval(alerts.minutes);
    m_alerts->setFavouritesOnly(alerts.favouritesOnly);
    if (alerts.on)
        m_alerts->start(std::nullopt);

    const int line = m_status->fontMetrics().height() + 2;
    m_status->setFixedHeight(line);
    ListView1->setBottomBand(line);
    updateStatus();
    placeOverlays();
}

JoinGamePage::~JoinGamePage()
{
    // The children go after the members: what they still say while going is not listened to.
    for (QObject* sender : std::initializer_list<QObject*>{ListView1, ListView1->header(),
                                                           ListView1->verticalScrollBar(), m_shown,
                                                           m_query, m_alerts})
        sender->disconnect(this);
    if (m_find)
        m_find->disconnect(this);
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
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (!ListView1->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).isValid())
            m_chosen = QPersistentModelIndex(); // a click beside the rows chooses none
        ListView1_Click();
    }
    if (watched == m_find && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        setFindBarOpen(false);
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}

// The list servers in the order they are asked: the one the mirror boxes choose, then the
// others in the order main, Pellam's, Corvin's.
std::vector<ListQuery::Source> JoinGamePage::askingOrder() const
{
    const ListQuery::Source primary{m_hosts.primaryGiven ? m_hosts.primary.hostAndPort()
                                                         : QStringLiteral("the main list server"),
                                    m_hosts.primary};
    const ListQuery::Source pellam{Check1->text(), m_hosts.pellamMirror};
    const ListQuery::Source corvin{Check2->text(), m_hosts.corvinMirror};
    int chosen = 0;
    if (Check1->isChecked())
        chosen = 1;
    if (Check2->isChecked())
        chosen = 2;
    const ListQuery::Source all[] = {primary, pellam, corvin};
    std::vector<ListQuery::Source> order{all[chosen]};
    for (int k = 0; k < 3; ++k) {
        if (k != chosen)
            order.push_back(all[k]);
    }
    return order;
}

void JoinGamePage::Command5_Click()
{
    m_link.reset();
    m_linkListed = false;
    m_chosen = QPersistentModelIndex();
    m_servers->clear();
    m_totals = {};
    m_listedFavourites.clear();
    m_shownByAlert.reset();
    m_notice = m_records.takeProblem();
    // A later Refresh starts again from the chosen one.
    m_query->ask(askingOrder());
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

void JoinGamePage::addReplyData(QByteArrayView bytes)
{
    std::vector<ServerRow> rows = m_direct.feed(bytes);
    rowsArrived(rows);
    updateExtraRows();
    updateStatus();
}

void JoinGamePage::rowsArrived(std::vector<ServerRow>& rows)
{
    const bool favourites = !m_records.favourites().empty();
    const int first = m_servers->listedCount();
    for (const ServerRow& row : rows)
        m_totals.add(row.players());
    m_servers->append(std::move(rows));
    // Only the rows of this arrival can newly hold a linked server's address.
    if (m_link && !m_linkListed)
        m_linkListed = listedRowOf(*m_link, first) >= 0;
    if (favourites) {
        for (int row = first; row < m_servers->listedCount(); ++row) {
            if (m_servers->isFavourite(row)) {
                m_listedFavourites.insert(m_servers->address(row));
                m_records.updateFavourite(recordOf(*m_servers, row));
            }
        }
    }
    // The extra rows and the status follow once: the query tells its state right after its rows.
}

// The favourites that this list does not hold, greyed after its rows with their last known
// values, once a list server has answered or none could.
void JoinGamePage::updateExtraRows()
{
    using State = ListQuery::State;
    const State state = m_query->state();
    std::vector<ExtraRow> extra;
    // A join link's server that the list does not hold. Its address passed every rule of a join
    // link and can be joined; the port is shown, not handed to the game.
    if (m_link && !m_linkListed)
        extra.push_back({{LinkedName, {}, {}, {}, m_link->hostAndPort()}, FromALink, true});
    if (state == State::Listed || state == State::Empty || state == State::Failed) {
        for (const ServerRecords::Server& server : m_records.favourites()) {
            if (!m_listedFavourites.contains(server.address))
                extra.push_back(
                    {{server.name, server.type, server.version, server.players, server.address},
                     NotListedNow,
                     false});
        }
    }
    if (m_shownByAlert)
        extra.push_back(*m_shownByAlert);
    // Rows that stay the same are left alone, so that a chosen one stays chosen.
    const int listed = m_servers->listedCount();
    bool same = int(extra.size()) == m_servers->rowCount() - listed;
    for (size_t k = 0; same && k < extra.size(); ++k)
        same = m_servers->cell(listed + int(k), servercolumns::Address) ==
                   extra[k].cells[servercolumns::Address] &&
               m_servers->cell(listed + int(k), servercolumns::Name) ==
                   extra[k].cells[servercolumns::Name];
    if (!same)
        m_servers->setExtraRows(std::move(extra));
}

QString JoinGamePage::statusText() const
{
    return m_status->text();
}

void JoinGamePage::updateStatus()
{
    ListStatus status;
    status.state = m_query->state();
    if (status.state != ListQuery::State::Idle && status.state != ListQuery::State::Failed)
        status.source = m_query->current().name;
    status.failures = m_query->failures();
    status.answerTimeout = m_query->timings().answer;
    status.totals = m_totals;
    status.answeredAt = m_query->answeredAt().time();
    status.cutOff = m_query->cutOff();
    if (m_shown->hidesAnything())
        status.shown = m_shown->shownListedCount();
    QString text = ::statusText(status);
    if (chosenIsHidden())
        text += QStringLiteral(" The chosen server is hidden.");
    if (!m_notice.isEmpty())
        text += u' ' + m_notice;
    if (text != m_status->text()) {
        m_status->setText(text);
        // The strip lets the mouse through to the table, whose tooltip is the whole text where
        // the strip cuts it off.
        ListView1->setToolTip(text);
    }
    m_placing.start();
}

void JoinGamePage::noticeStoreProblem()
{
    if (QString problem = m_records.takeProblem(); !problem.isEmpty())
        m_notice = std::move(problem);
}

void JoinGamePage::tell(const QString& notice)
{
    m_notice = notice;
    updateStatus();
}

// Beside the rows of a list, the status is a strip along the table's bottom edge, with the find
// bar below it when open. Without them (before a Refresh, with nothing listed, or with all
// hidden) it is what the user needs to read: it fills the free part of the table in plain words.
void JoinGamePage::placeOverlays()
{
    const int line = m_status->fontMetrics().height() + 2;
    const bool findOpen = m_find && m_find->isVisible();
    const int findHeight = findOpen ? m_find->height() : 0;
    const int band = line + findHeight;
    if (ListView1->bottomBand().height() != band)
        ListView1->setBottomBand(band);
    const QRect bottom = ListView1->bottomBand();
    if (findOpen)
        m_find->setGeometry(bottom.left(), bottom.bottom() + 1 - findHeight, bottom.width(),
                            findHeight);
    QRect free = ListView1->rowArea();
    free.setBottom(bottom.bottom() - findHeight);
    // Never over the column headers, even before the view has moved its rows below them.
    if (const QHeaderView* header = ListView1->header(); header->isVisible())
        free.setTop(std::max(free.top(), ListView1->y() + header->geometry().bottom() + 1));
    if (const int shown = m_shown->rowCount(); shown > 0) {
        const QRect last = ListView1->visualRect(m_shown->index(shown - 1, 0));
        free.setTop(std::max(free.top(), free.top() + last.bottom() + 1));
    }
    if (m_shown->shownListedCount() == 0 && free.height() >= 3 * line) {
        m_status->setMinimumHeight(0);
        m_status->setMaximumHeight(QWIDGETSIZE_MAX);
        m_status->setGeometry(free);
        m_status->setAlignment(Qt::AlignCenter);
        m_status->setWordWrap(true);
    } else {
        m_status->setFixedHeight(line);
        m_status->setGeometry(bottom.left(), bottom.top(), bottom.width(), line);
        m_status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_status->setWordWrap(false);
    }
    m_status->raise();
    m_status->show();
    if (m_find)
        m_find->raise();
}

// The find bar is made when first opened: a line edit lays out its text as it is made, and the
// first paint has no use for it.
QLineEdit* JoinGamePage::findBar()
{
    if (!m_find) {
        m_find = new QLineEdit(this);
        m_find->setObjectName(QStringLiteral("FindBar"));
        m_find->setPlaceholderText(QStringLiteral("Find a name, type or version"));
        m_find->setAccessibleName(QStringLiteral("Find servers"));
        m_find->setFixedHeight(m_find->sizeHint().height());
        m_find->installEventFilter(this);
        connect(m_find, &QLineEdit::textChanged, this, [this](const QString& text) {
            changeWhatIsHidden([&] { m_shown->setFindText(text); });
        });
    }
    return m_find;
}

void JoinGamePage::setFindBarOpen(bool open)
{
    if (open) {
        QLineEdit* find = findBar();
        find->show();
        find->setFocus();
        find->selectAll();
    } else {
        if (m_find) {
            m_find->clear();
            m_find->hide();
        }
        ListView1->setFocus();
    }
    placeOverlays();
    updateStatus();
}

std::optional<int> JoinGamePage::selectedRow() const
{
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return std::nullopt;
    return m_shown->sourceRow(rows.first().row());
}

bool JoinGamePage::isLinkedRow(int row) const
{
    return m_link && !m_servers->isListed(row) && m_servers->isLaunchable(row) &&
           m_servers->address(row) == m_link->hostAndPort();
}

int JoinGamePage::listedRowOf(const JoinLink& link, int from) const
{
    // Addresses are compared as addresses where they are ones (2001:DB8::7 is 2001:db8::7),
    // host names without regard to case.
    const QString linked = normalIpAddress(link.address);
    for (int row = from; row < m_servers->listedCount(); ++row) {
        // A private row shows a word, not an address: brix2://Private names a host.
        const ServerRow& server = m_servers->row(row);
        const QString address = server.address();
        if (!server.isPrivate() && (address.compare(link.address, Qt::CaseInsensitive) == 0 ||
                                    (!linked.isEmpty() && normalIpAddress(address) == linked)))
            return row;
    }
    return -1;
}

void JoinGamePage::showLinkedServer(const JoinLink& link)
{
    m_link = link;
    int row = listedRowOf(link);
    m_linkListed = row >= 0;
    updateExtraRows();
    for (int extra = m_servers->listedCount(); row < 0 && extra < m_servers->rowCount(); ++extra)
        if (isLinkedRow(extra))
            row = extra;
    // Listed or not, the status marks the choice as the link's until the next Refresh.
    tell(QStringLiteral("Chosen from a link: %1.").arg(link.hostAndPort()));
    const QModelIndex index = m_shown->mapFromSource(m_servers->index(row, 0));
    ListView1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
    ListView1->scrollTo(index);
    ListView1_Click();
    Command4->setFocus(Qt::OtherFocusReason);
}

void JoinGamePage::ListView1_Click()
{
    const std::optional<int> row = selectedRow();
    // A selection that goes because a filter hid its row leaves the choice as it was.
    if (row)
        m_chosen = m_servers->index(*row, 0);
    Command4->setEnabled(row && m_servers->isLaunchable(*row));
}

bool JoinGamePage::chosenIsHidden() const
{
    return m_chosen.isValid() && !m_shown->mapFromSource(m_chosen).isValid();
}

// The view moves the selection to a neighbour of a row that goes, which would make Launch join a
// server the user never chose. So the choice outlives the change: hidden, nothing is chosen;
// shown again, it is chosen again.
void JoinGamePage::changeWhatIsHidden(const std::function<void()>& change)
{
    const QPersistentModelIndex chosen = m_chosen;
    change();
    m_chosen = chosen;
    const QModelIndex shown = m_shown->mapFromSource(chosen);
    const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
    if (!shown.isValid()) {
        ListView1->selectionModel()->clear();
    } else if (selected.size() != 1 || selected.first() != shown) {
        ListView1->setCurrentIndex(shown);
        ListView1->selectionModel()->select(shown, QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
        ListView1->scrollTo(shown);
    }
    ListView1_Click();
    updateStatus();
}

void JoinGamePage::Command4_Click()
{
    const std::optional<int> row = selectedRow();
    if (!row) {
        m_messages.inform(this, MessageCaption,
                          QStringLiteral("Choose a server from the list first."));
        return;
    }
    // A join link's row shows its port too; the game is given the address alone.
    const bool linked = isLinkedRow(*row);
    const QString address = linked ? m_link->address : m_servers->address(*row);
    if (m_servers->isListed(*row) && m_servers->row(*row).isPrivate()) {
        m_messages.warn(this, MessageCaption,
                        QStringLiteral("This server is private; it cannot be joined "
                                       "from the list."));
        return;
    }
    if (!m_servers->isLaunchable(*row)) {
        m_messages.inform(this, MessageCaption, QStringLiteral("This server is not listed now."));
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
    if (startOrWarn(m_programs, m_messages, this, *line)) {
        m_records.recordLaunch(
            {address, linked ? m_link->hostAndPort() : m_servers->cell(*row, servercolumns::Name),
             QDateTime::currentDateTimeUtc()});
        noticeStoreProblem();
        updateStatus();
    }
}

std::unique_ptr<QMenu> JoinGamePage::tableMenu(QPoint at)
{
    auto menu = std::make_unique<QMenu>(this);
    const QModelIndex shown = ListView1->indexAt(at);
    if (shown.isValid()) {
        const int row = m_shown->mapToSource(shown).row();
        ListView1->selectionModel()->select(shown, QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
        ListView1->setCurrentIndex(shown);
        const bool isPrivate = m_servers->isListed(row) && m_servers->row(row).isPrivate();
        const QString address = m_servers->address(row);
        if (m_servers->isFavourite(row)) {
            menu->addAction(QStringLiteral("Remove from favourites"), this,
                            [this, row] { toggleFavourite(row); });
        } else {
            QAction* add = menu->addAction(QStringLiteral("Add to favourites"), this,
                                           [this, row] { toggleFavourite(row); });
            add->setEnabled(!isPrivate && isPlainHostAddress(address));
        }
        QAction* copy = menu->addAction(QStringLiteral("Copy address"), this,
                                        [this, address] { m_clipboard.setText(address); });
        copy->setEnabled(!isPrivate);
        // A link a chat room can carry, made by the same rules that read links.
        const JoinLinkParse link = isPrivate ? JoinLinkParse{} : parseJoinAddress(address);
        QAction* copyLink = menu->addAction(QStringLiteral("Copy join link"), this, [this, link] {
            if (link.link)
                m_clipboard.setText(link.link->text());
        });
        copyLink->setEnabled(link.link.has_value());
        menu->addSeparator();
        menu->addAction(QStringLiteral("Sort by players"), this, [this] {
            m_shown->sortByPlayers();
            const QSignalBlocker quiet(ListView1->header());
            ListView1->header()->setSortIndicator(servercolumns::Players, Qt::DescendingOrder);
        });
    }
    addRecentServers(*menu);
    addAlertChoices(*menu);
    return menu;
}

void JoinGamePage::addAlertChoices(QMenu& menu)
{
    menu.addSeparator();
    const ServerRecords::Alerts chosen = m_records.alerts();
    QAction* on = menu.addAction(QStringLiteral("Tell me when someone is playing"));
    on->setCheckable(true);
    on->setChecked(m_alerts->running());
    connect(on, &QAction::toggled, this, &JoinGamePage::setAlertsOn);
    QMenu* how = menu.addMenu(QStringLiteral("Alerts"));
    auto* every = new QActionGroup(how);
    for (const int minutes : AlertSchedule::Intervals) {
        QAction* interval =
            how->addAction(minutes == 1 ? QStringLiteral("Ask every minute")
                                        : QStringLiteral("Ask every %1 minutes").arg(minutes));
        interval->setCheckable(true);
        interval->setChecked(chosen.minutes == minutes);
        every->addAction(interval);
        connect(interval, &QAction::triggered, this, [this, minutes] {
            ServerRecords::Alerts now = m_records.alerts();
            now.minutes = minutes;
            m_records.setAlerts(now);
            m_alerts->setInterval(minutes);
            noticeStoreProblem();
            updateStatus();
        });
    }
    how->addSeparator();
    QAction* favourites = how->addAction(QStringLiteral("Favourites only"));
    favourites->setCheckable(true);
    favourites->setChecked(chosen.favouritesOnly);
    connect(favourites, &QAction::toggled, this, [this](bool checked) {
        ServerRecords::Alerts now = m_records.alerts();
        now.favouritesOnly = checked;
        m_records.setAlerts(now);
        m_alerts->setFavouritesOnly(checked);
        noticeStoreProblem();
        updateStatus();
    });
}

// The servers of the list on show, as the starting point of alerts; nothing while no list
// server has answered.
std::optional<std::vector<PlayerAlerts::Server>> JoinGamePage::shownServers() const
{
    const ListQuery::State state = m_query->state();
    if (state != ListQuery::State::Listed && state != ListQuery::State::Empty)
        return std::nullopt;
    std::vector<PlayerAlerts::Server> servers;
    servers.reserve(size_t(m_servers->listedCount()));
    for (int row = 0; row < m_servers->listedCount(); ++row)
        servers.push_back(PlayerAlerts::fromRow(m_servers->row(row), m_servers->isFavourite(row)));
    return servers;
}

void JoinGamePage::setAlertsOn(bool on)
{
    ServerRecords::Alerts now = m_records.alerts();
    now.on = on;
    m_records.setAlerts(now);
    if (on && !m_alerts->running())
        m_alerts->start(shownServers());
    else if (!on && m_alerts->running())
        m_alerts->stop();
    noticeStoreProblem();
    updateStatus();
    Q_EMIT alertsRunningChanged(m_alerts->running());
}

void JoinGamePage::pauseAlerts()
{
    if (!m_alerts->running())
        return;
    m_alerts->stop();
    Q_EMIT alertsRunningChanged(false);
}

void JoinGamePage::showServer(const QString& key)
{
    if (key.isEmpty())
        return;
    for (int row = 0; row < m_servers->listedCount(); ++row) {
        const ServerRow& listed = m_servers->row(row);
        if ((listed.isPrivate() ? listed.name() : listed.address()) == key) {
            selectListed(row, listed.name());
            return;
        }
    }
    const std::optional<QStringList> cells = m_alerts->latestCells(key);
    if (!cells)
        return;
    const bool joinable = isPlainHostAddress(cells->value(servercolumns::Address));
    m_shownByAlert = ExtraRow{*cells, ToldByAlert, joinable};
    m_servers->setExtraRows({});
    updateExtraRows();
    selectListed(m_servers->rowCount() - 1, cells->value(servercolumns::Name));
}

void JoinGamePage::addRecentServers(QMenu& menu)
{
    QMenu* recent = menu.addMenu(QStringLiteral("Recent servers"));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const ServerRecords::Launch& launch : m_records.history()) {
        const QString name = ServerTableModel::shownText(launch.name);
        recent->addAction(
            QStringLiteral("%1 (%2), %3").arg(name, launch.address, howLongAgo(launch.time, now)),
            this, [this, launch] { chooseRecent(launch.address, launch.name); });
    }
    recent->setEnabled(!m_records.history().empty());
}

// Chooses a row as a click would; when the filters hide it, says so instead.
bool JoinGamePage::selectListed(int row, const QString& name)
{
    const QModelIndex shown = m_shown->mapFromSource(m_servers->index(row, 0));
    if (!shown.isValid()) {
        tell(QStringLiteral("%1 is listed, but hidden by the filters.")
                 .arg(ServerTableModel::shownText(name)));
        return false;
    }
    ListView1->setCurrentIndex(shown);
    ListView1->selectionModel()->select(shown, QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
    ListView1->scrollTo(shown);
    return true;
}

void JoinGamePage::chooseRecent(const QString& address, const QString& name)
{
    for (int row = 0; row < m_servers->listedCount(); ++row) {
        if (m_servers->row(row).isPrivate() || m_servers->address(row) != address)
            continue;
        selectListed(row, name);
        return;
    }
    tell(QStringLiteral("%1 (%2) is not listed now.")
             .arg(ServerTableModel::shownText(name), address));
}

void JoinGamePage::toggleFavourite(int row)
{
    const QString address = m_servers->address(row);
    if (m_servers->isFavourite(row)) {
        m_records.removeFavourite(address);
    } else {
        m_records.addFavourite(recordOf(*m_servers, row));
        if (m_servers->isListed(row))
            m_listedFavourites.insert(address);
    }
    QSet<QString> addresses;
    for (const ServerRecords::Server& server : m_records.favourites())
        addresses.insert(server.address);
    m_servers->setFavourites(addresses);
    updateExtraRows();
    m_shown->favouritesChanged();
    noticeStoreProblem();
    updateStatus();
}

std::unique_ptr<QMenu> JoinGamePage::headerMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    QAction* first = menu->addAction(QStringLiteral("Favourites first"));
    first->setCheckable(true);
    first->setChecked(m_shown->favouritesFirst());
    connect(first, &QAction::toggled, this, [this](bool on) { m_shown->setFavouritesFirst(on); });
    menu->addSeparator();
    const ServerSortModel::Filters filters = m_shown->filters();
    const auto addFilter = [&](const char* caption, bool on, bool ServerSortModel::Filters::*flag) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setCheckable(true);
        action->setChecked(on);
        connect(action, &QAction::toggled, this, [this, flag](bool checked) {
            ServerSortModel::Filters now = m_shown->filters();
            now.*flag = checked;
            m_records.setFilters(now);
            noticeStoreProblem();
            changeWhatIsHidden([&] { m_shown->setFilters(now); });
        });
    };
    addFilter("Hide empty", filters.hideEmpty, &ServerSortModel::Filters::hideEmpty);
    addFilter("Hide full", filters.hideFull, &ServerSortModel::Filters::hideFull);
    addFilter("Hide private", filters.hidePrivate, &ServerSortModel::Filters::hidePrivate);
    return menu;
}
