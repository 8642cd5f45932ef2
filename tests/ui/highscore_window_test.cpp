// Tests of the champions window: ranking a finished game, viewing, other variants, clearing.
#include "ui/highscore_window.h"

#include "app_fixture.h"
#include "game/strips.h"
#include "scores/entry.h"
#include "scores/highscore_file.h"

#include <QAccessible>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "services_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace marvolen::ui {
namespace {

/// The window's services in a temporary folder, with a small language table, a seeded random
/// generator and scripted dialogs that record what they were asked.
struct Fixture : test::ServicesFixture {
    Fixture() : ServicesFixture(11, QStringLiteral("0409")) { init(); }
    game::ResultHandover handover;
    /// The player's locale, which orders the names of equal results.
    QLocale locale{QLocale::English, QLocale::UnitedStates};

    bool soundOn = true;
    std::vector<int> sounds;
    /// Typed names, in order; nullopt is Cancel. An unscripted prompt is cancelled.
    std::deque<std::optional<QString>> names;
    std::vector<QString> prompts; ///< "title|prompt" of every name prompt
    std::deque<bool> answers;     ///< Yes/No answers, in order; unscripted is No
    std::vector<QString> questions;
    std::vector<QString> told;

    void init() {
        const QString table = dir.filePath("~tmp.lng");
        QFile f(table);
        f.open(QIODevice::WriteOnly);
        f.write("[Lang]\r\n"
                "0126=Bitte gib deinen Namen ein!\r\n"
                "0128=Gl\xfc"
                "ckwunsch!\r\n"
                "0144=Name\r\n"
                "0159=&L\xf6"
                "schen\r\n"
                "1126=Please enter your name!\r\n"
                "1128=Congratulations!\r\n"
                "1135=Really delete all entries?\r\n"
                "1136=Delete highscore\r\n"
                "1144=Name\r\n"
                "1159=&Reset\r\n");
        f.close();
        language.setLanguageFilePath(table);
        language.setLanguageOffset(1000);
        useDataFolder(dir.filePath("data"));
        QDir().mkpath(services.dataFolder);
        services.soundOn = [this] { return soundOn; };
        services.playWav = [this](std::int16_t id) { sounds.push_back(id); };
        services.askText = [this](QWidget*, const QString& title, const QString& prompt) {
            prompts.push_back(title + "|" + prompt);
            std::optional<QString> name;
            if (!names.empty()) {
                name = names.front();
                names.pop_front();
            }
            return name.value_or(QString());
        };
        services.askYesNo = [this](QWidget*, const QString& title, const QString& text) {
            questions.push_back(title + "|" + text);
            const bool yes = !answers.empty() && answers.front();
            if (!answers.empty())
                answers.pop_front();
            return yes;
        };
        services.inform = [this](QWidget*, const QString&, const QString& text) {
            told.push_back(text);
        };
    }

