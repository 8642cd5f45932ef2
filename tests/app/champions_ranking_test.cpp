// Tests of the champions ranking: whether a result ranks, the fanfare, the name, the list read
// again and written, what the player is told, other variants and clearing; no window in sight.
#include "app/champions_ranking.h"

#include "qstring_printer.h"
#include "scores/entry.h"
#include "scores/highscore_file.h"
#include "session_fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace marvolen::app {
namespace {

const std::string kPrompt = "prompt Congratulations!|Please enter your name!";

/// A champions file in a temporary folder, a small language table, a seeded random generator
/// and the session's recorder for every port.
struct Champions {
    explicit Champions(QLocale locale = QLocale(QLocale::English, QLocale::UnitedStates),
                       Answer answer = Answer::Cancel)
        : reporter(answer), locale(std::move(locale)) {
        const QString table = dir.filePath("~tmp.lng");
        QFile f(table);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Lang]\r\n"
                "0126=Bitte gib deinen Namen ein!\r\n"
                "0128=Gl\xfc"
                "ckwunsch!\r\n"
                "1126=Please enter your name!\r\n"
                "1128=Congratulations!\r\n"
                "1135=Really delete all entries?\r\n"
                "1136=Delete highscore\r\n");
        f.close();
        language.setLanguageFilePath(table);
        language.setLanguageOffset(1000);
        QDir().mkpath(dir.filePath("data"));
    }

    QTemporaryDir dir;
    FixedReporter reporter;
    lang::Language language{reporter};
    Random random{11};
    test::Recorder ports;
    game::ResultHandover handover;
    /// The player's locale, which orders the names of equal results.
    QLocale locale;
    QString path = dir.filePath("data/Marvolen.hsc");

    RankingParts parts(test::Recorder& recorder) {
        return {reporter, language, random, recorder, recorder, recorder, recorder};
    }

    /// The champions window's load at the end of a game of variant with result.
    std::unique_ptr<ChampionsRanking> afterGame(int variant, const QByteArray& result) {
        handover.NewResult = result;
        handover.NewResultPending = true;
        return load(variant);
    }
    /// The champions window's load for the show-champions command.
    std::unique_ptr<ChampionsRanking> viewing(int variant) {
        handover.NewResultPending = false;
        return load(variant);
    }
    std::unique_ptr<ChampionsRanking> load(int variant) {
        auto ranking =
            std::make_unique<ChampionsRanking>(parts(ports), handover, variant, path, locale);
        Procedure formLoad(reporter, QStringLiteral("frmHighscore"), QStringLiteral("Form_Load"));
        ranking->load(formLoad);
        return ranking;
    }

    QByteArray fileBytes() const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    /// Stores entries as the list of variant (placeholders fill the ranks left).
    void seed(int variant, const std::vector<QByteArray>& entries) {
        scores::HighscoreFile file(reporter, path, locale);
        file.setVariant(variant);
        file.list().clear();
        for (const QByteArray& e : entries)
            file.list().add(e);
        ASSERT_TRUE(file.WriteHS());
    }
    /// The ten entries of variant as the file holds them.
    std::vector<QByteArray> stored(int variant) {
        scores::HighscoreFile file(reporter, path, locale);
        file.setVariant(variant);
        file.GetHS();
        std::vector<QByteArray> out;
        for (int i = 0; i < scores::ChampionsList::kRanks; ++i)
            out.push_back(file.list().at(i));
        return out;
    }
    /// The sound effects played, in order.
    std::vector<int> sounds() const {
        std::vector<int> out;
        for (const std::string& e : ports.only("sound "))
            out.push_back(std::stoi(e.substr(6)));
        return out;
    }
    std::vector<std::string> prompts() const { return ports.only("prompt"); }
    /// The texts of the messages told, without their title.
    std::vector<std::string> told() const {
        std::vector<std::string> out;
        for (const std::string& e : ports.only("tell Marvolen Champions: "))
            out.push_back(e.substr(25));
        EXPECT_EQ(out.size(), ports.only("tell").size()) << "every message has the title";
        return out;
    }
};

