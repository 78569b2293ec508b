// The anchor for the launcher's start-up, memory and idle figures: a bare Qt window of the
// main window's size, with the same 10 ms timer as the Mod Player page's tick and nothing else.
//
//   bare_window TITLE [TEXT]   shows an empty window captioned TITLE until it is killed; with
//                              TEXT, the window shows that one line in the launcher's font, to
//                              tell what drawing any text at all costs (fontconfig, FreeType)
#include "app/Fonts.h"
#include "pages/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window;
    window.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("bare"));
    if (argc > 2) {
        window.setFont(fonts::window());
        window.setText(QString::fromLocal8Bit(argv[2]));
    }
    window.setFixedSize(twips::size(7785, 4500));
    // The tick does what a tick with nothing playing costs at least: it sets a hidden bar's
    // value, which Qt ignores when nothing changed.
    QScrollBar bar;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &bar, [&bar] { bar.setValue(0); });
    tick.start(10);
    window.show();
    return app.exec();
}