    void useDataFolder(const QString& folder) { services.dataFolder = folder; }
    QString hscPath() const { return QDir(services.dataFolder).filePath("Marvolen.hsc"); }
    QByteArray fileBytes() const {
        QFile f(hscPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    /// Stores entries as the list of variant (placeholders fill the ranks left).
    void seed(int variant, const std::vector<QByteArray>& entries) {
        scores::HighscoreFile file(reporter, hscPath(), locale);
        file.setVariant(variant);
        file.list().clear();
        for (const QByteArray& e : entries)
            file.list().add(e);
        ASSERT_TRUE(file.WriteHS());
    }
    /// The ten entries of variant as the file holds them.
    std::vector<QByteArray> stored(int variant) {
        scores::HighscoreFile file(reporter, hscPath(), locale);
        file.setVariant(variant);
        file.GetHS();
        std::vector<QByteArray> out;
        for (int i = 0; i < scores::ChampionsList::kRanks; ++i)
            out.push_back(file.list().at(i));
        return out;
    }

    /// The window opened at the end of a game of variant with result.
    std::unique_ptr<HighscoreWindow> afterGame(int variant, const QByteArray& result) {
        handover.NewResult = result;
        handover.NewResultPending = true;
        return std::make_unique<HighscoreWindow>(services, handover, variant, nullptr, locale);
    }
    /// The window opened by the show-champions command.
    std::unique_ptr<HighscoreWindow> viewing(int variant) {
        handover.NewResultPending = false;
        return std::make_unique<HighscoreWindow>(services, handover, variant, nullptr, locale);
    }
};

QString labelText(HighscoreWindow& w, const QString& name) {
    auto* label = w.findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
}

/// Name, marbles and seconds shown in row (1 to 10).
std::vector<QString> row(HighscoreWindow& w, int row) {
    return {labelText(w, QStringLiteral("lblHName%1").arg(row)),
            labelText(w, QStringLiteral("lblHScore%1").arg(row)),
            labelText(w, QStringLiteral("lblHScore%1").arg(row + 10))};
}

/// Nine results better than anything the tests enter, then tenth.
std::vector<QByteArray> fullListEndingWith(const QByteArray& tenth) {
    std::vector<QByteArray> entries;
    for (int i = 1; i <= 9; ++i)
        entries.push_back("00001000" + QByteArray::number(10 + i) + "Champion " +
                          QByteArray::number(i));
    entries.push_back(tenth);
    return entries;
}

QImage thumbnail(HighscoreWindow& w, int v) {
    return w.findChild<QLabel*>(QStringLiteral("imgPattern%1").arg(v))->pixmap().toImage();
}
QImage stripCell(int cell) {
    return QPixmap(":/res/PIC/layout").copy(game::stripCell(game::kLayoutStrip, cell)).toImage();
}

} // namespace

TEST(ChampionsRanking, EmptyListTakesTheResultAtRankOneAndShowsItsNumbers) {
    Fixture f;
    f.names = {QStringLiteral("Anna")};
    auto w = f.afterGame(4, "0000300075");

    ASSERT_EQ(f.prompts, std::vector<QString>{"Congratulations!|Please enter your name!"});
    EXPECT_EQ(f.stored(4)[0], "0000300075Anna");
    EXPECT_EQ(f.stored(4)[1], scores::kPlaceholder);
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"Anna", "3", "75"}));
    EXPECT_EQ(row(*w, 2), (std::vector<QString>{"", "", ""}));
    EXPECT_EQ(labelText(*w, "Label1_10"), "10.");
    EXPECT_EQ(w->PlayerName(), "Anna");
    EXPECT_TRUE(f.told.empty());
    EXPECT_EQ(f.reporter.count(), 0);
}

TEST(ChampionsRanking, ATieWithANamedTenthIsAskedAndKeptOnlyWhenItsNameSortsFirst) {
    struct Case {
        QString typed;
        QByteArray tenthAfter;
    };
    for (const Case& c : {Case{"anna", "0000500100anna"}, Case{"Zoe", "0000500100Maria"}}) {
        Fixture f;
        f.seed(0, fullListEndingWith("0000500100Maria"));
        f.names = {c.typed};
        auto w = f.afterGame(0, "0000500100");
        EXPECT_EQ(f.prompts.size(), 1u) << c.typed.toStdString();
        EXPECT_EQ(f.stored(0)[9], c.tenthAfter) << c.typed.toStdString();
        EXPECT_EQ(labelText(*w, "lblHName10"), QString::fromLatin1(c.tenthAfter.mid(10)));
        // Kept, nothing to say; dropped, the player hears why.
        if (c.typed == "anna") {
            EXPECT_TRUE(f.told.empty());
        } else {
            ASSERT_EQ(f.told.size(), 1u);
            EXPECT_EQ(f.told[0], "Your result equals the tenth place. Equal results are ranked "
                                 "by name, and the name already there comes first, so your "
                                 "result does not enter the champions list.");
        }
    }
}

