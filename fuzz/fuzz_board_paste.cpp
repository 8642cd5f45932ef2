// Fuzzes the paste reader: a board it accepts is a board of the variant it names, with a
// marble, and copied it pastes back the same; any board of any variant copied pastes back.
#include "fuzz_check.h"
#include "game/board_text.h"

#include <cstddef>
#include <cstdint>

using fuzz::check;
using namespace marvolen::game;

namespace {

void checkPasted(const QString& text, int current) {
    const PasteResult pasted = readBoardText(text, current);
    check(pasted.board.has_value() == pasted.reason.isEmpty());
    if (!pasted.board)
        return;
    const PastedBoard& board = *pasted.board;
    check(board.variant >= 0 && board.variant < kVariants);
    check(board.position.holes() == freshBoard(board.variant).holes());
    check(board.position.marbleCount() > 0);
    const PasteResult again = readBoardText(boardText(board.variant, board.position), current);
    check(again.board && *again.board == board);
}

/// A board of the variant the first byte names, its marbles as the other bytes' bits say.
void checkCopied(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return;
    const int v = data[0] % kVariants;
    Position board = freshBoard(v);
    for (int p = 0; p < kPositions; ++p)
        if (std::size_t(1 + p / 8) < size)
            board.setMarble(p, (data[1 + p / 8] >> p % 8 & 1) != 0);
    const PasteResult pasted = readBoardText(boardText(v, board), data[1] % kVariants);
    if (board.marbleCount() == 0)
        check(!pasted.board);
    else
        check(pasted.board && *pasted.board == (PastedBoard{v, board}));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int current = size > 0 ? data[0] % kVariants : 4;
    checkPasted(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)), current);
    checkCopied(data, size);
    return 0;
}
