// The program's side of the print module: loads it when the player first prints.
#pragma once

#include "print_module.h"

#include <QString>
#include <QStringList>

#include <memory>

class QLibrary;

namespace marvolen::ui {

/// Stands for the print module (Qt Print Support and what it pulls in), which the program does
/// not link: load() loads it the first time something is to be printed. When it cannot be
/// loaded, failure() says why in a sentence for the player, and nothing is printed.
class PrintLoader final {
  public:
    /// modulePath empty: the module next to the program, then in its installed folder.
    explicit PrintLoader(QString modulePath = {});
    ~PrintLoader();
    PrintLoader(const PrintLoader&) = delete;
    PrintLoader& operator=(const PrintLoader&) = delete;

    /// Loads the module now if that was not tried yet; null when it is not there.
    PrintSystem* load();
    bool loaded() const { return m_system != nullptr; }
    /// Why the module could not be loaded; empty while it is loaded or not tried yet.
    QString failure() const { return m_failure; }

    /// Where the module is looked for: next to the program, then relative to it where the
    /// installation puts it.
    static QStringList defaultModulePaths();

  private:
    QString m_modulePath;
    bool m_tried = false;
    QString m_failure;
    std::unique_ptr<QLibrary> m_library;
    std::unique_ptr<PrintSystem> m_system;
};

} // namespace marvolen::ui
