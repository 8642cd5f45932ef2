// Finding and opening run-time modules.
#include "module_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace marvolen {

QStringList modulePaths(const QString& fileName, const QString& installedFolder) {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    return {programFolder.filePath(fileName),
            QDir::cleanPath(programFolder.filePath(installedFolder) + QLatin1Char('/') + fileName)};
}

OpenedModule openModule(const QStringList& candidates, const char* factory) {
    OpenedModule opened;
    opened.path = candidates.value(0);
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile()) {
            opened.path = candidate;
            break;
        }
    if (!QFileInfo(opened.path).isFile()) {
        opened.why = QCoreApplication::translate("Marvolen", "no such file");
        return opened;
    }
    opened.library = std::make_unique<QLibrary>(opened.path);
    opened.factory = opened.library->resolve(factory); // loads it
    if (!opened.factory)
        opened.why = opened.library->errorString();
    return opened;
}

QString otherVersion() {
    return QCoreApplication::translate("Marvolen", "a module of another version");
}

} // namespace marvolen
