// Marvolen's entry point: the application object, the start-up and the event loop.
#include "app/resources.h"
#include "application.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Marvolen"));
    QCoreApplication::setApplicationName(QStringLiteral("Marvolen"));
    // The display name stays unset: it reads "Marvolen" from the application name anyway, and
    // set, Qt would append " — Marvolen" to every window title the game shows.
    // The desktop entry's name: the window manager groups the windows under it and shows the
    // icon it names in the task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral(MARVOLEN_APP_ID));
    // Every window without an icon of its own shows this one.
    // Made from the decoded picture: a QIcon given the bare path would load every image plugin
    // of Qt to find out that it is a PNG.
    QGuiApplication::setWindowIcon(
        QIcon(marvolen::app::loadPicture(QStringLiteral(":/res/PIC/icon"))));
    marvolen::ui::Application game;
    game.Main();
    return qt.exec();
}
