// The yardstick of the whole-program benchmark: an empty Qt Widgets window of the game's size.
#include <QApplication>
#include <QWidget>

#include <cstdlib>

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    // The start window's size unless the benchmark gives another: width, height.
    const int width = argc > 2 ? std::atoi(argv[1]) : 704;
    const int height = argc > 2 ? std::atoi(argv[2]) : 360;
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(width, height);
    window.show();
    return qt.exec();
}
