// The mixer, PlayWAV, the MIDI media service on a virtual clock, and the output with and
// without a sound device.
#include "app/audio/audio_engine.h"
#include "app/audio/audio_mixer.h"
#include "app/audio/media_service.h"
#include "app/audio/sound_effects.h"
#include "app/resources.h"

#include "audio_test_data.h"
#include "pulse_server.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <thread>
#include <vector>

using namespace marvolen;
using namespace marvolen::audio;
using namespace marvolen::audio::testdata;

namespace {

/// Resources kept in a table; a missing id fails as a missing resource does.
class TableResources : public ResourceAccess {
  public:
    std::map<int, QByteArray> wav;
    QByteArray load(const QString& type, int id) override {
        const auto it = wav.find(id);
        if (type.compare(QLatin1String("WAV"), Qt::CaseInsensitive) != 0 || it == wav.end())
            throw Failure(err::ResourceNotFound, QString::number(id));
        return it->second;
    }
    void SaveResItemToDisk(Reporter&, int, const QString&, const QString&) override {}
};

std::vector<std::int16_t> renderFrames(AudioMixer& mixer, int frames) {
    std::vector<std::int16_t> out(std::size_t(frames) * OutputChannels);
    mixer.render(out.data(), frames);
    return out;
}

int peak(const std::vector<std::int16_t>& samples) {
    int p = 0;
    for (std::int16_t s : samples)
        p = std::max(p, std::abs(int(s)));
    return p;
}

WaveSound constant(int rate, std::int16_t value, int count) {
    return WaveSound{rate, std::vector<std::int16_t>(std::size_t(count), value)};
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return {};
    return path;
}

QString reply(MediaCommands& media, const char* command) {
    return media.mciSendString(QString::fromLatin1(command)).text;
}

const QString NoSoundFont = QStringLiteral("/nonexistent/none.sf2");

} // namespace

// ---- mixer ----

TEST(Mixer, EffectIsResampledToTheOutputRate) {
    AudioMixer mixer;
    mixer.playEffect(constant(11025, 10000, 1103)); // a tenth of a second
    const auto out = renderFrames(mixer, OutputRate / 10);
    EXPECT_EQ(out[0], out[1]) << "both channels carry the mono effect";
    EXPECT_GT(out[2 * (OutputRate / 10 - OutputRate / 100)], 7000);
    EXPECT_TRUE(mixer.effectSounding());
    renderFrames(mixer, 100);
    EXPECT_FALSE(mixer.effectSounding());
    EXPECT_EQ(peak(renderFrames(mixer, 64)), 0);
}

TEST(Mixer, NewEffectCutsOffTheOneSounding) {
    AudioMixer mixer;
    mixer.playEffect(constant(8000, 20000, 8000)); // one second, loud
    renderFrames(mixer, 1000);
    mixer.playEffect(constant(8000, -4000, 80)); // a hundredth of a second, soft, negative
    const auto out = renderFrames(mixer, 2000);
    EXPECT_LT(out[0], 0) << "the new effect sounds at once";
    EXPECT_EQ(peak(std::vector<std::int16_t>(out.begin() + 2 * 500, out.end())), 0)
        << "nothing of the first effect is left once the second has ended";
}

TEST(Mixer, EffectOverMusicSaturatesInsteadOfWrapping) {
    struct LoudMusic : MusicSource {
        bool renderMusic(std::int16_t* out, int frames) override {
            std::fill(out, out + frames * OutputChannels, std::int16_t(30000));
            return true;
        }
        bool musicActive() const override { return true; }
    } music;
    AudioMixer mixer;
    mixer.setMusicSource(&music);
    mixer.playEffect(constant(44100, 30000, 100));
    const auto out = renderFrames(mixer, 50);
    EXPECT_EQ(out[10], 32767);
}

// ---- PlayWAV ----

