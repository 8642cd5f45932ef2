// The board as plain text for the clipboard: what a copy gives, and what a paste sets up.
#pragma once

#include "position.h"

#include <QString>

#include <optional>

namespace marvolen::game {

/// Variant `number`'s board (0 to 19) as a new game lays it out: a marble in every hole.
Position freshBoard(int number);

/// The copy text: "Marvolen variant 5: 32 marbles" with the variant as the player counts it
/// (1 to 20), then the seven rows of Position::text(), each ended by a line break. The first
/// line is the same in every language, so that any copy of the game can read it.
QString boardText(int variant, const Position& position);

/// A pasted board and the variant it goes on.
struct PastedBoard {
    int variant = 0;
    Position position;
    friend bool operator==(const PastedBoard&, const PastedBoard&) = default;
};

/// What a paste gives: the board, or why the text is none.
struct PasteResult {
    std::optional<PastedBoard> board;
    QString reason; ///< short, in English, for logs and tests; empty with a board
};

/// Reads a copy text, or its seven rows alone. It tolerates what mail and chat programs do to
/// text: CR LF line breaks, spaces trimmed at the ends of rows, blank lines before and after,
/// rows of no hole dropped at the top or the bottom. The holes decide the variant: the current
/// one when they are its holes, else the first whose holes they are; the first line's variant
/// and count are not trusted, so that rows edited by hand still paste. A text whose holes are
/// those of no variant, or that holds no marble, gives no board.
PasteResult readBoardText(const QString& text, int currentVariant);

} // namespace marvolen::game
