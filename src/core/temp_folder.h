// The private temporary folder of this run and the unique files made in it.
#pragma once

#include "failure.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace marvolen {

/// A folder only this run can enter (mode 0700), made inside the first of several base folders
/// that takes it and removed with everything in it when the run ends. Sharing a base folder
/// itself would let another user plant a link under our fixed names. The bases come from
/// outside (the program asks Qt for them, tests give their own); the game reads no environment
/// variable for them.
class TempFolder {
  public:
    /// Makes the private folder inside the first of bases that takes it. Empty and relative
    /// bases are passed over: they would put the folder into the working folder.
    TempFolder(Reporter& reporter, QStringList bases);
    /// Makes the private folder inside base.
    TempFolder(Reporter& reporter, const QString& base);
    ~TempFolder();

    /// GetTempDir: the private folder's path ending with "/". When there is none yet, every
    /// base is tried again (so Retry can succeed); when none takes it, reports failure 76 and
    /// returns the empty text.
    QString GetTempDir();

    /// GetTempFile: with an empty folder, a new uniquely named, created file "~rsXXXX.tmp"
    /// (prefix as given) in the private folder. Returns false with name unchanged when there is
    /// no temporary folder; false with an empty name when no file could be made.
    bool GetTempFile(const QString& folder, const QString& prefix, int unique, QString& name);

    /// Removes the folder with everything in it now, for a run that ends without unwinding.
    void remove();

  private:
    /// True when the private folder exists, making it first in the first base that takes it.
    bool ensureFolder();

    Reporter& m_reporter;
    QStringList m_bases;
    std::unique_ptr<QTemporaryDir> m_dir;
    unsigned m_counter;
};

} // namespace marvolen
