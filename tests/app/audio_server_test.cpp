// The output against a real PulseAudio server that the test starts, kills at each moment a
// desktop may stop it, and starts again: the game never crashes and its sound comes back.
#include "app/audio/audio_engine.h"
#include "app/audio/audio_output.h"

#include "audio_test_data.h"
#include "pulse_server.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace marvolen;
using namespace marvolen::audio;
using namespace marvolen::audio::testdata;
using marvolen::test::PulseServer;
using marvolen::test::waitFor;
using namespace std::chrono_literals;
using News = AudioOutput::ServerNews;

namespace {

/// What the output said of its server, in order.
class NewsLog {
  public:
    std::function<void(News)> sink() {
        return [this](News n) {
            std::lock_guard lock(m_lock);
            m_news.push_back(n);
        };
    }
    std::vector<News> all() const {
        std::lock_guard lock(m_lock);
        return m_news;
    }
    bool has(News n) const {
        const auto seen = all();
        return std::find(seen.begin(), seen.end(), n) != seen.end();
    }

  private:
    mutable std::mutex m_lock;
    std::vector<News> m_news;
};

constexpr auto QuickRetry = 200ms;

WaveSound tone(int milliseconds) {
    std::vector<std::int16_t> s(std::size_t(11025) * std::size_t(milliseconds) / 1000);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = std::int16_t(i % 50 < 25 ? 3000 : -3000);
    return WaveSound{11025, std::move(s)};
}

/// Whether, the server being back, the sounds played from now on are taken by it within 5 s: one
/// every few milliseconds, as a player's clicks come.
bool heardAgainWithin5s(AudioMixer& mixer, AudioOutput& output) {
    return waitFor(
        [&] {
            mixer.playEffect(tone(100));
            output.wake();
            return output.usesDevice();
        },
        5s);
}

/// The moments a server may go: after the stream opened and before anything sounded, while an
/// effect sounds, and while the stream rests paused after a sound; each by SIGKILL and SIGTERM.
enum class Moment { BeforeFirstSound, DuringEffect, WhilePaused };

struct Loss {
    Moment moment;
    int signal;
};

class ServerLossAt : public ::testing::TestWithParam<Loss> {};

TEST_P(ServerLossAt, NeverCrashesSaysSoOnceAndTheNextSoundIsHeardWhenTheServerIsBack) {
    PulseServer server;
    if (!PulseServer::available())
        GTEST_SKIP() << "pulseaudio is not installed";
    ASSERT_TRUE(server.start());
    AudioMixer mixer;
    NewsLog news;
    AudioOutput output(mixer, AudioOutput::Device::System, news.sink(), server.address(),
                       QuickRetry);
    output.open();
    ASSERT_TRUE(waitFor([&] { return output.usesDevice(); }));

    switch (GetParam().moment) {
    case Moment::BeforeFirstSound:
        break;
    case Moment::DuringEffect:
        mixer.playEffect(tone(3000));
        output.wake();
        ASSERT_TRUE(waitFor([&] { return !output.suspended() && output.framesPulled() > 0; }));
        break;
    case Moment::WhilePaused:
        mixer.playEffect(tone(50));
        output.wake();
        ASSERT_TRUE(waitFor([&] { return output.framesPulled() > 0 && output.suspended(); }));
        break;
    }
    server.stop(GetParam().signal);
    ASSERT_TRUE(waitFor([&] { return !output.usesDevice(); }));
    EXPECT_EQ(news.all(), std::vector<News>{News::Lost});

    // Without a server the sound moves on unheard, and the game goes on.
    mixer.playEffect(tone(300));
    output.wake();
    EXPECT_TRUE(waitFor([&] { return !mixer.effectSounding(); }));
    EXPECT_FALSE(output.usesDevice());

    ASSERT_TRUE(server.start());
    EXPECT_TRUE(heardAgainWithin5s(mixer, output));
    const std::vector<News> said{News::Lost, News::Back};
    EXPECT_EQ(news.all(), said) << "each change is said once, failed retries say nothing";
    const std::int64_t pulled = output.framesPulled();
    EXPECT_TRUE(waitFor([&] { return output.framesPulled() > pulled; })) << "the server pulls";
}

std::string lossName(const ::testing::TestParamInfo<Loss>& info) {
    static const char* const moment[] = {"BeforeFirstSound", "DuringEffect", "WhilePaused"};
    return std::string(moment[int(info.param.moment)]) +
           (info.param.signal == SIGKILL ? "Killed" : "Stopped");
}

INSTANTIATE_TEST_SUITE_P(Moments, ServerLossAt,
                         ::testing::Values(Loss{Moment::BeforeFirstSound, SIGKILL},
                                           Loss{Moment::BeforeFirstSound, SIGTERM},
                                           Loss{Moment::DuringEffect, SIGKILL},
                                           Loss{Moment::DuringEffect, SIGTERM},
                                           Loss{Moment::WhilePaused, SIGKILL},
                                           Loss{Moment::WhilePaused, SIGTERM}),
                         lossName);

// A server that takes the connection and never answers, then dies, is a server that was never
// there; one that starts later is used from the next sound on.
TEST(ServerLoss, WhileConnectingAndStartedLater) {
    PulseServer server;
    if (!PulseServer::available())
        GTEST_SKIP() << "pulseaudio is not installed";
    ASSERT_TRUE(server.start());
    server.pause();
    AudioMixer mixer;
    NewsLog news;
    AudioOutput output(mixer, AudioOutput::Device::System, news.sink(), server.address(),
                       QuickRetry);
    output.open();
    ASSERT_TRUE(waitFor([&] { return output.connectAttempts() == 1; }));
    mixer.playEffect(tone(200));
    output.wake();
    server.stop(SIGKILL);
    EXPECT_TRUE(waitFor([&] { return news.has(News::Missing); }));
    EXPECT_TRUE(waitFor([&] { return !mixer.effectSounding(); })) << "drained without a server";

    ASSERT_TRUE(server.start());
    EXPECT_TRUE(heardAgainWithin5s(mixer, output));
    const std::vector<News> said{News::Missing, News::Back};
    EXPECT_EQ(news.all(), said);
}

// A tune that was playing when the server went goes on from where its time stands, unheard, and
// is heard again once the server is back, without another sound to wake the output.
TEST(ServerLoss, ATunePlayingOnGoesOnFromWhereItsTimeStands) {
    AppScope app;
    PulseServer server;
    if (!PulseServer::available())
        GTEST_SKIP() << "pulseaudio is not installed";
    ASSERT_TRUE(server.start());
    QTemporaryDir dir;
    struct NoResources : ResourceAccess {
        QByteArray load(const QString&, int id) override {
            throw Failure(err::ResourceNotFound, QString::number(id));
        }
        void SaveResItemToDisk(Reporter&, int, const QString&, const QString&) override {}
    } resources;
    FixedReporter reporter;
    NewsLog news;
    AudioEngine engine(reporter, resources, AudioOutput::Device::System,
                       QStringLiteral("/nonexistent/none.sf2"), news.sink(), server.address(),
                       QuickRetry);
    const QString path = dir.filePath(QStringLiteral("t.mid"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(simpleTune(16)); // 8 s
    }
    auto position = [&] {
        return engine.media().mciSendString(QStringLiteral("status midi position")).text.toInt();
    };
    engine.media().mciSendString(QStringLiteral("open sequencer!") + path +
                                 QStringLiteral(" alias midi"));
    engine.media().mciSendString(QStringLiteral("play midi"));
    ASSERT_TRUE(waitFor([&] { return engine.output().usesDevice() && position() > 500; }));

    server.stop(SIGKILL);
    ASSERT_TRUE(waitFor([&] { return !engine.output().usesDevice(); }));
    const int atLoss = position();
    EXPECT_TRUE(waitFor([&] { return position() > atLoss + 500; })) << "the tune's time runs on";

    ASSERT_TRUE(server.start());
    EXPECT_TRUE(waitFor([&] { return engine.output().usesDevice(); }, 5s))
        << "the playing tune asks for the server again by itself";
    const int atReturn = position();
    EXPECT_GT(atReturn, atLoss) << "it goes on, it does not start over";
    EXPECT_TRUE(waitFor([&] { return position() > atReturn + 200; }));
    const std::vector<News> said{News::Lost, News::Back};
    EXPECT_EQ(news.all(), said);
    engine.media().mciSendString(QStringLiteral("close midi"));
}

// Without a server, sounds do not make the output knock again and again: at most once per
// retry interval.
TEST(ServerLoss, RetriesAtMostOncePerInterval) {
    AudioMixer mixer;
    NewsLog news;
    AudioOutput output(mixer, AudioOutput::Device::System, news.sink(),
                       "unix:/nonexistent/marvolen-no-server");
    for (int i = 0; i < 20; ++i) {
        mixer.playEffect(tone(20));
        output.wake();
        ASSERT_TRUE(waitFor([&] { return !mixer.effectSounding(); }));
    }
    EXPECT_EQ(output.connectAttempts(), 1) << "within the default interval of a few seconds";
    EXPECT_EQ(news.all(), std::vector<News>{News::Missing});

    AudioOutput quick(mixer, AudioOutput::Device::System, {},
                      "unix:/nonexistent/marvolen-no-server", 100ms);
    mixer.playEffect(tone(1000));
    quick.wake();
    ASSERT_TRUE(waitFor([&] { return !mixer.effectSounding(); }));
    const int attempts = quick.connectAttempts();
    EXPECT_GE(attempts, 2) << "a long sound asks again while it plays";
    EXPECT_LE(attempts, 12) << "it never spins";
}

} // namespace
