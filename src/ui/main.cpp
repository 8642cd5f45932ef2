// Marvolen's entry point: the application object, the start-up and the event loop.
#include "about_window.h"
#include "application.h"
#include "pictures.h"
#include "start_warmup.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Fontconfig and the start window's pictures are prepared while Qt connects to the display.
    marvolen::ui::StartWarmup warmup(marvolen::ui::AboutWindow::pictureFiles() +
                                     marvolen::ui::windowIconFiles());
    QApplication qt(argc, argv);
    warmup.handOver();
    QCoreApplication::setOrganizationName(QStringLiteral("Marvolen"));
    QCoreApplication::setApplicationName(QStringLiteral("Marvolen"));
    // The display name stays unset: it reads "Marvolen" from the application name anyway, and
    // set, Qt would append " — Marvolen" to every window title the game shows.
    // The desktop entry's name: the window manager groups the windows under it and shows the
    // icon it names in the task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral(MARVOLEN_APP_ID));
    // Every window shows this one. Made from the decoded pictures: a QIcon given the bare paths
    // would load every image plugin of Qt to find out that they are PNGs.
    QGuiApplication::setWindowIcon(marvolen::ui::windowIcon());
    marvolen::ui::Application game;
    game.Main();
    return qt.exec();
}
