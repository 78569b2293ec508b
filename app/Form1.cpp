#include "app/Form1.h"

#include "app/Fonts.h"
#include "app/Form2.h"
#include "app/PanelActions.h"
#include "app/PanelBar.h"
#include "app/Pictures.h"
#include "app/StatusPanels.h"
#include "app/TabStrip.h"
#include "browser/ServerColumns.h"
#include "browser/ServerRecords.h"
#include "common/DesktopAlerts.h"
#include "common/GameDirectoryWatcher.h"
#include "common/MessageBoxes.h"
#include "common/ProgramName.h"
#include "launch/CommandLines.h"
#include "launch/ProgramStarter.h"
#include "pages/Controls.h"
#include "pages/CreditsPage.h"
#include "pages/FileListBox.h"
#include "pages/FileManagerPage.h"
#include "pages/HostGamePage.h"
#include "pages/JoinGamePage.h"
#include "pages/ModPlayerPage.h"
#include "pages/SetupPage.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QShortcut>
#include <QTimer>

namespace {

struct Tab {
    const char* caption;
    const char* toolTip;
};

constexpr std::array<Tab, 6> Tabs = {{
    {"Join Game", "Join a current Brix Quorrel 2 Game"},
    {"Host Game", "Host a Multiplayer Game - unlisted"},
    {"File Manager", "Manage your Brix2 Files"},
    {"Setup", "Setup your Settings for Korvane"},
    {"Mod Player", "Play module music files"},
    {"Credits", "Infamous 'About' Section"},
}};

template <typename Page> Page* placePage(Page* page, const char* objectName)
{
    page->setObjectName(QString::fromLatin1(objectName));
    page->setGeometry(twips::rect(2400, 720, 5295, 3135));
    return page;
}

} // namespace

Form1::Form1(const Services& services)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_services(services)
    , m_records(std::make_unique<ServerRecords>(services.records))
{
    // The pictures live in the static GUI library, whose resources are not registered by
    // themselves.
    Q_INIT_RESOURCE(korvane);
    setObjectName(QStringLiteral("Form1"));
    setFont(fonts::window());
    setWindowIcon(QIcon(pngPicture(QStringLiteral(":/korvane/icon.png"))));
    setFixedSize(twips::size(7785, 4500));

    StatusBar3 = makeControl<PanelBar>(this, "StatusBar3", 0, 0, 7785, 270, statusBar3Panels());
    Picture1 = makeControl<QLabel>(this, "Picture1", 0, 360, 2280, 3495);
    Picture1->setPixmap(pngPicture(QStringLiteral(":/korvane/banner.png")));
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setAccessibleName(QStringLiteral("Korvane banner"));

    Tab1 = makeControl<TabStrip>(this, "Tab1", 2315, 360, 5535, 3615);
    for (const Tab& tab : Tabs)
        Tab1->addTab(QString::fromLatin1(tab.caption), QString::fromLatin1(tab.toolTip));

    makePages();

    StatusBar2 = makeControl<PanelBar>(this, "StatusBar2", 0, 3960, 7785, 270, statusBar2Panels());
    StatusBar1 = makeControl<PanelBar>(this, "StatusBar1", 0, 4230, 7785, 270, statusBar1Panels());

    connect(Tab1, &TabStrip::clicked, this, &Form1::Tab1_Click);
    addPageShortcuts();
    for (PanelBar* bar : {StatusBar1, StatusBar2, StatusBar3})
        connect(bar, &PanelBar::panelClicked, this, &Form1::StatusBar_PanelClick);
    connect(&m_gameDir, &GameDir::changed, this, &Form1::gameDirectoryChanged);
    // The keyboard starts on the tabs; first in line is the "1.23 Patch" panel, where a stray
    // Space would start a download.
    Tab1->bar().setFocus();

    Form_Load();
    connectAlerts();
}

// The alerts run on the Join Game page; the tray and the notifications are the desktop's.
void Form1::connectAlerts()
{
    DesktopAlerts* alerts = m_services.alerts;
    if (!alerts)
        return;
    connect(JoinGame, &JoinGamePage::alertsRunningChanged, this,
            [alerts](bool running) { alerts->setRunning(running); });
    connect(JoinGame, &JoinGamePage::someonePlaying, this,
            [alerts](const QString& text, const QString& key) { alerts->notify(text, key); });
    alerts->activated = [this](const QString& key) { showServer(key); };
    alerts->setRunning(JoinGame->alertsRunning());
}

