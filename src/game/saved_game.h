// The game left unfinished: a value, its text file, and the reader that trusts no file it cannot
// replay.
#pragma once

#include "core/failure.h"
#include "kept_file.h"
#include "position.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace marvolen::game {

/// Variant `number`'s board as Start leaves it, where the jumps of a new game begin: a marble in
/// every hole but the centre.
Position startedBoard(int number);

/// A game in progress, enough to set it up again.
struct SavedGame {
    int variant = 4; ///< 0 to 19
    /// The board the jumps were made from: a pasted board; none for startedBoard(variant).
    std::optional<Position> start;
    Position position;            ///< the board now
    std::vector<JumpMove> made;   ///< since the start, oldest first
    std::vector<JumpMove> undone; ///< taken back, the last taken back last, as redo takes them
    int seconds = 0;              ///< the clock, 0 to 99999
    bool practice = false;

    Position startBoard() const;
    friend bool operator==(const SavedGame&, const SavedGame&) = default;
};

/// Why `game` could not be a game: empty when it can. The start has the variant's holes and a
/// marble; the jumps made lead from it to the position by the jump rule, and those taken back
/// can be made again from there; the clock is within 0 to 99999.
QString problemOf(const SavedGame& game);

/// The file's text: a version line, then one "key value" line each, then "end".
QByteArray encodeSavedGame(const SavedGame& game);

/// A game read back, or why the text is none.
struct SavedGameRead {
    std::optional<SavedGame> game;
    QString reason; ///< short, in English; empty with a game
};

/// Reads what encodeSavedGame writes, and nothing else: a text cut short, damaged, from another
/// version, or for a board problemOf refuses gives a reason and no game.
SavedGameRead decodeSavedGame(const QByteArray& bytes);

/// The file "unfinished-game.txt" in the data folder.
class SavedGameFile {
  public:
    explicit SavedGameFile(const QString& folder, NoteSink sink = noteOnStandardError);

    QString path() const { return m_file.path(); }

    /// Replaces the file with `game` atomically. Failure 5 for a game problemOf refuses (it
    /// would not read back), else the failure of the write; nothing when done.
    std::optional<Failure> save(const SavedGame& game) const;
    /// Deletes the file; a missing file is done already.
    std::optional<Failure> remove() const;

    struct Loaded {
        std::optional<SavedGame> game;
        /// A damaged file that could not be set aside: it stays, and is met again next time.
        std::optional<Failure> failure;
    };
    /// The game in the file. A missing file is no game and no note; a damaged one is renamed
    /// to "unfinished-game.txt.bad", over an older one, with one line to the sink.
    Loaded load() const;

  private:
    KeptFile m_file;
};

} // namespace marvolen::game