// What nobody hears is not made: skipping moves the effect and the music on by the frames,
// and the music is asked to keep its time rather than to render.
TEST(Mixer, SkipMovesEffectAndMusicOnWithoutRendering) {
    struct Clocked : MusicSource {
        int rendered = 0;
        int skipped = 0;
        bool renderMusic(std::int16_t*, int frames) override {
            rendered += frames;
            return false;
        }
        bool musicActive() const override { return true; }
        void skipMusic(int frames) override { skipped += frames; }
    } music;
    AudioMixer mixer;
    mixer.setMusicSource(&music);
    mixer.playEffect(constant(OutputRate, 1000, 1000));
    mixer.skip(600);
    EXPECT_TRUE(mixer.effectSounding());
    EXPECT_EQ(renderFrames(mixer, 1)[0], 800) << "the effect goes on where the skip left it";
    mixer.skip(600);
    EXPECT_FALSE(mixer.effectSounding());
    EXPECT_EQ(music.skipped, 1200);
    EXPECT_EQ(music.rendered, 1);
}

TEST(PlayWav, PlaysTheResourceAndCutsOffThePrevious) {
    TableResources resources;
    resources.wav[101] = wave8(11025, 11025); // a second
    resources.wav[102] = wave8(8000, 80);
    FixedReporter reporter;
    AudioMixer mixer;
    int started = 0;
    SoundEffects effects(mixer, resources, reporter, [&] { ++started; });
    effects.PlayWAV(101);
    renderFrames(mixer, 441);
    effects.PlayWAV(102);
    EXPECT_EQ(effects.soundBuffer(), resources.wav[102]);
    renderFrames(mixer, 441 + 10);
    EXPECT_FALSE(mixer.effectSounding()) << "the short effect ended; the long one is gone";
    EXPECT_EQ(started, 2);
    EXPECT_EQ(reporter.count(), 0);
}

TEST(PlayWav, UnplayableDataIsSkippedSilently) {
    TableResources resources;
    resources.wav[101] = wave8(11025, 11025);
    resources.wav[106] = QByteArray("RIFF\x04\0\0\0WAVE", 12);
    FixedReporter reporter;
    AudioMixer mixer;
    SoundEffects effects(mixer, resources, reporter);
    effects.PlayWAV(101);
    effects.PlayWAV(106);
    EXPECT_FALSE(mixer.effectSounding()) << "the old buffer is replaced, so its sound stops";
    EXPECT_EQ(reporter.count(), 0);
}

TEST(PlayWav, MissingResourceIsReportedAtTheLoadStep) {
    TableResources resources;
    FixedReporter reporter(Answer::Cancel);
    AudioMixer mixer;
    SoundEffects effects(mixer, resources, reporter);
    effects.PlayWAV(108);
    ASSERT_EQ(reporter.count(), 1);
    EXPECT_EQ(reporter.last().number, err::ResourceNotFound);
    EXPECT_EQ(reporter.last().module, QStringLiteral("Allgemein"));
    EXPECT_EQ(reporter.last().procedure, QStringLiteral("PlayWAV"));
    EXPECT_EQ(reporter.last().line, 50030);
    EXPECT_FALSE(mixer.effectSounding());
}

// ---- media service on a virtual clock ----

class MediaService : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString tune(const char* name, const QByteArray& bytes) {
        return writeFile(dir, QString::fromLatin1(name), bytes);
    }
    static QString open(const QString& path) {
        return QStringLiteral("open sequencer!") + path + QStringLiteral(" alias midi");
    }
};

TEST_F(MediaService, TuneRunsToItsEndOnRenderedTime) {
    MidiMediaService media(NoSoundFont);
    EXPECT_EQ(media.mciSendString(open(tune("a.mid", tempoChangeTune()))).error, 0);
    EXPECT_EQ(reply(media, "status midi length"), QStringLiteral("1500"));
    EXPECT_EQ(reply(media, "status midi position"), QStringLiteral("0"));
    media.advance(500);
    EXPECT_EQ(reply(media, "status midi position"), QStringLiteral("0")) << "not played yet";
    EXPECT_EQ(media.mciSendString(QStringLiteral("play midi")).error, 0);
    media.advance(1000);
    EXPECT_EQ(reply(media, "status midi position"), QStringLiteral("1000"));
    media.advance(1000);
    EXPECT_EQ(reply(media, "status midi position"), QStringLiteral("1500"));
    EXPECT_EQ(media.mciSendString(QStringLiteral("close midi")).error, 0);
    EXPECT_EQ(reply(media, "status midi length"), QStringLiteral("0"));
}

