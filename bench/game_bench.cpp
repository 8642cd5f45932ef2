// Benchmarks of the end test, one legal drop and the language lookup.
#include "core/failure.h"
#include "game/board_model.h"
#include "game/fake_view.h"
#include "lang/language.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

} // namespace

BENCHMARK(BM_CheckEndFresh);
BENCHMARK(BM_CheckEndMidGame);
BENCHMARK(BM_CheckEndEnded);
BENCHMARK(BM_LegalDrop);
BENCHMARK(BM_GetLang);
BENCHMARK_MAIN();
