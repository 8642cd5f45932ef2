// The unfinished game: its text read back, the files it refuses, and the file set aside.
#include "game/saved_game.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace marvolen;
using namespace marvolen::game;

namespace {

/// A game of `jumps` random jumps on variant v (fewer when it ends sooner), of which the last
/// `undos` are taken back, as the board keeps them.
SavedGame played(int v, int jumps, int undos, std::mt19937& random) {
    SavedGame game;
    game.variant = v;
    game.position = startedBoard(v);
    std::vector<JumpMove> all;
    for (int i = 0; i < jumps; ++i) {
        const std::vector<Jump> legal = game.position.jumps();
        if (legal.empty())
            break;
        const Jump jump = legal[random() % legal.size()];
        all.push_back({jump.from, jump.to});
        game.position = game.position.apply(jump);
    }
    for (int i = 0; i < undos && !all.empty(); ++i) {
        const JumpMove move = all.back();
        all.pop_back();
        game.undone.push_back(move);
        game.position.setMarble(move.to, false);
        game.position.setMarble((move.from + move.to) / 2, true);
        game.position.setMarble(move.from, true);
    }
    game.made = all;
    game.seconds = int(random() % 100000);
    game.practice = random() % 2 == 0;
    return game;
}

QByteArray replaced(QByteArray text, const char* from, const char* to) {
    return text.replace(from, to);
}

class SavedGameFileTest : public testing::Test {
  protected:
    SavedGameFile file() {
        return SavedGameFile(m_dir.path(), [this](const QString& line) { m_notes << line; });
    }
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    void put(const QByteArray& bytes) const {
        QFile out(path("unfinished-game.txt"));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QStringList entries() const {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir m_dir;
    QStringList m_notes;
};

} // namespace

TEST(SavedGame, EveryGameReadsBackAsWrittenOnEveryVariant) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    for (int v = 0; v < kVariants; ++v) {
        SavedGame pasted = played(v, 3, 1, random);
        pasted.start = pasted.position; // a pasted board: the jumps count from it
        pasted.made.clear();
        pasted.undone.clear();
        for (const SavedGame& game : {SavedGame{v, {}, startedBoard(v), {}, {}, 0, false},
                                      played(v, 5, 0, random), played(v, 60, 4, random), pasted}) {
            const SavedGameRead read = decodeSavedGame(encodeSavedGame(game));
            ASSERT_TRUE(read.game) << "seed " << seed << ": " << read.reason.toStdString() << "\n"
                                   << encodeSavedGame(game).toStdString();
            EXPECT_EQ(*read.game, game) << "seed " << seed << ", variant " << v;
        }
    }
}

TEST(SavedGame, TextsCutShortDamagedFromAnotherVersionOrForAnImpossibleBoardAreRefused) {
    std::mt19937 random(7);
    const QByteArray good = encodeSavedGame(played(4, 6, 2, random));
    ASSERT_TRUE(decodeSavedGame(good).game) << good.toStdString();
    for (qsizetype n = 0; n < good.size(); ++n)
        EXPECT_FALSE(decodeSavedGame(good.left(n)).game) << n;

    const QByteArray broken[] = {
        replaced(good, "game 1\n", "game 2\n"),   // a later version
        replaced(good, "variant 5", "variant 6"), // another variant's board
        replaced(good, "variant 5", "variant 21"),
        replaced(good, "|  ooo  |\nmade", "| oooo  |\nmade"), // a marble outside the holes
        replaced(good, "seconds ", "seconds 1"),              // 100000 and more, or leading 1
        replaced(good, "practice ", "practice maybe "),
        replaced(good, "\n", "\r\n"),
        replaced(good, "end\n", "colour red\nend\n"), // a key we do not know
        replaced(good, "made ", "made 3-17 "),        // a jump that does not replay
        replaced(good, "undone ", "undone 24-10 "),   // a redo that cannot be made
        replaced(good, "end\n", "end\n\n"),
        good + "end\n",
    };
    for (const QByteArray& text : broken) {
        const SavedGameRead read = decodeSavedGame(text);
        EXPECT_NE(text, good);
        EXPECT_FALSE(read.game) << text.toStdString();
        EXPECT_FALSE(read.reason.isEmpty());
    }
    EXPECT_TRUE(decodeSavedGame(replaced(good, "game 1\n", "game 2\n"))
                    .reason.contains(QStringLiteral("version")));
}

TEST_F(SavedGameFileTest, SavedGameLoadsBackAndTheFileIsReplacedWithoutATemporaryFileLeft) {
    EXPECT_FALSE(file().load().game); // no file: nothing, and no note
    std::mt19937 random(11);
    const SavedGame first = played(5, 4, 1, random), second = played(5, 9, 0, random);
    EXPECT_FALSE(file().save(first));
    EXPECT_FALSE(file().save(second));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("unfinished-game.txt")});
    EXPECT_EQ(file().load().game, second);
    EXPECT_FALSE(file().remove());
    EXPECT_FALSE(file().remove());
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_TRUE(m_notes.isEmpty());

    // A game that would not read back is not written; a missing folder is told, not thrown.
    SavedGame impossible = second;
    impossible.variant = 6;
    EXPECT_EQ(file().save(impossible)->number(), err::InvalidCall);
    EXPECT_EQ(SavedGameFile(path("gone")).save(second)->number(), err::PathNotFound);
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(SavedGameFileTest, ADamagedFileIsSetAsideOverAnOlderOneWithOneLine) {
    put("Marvolen unfinished game 1\nvariant 5\n");
    EXPECT_FALSE(file().load().game);
    put("Marvolen unfinished game 9\n");
    const SavedGameFile::Loaded loaded = file().load();
    EXPECT_FALSE(loaded.game);
    EXPECT_FALSE(loaded.failure);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("unfinished-game.txt.bad")});
    QFile bad(path("unfinished-game.txt.bad"));
    ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
    EXPECT_EQ(bad.readAll(), "Marvolen unfinished game 9\n");
    ASSERT_EQ(m_notes.size(), 2);
    EXPECT_TRUE(m_notes[1].contains(QStringLiteral("version"))) << m_notes[1].toStdString();
    EXPECT_TRUE(m_notes[1].contains(path("unfinished-game.txt.bad")));
    EXPECT_FALSE(file().load().game); // set aside: the next start meets no file and no note
    EXPECT_EQ(m_notes.size(), 2);
}
