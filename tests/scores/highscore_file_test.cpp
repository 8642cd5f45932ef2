// The highscore file: loading, storing, clearing, damaged files and writes that fail.
#include "scores/entry.h"
#include "scores/highscore_file.h"

#include "core/profile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

using namespace marvolen;
using namespace marvolen::scores;

namespace {

const QByteArray kStoredPlaceholder = "2274584B4F56555C57745852";
/// Names of equal results are ordered as a player in the United States would see them.
const QLocale kLocale(QLocale::English, QLocale::UnitedStates);

class HighscoreFileTest : public testing::Test {
  protected:
    QString path() const { return m_dir.filePath(QStringLiteral("Marvolen.hsc")); }
    QByteArray content() const { return profile::readFile(path()).value_or("<no file>"); }
    void put(const QByteArray& bytes) const {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    HighscoreFile open(int variant) {
        HighscoreFile file(m_reporter, path(), kLocale);
        file.setVariant(variant);
        return file;
    }
    /// The first result of a game entered the way the champions window does it.
    void enter(int variant, const QByteArray& entry) {
        HighscoreFile file = open(variant);
        ASSERT_TRUE(file.GetHS());
        file.list().add(entry);
        ASSERT_TRUE(file.WriteHS()) << file.lastFailure()->description.toStdString();
    }

    QTemporaryDir m_dir;
    FixedReporter m_reporter;
};

} // namespace

TEST_F(HighscoreFileTest, NoFileGivesTenPlaceholdersAndWritesNothing) {
    HighscoreFile file = open(4);
    EXPECT_TRUE(file.GetHS());
    ASSERT_EQ(file.list().size(), 10);
    for (const QByteArray& entry : file.list().entries())
        EXPECT_EQ(entry, QByteArray(kPlaceholder));
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_EQ(m_reporter.count(), 0);
}

TEST_F(HighscoreFileTest, FirstResultMakesItsSectionWithTenRanksInCrLfLines) {
    const QByteArray entry = makeEntry("0000300075", QStringLiteral("Anna"));
    enter(4, entry);
    QByteArray expected = "[m4]\r\n1=" + Conv(entry) + "\r\n";
    for (int rank = 2; rank <= 10; ++rank)
        expected += QByteArray::number(rank) + "=" + kStoredPlaceholder + "\r\n";
    EXPECT_EQ(content(), expected);

    HighscoreFile file = open(4);
    ASSERT_TRUE(file.GetHS());
    EXPECT_EQ(file.list().at(0), entry);
    for (int index = 1; index < 10; ++index)
        EXPECT_EQ(file.list().at(index), QByteArray(kPlaceholder));
}

TEST_F(HighscoreFileTest, NamesRoundTripThroughTheFile) {
    const QString names[] = {QString(),
                             QStringLiteral("a=b"),
                             QStringLiteral("x;y"),
                             QStringLiteral("[m4]"),
                             QStringLiteral("]="),
                             QStringLiteral("J\u00fcrgen"),
                             QStringLiteral("r")};
    for (const QString& name : names) {
        const QByteArray entry = makeEntry("0000200040", name);
        enter(7, entry);
        HighscoreFile file = open(7);
        ASSERT_TRUE(file.GetHS());
        EXPECT_EQ(file.list().at(0), entry) << name.toStdString();
        EXPECT_EQ(rowTexts(file.list().at(0)).name, name);
        ASSERT_TRUE(file.SaveHS(std::nullopt, ""));
    }
    EXPECT_EQ(content(), QByteArray()); // the last clearing left no section behind
}

TEST_F(HighscoreFileTest, TwoCopiesEnteringAtOnceKeepBothResultsInOrder) {
    enter(4, "0000500050Old");
    // Both copies loaded the list and asked for a name; the second one answers first.
    HighscoreFile first = open(4), second = open(4);
    ASSERT_TRUE(first.GetHS());
    ASSERT_TRUE(second.GetHS());
    EXPECT_EQ(second.addNewEntry("0000300030Second"), 0);
    ASSERT_TRUE(second.WriteHS());
    EXPECT_EQ(first.addNewEntry("0000400040First"), 1);
    ASSERT_TRUE(first.WriteHS());

    HighscoreFile file = open(4);
    ASSERT_TRUE(file.GetHS());
    EXPECT_EQ(file.list().at(0), QByteArray("0000300030Second"));
    EXPECT_EQ(file.list().at(1), QByteArray("0000400040First"));
    EXPECT_EQ(file.list().at(2), QByteArray("0000500050Old"));
    EXPECT_EQ(file.list().at(3), QByteArray(kPlaceholder));
}

TEST_F(HighscoreFileTest, ANewEntryGoesIntoTheLoadedListWhenTheFileCannotBeReadAgain) {
    enter(4, "0000500050Old");
    HighscoreFile file = open(4);
    ASSERT_TRUE(file.GetHS());
    ASSERT_TRUE(QFile::remove(path()));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Marvolen.hsc")));
    EXPECT_EQ(file.addNewEntry("0000600060New"), 1);
    EXPECT_EQ(file.list().at(0), QByteArray("0000500050Old"));
    EXPECT_FALSE(file.WriteHS());
}

TEST_F(HighscoreFileTest, RanksAreReorderedOnLoadAndStoredInOrder) {
    const QByteArray worse = "0000500100Bob", better = "0000200100Amy";
    put("[m2]\r\n1=" + Conv(worse) + "\r\n2=" + Conv(better) + "\r\n");
    HighscoreFile file = open(2);
    ASSERT_TRUE(file.GetHS());
    EXPECT_EQ(file.list().at(0), better);
    EXPECT_EQ(file.list().at(1), worse);
    EXPECT_EQ(file.list().at(2), QByteArray(kPlaceholder));
    ASSERT_TRUE(file.WriteHS());
    EXPECT_TRUE(content().startsWith("[m2]\r\n1=" + Conv(better) + "\r\n2=" + Conv(worse) + "\r\n"))
        << content().toStdString();
}

TEST_F(HighscoreFileTest, ClearingRemovesOnlyTheCurrentSection) {
    put("; kept\r\n[m1]\r\n1=" + Conv("0000100001One") + "\r\n\r\n[m2]\r\n1=" +
        Conv("0000200002Two") + "\r\n[m3]\r\n1=" + Conv("0000300003Three") + "\r\n");
    HighscoreFile file = open(2);
    ASSERT_TRUE(file.SaveHS(std::nullopt, ""));
    EXPECT_EQ(content(), "; kept\r\n[m1]\r\n1=" + Conv("0000100001One") +
                             "\r\n\r\n[m3]\r\n1=" + Conv("0000300003Three") + "\r\n");
    ASSERT_TRUE(file.GetHS());
    EXPECT_EQ(file.list().at(0), QByteArray(kPlaceholder));
    HighscoreFile other = open(3);
    ASSERT_TRUE(other.GetHS());
    EXPECT_EQ(other.list().at(0), QByteArray("0000300003Three"));
}

TEST_F(HighscoreFileTest, ClearingWithoutFileOrSectionWritesNothing) {
    HighscoreFile file = open(5);
    EXPECT_TRUE(file.SaveHS(std::nullopt, ""));
    EXPECT_FALSE(QFile::exists(path()));
    enter(1, "0000100001");
    const QByteArray before = content();
    EXPECT_TRUE(file.SaveHS(std::nullopt, ""));
    EXPECT_EQ(content(), before);
}

TEST_F(HighscoreFileTest, WritingKeepsOtherSectionsAndLines) {
    const QByteArray foreign =
        "[Other]\r\nkey = value \r\n\r\n[m0]\r\n1=" + Conv("0000100010Zed") + "\r\nextra=1\r\n";
    put(foreign);
    enter(9, "0000400040Ann");
    EXPECT_TRUE(content().startsWith(foreign));
    EXPECT_TRUE(content().contains("[m9]\r\n1=" + Conv("0000400040Ann") + "\r\n"));
    enter(0, "0000100005Amy");
    EXPECT_TRUE(
        content().startsWith("[Other]\r\nkey = value \r\n\r\n[m0]\r\n1=" + Conv("0000100005Amy") +
                             "\r\nextra=1\r\n2=" + Conv("0000100010Zed") + "\r\n"));
}

struct ValueCase {
    const char* name;
    QByteArray fileText;
    QByteArray expected;
};

class StoredValue : public HighscoreFileTest, public testing::WithParamInterface<ValueCase> {};

TEST_P(StoredValue, LoadsAsThePlaceholderOrDecoded) {
    put(GetParam().fileText);
    HighscoreFile file = open(1);
    ASSERT_TRUE(file.GetHS());
    EXPECT_EQ(file.list().at(0), GetParam().expected);
    EXPECT_EQ(m_reporter.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    HighscoreFile, StoredValue,
    testing::Values(ValueCase{"MissingSection", "[m2]\r\n1=00\r\n", kPlaceholder},
                    ValueCase{"NoRankKey", "[m1]\r\n11=00\r\nx=00\r\n", kPlaceholder},
                    ValueCase{"ZeroLength", "[m1]\r\n1=00\r\n", ""},
                    ValueCase{"NotHex", "[m1]\r\n1=xyz\r\n", ""},
                    ValueCase{"EmptyValue", "[m1]\r\n1=\r\n", ""},
                    ValueCase{"Placeholder", "[m1]\r\n1=" + kStoredPlaceholder, kPlaceholder}),
    [](const testing::TestParamInfo<ValueCase>& info) { return info.param.name; });

TEST_F(HighscoreFileTest, APlaceholderStoredUnscrambledIsTakenAsItIs) {
    // Quotes keep the placeholder's trailing blank, so the stored text equals it exactly.
    put("[m1]\r\n1=\"" + QByteArray(kPlaceholder) + "\"\r\n");
    HighscoreFile file = open(1);
    ASSERT_TRUE(file.GetHS());
    for (const QByteArray& entry : file.list().entries())
        EXPECT_EQ(entry, QByteArray(kPlaceholder));
}

TEST_F(HighscoreFileTest, DamagedRanksLoadInOrderAndAreWrittenBackDecoded) {
    put("[m3]\r\n1=" + Conv("0000300030Sam") + "\r\n2=xyz\r\n3=" + QByteArray(5000, 'F') +
        "\r\n4=\x01\x02\xff\x00junk\r\n5");
    HighscoreFile file = open(3);
    ASSERT_TRUE(file.GetHS());
    ASSERT_EQ(file.list().size(), 10);
    // Values whose first two characters are no digits decode empty and sort before every
    // result; the line "5" has no "=" and so no key 5.
    const QByteArray placeholder(kPlaceholder);
    EXPECT_EQ(file.list().entries(),
              (std::vector<QByteArray>{"", "", "", "0000300030Sam", placeholder, placeholder,
                                       placeholder, placeholder, placeholder, placeholder}));
    EXPECT_EQ(m_reporter.count(), 0);
    ASSERT_TRUE(file.WriteHS());
    HighscoreFile again = open(3);
    ASSERT_TRUE(again.GetHS());
    EXPECT_EQ(again.list().entries(), file.list().entries());
}

TEST_F(HighscoreFileTest, AnotherTitleDecodesOtherText) {
    enter(4, "0000300075Anna");
    HighscoreFile renamed(m_reporter, path(), kLocale, "Solitaire");
    renamed.setVariant(4);
    ASSERT_TRUE(renamed.GetHS());
    EXPECT_THAT(renamed.list().entries(),
                testing::Not(testing::Contains(QByteArray("0000300075Anna"))));
    EXPECT_THAT(renamed.list().entries(),
                testing::Not(testing::Contains(QByteArray(kPlaceholder))));
}

TEST_F(HighscoreFileTest, WriteIntoMissingFolderIsToldToTheCaller) {
    // A folder that is a regular file cannot hold a file, not even for root.
    const QString notAFolder = m_dir.filePath(QStringLiteral("plain"));
    QFile(notAFolder).open(QIODevice::WriteOnly);
    HighscoreFile file(m_reporter, notAFolder + QStringLiteral("/Marvolen.hsc"), kLocale);
    file.setVariant(1);
    EXPECT_TRUE(file.GetHS());
    file.list().add("0000300075Anna");

    EXPECT_FALSE(file.WriteHS());
    ASSERT_TRUE(file.lastFailure().has_value());
    EXPECT_EQ(file.lastFailure()->number, err::PathNotFound);
    EXPECT_EQ(file.lastFailure()->module, QStringLiteral("frmHighscore"));
    EXPECT_EQ(file.lastFailure()->procedure, QStringLiteral("WriteHS"));
    EXPECT_EQ(file.lastFailure()->description, QStringLiteral("Path not found"));

    EXPECT_FALSE(file.SaveHS(QByteArrayView("1"), Conv("0000300075Anna")));
    EXPECT_EQ(file.lastFailure()->procedure, QStringLiteral("SaveHS"));
    EXPECT_EQ(m_reporter.count(), 0);

    // A success afterwards clears the failure.
    HighscoreFile good = open(1);
    EXPECT_FALSE(good.lastFailure().has_value());
    EXPECT_TRUE(good.WriteHS());
    EXPECT_FALSE(good.lastFailure().has_value());
}

TEST_F(HighscoreFileTest, FailedWriteLeavesTheOldFileAsItWas) {
    enter(1, "0000300075Anna");
    enter(2, "0000200020Carl");
    const QByteArray before = content();
    HighscoreFile file = open(1);
    ASSERT_TRUE(file.GetHS());
    file.list().add("0000100001Bob");
    // A file-size limit stops the write half-way, whoever runs the test.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = file.WriteHS();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    ASSERT_TRUE(file.lastFailure().has_value());
    EXPECT_THAT(file.lastFailure()->number, testing::AnyOf(err::DeviceIO, err::DiskFull));
    EXPECT_EQ(content(), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("Marvolen.hsc")});
}

TEST_F(HighscoreFileTest, UnreadableFileIsNeverOverwritten) {
    // A folder standing where the file should be: it exists but cannot be read as a file.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Marvolen.hsc")));
    HighscoreFile file = open(1);
    EXPECT_FALSE(file.GetHS());
    EXPECT_EQ(file.list().size(), 10);
    EXPECT_FALSE(file.WriteHS());
    EXPECT_FALSE(file.SaveHS(QByteArrayView("1"), "00"));
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST(HighscorePath, TheChampionsFileInTheDataFolderWhichIsMadeWhenMissing) {
    QTemporaryDir base;
    const QString data = base.filePath(QStringLiteral("data/Marvolen"));
    EXPECT_EQ(highscorePath(data), data + QStringLiteral("/Marvolen.hsc"));
    EXPECT_TRUE(QFileInfo(data).isDir());
    EXPECT_EQ(highscorePath(data + QStringLiteral("/")), data + QStringLiteral("/Marvolen.hsc"));
}