/// Nine results better than anything the tests enter, then tenth.
std::vector<QByteArray> fullListEndingWith(const QByteArray& tenth) {
    std::vector<QByteArray> entries;
    for (int i = 1; i <= 9; ++i)
        entries.push_back("00001000" + QByteArray::number(10 + i) + "Champion " +
                          QByteArray::number(i));
    entries.push_back(tenth);
    return entries;
}

const char kTieDropped[] = "Your result equals the tenth place. Equal results are ranked by name, "
                           "and the name already there comes first, so your result does not "
                           "enter the champions list.";
const char kPushedOut[] = "While you were entering your name, other results were saved to this "
                          "champions list by another running copy of Marvolen, and your result no "
                          "longer enters it.";

TEST(ChampionsRanking, EmptyListTakesTheResultAtRankOne) {
    Champions f;
    f.ports.names = {QStringLiteral("Anna")};
    auto r = f.afterGame(4, "0000300075");

    EXPECT_EQ(f.prompts(), std::vector<std::string>{kPrompt});
    EXPECT_EQ(f.stored(4)[0], "0000300075Anna");
    EXPECT_EQ(f.stored(4)[1], scores::kPlaceholder);
    EXPECT_EQ(r->file().list().at(0), "0000300075Anna");
    EXPECT_EQ(r->newRow(), 0);
    EXPECT_EQ(r->PlayerName(), "Anna");
    EXPECT_TRUE(f.told().empty());
    EXPECT_EQ(f.reporter.count(), 0);
}

TEST(ChampionsRanking, TheFanfareComesBeforeTheNamePrompt) {
    Champions f;
    f.ports.names = {QStringLiteral("Anna")};
    f.afterGame(0, "0000300075");
    ASSERT_EQ(f.ports.events.size(), 2u);
    EXPECT_EQ(f.ports.events[0].rfind("sound ", 0), 0u) << f.ports.events[0];
    EXPECT_EQ(f.ports.events[1], kPrompt);
}

TEST(ChampionsRanking, ATieWithANamedTenthIsAskedAndKeptOnlyWhenItsNameSortsFirst) {
    struct Case {
        QString typed;
        QByteArray tenthAfter;
        std::optional<int> newRow;
        std::vector<std::string> told;
    };
    for (const Case& c : {Case{"anna", "0000500100anna", 9, {}},
                          Case{"Zoe", "0000500100Maria", std::nullopt, {kTieDropped}}}) {
        SCOPED_TRACE(c.typed.toStdString());
        Champions f;
        f.seed(0, fullListEndingWith("0000500100Maria"));
        f.ports.names = {c.typed};
        auto r = f.afterGame(0, "0000500100");
        EXPECT_EQ(f.prompts().size(), 1u);
        EXPECT_EQ(f.stored(0)[9], c.tenthAfter);
        EXPECT_EQ(r->file().list().at(9), c.tenthAfter);
        EXPECT_EQ(r->newRow(), c.newRow);
        // Kept, nothing to say; dropped, the player hears why.
        EXPECT_EQ(f.told(), c.told);
    }
}

TEST(ChampionsRanking, EqualResultsAreOrderedByNameInThePlayersCollation) {
    // \u00c9mile belongs next to Emil, before Zoe; so the tie with a tenth Zoe is kept.
    Champions f;
    f.seed(0, fullListEndingWith("0000500100Zoe"));
    f.ports.names = {QStringLiteral("\u00c9mile")};
    f.afterGame(0, "0000500100");
    EXPECT_EQ(f.stored(0)[9], "0000500100\xc9mile");
    EXPECT_TRUE(f.told().empty());

    // In Swedish \u00c4 comes after Z, so there the tie is dropped.
    Champions swedish(QLocale(QLocale::Swedish, QLocale::Sweden));
    swedish.seed(0, fullListEndingWith("0000500100Zoe"));
    swedish.ports.names = {QStringLiteral("\u00c4rla")};
    swedish.afterGame(0, "0000500100");
    EXPECT_EQ(swedish.stored(0)[9], "0000500100Zoe");
    EXPECT_EQ(swedish.told(), std::vector<std::string>{kTieDropped});
}

