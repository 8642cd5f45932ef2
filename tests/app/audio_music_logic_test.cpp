// The music modes, the tune choice and the watcher over recorded commands.
#include "app/audio/media_service.h"
#include "app/audio/music_logic.h"

#include "audio_test_data.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

using namespace marvolen;
using namespace marvolen::audio;
using namespace marvolen::audio::testdata;

namespace {

/// One log of everything the logic does to the window and the media service, in order.
using Log = QStringList;

/// Records every command and answers as the service does: an open while a tune is open is
/// refused (alias in use). Notes the most tune files the folder held at any command.
class RecordingMedia : public MediaCommands {
  public:
    explicit RecordingMedia(Log& log) : m_log(log) {}
    MciReply mciSendString(const QString& command) override {
        m_log.append(command);
        if (!folder.isEmpty())
            mostTuneFiles = std::max(
                mostTuneFiles,
                int(QDir(folder).entryList({QStringLiteral("~rs*.tmp")}, QDir::Files).size()));
        if (command.startsWith(QLatin1String("open "))) {
            if (tuneOpen)
                return {mci::AliasInUse, {}};
            tuneOpen = true;
            openFile = command.section(QLatin1Char('!'), 1).section(QLatin1Char(' '), 0, 0);
            return {};
        }
        if (command == QLatin1String("close midi"))
            tuneOpen = false;
        if (command == QLatin1String("status midi length"))
            return length;
        if (command == QLatin1String("status midi position"))
            return position;
        return {};
    }
    MciReply length{0, QStringLiteral("60000")};
    MciReply position{0, QStringLiteral("0")};
    bool tuneOpen = false;
    QString openFile; ///< the file of the last open the service took
    QString folder;   ///< where tune files are counted; nowhere when empty
    int mostTuneFiles = 0;

  private:
    Log& m_log;
};

class FakeHost : public MusicHost {
  public:
    explicit FakeHost(Log& log) : m_log(log) {}
    void setWatcherEnabled(bool enabled) override {
        watcher = enabled;
        m_log.append(enabled ? QStringLiteral("<watcher on>") : QStringLiteral("<watcher off>"));
    }
    void processPendingEvents() override {
        m_log.append(QStringLiteral("<events>"));
        if (failEvents)
            throw Failure(err::InvalidCall);
    }
    bool watcher = false;
    bool failEvents = false;

