// Fuzzes the board's text form: any text reads as a position whose marbles lie in its holes, and
// the text written back from it reads as the same position. Its jumps obey the jump rule.
#include "fuzz_check.h"
#include "game/position.h"

#include <bit>
#include <cstddef>
#include <cstdint>

using fuzz::check;
using marvolen::game::Position;

namespace {

/// The bytes as UTF-16, so that unpaired surrogates and characters outside Latin-1 reach the
/// reader too.
QString utf16Of(const std::uint8_t* data, std::size_t size) {
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(data[2 * i] | data[2 * i + 1] << 8));
    return text;
}

void checkText(const QString& input) {
    const Position position = Position::fromText(input);
    constexpr Position::Mask board = (Position::Mask{1} << marvolen::game::kPositions) - 1;
    check((position.holes() & ~board) == 0);
    check((position.marbles() & ~position.holes()) == 0);
    check(position.marbleCount() == std::popcount(position.marbles()));

    // Written back: seven rows of seven, and read again the same position and the same text.
    const QString text = position.text();
    check(text.size() == 7 * 7 + 6);
    const Position reread = Position::fromText(text);
    check(reread == position);
    check(reread.text() == text);

    // Every listed jump is legal and takes exactly its jumped-over marble off the board.
    const auto jumps = position.jumps();
    const auto first = position.firstJump();
    check(jumps.empty() ? !first : first && *first == jumps.front());
    for (const auto& jump : jumps) {
        check(position.canJump(jump.from, jump.to));
        const Position after = position.apply(jump);
        check(after.holes() == position.holes());
        check(after.marbleCount() == position.marbleCount() - 1);
        check(!after.marble(jump.over) && !after.marble(jump.from) && after.marble(jump.to));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // As typed (UTF-8) and as UTF-16.
    checkText(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    checkText(utf16Of(data, size));
    return 0;
}
