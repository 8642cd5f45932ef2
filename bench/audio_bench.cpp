// Costs of the audio: music rendering against real time, loading the soundfont, start-up.
#include "app/audio/audio_engine.h"
#include "app/audio/media_service.h"
#include "app/resources.h"

#include "app/audio_test_data.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

using namespace marvolen;
using namespace marvolen::audio;
using namespace marvolen::audio::testdata;

namespace {

/// A busy stand-in tune when the game's own are not built in: melody in eighths, three-note
/// chords, bass and drums, a minute long.
QByteArray busyTune() {
    QByteArray melody = vlq(0) + bytes({0xC0, 0});
    QByteArray chords = vlq(0) + bytes({0xC1, 48});
    QByteArray bass = vlq(0) + bytes({0xC2, 32});
    QByteArray drums;
    const int scale[] = {60, 62, 64, 65, 67, 69, 71, 72};
    for (int bar = 0; bar < 30; ++bar) {
        for (int e = 0; e < 8; ++e) {
            const int n = scale[(bar + e * 3) % 8];
            melody += vlq(0) + bytes({0x90, n, 90}) + vlq(240) + bytes({0x80, n, 0});
            drums += vlq(0) + bytes({0x99, e % 2 ? 42 : 36, 80}) + vlq(240) +
                     bytes({0x89, e % 2 ? 42 : 36, 0});
        }
        const int root = 48 + bar % 5;
        chords += vlq(0) + bytes({0x91, root, 60, root + 4, 60, root + 7, 60});
        chords += vlq(1920) + bytes({0x81, root, 0, root + 4, 0, root + 7, 0});
        bass += vlq(0) + bytes({0x92, root - 12, 90}) + vlq(960) + bytes({0x82, root - 12, 0});
        bass += vlq(0) + bytes({0x92, root - 5, 90}) + vlq(960) + bytes({0x82, root - 5, 0});
    }
    const auto finish = [](QByteArray t) { return track(t + endOfTrack(0)); };
    return smf(1, 5, 480,
               track(tempoEvent(0, 500000) + endOfTrack(0)) + finish(melody) + finish(chords) +
                   finish(bass) + finish(drums));
}

QString benchTunePath(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("bench.mid"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(app::hasResource(QStringLiteral("MIDI"), 101)
                    ? app::loadResource(QStringLiteral("MIDI"), 101)
                    : busyTune());
    }
    return path;
}

class NoResources : public ResourceAccess {
  public:
    QByteArray load(const QString&, int id) override {
        throw Failure(err::ResourceNotFound, QString::number(id));
    }
    void SaveResItemToDisk(Reporter&, int, const QString&, const QString&) override {}
};

/// CPU seconds of this thread: the rendering runs here, and other work on a shared machine
/// does not count against it.
double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

} // namespace

// Ten seconds of music through the mixer, as the output pulls it (1024 frames at a time).
// pct_of_real_time is the share of one core the music takes while it plays (thread CPU time).
static void BM_RenderTenSecondsOfMusic(benchmark::State& state) {
    QTemporaryDir dir;
    const QString command =
        QStringLiteral("open sequencer!") + benchTunePath(dir) + QStringLiteral(" alias midi");
    MidiMediaService media;
    if (!media.waitForSoundFont()) {
        state.SkipWithError("no soundfont");
        return;
    }
    AudioMixer mixer;
    mixer.setMusicSource(&media);
    std::vector<std::int16_t> out(std::size_t(1024) * OutputChannels);
    double seconds = 0;
    for (auto _ : state) {
        media.mciSendString(command);
        media.mciSendString(QStringLiteral("play midi"));
        const double start = threadCpuSeconds();
        for (int frames = 0; frames < 10 * OutputRate; frames += 1024)
            mixer.render(out.data(), 1024);
        seconds += threadCpuSeconds() - start;
        benchmark::DoNotOptimize(out.data());
        media.mciSendString(QStringLiteral("close midi"));
    }
    state.counters["pct_of_real_time"] = 100.0 * seconds / (10.0 * double(state.iterations()));
}
BENCHMARK(BM_RenderTenSecondsOfMusic)->Unit(benchmark::kMillisecond)->Iterations(5);

// Loading the General MIDI soundfont, as happens in the background with the first tune.
static void BM_LoadSoundFont(benchmark::State& state) {
    for (auto _ : state) {
        MidiMediaService media;
        if (!media.waitForSoundFont()) {
            state.SkipWithError("no soundfont");
            return;
        }
    }
}
BENCHMARK(BM_LoadSoundFont)->Unit(benchmark::kMillisecond)->Iterations(5);

// What the audio costs at start-up: making the engine opens no device and loads nothing.
static void BM_AudioAtStartUp(benchmark::State& state) {
    NoResources resources;
    FixedReporter reporter;
    for (auto _ : state) {
        AudioEngine engine(reporter, resources);
        if (engine.media().soundFontState() != MidiMediaService::SoundFontState::NotLoaded ||
            engine.output().started()) {
            state.SkipWithError("construction loaded the soundfont or opened the device");
            return;
        }
        benchmark::DoNotOptimize(&engine);
    }
}
BENCHMARK(BM_AudioAtStartUp)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
