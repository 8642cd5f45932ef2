// Marvolen's entry point: the application object, the start-up and the event loop.
#include "application.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Marvolen"));
    QCoreApplication::setApplicationName(QStringLiteral("Marvolen"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/res/PIC/icon")));
    marvolen::ui::Application game;
    game.Main();
    return qt.exec();
}