TEST(ChampionsRanking, TwoCopiesPromptingAtOnceBothKeepTheirResults) {
    Champions f;
    f.seed(4, {"0000500050Old"});
    // While this copy's prompt is open, another copy ends its game, is given its name first
    // and stores its result.
    test::Recorder otherPorts;
    otherPorts.names = {QStringLiteral("Second")};
    game::ResultHandover otherGame;
    otherGame.NewResult = "0000300030";
    otherGame.NewResultPending = true;
    std::unique_ptr<ChampionsRanking> other;
    f.ports.whilePrompting = [&] {
        other =
            std::make_unique<ChampionsRanking>(f.parts(otherPorts), otherGame, 4, f.path, f.locale);
        Procedure formLoad(f.reporter, QStringLiteral("frmHighscore"), QStringLiteral("Form_Load"));
        other->load(formLoad);
    };
    f.ports.names = {QStringLiteral("First")};
    auto r = f.afterGame(4, "0000400040");
    ASSERT_TRUE(other);
    EXPECT_EQ(otherPorts.only("prompt").size(), 1u);

    EXPECT_EQ(f.stored(4)[0], "0000300030Second");
    EXPECT_EQ(f.stored(4)[1], "0000400040First");
    EXPECT_EQ(f.stored(4)[2], "0000500050Old");
    EXPECT_EQ(f.stored(4)[3], scores::kPlaceholder);
    EXPECT_EQ(r->file().list().at(0), "0000300030Second");
    EXPECT_EQ(r->newRow(), 1);
    EXPECT_TRUE(f.told().empty());
}

TEST(ChampionsRanking, AResultPushedOutByAnotherCopyMeanwhileIsTold) {
    Champions f;
    f.seed(4, fullListEndingWith("0000500100Maria"));
    // Another copy fills the list with better results while the name is typed.
    f.ports.whilePrompting = [&] { f.seed(4, fullListEndingWith("0000500099Bea")); };
    f.ports.names = {QStringLiteral("Anna")};
    auto r = f.afterGame(4, "0000500100");
    EXPECT_EQ(f.stored(4)[9], "0000500099Bea");
    EXPECT_EQ(r->newRow(), std::nullopt);
    EXPECT_EQ(f.told(), std::vector<std::string>{kPushedOut});
}

TEST(ChampionsRanking, ResultsThatDoNotRankChangeNothing) {
    // A tie with a tenth entry without a name, a plainly worse result, and a result of zero.
    for (const QByteArray& result :
         {QByteArray("0000500100"), QByteArray("0000500101"), QByteArray("0000000000")}) {
        SCOPED_TRACE(result.toStdString());
        Champions f;
        f.seed(0, fullListEndingWith("0000500100"));
        const QByteArray before = f.fileBytes();
        auto r = f.afterGame(0, result);
        EXPECT_TRUE(f.ports.events.empty()); // no sound, no prompt, no message
        EXPECT_EQ(f.fileBytes(), before);
        EXPECT_EQ(r->newRow(), std::nullopt);
    }
    // An empty list takes every result but zero; zero does not even make the file.
    Champions f;
    f.afterGame(0, "0000000000");
    EXPECT_TRUE(f.prompts().empty());
    EXPECT_FALSE(QFile::exists(f.path));
}

TEST(ChampionsRanking, CancelStoresTheResultWithoutAName) {
    Champions f;
    f.ports.names = {std::nullopt};
    auto r = f.afterGame(2, "0000300075");
    EXPECT_EQ(f.stored(2)[0], "0000300075");
    EXPECT_EQ(r->PlayerName(), QString());
    EXPECT_EQ(scores::rowTexts(r->file().list().at(0)), (scores::RowTexts{"", "3", "75"}));
}