TEST(ChampionsRanking, EqualResultsAreOrderedByNameInThePlayersCollation) {
    // \u00c9mile belongs next to Emil, before Zoe; so the tie with a tenth Zoe is kept.
    Fixture f;
    f.seed(0, fullListEndingWith("0000500100Zoe"));
    f.names = {QStringLiteral("\u00c9mile")};
    auto w = f.afterGame(0, "0000500100");
    EXPECT_EQ(f.stored(0)[9], "0000500100\xc9mile");
    EXPECT_TRUE(f.told.empty());

    // In Swedish \u00c4 comes after Z, so there the tie is dropped.
    Fixture swedish;
    swedish.locale = QLocale(QLocale::Swedish, QLocale::Sweden);
    swedish.seed(0, fullListEndingWith("0000500100Zoe"));
    swedish.names = {QStringLiteral("\u00c4rla")};
    auto again = swedish.afterGame(0, "0000500100");
    EXPECT_EQ(swedish.stored(0)[9], "0000500100Zoe");
    EXPECT_EQ(swedish.told.size(), 1u);
}

TEST(ChampionsRanking, TwoCopiesPromptingAtOnceBothKeepTheirResults) {
    Fixture f;
    f.seed(4, {"0000500050Old"});
    game::ResultHandover otherGame;
    otherGame.NewResult = "0000300030";
    otherGame.NewResultPending = true;
    std::unique_ptr<HighscoreWindow> other;
    // While this copy's prompt is open, another copy ends its game, is given its name first
    // and stores its result.
    int prompt = 0;
    f.services.askText = [&](QWidget*, const QString&, const QString&) {
        if (++prompt == 1) {
            other = std::make_unique<HighscoreWindow>(f.services, otherGame, 4, nullptr, f.locale);
            return QStringLiteral("First");
        }
        return QStringLiteral("Second");
    };
    auto w = f.afterGame(4, "0000400040");
    EXPECT_EQ(prompt, 2);

    EXPECT_EQ(f.stored(4)[0], "0000300030Second");
    EXPECT_EQ(f.stored(4)[1], "0000400040First");
    EXPECT_EQ(f.stored(4)[2], "0000500050Old");
    EXPECT_EQ(f.stored(4)[3], scores::kPlaceholder);
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"Second", "3", "30"}));
    EXPECT_EQ(row(*w, 2), (std::vector<QString>{"First", "4", "40"}));
    EXPECT_TRUE(f.told.empty());
}

TEST(ChampionsRanking, AResultPushedOutByAnotherCopyMeanwhileIsTold) {
    Fixture f;
    f.seed(4, fullListEndingWith("0000500100Maria"));
    f.services.askText = [&](QWidget*, const QString&, const QString&) {
        // Another copy fills the list with better results while the name is typed.
        f.seed(4, fullListEndingWith("0000500099Bea"));
        return QStringLiteral("Anna");
    };
    auto w = f.afterGame(4, "0000500100");
    EXPECT_EQ(f.stored(4)[9], "0000500099Bea");
    ASSERT_EQ(f.told.size(), 1u);
    EXPECT_EQ(f.told[0], "While you were entering your name, other results were saved to this "
                         "champions list by another running copy of Marvolen, and your result "
                         "no longer enters it.");
}

TEST(ChampionsRanking, ResultsThatDoNotBeatTheTenthChangeNothing) {
    // A tie with a tenth entry without a name, and a plainly worse result.
    for (const QByteArray& result : {QByteArray("0000500100"), QByteArray("0000500101")}) {
        Fixture f;
        f.seed(0, fullListEndingWith("0000500100"));
        const QByteArray before = f.fileBytes();
        auto w = f.afterGame(0, result);
        EXPECT_TRUE(f.prompts.empty()) << result.constData();
        EXPECT_TRUE(f.sounds.empty()) << result.constData();
        EXPECT_EQ(f.fileBytes(), before) << result.constData();
    }
}

TEST(ChampionsRanking, CancelStoresTheResultWithoutAName) {
    Fixture f;
    f.names = {std::nullopt};
    auto w = f.afterGame(2, "0000300075");
    EXPECT_EQ(f.stored(2)[0], "0000300075");
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"", "3", "75"}));
}