  private:
    Log& m_log;
};

/// Tune t is written as the bytes "tune t" (or a real little file when asked).
class TuneResources : public ResourceAccess {
  public:
    QByteArray load(const QString&, int id) override {
        throw Failure(err::ResourceNotFound, QString::number(id));
    }
    void SaveResItemToDisk(Reporter&, int id, const QString& type, const QString& path) override {
        written.append(id);
        EXPECT_EQ(type, QStringLiteral("midi"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(realTunes ? simpleTune(1 + id % 3) : "tune " + QByteArray::number(id));
    }
    QList<int> written;
    bool realTunes = false;
};

class MusicLogicTest : public ::testing::Test {
  protected:
    explicit MusicLogicTest(std::uint64_t seed = 1) : random(seed) {}

    QTemporaryDir dir;
    Log log;
    RecordingMedia media{log};
    FakeHost host{log};
    FixedReporter reporter;
    TempFolder temp{reporter, dir.path()};
    Random random;
    TuneResources resources;
    MusicLogic music{host, media, temp, random, reporter, resources};

    QString openCommand() const {
        return QStringLiteral("open sequencer!") + music.midiFilePath() +
               QStringLiteral(" alias midi");
    }
    int tuneFilesLeft() {
        return int(QDir(temp.GetTempDir()).entryList({QStringLiteral("~rs*")}, QDir::Files).size());
    }
};

} // namespace

TEST_F(MusicLogicTest, OnceStartsOneTuneInOrderWithoutTheWatcher) {
    music.setMode(1);
    EXPECT_EQ(log, Log({openCommand(), QStringLiteral("play midi"), QStringLiteral("<events>")}));
    EXPECT_TRUE(music.musicOn());
    EXPECT_FALSE(music.musicLoop());
    EXPECT_FALSE(host.watcher);

    const QFileInfo file(music.midiFilePath());
    EXPECT_TRUE(file.fileName().startsWith(QStringLiteral("~rs")));
    QFile f(file.filePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "tune " + QByteArray::number(music.lastTune()));
    EXPECT_EQ(reporter.count(), 0);
}

TEST_F(MusicLogicTest, LoopEnablesTheWatcherAfterTheTuneStarts) {
    music.setMode(2);
    EXPECT_EQ(log, Log({openCommand(), QStringLiteral("play midi"), QStringLiteral("<events>"),
                        QStringLiteral("<watcher on>")}));
    EXPECT_TRUE(music.musicLoop());
}

TEST_F(MusicLogicTest, OffWhileSilentSendsNothing) {
    music.setMode(0);
    EXPECT_TRUE(log.isEmpty());
    EXPECT_FALSE(music.musicOn());
}

TEST_F(MusicLogicTest, OffWhilePlayingClosesTheTuneAndDeletesItsFile) {
    music.setMode(2);
    const QString path = music.midiFilePath();
    log.clear();
    music.setMode(0);
    EXPECT_EQ(log, Log({QStringLiteral("close midi"), QStringLiteral("<watcher off>")}));
    EXPECT_FALSE(music.musicOn());
    EXPECT_FALSE(music.musicLoop());
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(MusicLogicTest, WatcherLeavesAPlayingTuneAlone) {
    music.setMode(2);
    log.clear();
    media.length.text = QStringLiteral("5000");
    media.position.text = QStringLiteral("4999");
    music.Timer2_Timer();
    EXPECT_EQ(log,
              Log({QStringLiteral("status midi length"), QStringLiteral("status midi position")}));
    EXPECT_TRUE(host.watcher);
}

TEST_F(MusicLogicTest, WatcherInLoopClosesTheEndedTuneAndStartsAnother) {
    music.setMode(2);
    const QString first = music.midiFilePath();
    const int firstTune = music.lastTune();
    log.clear();
    media.length.text = QStringLiteral("5000");
    media.position.text = QStringLiteral("5000");
    music.Timer2_Timer();
    EXPECT_EQ(log,
              Log({QStringLiteral("status midi length"), QStringLiteral("status midi position"),
                   QStringLiteral("close midi"), openCommand(), QStringLiteral("play midi"),
                   QStringLiteral("<events>"), QStringLiteral("<watcher on>")}));
    EXPECT_NE(music.midiFilePath(), first);
    EXPECT_NE(music.lastTune(), firstTune);
    EXPECT_FALSE(QFile::exists(first)) << "the closed tune's file is deleted";
    EXPECT_TRUE(QFile::exists(music.midiFilePath()));
    EXPECT_EQ(tuneFilesLeft(), 1);
}

TEST_F(MusicLogicTest, UnreadableStatusCountsAsEnded) {
    music.setMode(2);
    log.clear();
    media.length = {mci::UnknownAlias, QString()};
    media.position = {mci::UnknownAlias, QStringLiteral("garbage")};
    music.Timer2_Timer();
    ASSERT_GE(log.size(), 4);
    EXPECT_EQ(log[2], QStringLiteral("close midi"));
    EXPECT_EQ(log[3], openCommand()) << "in the loop the next tune is tried";
}

TEST_F(MusicLogicTest, FromLoopToOnceTheTuneFinishesThenTheWatcherStops) {
    music.setMode(2);
    const QString playing = music.midiFilePath();
    log.clear();
    music.setMode(1);
    // The service refuses the new open while the old tune plays, so that one plays on.
    ASSERT_EQ(log.size(), 3);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("open sequencer!")));
    EXPECT_FALSE(log[0].contains(playing));
    EXPECT_EQ(log.mid(1), Log({QStringLiteral("play midi"), QStringLiteral("<events>")}));
    EXPECT_TRUE(host.watcher) << "the watcher stays on until the tune has ended";
    EXPECT_EQ(music.midiFilePath(), playing);
    EXPECT_EQ(tuneFilesLeft(), 1) << "the file written for the refused open is gone at once";