TEST(ChampionsRanking, TypedNameIsTrimmedAndCutToTwentyCharacters) {
    struct Case {
        QString typed;
        QByteArray name;
    };
    for (const Case& c : {Case{"   Anna Lena  ", "Anna Lena"},
                          Case{"Bartholomew Maximilian", "Bartholomew Maximili"},
                          Case{"  Wilhelmina Konstanze Ottilie ", "Wilhelmina Konstanze"}}) {
        SCOPED_TRACE(c.typed.toStdString());
        Champions f;
        f.ports.names = {c.typed};
        auto r = f.afterGame(1, "0000100010");
        EXPECT_EQ(f.stored(1)[0], "0000100010" + c.name);
        EXPECT_EQ(r->PlayerName(), QString::fromLatin1(c.name));
    }
    // Twenty characters as the player sees them: the emoji is one, not two.
    Champions f;
    const QString typed = QStringLiteral("\U0001F3B2") + QString(19, QLatin1Char('b'));
    f.ports.names = {typed + QStringLiteral("c")};
    auto r = f.afterGame(1, "0000100010");
    EXPECT_EQ(r->PlayerName(), typed);
    EXPECT_EQ(f.stored(1)[0], "0000100010?" + QByteArray(19, 'b'));
}

TEST(ChampionsRanking, FanfareIsOneOfThreeAndOnlyWithSoundOn) {
    Champions quiet;
    quiet.ports.effectsOn = false;
    quiet.afterGame(0, "0000100010");
    EXPECT_TRUE(quiet.sounds().empty());
    EXPECT_EQ(quiet.prompts().size(), 1u);

    Champions f;
    std::set<int> heard;
    for (int game = 0; game < 30; ++game) {
        f.ports.events.clear();
        f.afterGame(game % 20, "0000100010");
        ASSERT_EQ(f.sounds().size(), 1u);
        heard.insert(f.sounds()[0]);
    }
    EXPECT_EQ(heard, (std::set<int>{113, 114, 115}));
}