TEST(ChampionsRanking, TypedNameIsTrimmedAndCutToTwentyCharacters) {
    struct Case {
        QString typed;
        QByteArray name;
    };
    for (const Case& c : {Case{"   Anna Lena  ", "Anna Lena"},
                          Case{"Bartholomew Maximilian", "Bartholomew Maximili"},
                          Case{"  Wilhelmina Konstanze Ottilie ", "Wilhelmina Konstanze"}}) {
        Fixture f;
        f.names = {c.typed};
        auto w = f.afterGame(1, "0000100010");
        EXPECT_EQ(f.stored(1)[0], "0000100010" + c.name) << c.typed.toStdString();
        EXPECT_EQ(w->PlayerName(), QString::fromLatin1(c.name));
    }
    // Twenty characters as the player sees them: the emoji is one, not two.
    Fixture f;
    const QString typed = QStringLiteral("\U0001F3B2") + QString(19, QLatin1Char('b'));
    f.names = {typed + QStringLiteral("c")};
    auto w = f.afterGame(1, "0000100010");
    EXPECT_EQ(w->PlayerName(), typed);
    EXPECT_EQ(f.stored(1)[0], "0000100010?" + QByteArray(19, 'b'));
}

TEST(ChampionsRanking, FanfareIsOneOfThreeAndOnlyWithSoundOn) {
    Fixture quiet;
    quiet.soundOn = false;
    quiet.afterGame(0, "0000100010");
    EXPECT_TRUE(quiet.sounds.empty());
    EXPECT_EQ(quiet.prompts.size(), 1u);

    Fixture f;
    std::set<int> heard;
    for (int game = 0; game < 30; ++game) {
        f.sounds.clear();
        f.afterGame(game % 20, "0000100010");
        ASSERT_EQ(f.sounds.size(), 1u);
        heard.insert(f.sounds[0]);
    }
    EXPECT_EQ(heard, (std::set<int>{113, 114, 115}));
}

TEST(ChampionsRanking, AResultOfZeroNeverRanks) {
    Fixture f;
    auto w = f.afterGame(0, "0000000000");
    EXPECT_TRUE(f.prompts.empty());
    EXPECT_FALSE(QFile::exists(f.hscPath()));
}

TEST(ChampionsViewing, ShowsTheListWithoutAskingOrWriting) {
    Fixture f;
    f.handover.NewResult = "0000100010"; // a game just ranked, then the show command
    auto w = f.viewing(5);
    EXPECT_TRUE(f.prompts.empty());
    EXPECT_TRUE(f.sounds.empty());
    EXPECT_FALSE(QFile::exists(f.hscPath()));
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"", "", ""}));
}

TEST(ChampionsViewing, TitleIsTheSameInEveryLanguage) {
    for (int offset : {0, 1000, 2000, 3000, 6000}) {
        Fixture f;
        f.language.setLanguageOffset(std::int16_t(offset));
        auto w = f.viewing(0);
        EXPECT_EQ(labelText(*w, "lblTitle"), "Marvolen Champions") << offset;
    }
}

TEST(ChampionsViewing, ShowingAppliesTheLanguageTextsAndFocusesOk) {
    Fixture f;
    f.language.setLanguageOffset(0);
    auto w = f.viewing(0);
    w->show();
    EXPECT_EQ(labelText(*w, "lblHeader0"), "Name");
    EXPECT_EQ(w->findChild<QPushButton*>("cmdDelHS")->text(), QString::fromUtf8("&Löschen"));
    EXPECT_EQ(w->focusWidget(), w->findChild<QPushButton*>("cmdOK"));
    EXPECT_EQ(labelText(*w, "lblHeader1"), QString::fromUtf8("●●"));
    EXPECT_EQ(labelText(*w, "lblHeader2"), QString::fromUtf8("🕓"));
    w->close();
}

