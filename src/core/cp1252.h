// Windows-1252 text both ways: the single-byte character set of the game's files.
#pragma once

#include <QByteArray>
#include <QString>

namespace marvolen::cp1252 {

/// Decodes single-byte text; the five unassigned codes map to the C1 controls of the same code.
QString decode(QByteArrayView bytes);

/// Encodes text; a character outside Windows-1252 becomes '?'.
QByteArray encode(QStringView text);

/// True when every character of the text has a Windows-1252 code.
bool representable(QStringView text);

} // namespace marvolen::cp1252
