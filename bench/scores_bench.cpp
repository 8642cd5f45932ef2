// Benchmarks of the champions list: scrambling one entry both ways, placing a result among
// equal ones and storing a full list.
#include "core/failure.h"
#include "scores/entry.h"
#include "scores/highscore_file.h"
#include "scores/scramble.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace marvolen;
using namespace marvolen::scores;

namespace {

// The longest real entry: ten digits and a name of 20 characters.
const QByteArray kEntry = "0000300075Annabelle von Marvolen";
const QLocale kLocale(QLocale::German, QLocale::Germany);

void BM_Conv(benchmark::State& state) {
    const QByteArray entry = kEntry.first(30);
    for (auto _ : state)
        benchmark::DoNotOptimize(Conv(entry));
}
BENCHMARK(BM_Conv);

void BM_ConvBack(benchmark::State& state) {
    const QByteArray stored = Conv(kEntry.first(30));
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvBack(stored));
}
BENCHMARK(BM_ConvBack);

/// Placing a result in a full list of equal results: every comparison collates two names.
void BM_AddToTiedList(benchmark::State& state) {
    ChampionsList full(kLocale);
    for (int i = 0; i < ChampionsList::kRanks; ++i)
        full.add(makeEntry("0000300075", QStringLiteral("Spieler %1").arg(i)));
    const QByteArray entry = makeEntry("0000300075", QStringLiteral("\u00c9mile"));
    for (auto _ : state) {
        ChampionsList list = full;
        benchmark::DoNotOptimize(list.add(entry));
    }
}
BENCHMARK(BM_AddToTiedList);

/// WriteHS of ten ranks into a file that already holds the lists of all twenty variants, in a
/// fresh folder inside base (the system's temporary folder when empty).
void writeTenRanks(benchmark::State& state, const QString& base) {
    QTemporaryDir dir(base.isEmpty() ? QString() : base + QStringLiteral("/scores-XXXXXX"));
    if (!dir.isValid()) {
        state.SkipWithError("no folder");
        return;
    }
    FixedReporter reporter;
    const QString path = dir.filePath(QStringLiteral("Marvolen.hsc"));
    for (int variant = 0; variant < 20; ++variant) {
        HighscoreFile file(reporter, path, kLocale);
        file.setVariant(variant);
        file.GetHS();
        for (int i = 0; i < 10; ++i)
            file.list().add(makeEntry("00003000" + QByteArray::number(10 + i),
                                      QStringLiteral("Player %1").arg(i)));
        file.WriteHS();
    }
    HighscoreFile file(reporter, path, kLocale);
    file.setVariant(7);
    file.GetHS();
    for (auto _ : state)
        if (!file.WriteHS())
            state.SkipWithError("WriteHS failed");
}

/// On disk: the time includes the flush to the disk that makes the replacement durable.
void BM_WriteHS(benchmark::State& state) {
    writeTenRanks(state, QString());
}
BENCHMARK(BM_WriteHS)->Unit(benchmark::kMillisecond);

/// In memory (tmpfs): the cost of the program's own work without the disk.
void BM_WriteHS_Memory(benchmark::State& state) {
    writeTenRanks(state, QStringLiteral("/dev/shm"));
}
BENCHMARK(BM_WriteHS_Memory)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
