// Benchmarks of the end test, one legal drop, the language lookup, and how soon the best game
// begins to play.
#include "app/session_fakes.h"
#include "core/failure.h"
#include "game/board_model.h"
#include "game/fake_view.h"
#include "lang/language.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>

using namespace marvolen;
using namespace marvolen::game;

namespace {

struct Board {
    test::FakeView view;
    FixedReporter reporter;
    Random random{7};
    BoardModel model{view, view, reporter, random};
    explicit Board(const char* text) {
        model.Coordinates();
        model.setVariantNumber(7);
        model.Layout(7968);
        model.NewGame();
        if (text)
            model.setText(QString::fromLatin1(text));
        view.soundOn = false;
    }
};

const char* kFresh = "  ooo  \n  ooo  \nooooooo\nooo.ooo\nooooooo\n  ooo  \n  ooo  ";
const char* kMiddle = "  o.o  \n  .oo  \no.oo.o.\n.o.o.oo\noo..o.o\n  .o.  \n  oo.  ";
const char* kEnded = "  o.o  \n  ...  \no.o.o.o\n.......\no.o.o.o\n  ...  \n  o.o  ";

void CheckEndOn(benchmark::State& state, const char* text) {
    Board b(text);
    for (auto _ : state) {
        b.model.CheckEnd();
        benchmark::DoNotOptimize(b.model.GameOver());
    }
}

void BM_CheckEndFresh(benchmark::State& s) {
    CheckEndOn(s, kFresh);
}
void BM_CheckEndMidGame(benchmark::State& s) {
    CheckEndOn(s, kMiddle);
}
void BM_CheckEndEnded(benchmark::State& s) {
    // An ended board would open the champions window: measure the scan on a board whose only
    // jumps are blocked, which is the same full scan.
    CheckEndOn(s, kEnded);
}

void BM_LegalDrop(benchmark::State& state) {
    Board b(kFresh);
    for (auto _ : state) {
        state.PauseTiming();
        b.model.setText(QString::fromLatin1(kFresh));
        b.model.lift(10);
        state.ResumeTiming();
        b.model.dropOnHole(24, 10);
    }
}

void BM_GetLang(benchmark::State& state) {
    QTemporaryDir dir;
    QByteArray table = "[lang]\r\n";
    for (int n = 100; n < 180; ++n)
        for (int d : {0, 1, 2, 3, 6})
            table +=
                QByteArray::number(d) + QByteArray::number(n) + " = Some text of a caption\t\r\n";
    table.truncate(9 * 1024);
    const QString path = dir.filePath("~tmp.lng");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(table);
    f.close();
    FixedReporter reporter;
    lang::Language language(reporter);
    language.setLanguageFilePath(path);
    for (auto _ : state)
        benchmark::DoNotOptimize(language.GetLang(6159));
}

/// The best game from the variant's start, whose line the game knows: the time from the
/// menu's click until the line plays.
void BM_BestGameKnown(benchmark::State& state) {
    test::SessionFixture f;
    app::GameSession& s = f.open();
    s.mnuBestGame_Click(); // the solver's threads are made at the first question
    s.stopPlayback();
    for (auto _ : state) {
        s.mnuBestGame_Click();
        if (!s.bestGame().playback().active())
            state.SkipWithError("the line did not play at once");
        state.PauseTiming();
        s.stopPlayback();
        state.ResumeTiming();
    }
}

/// The best game from a position of the classic cross after random jumps, which the solver
/// has not seen: the time from the menu's click until the line plays, on the solver's threads
/// as in the game. `slowest_ms` is the longest of all.
void BM_BestGameFound(benchmark::State& state) {
    std::mt19937 random(unsigned(state.range(0)));
    double slowest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        test::SessionFixture f;
        app::GameSession& s = f.open();
        f.click(app::CommandButton::Start);
        for (int k = 0; k < state.range(0); ++k) {
            const std::vector<game::Jump> jumps = s.model().position().jumps();
            const game::Jump& jump = jumps[random() % jumps.size()];
            s.dropOnHole(jump.to, jump.from);
        }
        f.windows.confirmations = {true};
        state.ResumeTiming();
        const auto begun = std::chrono::steady_clock::now();
        s.mnuBestGame_Click();
        while (!s.bestGame().playback().active())
            if (!f.windows.runPosted(std::chrono::seconds(10))) {
                state.SkipWithError("no line came");
                break;
            }
        slowest = std::max(slowest, std::chrono::duration<double, std::milli>(
                                        std::chrono::steady_clock::now() - begun)
                                        .count());
        state.PauseTiming();
        s.stopPlayback();
        state.ResumeTiming();
    }
    state.counters["slowest_ms"] = slowest;
}

} // namespace

BENCHMARK(BM_BestGameKnown)->Unit(benchmark::kMillisecond);
// After 2, 4 and 8 random jumps of the classic cross: 29, 27 and 23 marbles.
BENCHMARK(BM_BestGameFound)
    ->Arg(2)
    ->Arg(4)
    ->Arg(8)
    ->Iterations(8)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckEndFresh);
BENCHMARK(BM_CheckEndMidGame);
BENCHMARK(BM_CheckEndEnded);
BENCHMARK(BM_LegalDrop);
BENCHMARK(BM_GetLang);
BENCHMARK_MAIN();
