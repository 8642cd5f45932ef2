// Finding and opening a module the game loads at run time (sound, printing).
#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>

#include <memory>

namespace marvolen {

/// A module opened by openModule: its factory, or why there is none.
struct OpenedModule {
    QString path;                      ///< the file opened, or the first place looked at
    std::unique_ptr<QLibrary> library; ///< stays loaded while the module's objects live
    QFunctionPointer factory = nullptr;
    QString why; ///< in the current language, when there is no factory
};

/// Where module `fileName` is looked for: next to the program, then in `installedFolder`
/// (relative to the program, where the installation puts it).
QStringList modulePaths(const QString& fileName, const QString& installedFolder);

/// Opens the first of `candidates` that is a file and resolves its `factory` symbol.
OpenedModule openModule(const QStringList& candidates, const char* factory);

} // namespace marvolen