TEST(ChampionsRanking, DamagedEntriesRankAsTheyReadAndStayInTheirPlace) {
    Champions f;
    QFile file(f.path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray good = scores::Conv("0000200042Otto");
    file.write("[m0]\r\n1=xyz\r\n2=00\r\n3=" + good + "\r\n4=" + scores::Conv("0000099999Nil") +
               "\r\n5=" + scores::Conv("abcdefghijJunk") + "\r\n6=22\r\n7=9\r\n[m1\r\n=\r\n");
    file.close();

    auto r = f.afterGame(0, "0000300010");
    // Ranks 1, 2, 6 and 7 decode empty and sort first; 99999 seconds and no marbles, Otto, the
    // new result, three placeholders; "abcdefghijJunk" sorted last and was pushed out.
    const scores::RowTexts empty{"", "", ""};
    const std::vector<scores::RowTexts> expected = {
        empty,           empty, empty, empty, empty, {"Otto", "2", "42"},
        {"", "3", "10"}, empty, empty, empty};
    std::vector<scores::RowTexts> rows;
    for (int i = 0; i < scores::ChampionsList::kRanks; ++i)
        rows.push_back(scores::rowTexts(r->file().list().at(i)));
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(r->newRow(), 6);
    const QByteArray placeholder(scores::kPlaceholder);
    EXPECT_EQ(f.stored(0),
              (std::vector<QByteArray>{"", "", "", "", "0000099999Nil", "0000200042Otto",
                                       "0000300010", placeholder, placeholder, placeholder}));
}

TEST(ChampionsViewing, ShowsTheListWithoutAskingOrWriting) {
    Champions f;
    f.handover.NewResult = "0000100010"; // a game just ranked, then the show command
    auto r = f.viewing(5);
    EXPECT_TRUE(f.ports.events.empty());
    EXPECT_FALSE(QFile::exists(f.path));
    EXPECT_EQ(r->file().HSSection(), "m5");
    EXPECT_EQ(r->file().list().at(0), scores::kPlaceholder);
    EXPECT_EQ(r->newRow(), std::nullopt);
}

TEST(ChampionsVariants, AnotherVariantsListIsReadWithoutRankingThere) {
    Champions f;
    f.seed(3, {"0000400200Bert"});
    f.ports.names = {QStringLiteral("Anna")};
    auto r = f.afterGame(7, "0000300075");
    ASSERT_EQ(r->newRow(), 0);
    f.ports.events.clear();

    r->setVariant(3);
    r->loadList();
    EXPECT_EQ(r->variant(), 3);
    EXPECT_EQ(r->file().HSSection(), "m3");
    EXPECT_EQ(r->file().list().at(0), "0000400200Bert");
    // The highlight of a result just entered belongs to the list it entered.
    EXPECT_EQ(r->newRow(), std::nullopt);
    EXPECT_TRUE(f.ports.events.empty());
    EXPECT_EQ(f.stored(3)[1], scores::kPlaceholder);
    EXPECT_EQ(f.handover.NewResult, "0000300075");
    EXPECT_TRUE(f.handover.NewResultPending);

    r->setVariant(7);
    r->loadList();
    EXPECT_EQ(r->file().list().at(0), "0000300075Anna");
    EXPECT_EQ(r->newRow(), std::nullopt);
    EXPECT_EQ(f.stored(7)[1], scores::kPlaceholder); // ranked once only
}

TEST(ChampionsReset, ClearingAsksThenEmptiesOnlyTheVariantShown) {
    Champions f;
    f.seed(3, {"0000400200Bert"});
    f.seed(7, {"0000300075Anna"});
    auto r = f.viewing(7);
    r->setVariant(3);
    r->loadList();

    f.ports.answers = {false, true};
    EXPECT_FALSE(r->askClear());
    EXPECT_TRUE(r->askClear());
    EXPECT_EQ(f.ports.only("ask"), (std::vector<std::string>(2, "ask Really delete all entries?")));
    r->clearList();

    EXPECT_FALSE(f.fileBytes().contains("[m3]"));
    EXPECT_EQ(f.stored(3)[0], scores::kPlaceholder);
    EXPECT_EQ(f.stored(7)[0], "0000300075Anna");
    EXPECT_TRUE(f.told().empty());
}

TEST(ChampionsFileFailure, AResultThatCannotBeSavedIsToldAndStaysInTheList) {
    Champions f;
    QFile blocker(f.dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    f.path = f.dir.filePath("blocker/data/Marvolen.hsc");
    f.ports.names = {QStringLiteral("Anna")};

    auto r = f.afterGame(0, "0000300075");

    const std::vector<std::string> told = f.told();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("could not be saved"), std::string::npos) << told[0];
    EXPECT_NE(told[0].find(QDir::toNativeSeparators(f.path).toStdString()), std::string::npos)
        << told[0];
    EXPECT_NE(told[0].find("Path not found"), std::string::npos) << told[0];
    EXPECT_EQ(r->file().list().at(0), "0000300075Anna");
    EXPECT_EQ(r->newRow(), 0);
    EXPECT_EQ(f.reporter.count(), 0);
}

TEST(ChampionsFileFailure, AListThatCannotBeReadOrClearedIsTold) {
    Champions f;
    // A folder where the file should be: it exists, but can be neither read nor replaced.
    ASSERT_TRUE(QDir().mkpath(f.path));
    auto r = f.viewing(0);
    std::vector<std::string> told = f.told();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].rfind("The champions list in \"" +
                                QDir::toNativeSeparators(f.path).toStdString() +
                                "\" could not be read: ",
                            0),
              0u)
        << told[0];
    EXPECT_EQ(r->file().list().at(0), scores::kPlaceholder);

    f.ports.events.clear();
    r->clearList();
    told = f.told();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("could not be cleared"), std::string::npos) << told[0];
    EXPECT_EQ(f.reporter.count(), 0);
}

TEST(ChampionsFailure, AFailureInTheRankingIsReportedAsCheckHSWithItsStatement) {
    // The prompt fails; Ignore goes on without a name, Cancel leaves the ranking unwritten.
    for (const Answer answer : {Answer::Ignore, Answer::Cancel}) {
        SCOPED_TRACE(int(answer));
        Champions f(QLocale(QLocale::English, QLocale::UnitedStates), answer);
        f.ports.whilePrompting = [] { throw Failure(err::InvalidCall); };
        f.ports.names = {QStringLiteral("Anna")};
        f.afterGame(0, "0000300075");
        ASSERT_EQ(f.reporter.count(), 1);
        EXPECT_EQ(f.reporter.last().module, "frmHighscore");
        EXPECT_EQ(f.reporter.last().procedure, "CheckHS");
        EXPECT_EQ(f.reporter.last().line, 50050);
        EXPECT_EQ(f.stored(0)[0], answer == Answer::Ignore ? QByteArray("0000300075")
                                                           : QByteArray(scores::kPlaceholder));
    }
}

} // namespace
} // namespace marvolen::app
