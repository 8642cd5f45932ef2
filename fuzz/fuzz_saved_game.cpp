// Fuzzes the unfinished game's reader: a text it accepts is a game that replays by the jump rule
// and is written back byte for byte; any game played writes a text that reads back the same.
#include "fuzz_check.h"
#include "game/board_text.h"
#include "game/saved_game.h"
#include "game/variants.h"

#include <cstddef>
#include <cstdint>

using fuzz::check;
using namespace marvolen::game;

namespace {

/// The jump rule, asked of the position and nothing else: a marble there, the rule allows it.
Position replayed(Position board, const JumpMove& move) {
    check(board.marble(move.from) && board.canJump(move.from, move.to));
    return board.apply(Jump{move.from, (move.from + move.to) / 2, move.to});
}

void checkRead(const QByteArray& bytes) {
    const SavedGameRead read = decodeSavedGame(bytes);
    check(read.game.has_value() == read.reason.isEmpty());
    if (!read.game)
        return;
    const SavedGame& game = *read.game;
    check(game.variant >= 0 && game.variant < kVariants);
    check(game.seconds >= 0 && game.seconds <= 99999);
    const Position::Mask holes = freshBoard(game.variant).holes();
    Position board = game.startBoard();
    check(board.holes() == holes && game.position.holes() == holes && board.marbleCount() > 0);
    for (const JumpMove& move : game.made)
        board = replayed(board, move);
    check(board == game.position);
    for (auto move = game.undone.rbegin(); move != game.undone.rend(); ++move)
        board = replayed(board, *move);
    check(encodeSavedGame(game) == bytes);
}

/// A game played by the bytes: the variant, a pasted start or not, then jumps chosen among the
/// legal ones, some of them taken back.
void checkPlayed(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return;
    SavedGame game;
    game.variant = data[0] % kVariants;
    game.practice = (data[1] & 1) != 0;
    game.seconds = (data[2] | data[3] << 8) * 2 % 100000;
    game.position = startedBoard(game.variant);
    if ((data[1] & 2) != 0) {
        // A pasted board: the marbles the bytes leave, one at least.
        Position pasted = freshBoard(game.variant);
        for (int p = 0; p < kPositions; ++p)
            if (std::size_t(4 + p / 8) < size && (data[4 + p / 8] >> p % 8 & 1) != 0 &&
                pasted.marbleCount() > 1)
                pasted.setMarble(p, false);
        game.start = pasted;
        game.position = pasted;
    }
    for (std::size_t i = 11; i < size; ++i) {
        if (data[i] >= 0xF0 && !game.made.empty()) {
            const JumpMove back = game.made.back();
            game.made.pop_back();
            game.undone.push_back(back);
            game.position.setMarble(back.to, false);
            game.position.setMarble((back.from + back.to) / 2, true);
            game.position.setMarble(back.from, true);
            continue;
        }
        const auto jumps = game.position.jumps();
        if (jumps.empty())
            break;
        const Jump jump = jumps[data[i] % jumps.size()];
        game.made.push_back({jump.from, jump.to});
        game.undone.clear();
        game.position = game.position.apply(jump);
    }
    check(problemOf(game).isEmpty());
    const SavedGameRead read = decodeSavedGame(encodeSavedGame(game));
    check(read.game && *read.game == game);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkRead(fuzz::rawBytes(data, size));
    checkPlayed(data, size);
    return 0;
}