TEST(ChampionsViewing, DamagedEntriesShowAsEmptyRowsInTheirPlace) {
    Fixture f;
    QFile file(f.hscPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray good = scores::Conv("0000200042Otto");
    file.write("[m0]\r\n1=xyz\r\n2=00\r\n3=" + good + "\r\n4=" + scores::Conv("0000099999Nil") +
               "\r\n5=" + scores::Conv("abcdefghijJunk") + "\r\n6=22\r\n7=9\r\n[m1\r\n=\r\n");
    file.close();

    auto w = f.afterGame(0, "0000300010");
    // Ranks 1, 2, 6 and 7 decode empty and sort first; 99999 seconds and no marbles, Otto, the
    // new result, three placeholders; "abcdefghijJunk" sorted last and was pushed out.
    const std::vector<QString> empty{"", "", ""};
    const std::vector<std::vector<QString>> expected = {
        empty,           empty, empty, empty, empty, {"Otto", "2", "42"},
        {"", "3", "10"}, empty, empty, empty};
    std::vector<std::vector<QString>> rows;
    for (int i = 1; i <= 10; ++i)
        rows.push_back(row(*w, i));
    EXPECT_EQ(rows, expected);
    const QByteArray placeholder(scores::kPlaceholder);
    EXPECT_EQ(f.stored(0),
              (std::vector<QByteArray>{"", "", "", "", "0000099999Nil", "0000200042Otto",
                                       "0000300010", placeholder, placeholder, placeholder}));
}

TEST(ChampionsVariants, ThumbnailShowsAnotherVariantWithoutRankingThere) {
    Fixture f;
    f.seed(3, {"0000400200Bert"});
    f.names = {QStringLiteral("Anna")};
    auto w = f.afterGame(7, "0000300075");
    EXPECT_EQ(thumbnail(*w, 7), stripCell(27));
    EXPECT_EQ(thumbnail(*w, 3), stripCell(3));
    f.sounds.clear();

    QTest::mouseClick(w->findChild<QLabel*>("imgPattern3"), Qt::LeftButton);

    EXPECT_EQ(f.sounds, std::vector<int>{102});
    EXPECT_EQ(w->shownVariant(), 3);
    EXPECT_EQ(w->file().HSSection(), "m3");
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"Bert", "4", "200"}));
    EXPECT_EQ(thumbnail(*w, 3), stripCell(23));
    EXPECT_EQ(thumbnail(*w, 7), stripCell(7));
    EXPECT_EQ(f.prompts.size(), 1u);
    EXPECT_EQ(f.stored(3)[1], scores::kPlaceholder);
    EXPECT_EQ(f.handover.NewResult, "0000300075");
    EXPECT_TRUE(f.handover.NewResultPending);

    f.soundOn = false;
    w->imgPattern_Click(7);
    EXPECT_EQ(f.sounds.size(), 1u);
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"Anna", "3", "75"}));
}

TEST(ChampionsReset, YesClearsOnlyTheVariantShownAndCloses) {
    Fixture f;
    f.seed(3, {"0000400200Bert"});
    f.seed(7, {"0000300075Anna"});
    auto w = f.viewing(7);
    w->show();
    w->imgPattern_Click(3);
    f.answers = {true};

    w->findChild<QPushButton*>("cmdDelHS")->click();

    EXPECT_EQ(f.questions, std::vector<QString>{"Delete highscore|Really delete all entries?"});
    EXPECT_FALSE(f.fileBytes().contains("[m3]"));
    EXPECT_EQ(f.stored(3)[0], scores::kPlaceholder);
    EXPECT_EQ(f.stored(7)[0], "0000300075Anna");
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Accepted);
}

TEST(ChampionsReset, NoChangesNothing) {
    Fixture f;
    f.seed(3, {"0000400200Bert"});
    const QByteArray before = f.fileBytes();
    auto w = f.viewing(3);
    w->show();
    f.answers = {false};

    w->cmdDelHS_Click();

    EXPECT_EQ(f.questions.size(), 1u);
    EXPECT_EQ(f.fileBytes(), before);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"Bert", "4", "200"}));
    w->close();
}

TEST(ChampionsFileFailure, AResultThatCannotBeSavedIsToldAndStillShown) {
    Fixture f;
    QFile blocker(f.dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    f.useDataFolder(f.dir.filePath("blocker/data"));
    f.names = {QStringLiteral("Anna")};

    auto w = f.afterGame(0, "0000300075");

    ASSERT_EQ(f.told.size(), 1u);
    EXPECT_TRUE(f.told[0].contains("could not be saved")) << f.told[0].toStdString();
    EXPECT_TRUE(f.told[0].contains("Path not found")) << f.told[0].toStdString();
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"Anna", "3", "75"}));
    EXPECT_EQ(f.reporter.count(), 0);
}

