// Counting games per variant, the statistics file and the files it refuses.
#include "game/statistics.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace marvolen;
using namespace marvolen::game;

namespace {

/// Ranked and practice games on variants 1 and 5 (numbers 0 and 4).
StatisticsTable counted() {
    StatisticsTable table;
    for (int i = 0; i < 3; ++i)
        table.gameStarted(4, false);
    table.gameStarted(4, true);
    table.gameStarted(0, false);
    table.gameFinished(4, false, 3, 200);
    table.gameFinished(4, false, 1, 500);
    table.gameFinished(4, false, 1, 400);
    table.gameFinished(4, true, 1, 10);
    table.gameFinished(0, false, 2, 150000);
    table.addTimePlayed(4, false, 1100);
    table.addTimePlayed(4, true, -5);
    table.addTimePlayed(0, false, 90);
    return table;
}

class StatisticsFileTest : public testing::Test {
  protected:
    StatisticsFile file() {
        return StatisticsFile(m_dir.path(), [this](const QString& line) { m_notes << line; });
    }
    QString path() const { return m_dir.filePath(QStringLiteral("statistics.txt")); }
    QTemporaryDir m_dir;
    QStringList m_notes;
};

} // namespace

TEST(Statistics, RankedAndPracticeCountApartAndTheBestHasFewestMarblesThenSeconds) {
    const StatisticsTable table = counted();
    const Tally ranked = table.of(4, false);
    EXPECT_EQ(ranked.started, 3);
    EXPECT_EQ(ranked.finished, 3);
    EXPECT_EQ(ranked.averageMarblesLeft(), 5.0 / 3);
    EXPECT_EQ(ranked.oneMarble, 2);
    EXPECT_EQ(ranked.best, (Result{1, 400}));
    EXPECT_EQ(ranked.secondsPlayed, 1100);
    EXPECT_EQ(table.of(4, true).best, (Result{1, 10}));
    EXPECT_EQ(table.of(4, true).secondsPlayed, 0);
    EXPECT_EQ(table.of(0, false).best, (Result{2, 99999})); // as the champions list keeps it
    EXPECT_FALSE(table.of(7, false).averageMarblesLeft());

    const Tally total = table.total(false);
    EXPECT_EQ(total.started, 4);
    EXPECT_EQ(total.finished, 4);
    EXPECT_EQ(total.marblesLeft, 7);
    EXPECT_EQ(total.best, (Result{1, 400}));
    EXPECT_EQ(total.secondsPlayed, 1190);
    EXPECT_EQ(table.total(true).started, 1);

    StatisticsTable wrong = table;
    EXPECT_THROW(wrong.gameStarted(20, false), Failure);
    EXPECT_THROW(wrong.gameFinished(0, false, 22, 5), Failure); // variant 1 has 21 holes
    EXPECT_THROW(wrong.gameFinished(0, false, 0, 5), Failure);
    EXPECT_EQ(wrong, table);
}

TEST(Statistics, CountsReadBackAndDamagedOrImpossibleTextsAreRefused) {
    const QByteArray good = encodeStatistics(counted());
    const StatisticsRead read = decodeStatistics(good);
    ASSERT_TRUE(read.table) << read.reason.toStdString() << "\n" << good.toStdString();
    EXPECT_EQ(*read.table, counted());
    EXPECT_TRUE(decodeStatistics(encodeStatistics({})).table);
    for (qsizetype n = 0; n < good.size(); ++n)
        EXPECT_FALSE(decodeStatistics(good.left(n)).table) << n;

    const auto broken = [&good](const char* from, const char* to) {
        return QByteArray(good).replace(from, to);
    };
    const QByteArray refused[] = {
        broken("statistics 1", "statistics 2"),
        broken("variant 5 ranked", "variant 21 ranked"),
        broken("variant 1 ", "variant 9 "),     // out of order
        broken("one-marble 2", "one-marble 4"), // more than finished
        broken("best 1 400", "best 2 400"),     // disagrees with the games with one marble
        broken("marbles-left 5", "marbles-left 500"),
        broken("started 3", "started -3"),
        broken("started 3", "started 03"),
        broken("started 3", "started 9999999999999999999"), // past 64 bits
        broken(" seconds-played 1100", ""),
        broken("\n", "\r\n"),
        broken("end\n", "colour red\nend\n"),
        good + good,
    };
    for (const QByteArray& text : refused) {
        EXPECT_NE(text, good);
        EXPECT_FALSE(decodeStatistics(text).table) << text.toStdString();
    }
}

TEST_F(StatisticsFileTest, EveryCountIsWrittenAtOnceAndClearEmptiesIt) {
    EXPECT_FALSE(file().gameStarted(2, false));
    EXPECT_FALSE(file().gameStarted(2, true));
    EXPECT_FALSE(file().gameFinished(2, false, 1, 300));
    EXPECT_FALSE(file().addTimePlayed(2, false, 300));
    EXPECT_EQ(file().gameFinished(2, false, 0, 300)->number(), err::InvalidCall);
    const Tally tally = file().load().of(2, false); // a new reader, as after a kill
    EXPECT_EQ(tally.started, 1);
    EXPECT_EQ(tally.best, (Result{1, 300}));
    EXPECT_EQ(tally.secondsPlayed, 300);
    EXPECT_EQ(file().load().of(2, true).started, 1);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("statistics.txt")});
    EXPECT_FALSE(file().clear());
    EXPECT_EQ(file().load(), StatisticsTable{});
    EXPECT_TRUE(m_notes.isEmpty());
}

TEST_F(StatisticsFileTest, ADamagedFileIsSetAsideWithOneLineAndCountingStartsAfresh) {
    QFile damaged(path());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("Marvolen statistics 1\nvariant 5 ranked started 9\nend\n");
    damaged.close();
    EXPECT_FALSE(file().gameStarted(0, false));
    ASSERT_EQ(m_notes.size(), 1);
    EXPECT_TRUE(m_notes[0].contains(QStringLiteral("statistics.txt.bad")));
    EXPECT_TRUE(QFile::exists(path() + QStringLiteral(".bad")));
    EXPECT_EQ(file().load().total(false).started, 1);
    EXPECT_EQ(m_notes.size(), 1);
}
