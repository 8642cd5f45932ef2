// Marvolen's entry point.
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::printf("Marvolen %s: the rules, champions list and resources are built; the game "
                "window comes in a later build.\n",
                MARVOLEN_VERSION);
    return 0;
}