TEST_F(MediaService, SecondOpenIsRefusedAndTheTunePlaysOn) {
    MidiMediaService media(NoSoundFont);
    media.mciSendString(open(tune("a.mid", tempoChangeTune())));
    media.mciSendString(QStringLiteral("play midi"));
    media.advance(400);
    EXPECT_NE(media.mciSendString(open(tune("b.mid", simpleTune(20)))).error, 0);
    media.mciSendString(QStringLiteral("play midi"));
    EXPECT_EQ(reply(media, "status midi length"), QStringLiteral("1500"));
    EXPECT_EQ(reply(media, "status midi position"), QStringLiteral("400"));
    media.advance(200);
    EXPECT_EQ(reply(media, "status midi position"), QStringLiteral("600"));
}

TEST_F(MediaService, EndedTuneStaysSilentWhenPlayedAgain) {
    MidiMediaService media(NoSoundFont);
    media.mciSendString(open(tune("a.mid", simpleTune(1))));
    media.mciSendString(QStringLiteral("play midi"));
    media.advance(3000);
    EXPECT_FALSE(media.musicActive());
    media.mciSendString(QStringLiteral("play midi"));
    EXPECT_FALSE(media.musicActive());
    EXPECT_EQ(reply(media, "status midi position"), reply(media, "status midi length"));
}

TEST_F(MediaService, DamagedOrMissingFileIsNotOpened) {
    MidiMediaService media(NoSoundFont);
    EXPECT_EQ(media.mciSendString(open(tune("bad.mid", simpleTune(4).left(30)))).error,
              mci::InvalidFile);
    EXPECT_EQ(media.mciSendString(open(dir.filePath(QStringLiteral("none.mid")))).error,
              mci::FileNotFound);
    EXPECT_EQ(reply(media, "status midi length"), QStringLiteral("0"));
    EXPECT_EQ(reply(media, "status midi position"), QStringLiteral("0"));
    EXPECT_NE(media.mciSendString(QStringLiteral("play midi")).error, 0);
    EXPECT_EQ(media.mciSendString(open(tune("good.mid", simpleTune(2)))).error, 0)
        << "a failed open leaves the alias free";
}

TEST_F(MediaService, UnknownCommandsAreRefused) {
    MidiMediaService media(NoSoundFont);
    media.mciSendString(open(tune("a.mid", simpleTune(2))));
    for (const char* command : {"", "play", "seek midi to start", "status midi mode",
                                "open cdaudio alias midi", "play midi from 0"})
        EXPECT_NE(media.mciSendString(QString::fromLatin1(command)).error, 0) << command;
    EXPECT_EQ(reply(media, "status midi length"), QStringLiteral("1000"));
}

TEST_F(MediaService, WithTheSoundFontTheTuneIsHeardAndStillEnds) {
    MidiMediaService media;
    if (!media.waitForSoundFont())
        GTEST_SKIP() << "no General MIDI soundfont installed";
    media.mciSendString(open(tune("a.mid", simpleTune(2))));
    media.mciSendString(QStringLiteral("play midi"));
    std::vector<std::int16_t> out(std::size_t(4410) * OutputChannels);
    int loudest = 0;
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(media.renderMusic(out.data(), 4410));
        loudest = std::max(loudest, peak(out));
    }
    EXPECT_GT(loudest, 1000);
    media.advance(4000);
    EXPECT_EQ(reply(media, "status midi position"), QStringLiteral("1000"));
    EXPECT_FALSE(media.musicActive()) << "rendering stops once the tail has faded";
}

TEST_F(MediaService, EveryGameTuneFitsThePolyphonySoNoNoteIsCutShort) {
    for (int id = 101; id <= 106; ++id) {
        SCOPED_TRACE(id);
        MidiMediaService media;
        if (!media.waitForSoundFont())
            GTEST_SKIP() << "no General MIDI soundfont installed";
        const QByteArray bytes = marvolen::app::loadResource(QStringLiteral("midi"), id);
        media.mciSendString(open(tune("tune.mid", bytes)));
        media.mciSendString(QStringLiteral("play midi"));
        std::vector<std::int16_t> out(std::size_t(OutputRate / 10) * OutputChannels);
        while (media.renderMusic(out.data(), OutputRate / 10)) {
        }
        EXPECT_GT(media.mostVoices(), 8) << "the tune was heard";
        EXPECT_LT(media.mostVoices(), Polyphony);
        media.mciSendString(QStringLiteral("close midi"));
    }
}