void Form1::showServer(const QString& key)
{
    if (m_unloaded)
        return;
    Tab1->select(1);
    Tab1_Click();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    JoinGame->showServer(key);
}

// The pages the window needs from start-up: Join Game shows, and the Mod Player page holds the
// player's window and the tick.
void Form1::makePages()
{
    buildPage(1);
    buildPage(5);
}

QWidget* Form1::page(int index) const
{
    const std::array<QWidget*, 6> pages = {JoinGame, HostGame,  FileManager,
                                           Setup,    ModPlayer, Credits};
    return pages[size_t(index - 1)];
}

// Each page at one place inside the tab strip, hidden until its tab is chosen.
void Form1::buildPage(int index)
{
    if (page(index))
        return;
    ProgramStarter& programs = m_services.programs;
    MessageBoxes& messages = m_services.messages;
    QWidget* built = nullptr;
    switch (index) {
    case 1:
        built = JoinGame =
            placePage(new JoinGamePage(programs, messages, m_services.clipboard, *m_records,
                                       m_services.listServers, m_services.sockets, m_gameDir, this),
                      "JoinGame");
        break;
    case 2:
        built = HostGame =
            placePage(new HostGamePage(programs, messages, m_gameDir, this), "HostGame");
        break;
    case 3:
        built = FileManager =
            placePage(new FileManagerPage(programs, messages, m_gameDir, this), "FileManager");
        break;
    case 4:
        built = Setup = placePage(
            new SetupPage(m_services.registry, m_services.settings, messages, m_gameDir, this),
            "Setup");
        connect(Setup, &SetupPage::profileWriteFinished, this, [this] {
            if (m_closeAfterProfileWrite)
                QTimer::singleShot(0, this, &QWidget::close);
        });
        break;
    case 5:
        built = ModPlayer =
            placePage(new ModPlayerPage(m_services.player, m_services.files, this), "ModPlayer");
        break;
    case 6:
        built = Credits = placePage(new CreditsPage(this), "Credits");
        break;
    }
    // A page made while the window shows is hidden until shown; one made before it, in the
    // constructor, would show with the window.
    built->setVisible(Tab1->selectedIndex() == index);
    takeItsPlaceInTheFocusChain(built);
}

void Form1::buildPages()
{
    for (int index = 1; index <= int(Tabs.size()); ++index)
        buildPage(index);
}

// A page built late joins the keyboard's order where the pages stand, before the bottom bars,
// not after everything else.
void Form1::takeItsPlaceInTheFocusChain(QWidget* page)
{
    if (!StatusBar2)
        return; // still in the constructor: the bars come after the pages anyway
    QWidgetList order;
    for (QWidget* widget = page->nextInFocusChain(); page->isAncestorOf(widget);
         widget = widget->nextInFocusChain())
        if (widget->focusPolicy() != Qt::NoFocus)
            order.append(widget);
    QWidget* before = StatusBar2->previousInFocusChain();
    while (before->focusPolicy() == Qt::NoFocus && before != this)
        before = before->previousInFocusChain();
    for (QWidget* widget : order) {
        QWidget::setTabOrder(before, widget);
        before = widget;
    }
}

void Form1::addPageShortcuts()
{
    // Pages can be turned from the keyboard wherever the focus is.
    const auto turnPage = [this](int step) {
        Tab1->select((Tab1->selectedIndex() - 1 + step + int(Tabs.size())) % int(Tabs.size()) + 1);
    };
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                [turnPage] { turnPage(1); });
    // Shift+Tab arrives as Backtab from most keyboards, as Tab with Shift from some.
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                     QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                [turnPage] { turnPage(-1); });
}

Form1::~Form1()
{
    Form_Unload();
}

QString Form1::captionFor(const QString& page)
{
    return ProgramName + QStringLiteral(" -> ") + page;
}

void Form1::Form_Load()
{
    setWindowTitle(captionFor(QStringLiteral("Join Game")));
    for (const servercolumns::Caption& column : servercolumns::All)
        JoinGame->addServerColumn(QString::fromLatin1(column.caption), column.widthTwips);
    ModPlayer->startUp();
}

