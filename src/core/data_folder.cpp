// The choice of the data folder.
#include "data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace marvolen {

QString chooseDataFolder(const QString& programFolder, const QString& fallbackFolder) {
    // A probe file tells the truth where permission bits do not (read-only mounts, root).
    if (!programFolder.isEmpty() && QFileInfo(programFolder).isDir()) {
        QTemporaryFile probe(QDir(programFolder).filePath(QStringLiteral("~probe_XXXXXX")));
        if (probe.open())
            return programFolder;
    }
    QDir().mkpath(fallbackFolder);
    return fallbackFolder;
}

QString programDataFolder() {
    return chooseDataFolder(QCoreApplication::applicationDirPath(),
                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace marvolen
