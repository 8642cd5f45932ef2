// Where the game keeps the files it writes for the player: the champions list and the error log.
#pragma once

#include <QString>

namespace marvolen {

/// The choice behind programDataFolder(): programFolder when a file can be made there, else
/// fallbackFolder, created when missing.
QString chooseDataFolder(const QString& programFolder, const QString& fallbackFolder);

/// The program's folder when it is writable, else the user's data folder (created when
/// missing): an installed program's folder would silently lose every result and log otherwise.
QString programDataFolder();

} // namespace marvolen
