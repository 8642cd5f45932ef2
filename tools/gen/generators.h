// The parts of the resource generator; each writes its files and lists them for the resource
// file as (alias, file name) pairs. Aliases are "TYPE/id", "PIC/name" or "STYLE/theme".
#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>

#include <utility>
#include <vector>

namespace gen {

using Entries = std::vector<std::pair<QString, QString>>;

/// Writes bytes to path, or ends the generator with a message: a resource left out would only
/// show in the game.
void writeFile(const QString& path, const QByteArray& bytes);

/// Marble icons, board bitmaps, hole pictures, the two strips and the window pictures.
void writePictures(const QDir& out, Entries& entries);
/// Sound effects "WAV" 101 to 107, 109, 113 to 115.
void writeSounds(const QDir& out, Entries& entries);
/// Tunes "MIDI" 101 to 106.
void writeTunes(const QDir& out, Entries& entries);
/// The language table "CUSTOM" 1000.
void writeLanguageTable(const QDir& out, Entries& entries);
/// The help documents "HELP" 0, 1, 2, 3 and 6 (by language digit).
void writeHelpDocs(const QDir& out, Entries& entries);
/// The game's stylesheet "STYLE/theme".
void writeTheme(const QDir& out, Entries& entries);

/// The contact sheet: every picture at its size and at 4x, as PNG files in out.
void writePictureSheet(const QDir& out);
/// Every effect and tune rendered to WAV files in out, to listen to.
void renderAudio(const QDir& out);

} // namespace gen
