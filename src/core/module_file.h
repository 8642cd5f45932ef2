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

/// Why a module's factory made nothing: the module was built for another version.
QString otherVersion();

/// Opens the module as openModule does and puts in `object` what `make` makes with its factory;
/// make gives null for a module of another version. The library returned must outlive object.
template <typename Object, typename Make>
OpenedModule makeFromModule(const QStringList& candidates, const char* factory,
                            std::unique_ptr<Object>& object, Make make) {
    OpenedModule module = openModule(candidates, factory);
    if (module.factory) {
        object.reset(make(module.factory));
        if (!object)
            module.why = otherVersion();
    }
    return module;
}

} // namespace marvolen
