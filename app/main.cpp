#include "app/DesktopServices.h"
#include "app/Form1.h"
#include "app/ProgramOptions.h"
#include "app/TerminalOutput.h"
#include "browser/SystemListServerSockets.h"
#include "launch/SystemProgramStarter.h"
#include "player/LibraryModulePlayer.h"
#include "registry/SystemRegistry.h"
#include "setup/UserSettingsStore.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The command line is read before the window system is touched: --help and a mistyped
    // option must work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const ProgramOptions options = parseProgramOptions(arguments);
    if (!options.run) {
        writeToTerminal(options.output, options.error);
        return options.exitCode;
    }

    // The player is handed the native window of a hidden picture box at start-up. Qt would
    // otherwise give every sibling of the box and of its parents a native window as well:
    // twenty X windows that cost start-up time and every later repaint.
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    // The help window is a tool window, which Qt does not count; the main window says when the
    // last window of the program has gone.
    QApplication::setQuitOnLastWindowClosed(false);

    const SystemGameServices game = makeSystemGameServices();
    SystemProgramStarter programs(game.winePrefix);
    DesktopUrlOpener urls;
    QtMessageBoxes messages;
    QtFileDialog files;
    UserSettingsStore settings;
    LibraryModulePlayer player;
    SystemListServerSockets sockets;

    Form1 window(Services{programs, urls, messages, files, options.listServers, sockets,
                          *game.registry, settings, player, game.gameDirectory.get()});
    QObject::connect(&window, &Form1::allWindowsClosed, &app, &QCoreApplication::quit);
    window.show();
    return app.exec();
}
