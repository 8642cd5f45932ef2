// Makes a fresh folder the working folder while it lives, so a test sees what lands there.
#pragma once

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

namespace marvolen::test {

struct WorkingFolder {
    QTemporaryDir dir;
    QString before = QDir::currentPath();
    WorkingFolder() { QDir::setCurrent(dir.path()); }
    ~WorkingFolder() { QDir::setCurrent(before); }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
};

} // namespace marvolen::test