// Runs once, whether the close box, the "X" panel or the window's end closes it.
void Form1::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    ModPlayer->shutDown();
    // The alerts end with the window, in memory only: the user's choice stays as stored, and
    // a tray icon never keeps a closed launcher running.
    JoinGame->pauseAlerts();
    if (m_services.alerts) {
        m_services.alerts->setRunning(false);
        m_services.alerts->activated = nullptr;
    }
}

void Form1::closeEvent(QCloseEvent* event)
{
    // A close that arrives while a profile value is being written (through a screen reader, or
    // on Wayland, where the wait still takes it) waits for the write: ending now would kill Wine's
    // reg command and lose the value the user asked for. The window closes once it is written.
    if (Setup && Setup->profileWriteRunning()) {
        m_closeAfterProfileWrite = true;
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
    QTimer::singleShot(0, this, &Form1::checkWindowsLeft);
}

void Form1::showJoinLink(const JoinLink& link)
{
    Tab1->select(1);
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    JoinGame->showLinkedServer(link);
}

void Form1::Tab1_Click()
{
    const int selected = Tab1->selectedIndex();
    buildPage(selected);
    for (int k = 1; k <= int(Tabs.size()); ++k)
        if (QWidget* shown = page(k))
            shown->setVisible(k == selected);
    setWindowTitle(captionFor(Tab1->selectedCaption()));
}

// The panels of all three bars. The tool panels of the bottom bar leave no trace when a start
// fails; an address of the link and download panels that cannot be opened is reported.
void Form1::StatusBar_PanelClick(PanelAction action)
{
    const ListServerHosts& listServers = m_services.listServers;
    const auto open = [this](const PanelLink& command) {
        startAddressOrWarn(m_services.urls, m_services.messages, this, command);
    };
    switch (action) {
    case PanelAction::None:
        break;
    case PanelAction::Patch:
        open(panelcommands::patch());
        break;
    case PanelAction::Shareware:
        open(panelcommands::shareware());
        break;
    case PanelAction::Help:
        showHelpWindow();
        break;
    case PanelAction::Minimise:
        setWindowState(windowState() | Qt::WindowMinimized);
        break;
    case PanelAction::Close:
        close();
        break;
    case PanelAction::Brix2Online:
        open(panelcommands::brix2Online());
        break;
    case PanelAction::Bcf:
        open(panelcommands::bcf());
        break;
    case PanelAction::DailyPindle:
        open(panelcommands::dailyPindle());
        break;
    case PanelAction::Email:
        open(panelcommands::email());
        break;
    case PanelAction::NewWindow:
        m_services.programs.start(commandlines::newWindow(m_gameDir.text()));
        break;
    case PanelAction::ServersInTelnet:
        startAddress(m_services.urls, panelcommands::serversInTelnet(listServers));
        break;
    case PanelAction::ServersInfo:
        startAddress(m_services.urls, panelcommands::serversInfo(listServers));
        break;
    case PanelAction::PellamMirror:
        startAddress(m_services.urls, panelcommands::pellamMirror(listServers));
        break;
    }
}

// What follows the game directory (on Linux, the Wine prefix) is decided once, before the file
// lists show it.
void Form1::gameDirectoryChanged(const QString& gameDir)
{
    if (m_services.gameDirectory)
        m_services.gameDirectory->gameDirectoryChosen(gameDir);
    RefreshFileLists();
}

// Points the four file lists at the game directory and counts their files. A directory that
// cannot be listed stops at the list that refuses it: the lists after it keep what they showed
// and the counts stay as they were.
void Form1::RefreshFileLists()
{
    buildPage(2);
    buildPage(3);
    QString reason;
    if (!HostGame->showFilesOf(m_gameDir.text(), &reason) ||
        !FileManager->showFilesOf(m_gameDir.text(), &reason))
        m_services.messages.warn(this, MessageCaption,
                                 listingFailureMessage(m_gameDir.text(), reason));
}

void Form1::showHelpWindow()
{
    if (!m_help) {
        m_help = std::make_unique<Form2>();
        connect(m_help.get(), &Form2::closed, this, &Form1::checkWindowsLeft, Qt::QueuedConnection);
    }
    m_help->showHelp();
}

void Form1::checkWindowsLeft()
{
    const bool helpOpen = m_help && m_help->isVisible();
    if (!isVisible() && !helpOpen)
        Q_EMIT allWindowsClosed();
}
