#pragma once

// The map. The main window (here) holds three status bars (app/PanelBar, one table per bar in
// app/StatusPanels), the banner, the tab strip and six pages (pages/), each given only the
// services it uses (common/Services.h; main() wires the real ones, tests pass fakes). Below the
// pages lies plain logic without widgets: browser/ (the list server's reply and the server
// table), launch/ (command lines and program start), setup/ (the launcher's settings),
// registry/ (the game's player profiles), wine/ (where the game's Windows programs run on
// Linux), player/ (module music), and common/, the ground they all stand on.
//
// The road of one Refresh: JoinGamePage::Command5_Click connects its socket to the list server
// that the mirror boxes choose; each arrival goes through ReplyParser (bytes in, rows out) into
// ServerTableModel, shown through ServerSortModel; a click on a row and "Launch ===>" hand its
// address to joinCommandLine (browser/JoinCommand), and the ProgramStarter starts the game
// (launch/SystemProgramStarter, through wine/WineProcess on Linux).

#include "app/PanelBar.h"
#include "common/Services.h"
#include "launch/GameDirectory.h"

#include <QWidget>

#include <array>
#include <memory>

class CreditsPage;
class FileManagerPage;
class Form2;
class HostGamePage;
struct JoinLink;
class JoinGamePage;
class ModPlayerPage;
class QLabel;
class ServerRecords;
class SetupPage;
class TabStrip;

// The main window: three status bars, the banner, the tab strip and its six pages.
class Form1 : public QWidget {
    Q_OBJECT
    using PanelAction = PanelBar::Action;

public:
    explicit Form1(const Services& services);
    ~Form1() override;

    static QString captionFor(const QString& page);

    Form2* helpWindow() const { return m_help.get(); }

    // A join link arrived: the window comes to the front on Join Game with the link's server
    // chosen and "Launch ===>" focused. Nothing starts without the user's press.
    void showJoinLink(const JoinLink& link);
    // Brings the window to the front on Join Game with this server chosen (an alert's click).
    void showServer(const QString& key);
    // Builds every page not built yet. The window builds Join Game and Mod Player (whose player
    // and tick run from start-up) at once and each other page at its first showing (or when the
    // game directory's files are listed), so that start-up neither waits for nor keeps in
    // memory pages that may never be shown.
    void buildPages();

Q_SIGNALS:
    // Neither the main window nor the help window is open any more: the program may end.
    void allWindowsClosed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void makePages();
    QWidget* page(int index) const;
    void buildPage(int index);
    void takeItsPlaceInTheFocusChain(QWidget* page);
    void addPageShortcuts();
    void Form_Load();
    void Form_Unload();
    void Tab1_Click();
    void StatusBar_PanelClick(PanelAction action);
    void gameDirectoryChanged(const QString& gameDir);
    void RefreshFileLists();
    void showHelpWindow();
    void checkWindowsLeft();
    void connectAlerts();

    Services m_services;
    GameDir m_gameDir;
    std::unique_ptr<ServerRecords> m_records;
    std::unique_ptr<Form2> m_help; // not owned by the window: it may outlive the close
    bool m_unloaded = false;
    bool m_closeAfterProfileWrite = false;

    PanelBar* StatusBar3;
    QLabel* Picture1;
    TabStrip* Tab1;
    // A page not built yet is null.
    JoinGamePage* JoinGame = nullptr;
    HostGamePage* HostGame = nullptr;
    FileManagerPage* FileManager = nullptr;
    SetupPage* Setup = nullptr;
    ModPlayerPage* ModPlayer = nullptr;
    CreditsPage* Credits = nullptr;
    PanelBar* StatusBar2 = nullptr;
    PanelBar* StatusBar1;
};
