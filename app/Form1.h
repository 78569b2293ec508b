#pragma once

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
class PanelBar;
class QLabel;
class SetupPage;
class TabStrip;

// The main window: three status bars, the banner, the tab strip and its six pages.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(const Services& services);
    ~Form1() override;

    static QString captionFor(const QString& page);

    Form2* helpWindow() const { return m_help.get(); }

    // A join link arrived: the window comes to the front on Join Game with the link's server
    // chosen and "Launch ===>" focused. Nothing starts without the user's press.
    void showJoinLink(const JoinLink& link);

Q_SIGNALS:
    // Neither the main window nor the help window is open any more: the program may end.
    void allWindowsClosed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void makePages();
    void addPageShortcuts();
    void Form_Load();
    void Form_Unload();
    void Tab1_Click();
    void StatusBar1_PanelClick(const QString& panel);
    void StatusBar2_PanelClick(const QString& panel);
    void StatusBar3_PanelClick(const QString& panel);
    void gameDirectoryChanged(const QString& gameDir);
    void RefreshFileLists();
    void showHelpWindow();
    void checkWindowsLeft();

    Services m_services;
    GameDir m_gameDir;
    std::unique_ptr<Form2> m_help; // not owned by the window: it may outlive the close
    bool m_unloaded = false;

    PanelBar* StatusBar3;
    QLabel* Picture1;
    TabStrip* Tab1;
    JoinGamePage* JoinGame;
    HostGamePage* HostGame;
    FileManagerPage* FileManager;
    SetupPage* Setup;
    ModPlayerPage* ModPlayer;
    CreditsPage* Credits;
    PanelBar* StatusBar2;
    PanelBar* StatusBar1;
};
