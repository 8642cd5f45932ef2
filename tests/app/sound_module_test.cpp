// The audio module loaded at run time, and the silent game when it or the soundfont is missing.
#include "app/audio/media_service.h"
#include "app/audio/silent_media.h"
#include "app/audio/sound_loader.h"

#include "audio_test_data.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>

using namespace marvolen;
using namespace marvolen::audio;
using namespace marvolen::audio::testdata;

namespace {

const QString BuiltModule = QStringLiteral(MARVOLEN_TEST_SOUND_MODULE);
const QString NoSoundFont = QStringLiteral("/nonexistent/none.sf2");

class TableResources : public ResourceAccess {
  public:
    std::map<int, QByteArray> wav;
    QByteArray load(const QString&, int id) override {
        const auto it = wav.find(id);
        if (it == wav.end())
            throw Failure(err::ResourceNotFound, QString::number(id));
        return it->second;
    }
    void SaveResItemToDisk(Reporter&, int, const QString&, const QString&) override {}
};

QString writeTune(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QString openCommand(const QString& path) {
    return QStringLiteral("open sequencer!") + path + QStringLiteral(" alias midi");
}

/// Runs the event loop until done() holds or the deadline passes.
template <typename Done> bool spin(Done done, int timeoutMs = 20000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired()) {
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

struct Loader {
    FixedReporter reporter;
    TableResources resources;
    QStringList notes;
    SoundLoader loader;
    explicit Loader(const QString& module, const QString& soundFont = NoSoundFont)
        : loader(SoundSetup{&reporter, &resources, AudioOutput::Device::None, soundFont,
                            [this](const QString& text) { notes << text; }},
                 module) {}
    QString reply(const char* command) {
        return loader.mciSendString(QString::fromLatin1(command)).text;
    }
};

} // namespace

TEST(SoundModule, WithoutTheModuleTunesRunTheirTimeInSilenceAndOneNoteSaysWhy) {
    AppScope app;
    QTemporaryDir dir;
    Loader l(dir.filePath(QStringLiteral("marvolen_sound.so")));
    EXPECT_TRUE(l.notes.isEmpty()) << "nothing is loaded before it is needed";

    l.loader.PlayWAV(101); // nothing to play it with: skipped without a report
    EXPECT_FALSE(l.loader.loaded());
    ASSERT_EQ(l.notes.size(), 1);
    EXPECT_TRUE(l.notes.front().contains(dir.filePath(QStringLiteral("marvolen_sound.so"))));
    EXPECT_TRUE(l.notes.front().contains(QStringLiteral("without sound effects and music")));

    EXPECT_EQ(l.loader.mciSendString(openCommand(writeTune(dir, "a.mid", simpleTune(1)))).error, 0);
    EXPECT_EQ(l.reply("status midi length"), QStringLiteral("500"));
    EXPECT_EQ(l.reply("status midi position"), QStringLiteral("0")) << "not played yet";
    EXPECT_EQ(l.loader.mciSendString(QStringLiteral("play midi")).error, 0);
    EXPECT_TRUE(spin([&] { return l.reply("status midi position") == QStringLiteral("500"); }))
        << "the tune ends after its length, so the next one starts";
    EXPECT_EQ(l.loader.mciSendString(QStringLiteral("close midi")).error, 0);
    EXPECT_EQ(l.notes.size(), 1);
    EXPECT_EQ(l.reporter.count(), 0);
}

TEST(SoundModule, TheBuiltModuleLoadsAndPlaysThroughItsEngine) {
    AppScope app;
    QTemporaryDir dir;
    Loader l(BuiltModule);
    l.resources.wav[102] = wave8(8000, 800);
    l.loader.PlayWAV(102);
    ASSERT_TRUE(l.loader.loaded()) << l.notes.join(QLatin1Char('\n')).toStdString();
    l.loader.mciSendString(openCommand(writeTune(dir, "t.mid", simpleTune(1))));
    l.loader.mciSendString(QStringLiteral("play midi"));
    EXPECT_TRUE(spin([&] { return l.reply("status midi position") == QStringLiteral("500"); }));
    EXPECT_EQ(l.reporter.count(), 0);
    // The soundfont is missing: said once.
    ASSERT_EQ(l.notes.size(), 1);
    EXPECT_TRUE(l.notes.front().contains(NoSoundFont));

    // A failure inside the module reaches the program's reporter as its own.
    l.loader.PlayWAV(108);
    ASSERT_EQ(l.reporter.count(), 1);
    EXPECT_EQ(l.reporter.last().number, err::ResourceNotFound);
    EXPECT_EQ(l.reporter.last().procedure, QStringLiteral("PlayWAV"));
}

TEST(SoundModule, AModuleOfAnotherVersionIsRefused) {
    QLibrary library(BuiltModule);
    const auto make = reinterpret_cast<MakeSoundSystem>(library.resolve(MakeSoundSystemName));
    ASSERT_NE(make, nullptr) << library.errorString().toStdString();
    FixedReporter reporter;
    TableResources resources;
    const SoundSetup setup{&reporter, &resources, AudioOutput::Device::None, NoSoundFont, {}};
    EXPECT_EQ(make(SoundModuleVersion + 1, &setup), nullptr);
    EXPECT_EQ(make(SoundModuleVersion, nullptr), nullptr);
}

// The silent service answers every command as the real one does without a soundfont.
TEST(SilentMediaService, AnswersAsTheRealServiceDoes) {
    QTemporaryDir dir;
    const QString good = writeTune(dir, "good.mid", tempoChangeTune());
    const QString bad = writeTune(dir, "bad.mid", simpleTune(4).left(30));
    const QStringList script = {
        QStringLiteral("status midi length"),
        QStringLiteral("play midi"),
        openCommand(dir.filePath(QStringLiteral("none.mid"))),
        openCommand(bad),
        QStringLiteral("open sequencer!") + good,
        QStringLiteral("open sequencer! alias midi"),
        QStringLiteral("  OPEN Sequencer!") + good + QStringLiteral(" ALIAS midi "),
        openCommand(good),
        QStringLiteral("status MIDI length"),
        QStringLiteral("status midi position"),
        QStringLiteral("status midi mode"),
        QStringLiteral("status other length"),
        QStringLiteral("seek midi to start"),
        QStringLiteral("play midi from 0"),
        QStringLiteral("close midi"),
        QStringLiteral("close midi"),
        QStringLiteral("status midi length"),
    };
    SilentMedia silent;
    MidiMediaService real(NoSoundFont);
    for (const QString& command : script) {
        const MciReply want = real.mciSendString(command);
        const MciReply got = silent.mciSendString(command);
        EXPECT_EQ(got.error, want.error) << command.toStdString();
        EXPECT_EQ(got.text, want.text) << command.toStdString();
    }
}
