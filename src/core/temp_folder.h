// The private temporary folder of this run and the unique files made in it.
#pragma once

#include "failure.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace marvolen {

/// A folder only this run can enter (mode 0700), made inside the system's temporary folder
/// and removed with everything in it when the run ends. Sharing the system folder itself would
/// let another user plant a link under our fixed names.
class TempFolder {
  public:
    /// Makes the private folder inside base.
    TempFolder(Reporter& reporter, const QString& base);
    ~TempFolder();

    /// GetTempDir: the private folder's path ending with "/"; reports failure 76 and returns
    /// the empty text when the folder could not be made.
    QString GetTempDir();

    /// GetTempFile: with an empty folder, a new uniquely named, created file "~rsXXXX.tmp"
    /// (prefix as given) in the private folder. Returns false with name unchanged when there is
    /// no temporary folder; false with an empty name when no file could be made.
    bool GetTempFile(const QString& folder, const QString& prefix, int unique, QString& name);

    /// Removes the folder with everything in it now, for a run that ends without unwinding.
    void remove();

  private:
    Reporter& m_reporter;
    std::unique_ptr<QTemporaryDir> m_dir;
    unsigned m_counter;
};

} // namespace marvolen