    log.clear();
    media.position.text = media.length.text;
    music.Timer2_Timer();
    EXPECT_EQ(log,
              Log({QStringLiteral("status midi length"), QStringLiteral("status midi position"),
                   QStringLiteral("close midi"), QStringLiteral("<watcher off>")}));
    EXPECT_FALSE(QFile::exists(playing));
    EXPECT_EQ(tuneFilesLeft(), 0);
}

// Each resize with music on starts a tune: while a window edge is dragged, the service refuses
// every one of them and the first tune plays on.
TEST_F(MusicLogicTest, RefusedTunesLeaveNoFilesWhileTheOpenOnePlaysOn) {
    media.folder = temp.GetTempDir();
    music.setMode(1);
    const QString playing = music.midiFilePath();
    for (int resize = 0; resize < 15; ++resize) {
        music.setMode(1);
        EXPECT_LE(tuneFilesLeft(), 1) << resize;
    }
    EXPECT_LE(media.mostTuneFiles, 2);
    EXPECT_EQ(resources.written.size(), 16) << "every resize wrote its tune";
    EXPECT_FALSE(log.contains(QStringLiteral("close midi")));
    EXPECT_EQ(media.openFile, playing);
    EXPECT_TRUE(QFile::exists(playing)) << "the playing tune's file stays";
    EXPECT_EQ(music.midiFilePath(), playing);
    music.closeOnUnload();
    EXPECT_EQ(tuneFilesLeft(), 0);
    EXPECT_EQ(reporter.count(), 0);
}

TEST_F(MusicLogicTest, UnloadClosesTheTuneStopsTheWatcherAndDeletesTheFile) {
    music.setMode(2);
    log.clear();
    music.closeOnUnload();
    EXPECT_EQ(log, Log({QStringLiteral("close midi"), QStringLiteral("<watcher off>")}));
    EXPECT_EQ(tuneFilesLeft(), 0);
}

TEST_F(MusicLogicTest, UnloadWhileSilentSendsNothing) {
    music.closeOnUnload();
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(reporter.count(), 0);
}

TEST_F(MusicLogicTest, AFailureInsideStartMusicGoesToTheHandlerThatRanIt) {
    host.failEvents = true;
    EXPECT_THROW(music.setMode(1), Failure);

    host.failEvents = false;
    music.setMode(2);
    host.failEvents = true;
    media.position.text = media.length.text;
    music.Timer2_Timer();
    ASSERT_EQ(reporter.count(), 1);
    EXPECT_EQ(reporter.last().module, QStringLiteral("frmMarvolen"));
    EXPECT_EQ(reporter.last().procedure, QStringLiteral("Timer2_Timer"));
}

TEST_F(MusicLogicTest, AnUnknownModeChangesNothing) {
    music.setMode(2);
    log.clear();
    music.setMode(3);
    EXPECT_TRUE(log.isEmpty());
    EXPECT_TRUE(music.musicLoop());
}

TEST(MusicLogicTuneChoice, NeverTheSameTuneTwiceAndEveryPairCanFollow) {
    std::set<std::pair<int, int>> pairs;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        QTemporaryDir dir;
        Log log;
        RecordingMedia media(log);
        FakeHost host(log);
        FixedReporter reporter;
        TempFolder temp(reporter, dir.path());
        Random random(seed);
        TuneResources resources;
        MusicLogic music(host, media, temp, random, reporter, resources);
        music.setMode(2);
        media.position.text = media.length.text;
        for (int i = 0; i < 30; ++i)
            music.Timer2_Timer();
        const QList<int>& tunes = resources.written;
        ASSERT_EQ(tunes.size(), 31);
        for (int i = 1; i < tunes.size(); ++i) {
            EXPECT_NE(tunes[i], tunes[i - 1]);
            EXPECT_GE(tunes[i], 101);
            EXPECT_LE(tunes[i], 106);
            pairs.insert({tunes[i - 1], tunes[i]});
        }
    }
    EXPECT_EQ(pairs.size(), 30u) << "each of six tunes followed by each of the five others";
}

// Over the real service: tunes started while one plays are refused, leave no file, and the
// first plays on to its end.
TEST(MusicLogicWithMediaService, TunesStartedWhileOnePlaysLeaveNoFiles) {
    QTemporaryDir dir;
    Log log;
    FakeHost host(log);
    FixedReporter reporter;
    TempFolder temp(reporter, dir.path());
    Random random(3);
    TuneResources resources;
    resources.realTunes = true;
    MidiMediaService media(QStringLiteral("/nonexistent/none.sf2"));
    MusicLogic music(host, media, temp, random, reporter, resources);
    auto tuneFiles = [&] {
        return QDir(temp.GetTempDir()).entryList({QStringLiteral("~rs*.tmp")}, QDir::Files);
    };

    music.setMode(2);
    const QString playing = music.midiFilePath();
    media.advance(200);
    for (int resize = 0; resize < 15; ++resize) {
        music.setMode(2);
        EXPECT_EQ(tuneFiles(), QStringList{QFileInfo(playing).fileName()}) << resize;
    }
    EXPECT_EQ(media.mciSendString(QStringLiteral("status midi position")).text.toInt(), 200)
        << "the first tune plays on where it was";
    EXPECT_EQ(reporter.count(), 0);
}

// The logic over the real media service, on its virtual clock: tunes follow one another.
TEST(MusicLogicWithMediaService, LoopPlaysTunesOneAfterAnother) {
    QTemporaryDir dir;
    Log log;
    FakeHost host(log);
    FixedReporter reporter;
    TempFolder temp(reporter, dir.path());
    Random random(7);
    TuneResources resources;
    resources.realTunes = true;
    MidiMediaService media(QStringLiteral("/nonexistent/none.sf2"));
    MusicLogic music(host, media, temp, random, reporter, resources);

    music.setMode(2);
    for (int second = 0; second < 20; ++second) {
        media.advance(1000);
        music.Timer2_Timer();
    }
    EXPECT_GE(resources.written.size(), 6) << "tunes of one to three seconds, twenty seconds";
    EXPECT_TRUE(host.watcher);
    music.setMode(1);
    for (int second = 0; second < 5; ++second) {
        media.advance(1000);
        music.Timer2_Timer();
    }
    EXPECT_FALSE(host.watcher) << "after the last tune in mode 1 the watcher stops";
    EXPECT_EQ(media.mciSendString(QStringLiteral("status midi length")).error, mci::UnknownAlias);
    EXPECT_TRUE(QDir(temp.GetTempDir()).entryList({QStringLiteral("~rs*")}, QDir::Files).isEmpty())
        << "every tune's file went with its tune";
    EXPECT_EQ(reporter.count(), 0);
}
