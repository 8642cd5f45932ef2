// Fuzzes the statistics reader: counts it accepts could come from counting and are written back
// byte for byte; whatever the game counts writes a text that reads back the same.
#include "fuzz_check.h"
#include "game/statistics.h"

#include <cstddef>
#include <cstdint>

using fuzz::check;
using namespace marvolen::game;

namespace {

void checkRead(const QByteArray& bytes) {
    const StatisticsRead read = decodeStatistics(bytes);
    check(read.table.has_value() == read.reason.isEmpty());
    if (!read.table)
        return;
    const StatisticsTable& table = *read.table;
    check(table.problem().isEmpty());
    check(encodeStatistics(table) == bytes);
    for (const bool practice : {false, true}) {
        std::int64_t finished = 0, oneMarble = 0;
        for (int v = 0; v < kVariants; ++v) {
            const Tally& tally = table.of(v, practice);
            finished += tally.finished;
            oneMarble += tally.oneMarble;
            check(tally.oneMarble <= tally.finished);
            if (const auto average = tally.averageMarblesLeft())
                check(*average >= 1 && *average <= variant(v).startCount);
        }
        const Tally total = table.total(practice);
        check(total.finished == finished && total.oneMarble == oneMarble);
    }
}

/// Counting as the bytes say, four bytes a step: what, the variant and kind, two of numbers.
void checkCounted(const std::uint8_t* data, std::size_t size) {
    StatisticsTable table;
    for (std::size_t i = 0; i + 4 <= size; i += 4) {
        const int v = data[i + 1] % kVariants;
        const bool practice = (data[i + 1] & 0x80) != 0;
        const StatisticsTable before = table;
        try {
            switch (data[i] % 3) {
            case 0:
                table.gameStarted(v, practice);
                break;
            case 1:
                table.gameFinished(v, practice, data[i + 2] % 50, data[i + 3] * 500);
                break;
            default:
                table.addTimePlayed(v, practice, std::int64_t(data[i + 2]) << data[i + 3] % 40);
            }
        } catch (const marvolen::Failure&) {
            // Refused arguments count nothing.
            check(table == before);
        }
        const Tally& tally = table.of(v, practice);
        check(tally.best.has_value() == (tally.finished > 0));
    }
    check(table.problem().isEmpty());
    const StatisticsRead read = decodeStatistics(encodeStatistics(table));
    check(read.table && *read.table == table);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkRead(fuzz::rawBytes(data, size));
    checkCounted(data, size);
    return 0;
}