TEST_F(MediaService, WithoutSoundFontTimeStillPasses) {
    MidiMediaService media(NoSoundFont);
    media.mciSendString(open(tune("a.mid", simpleTune(2))));
    media.mciSendString(QStringLiteral("play midi"));
    EXPECT_FALSE(media.waitForSoundFont());
    std::vector<std::int16_t> out(std::size_t(OutputRate / 50) * OutputChannels);
    EXPECT_FALSE(media.renderMusic(out.data(), OutputRate / 50)) << "silent";
    EXPECT_EQ(reply(media, "status midi position"), QStringLiteral("20"));
}

// ---- the output ----

namespace {

/// Runs the event loop until done() holds, looking every 10 ms, or until the deadline. The
/// deadline is generous: the output runs in real time and a busy machine only makes it late.
template <typename Done> bool spin(Done done, int timeoutMs = 20000) {
    const QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    look.start(10);
    if (!done())
        loop.exec();
    return done();
}

} // namespace

class AudioOutputWithoutDevice : public ::testing::TestWithParam<const char*> {};

TEST_P(AudioOutputWithoutDevice, DrainsInRealTimeSoMusicStartsRunsAndEnds) {
    AppScope app;
    QTemporaryDir dir;
    TableResources resources;
    resources.wav[102] = wave8(8000, 800);
    FixedReporter reporter;
    AudioEngine engine(reporter, resources, AudioOutput::Device::None,
                       QString::fromLatin1(GetParam()));
    EXPECT_FALSE(engine.output().started()) << "nothing opens before the first sound";

    engine.effects().PlayWAV(102);
    engine.media().mciSendString(QStringLiteral("open sequencer!") +
                                 writeFile(dir, QStringLiteral("t.mid"), simpleTune(1)) +
                                 QStringLiteral(" alias midi"));
    engine.media().mciSendString(QStringLiteral("play midi"));
    EXPECT_FALSE(engine.output().usesDevice());
    EXPECT_TRUE(spin(
        [&] { return reply(engine.media(), "status midi position") == QStringLiteral("500"); }));
    EXPECT_FALSE(engine.mixer().effectSounding());
    EXPECT_GT(engine.output().framesPulled(), OutputRate / 4);
    EXPECT_EQ(reporter.count(), 0);

    // The closed tune's player is stopped and freed by the output's thread too.
    const int calls = engine.media().fluidCalls();
    engine.media().mciSendString(QStringLiteral("close midi"));
    if (engine.media().soundFontState() == MidiMediaService::SoundFontState::Ready) {
        EXPECT_TRUE(spin([&] { return engine.media().fluidCalls() > calls; }));
    }
    EXPECT_EQ(engine.media().callsOnOwnerThread(), 0) << "FluidSynth ran on the window's thread";
}

// With the soundfont, the drain keeps running while it loads in the background.
INSTANTIATE_TEST_SUITE_P(SoundFont, AudioOutputWithoutDevice,
                         ::testing::Values("/nonexistent/none.sf2", DefaultSoundFont),
                         [](const auto& info) { return info.index == 0 ? "Missing" : "Default"; });

