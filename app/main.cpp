#include "app/DesktopServices.h"
#include "app/Form1.h"
#include "app/LauncherStyle.h"
#include "app/LinkHandover.h"
#include "app/LinkRegistration.h"
#include "app/ProgramOptions.h"
#include "app/SessionBus.h"
#include "app/SystemDesktopAlerts.h"
#include "app/TerminalOutput.h"
#include "browser/SystemListServerSockets.h"
#include "launch/SystemProgramStarter.h"
#include "player/LibraryModulePlayer.h"
#include "registry/SystemRegistry.h"
#include "setup/UserRecordStorage.h"
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
        writeToTerminal(options.output, options.error, options.usage);
        return options.exitCode;
    }
    if (options.registration != ProgramOptions::LinkRegistration::None) {
        QString message;
        const bool done = options.registration == ProgramOptions::LinkRegistration::Register
                              ? registerLinkHandler(message)
                              : unregisterLinkHandler(message);
        writeToTerminal(done ? message : QString(), done ? QString() : message, QString());
        return done ? 0 : 1;
    }
    // A link goes to the launcher that already runs for this user, if there is one; it comes
    // to the front there, and this program has nothing more to do.
    const QString linkChannel = linkChannelName();
    if (options.link && handOverLink(linkChannel, *options.link))
        return 0;

    // The player is handed the native window of a hidden picture box at start-up. Qt would
    // otherwise give every sibling of the box and of its parents a native window as well:
    // twenty X windows that cost start-up time and every later repaint.
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    // Begun before the window, whose first controls would otherwise wait for the bus.
    const SessionBusConnector sessionBus;
    QApplication::setStyle(new LauncherStyle);
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
    DesktopClipboard clipboard;
    const std::unique_ptr<RecordStorage> records = makeUserRecordStorage();
    SystemDesktopAlerts alerts;
    SystemListServerSockets sockets;

    Form1 window(Services{programs, urls, messages, files, options.listServers, sockets,
                          *game.registry, settings, player, clipboard, *records,
                          game.gameDirectory.get(), &alerts});
    QObject::connect(&window, &Form1::allWindowsClosed, &app, &QCoreApplication::quit);
    // The first launcher answers the links of later ones; a second plain launcher opens its
    // own window, as it always has, and leaves the answering to the first.
    LinkListener links(linkChannel);
    QObject::connect(&links, &LinkListener::linkReceived, &window, &Form1::showJoinLink);
    links.listen();
    window.show();
    if (options.link)
        window.showJoinLink(*options.link);
    return app.exec();
}
