// Copies the game's stylesheet, resources/theme.qss, as resource "STYLE/theme".
#include "generators.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace gen {

void writeTheme(const QDir& out, Entries& entries) {
    const QString source = QStringLiteral(MARVOLEN_SOURCE_DIR "/resources/theme.qss");
    const QString fileName = QStringLiteral("theme.qss");
    QFile::remove(out.filePath(fileName));
    if (!QFile::copy(source, out.filePath(fileName))) {
        std::fprintf(stderr, "theme: cannot copy %s\n", qPrintable(source));
        std::exit(1);
    }
    entries.emplace_back(QStringLiteral("STYLE/theme"), fileName);
}

} // namespace gen