// Plays through a PulseAudio null sink of the test's own.
TEST(AudioOutputWithDevice, PlaysEffectAndTuneThroughTheSink) {
    if (!test::PulseServer::available())
        GTEST_SKIP() << "pulseaudio is not installed";
    test::PulseServer server;
    ASSERT_TRUE(server.start());
    AppScope app;
    QTemporaryDir dir;
    TableResources resources;
    resources.wav[101] = wave8(11025, 5000);
    FixedReporter reporter;
    std::atomic<bool> noServer{false};
    AudioEngine engine(
        reporter, resources, AudioOutput::Device::System, DefaultSoundFont,
        [&](AudioOutput::ServerNews) { noServer = true; }, server.address());
    // Opened ahead of the first sound, the stream waits paused, and the sound wakes it.
    engine.output().open();
    ASSERT_TRUE(spin([&] { return engine.output().usesDevice() || noServer; }));
    ASSERT_TRUE(engine.output().usesDevice());
    EXPECT_TRUE(engine.output().suspended());
    engine.media().waitForSoundFont();
    engine.effects().PlayWAV(101);
    ASSERT_TRUE(engine.output().usesDevice());
    engine.media().mciSendString(QStringLiteral("open sequencer!") +
                                 writeFile(dir, QStringLiteral("t.mid"), simpleTune(2)) +
                                 QStringLiteral(" alias midi"));
    engine.media().mciSendString(QStringLiteral("play midi"));
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(spin(
        [&] { return reply(engine.media(), "status midi position") == QStringLiteral("1000"); }));
    EXPECT_GE(clock.elapsed(), 800) << "the device takes the mix at its own pace";
    EXPECT_TRUE(engine.output().usesDevice()) << "the sink did not fail over to the drain";

    // Once nothing sounds the device is suspended, so that it stops pulling silence; the next
    // effect wakes it at once.
    EXPECT_TRUE(spin([&] { return engine.output().suspended(); }));
    engine.effects().PlayWAV(101);
    EXPECT_TRUE(engine.mixer().effectSounding());
    EXPECT_TRUE(spin([&] { return !engine.output().suspended(); }));
    EXPECT_TRUE(spin([&] { return !engine.mixer().effectSounding(); }))
        << "the woken device takes the mix again";
    EXPECT_EQ(reporter.count(), 0);
    EXPECT_GT(engine.media().fluidCalls(), 0);
    EXPECT_EQ(engine.media().callsOnOwnerThread(), 0) << "FluidSynth ran on the window's thread";
    EXPECT_NE(engine.output().threadId(), std::this_thread::get_id());
}

// With no server to take the stream, one note says so and the mix is drained instead, for this
// effect and the next.
TEST(AudioOutputWithoutServer, SaysSoOnceAndDrains) {
    AppScope app;
    AudioMixer mixer;
    std::atomic<int> notes{0};
    AudioOutput output(
        mixer, AudioOutput::Device::System,
        [&](AudioOutput::ServerNews news) {
            EXPECT_EQ(news, AudioOutput::ServerNews::Missing);
            ++notes;
        },
        "unix:/nonexistent/marvolen-no-server");
    for (int round = 0; round < 2; ++round) {
        mixer.playEffect(constant(8000, 1000, 800));
        output.wake();
        EXPECT_TRUE(spin([&] { return !mixer.effectSounding(); }));
    }
    EXPECT_EQ(notes.load(), 1);
    EXPECT_FALSE(output.usesDevice());
    EXPECT_GE(output.framesPulled(), OutputRate / 5);
}

// Effects start on the window's thread while the output's thread mixes them over the music.
TEST(Mixer, EffectsStartedWhileAnotherThreadRendersAreMixedOverTheMusic) {
    AppScope app;
    struct Quiet : MusicSource {
        bool renderMusic(std::int16_t* out, int frames) override {
            std::fill(out, out + frames * OutputChannels, std::int16_t(100));
            return true;
        }
        bool musicActive() const override { return true; }
    } music;
    AudioMixer mixer;
    mixer.setMusicSource(&music);
    std::atomic<bool> stop{false};
    std::atomic<int> mixedFrames{0};
    std::thread renderer([&] {
        std::vector<std::int16_t> out(std::size_t(64) * OutputChannels);
        while (!stop) {
            mixer.render(out.data(), 64);
            for (int i = 0; i < 64; ++i) {
                EXPECT_TRUE(out[2 * i] == 100 || out[2 * i] == 100 + 800) << out[2 * i];
                if (out[2 * i] == 900)
                    ++mixedFrames;
            }
        }
    });
    for (int i = 0; i < 200; ++i)
        mixer.playEffect(constant(OutputRate, 1000, 50));
    EXPECT_TRUE(spin([&] { return mixedFrames.load() > 0 && !mixer.effectSounding(); }));
    stop = true;
    renderer.join();
}
