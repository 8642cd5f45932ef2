// Loading the print module with QLibrary, and the message when it is missing.
#include "print_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace marvolen::ui {

PrintLoader::PrintLoader(QString modulePath) : m_modulePath(std::move(modulePath)) {}

PrintLoader::~PrintLoader() {
    // The module's objects go while its code is still there; the library itself stays loaded.
    m_system.reset();
}

QStringList PrintLoader::defaultModulePaths() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString name = QLatin1String(PrintModuleName) + QStringLiteral(".so");
    return {programFolder.filePath(name),
            QDir::cleanPath(programFolder.filePath(QStringLiteral(MARVOLEN_MODULE_FOLDER)) +
                            QLatin1Char('/') + name)};
}

PrintSystem* PrintLoader::load() {
    if (m_tried)
        return m_system.get();
    m_tried = true;
    const QStringList candidates =
        m_modulePath.isEmpty() ? defaultModulePaths() : QStringList{m_modulePath};
    QString path = candidates.front();
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile()) {
            path = candidate;
            break;
        }
    QString why;
    if (!QFileInfo(path).isFile()) {
        why = QCoreApplication::translate("Marvolen", "no such file");
    } else {
        m_library = std::make_unique<QLibrary>(path);
        const auto make =
            reinterpret_cast<MakePrintSystem>(m_library->resolve(MakePrintSystemName)); // loads it
        if (!make)
            why = m_library->errorString();
        else if (PrintSystem* system = make(PrintModuleVersion))
            m_system.reset(system);
        else
            why = QCoreApplication::translate("Marvolen", "a module of another version");
    }
    if (!m_system)
        m_failure =
            QCoreApplication::translate("Marvolen", "The print module %1 could not be loaded (%2): "
                                                    "the game cannot print.")
                .arg(QDir::toNativeSeparators(path), why);
    return m_system.get();
}

} // namespace marvolen::ui