TEST(ChampionsWindow, ShowChampionsWindowRunsModallyUntilOk) {
    Fixture f;
    f.seed(2, {"0000100010Ida"});
    bool clicked = false;
    // Looks for the shown window from inside its modal loop; after 20 seconds it closes
    // whatever modal window is open, so that a window that never shows fails the test.
    QTimer look;
    const QDeadlineTimer deadline(20000);
    QObject::connect(&look, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "frmHighscore" && top->isVisible()) {
                look.stop();
                EXPECT_EQ(labelText(*static_cast<HighscoreWindow*>(top), "lblHName1"), "Ida");
                top->findChild<QPushButton*>("cmdOK")->click();
                clicked = true;
                return;
            }
        if (deadline.hasExpired()) {
            look.stop();
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        }
    });
    look.start(10);
    f.handover.NewResultPending = false;
    showChampionsWindow(f.services, f.handover, 2, nullptr);
    EXPECT_TRUE(clicked);
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_NE(top->objectName(), "frmHighscore");
}

TEST(ChampionsKeyboard, ANameIsTypedAndConfirmedWithTheKeysAlone) {
    Fixture f;
    f.services.askText = nullptr; // the program's own prompt
    std::vector<std::string> seen;
    QTimer look;
    const QDeadlineTimer deadline(20000);
    QObject::connect(&look, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && QApplication::focusWidget() &&
            modal->isAncestorOf(QApplication::focusWidget())) {
            look.stop();
            seen.push_back(QApplication::focusWidget()->metaObject()->className());
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Kim"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else if (deadline.hasExpired()) {
            look.stop();
            if (modal)
                modal->close();
        }
    });
    look.start(10);
    auto w = f.afterGame(1, "0000200040");
    EXPECT_EQ(seen, std::vector<std::string>{"QLineEdit"}); // the prompt starts in its field
    EXPECT_EQ(w->PlayerName(), QStringLiteral("Kim"));
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"Kim", "2", "40"}));
}

TEST(ChampionsKeyboard, TabWalksTheThumbnailsThenClearAndOk) {
    Fixture f;
    auto w = f.viewing(5);
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() != nullptr; }, 5000));
    QStringList order;
    for (int i = 0; i < 23; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QStringList expected;
    for (int v = 0; v < 20; ++v)
        expected << QStringLiteral("imgPattern%1").arg(v);
    expected << "cmdDelHS"
             << "cmdOK"
             << "imgPattern0";
    EXPECT_EQ(order, expected);
}

TEST(ChampionsKeyboard, TheThumbnailsAreARadioGroupMovedByArrowsAndChosenByEnter) {
    Fixture f;
    f.seed(3, {"0000400200Bert"});
    auto w = f.viewing(5);
    w->show();
    QApplication::setActiveWindow(w.get());
    const auto checked = [&w] {
        std::vector<int> found;
        for (int v = 0; v < 20; ++v) {
            QAccessibleInterface* thumbnail = QAccessible::queryAccessibleInterface(
                w->findChild<QLabel*>(QStringLiteral("imgPattern%1").arg(v)));
            EXPECT_EQ(thumbnail->role(), QAccessible::RadioButton) << v;
            if (thumbnail->state().checked)
                found.push_back(v);
        }
        return found;
    };
    EXPECT_EQ(checked(), std::vector<int>{5});
    auto* fifth = w->findChild<QLabel*>(QStringLiteral("imgPattern5"));
    fifth->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fifth->hasFocus(); }, 5000));
    const auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    key(Qt::Key_Left);
    key(Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("imgPattern3"));
    EXPECT_EQ(w->shownVariant(), 5); // moving shows nothing else
    EXPECT_TRUE(f.sounds.empty());
    key(Qt::Key_Return);
    EXPECT_EQ(w->shownVariant(), 3);
    EXPECT_EQ(f.sounds, std::vector<int>{102});
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"Bert", "4", "200"}));
    EXPECT_EQ(checked(), std::vector<int>{3});
    EXPECT_TRUE(w->isVisible());
}

} // namespace marvolen::ui
