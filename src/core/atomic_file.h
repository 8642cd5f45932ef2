// Replacing a whole file at once, for the files a player would miss if a write broke off.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace marvolen {

/// Replaces the file at path with bytes: they go to a temporary file in the same folder, which
/// is then renamed over the old file, so a failed write leaves the old file as it was and no
/// temporary file behind. Throws Failure 76 (folder missing), 70 (not permitted), 61 (disk
/// full), 57 (write failed) or 75 when it cannot.
void replaceFileAtomically(const QString& path, QByteArrayView bytes);

} // namespace marvolen
