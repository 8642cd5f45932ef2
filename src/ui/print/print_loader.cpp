// Loading the print module with QLibrary, and the message when it is missing.
#include "print_loader.h"

#include "core/module_file.h"

#include <QCoreApplication>
#include <QDir>

namespace marvolen::ui {

PrintLoader::PrintLoader(QString modulePath) : m_modulePath(std::move(modulePath)) {}

PrintLoader::~PrintLoader() {
    // The module's objects go while its code is still there; the library itself stays loaded.
    m_system.reset();
}

QStringList PrintLoader::defaultModulePaths() {
    return modulePaths(QLatin1String(PrintModuleName) + QStringLiteral(".so"),
                       QStringLiteral(MARVOLEN_MODULE_FOLDER));
}

PrintSystem* PrintLoader::load() {
    if (m_tried)
        return m_system.get();
    m_tried = true;
    OpenedModule module =
        makeFromModule(m_modulePath.isEmpty() ? defaultModulePaths() : QStringList{m_modulePath},
                       MakePrintSystemName, m_system, [](QFunctionPointer factory) {
                           return reinterpret_cast<MakePrintSystem>(factory)(PrintModuleVersion);
                       });
    m_library = std::move(module.library);
    if (!m_system)
        m_failure =
            QCoreApplication::translate("Marvolen", "The print module %1 could not be loaded (%2): "
                                                    "the game cannot print.")
                .arg(QDir::toNativeSeparators(module.path), module.why);
    return m_system.get();
}

} // namespace marvolen::ui
