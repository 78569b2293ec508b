#include "app/DesktopServices.h"
#include "app/Form1.h"
#include "launch/SystemProgramStarter.h"
#include "player/LibraryModulePlayer.h"
#include "setup/SystemRegistry.h"
#include "setup/UserSettingsStore.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The help window is a tool window, which Qt does not count; the main window says when the
    // last window of the program has gone.
    QApplication::setQuitOnLastWindowClosed(false);

    SystemProgramStarter programs;
    DesktopUrlOpener urls;
    QtMessageBoxes messages;
    QtFileDialog files;
    const std::unique_ptr<Registry> registry = makeSystemRegistry();
    UserSettingsStore settings;
    LibraryModulePlayer player;

    Form1 window(Services{programs, urls, messages, files, defaultListServerHosts(), *registry,
                          settings, player});
    QObject::connect(&window, &Form1::allWindowsClosed, &app, &QCoreApplication::quit);
    window.show();
    return app.exec();
}
