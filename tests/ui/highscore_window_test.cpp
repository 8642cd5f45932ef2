// Tests of the champions window: what it shows, and that its clicks, keys and prompt reach the
// ranking; the ranking's rules are tested with it in tests/app.
#include "ui/highscore_window.h"

#include "app_fixture.h"
#include "game/strips.h"
#include "language_table.h"
#include "scores/entry.h"
#include "scores/highscore_file.h"
#include "ui/qt_ports.h"

#include <QAccessible>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "language_table.h"
#include "services_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace marvolen::ui {
namespace {

/// The window's services in a temporary folder, with a small language table, a seeded random
/// generator and ports that record what they were asked.
struct Fixture : test::ServicesFixture {
    Fixture() : ServicesFixture(11, QStringLiteral("0409")) { init(); }
    game::ResultHandover handover;
    QLocale locale{QLocale::English, QLocale::UnitedStates};

    void init() {
        static constexpr const char* kEntries[] = {"0126=Bitte gib deinen Namen ein!",
                                                   "0128=Glückwunsch!",
                                                   "0144=Name",
                                                   "0159=&Löschen",
                                                   "1126=Please enter your name!",
                                                   "1128=Congratulations!",
                                                   "1135=Really delete all entries?",
                                                   "1136=Delete highscore",
                                                   "1144=Name",
                                                   "1159=&Reset"};
        test::useLanguageTable(language, QDir(dir.path()), kEntries);
        language.setLanguageOffset(1000);
        services.dataFolder = dir.filePath("data");
        QDir().mkpath(services.dataFolder);
    }

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
    /// The first entry of variant as the file holds it.
    QByteArray firstStored(int variant) {
        scores::HighscoreFile file(reporter, hscPath(), locale);
        file.setVariant(variant);
        file.GetHS();
        return file.list().at(0);
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

QImage thumbnail(HighscoreWindow& w, int v) {
    return w.findChild<QLabel*>(QStringLiteral("imgPattern%1").arg(v))->pixmap().toImage();
}
QImage stripCell(int cell) {
    return QPixmap(":/res/PIC/layout").copy(game::stripCell(game::kLayoutStrip, cell)).toImage();
}

} // namespace

TEST(ChampionsWindow, ARankedResultIsShownInTheListAfterThePrompt) {
    Fixture f;
    f.seed(4, {"0000200010Bea"});
    f.ports.names = {QStringLiteral("Anna")};
    auto w = f.afterGame(4, "0000300075");

    // The prompt came while the window loaded, before it is shown.
    EXPECT_EQ(f.ports.prompts, std::vector<QString>{"Congratulations!|Please enter your name!"});
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"Bea", "2", "10"}));
    EXPECT_EQ(row(*w, 2), (std::vector<QString>{"Anna", "3", "75"}));
    EXPECT_EQ(row(*w, 3), (std::vector<QString>{"", "", ""}));
    EXPECT_EQ(labelText(*w, "Label1_10"), "10.");
    EXPECT_EQ(f.reporter.count(), 0);
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

TEST(ChampionsVariants, AClickedThumbnailShowsThatVariantsList) {
    Fixture f;
    f.seed(3, {"0000400200Bert"});
    f.ports.names = {QStringLiteral("Anna")};
    auto w = f.afterGame(7, "0000300075");
    EXPECT_EQ(thumbnail(*w, 7), stripCell(27));
    EXPECT_EQ(thumbnail(*w, 3), stripCell(3));
    f.ports.played.clear();

    QTest::mouseClick(w->findChild<QLabel*>("imgPattern3"), Qt::LeftButton);

    EXPECT_EQ(f.ports.played, std::vector<int>{102});
    EXPECT_EQ(w->shownVariant(), 3);
    EXPECT_EQ(w->ranking().file().HSSection(), "m3");
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"Bert", "4", "200"}));
    EXPECT_EQ(thumbnail(*w, 3), stripCell(23));
    EXPECT_EQ(thumbnail(*w, 7), stripCell(7));
    EXPECT_EQ(f.ports.prompts.size(), 1u);

    f.ports.effectsOn = false;
    w->imgPattern_Click(7);
    EXPECT_EQ(f.ports.played.size(), 1u);
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"Anna", "3", "75"}));
}

TEST(ChampionsReset, YesClearsOnlyTheVariantShownAndCloses) {
    Fixture f;
    f.seed(3, {"0000400200Bert"});
    f.seed(7, {"0000300075Anna"});
    auto w = f.viewing(7);
    w->show();
    w->imgPattern_Click(3);
    f.ports.answers = {true};

    w->findChild<QPushButton*>("cmdDelHS")->click();

    EXPECT_EQ(f.ports.questions,
              std::vector<QString>{"Delete highscore|Really delete all entries?"});
    EXPECT_EQ(f.firstStored(3), scores::kPlaceholder);
    EXPECT_EQ(f.firstStored(7), "0000300075Anna");
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Accepted);
}

TEST(ChampionsReset, NoChangesNothing) {
    Fixture f;
    f.seed(3, {"0000400200Bert"});
    const QByteArray before = f.fileBytes();
    auto w = f.viewing(3);
    w->show();
    f.ports.answers = {false};

    w->cmdDelHS_Click();

    EXPECT_EQ(f.ports.questions.size(), 1u);
    EXPECT_EQ(f.fileBytes(), before);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"Bert", "4", "200"}));
    w->close();
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

TEST(ChampionsWindow, ItsPromptAndQuestionsAreModalOverTheWindowThePlayerSees) {
    Fixture f;
    QWidget main;
    main.show();
    QtPorts qt([&main] { return &main; });
    Services services{{f.reporter, f.settings, f.language, f.temp, f.random, f.clock},
                      f.services.localeId,
                      f.services.dataFolder,
                      qt,
                      qt,
                      f.ports,
                      f.ports,
                      f.ports};
    // Answers every dialog of the program with Cancel or No, noting whose it was; after 20
    // seconds it closes whatever modal window is open, so that a dialog never shown fails.
    std::vector<QWidget*> parents;
    QTimer look;
    const QDeadlineTimer deadline(20000);
    QObject::connect(&look, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* prompt = qobject_cast<QInputDialog*>(modal)) {
            parents.push_back(prompt->parentWidget());
            if (auto* field = prompt->findChild<QLineEdit*>())
                QTest::keyClicks(field, QStringLiteral("Kim")); // typed, then cancelled
            prompt->reject();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            parents.push_back(box->parentWidget());
            box->button(QMessageBox::No)->click();
        } else if (deadline.hasExpired() && modal) {
            modal->close();
        }
    });
    look.start(10);

    // The prompt comes before the champions window is shown: it belongs to the main window.
    f.handover.NewResult = "0000200040";
    f.handover.NewResultPending = true;
    HighscoreWindow w(services, f.handover, 1, &main, f.locale);
    ASSERT_EQ(parents, std::vector<QWidget*>{&main});
    EXPECT_EQ(row(w, 1), (std::vector<QString>{"", "2", "40"})); // Cancel enters no name

    w.open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeModalWidget() == &w; }, 5000));
    w.findChild<QPushButton*>("cmdDelHS")->click();
    EXPECT_EQ(parents, (std::vector<QWidget*>{&main, &w}));
    EXPECT_TRUE(w.isVisible()); // No keeps the list and the window
    EXPECT_EQ(row(w, 1), (std::vector<QString>{"", "2", "40"}));
    w.close();
}

TEST(ChampionsKeyboard, ANameIsTypedAndConfirmedWithTheKeysAlone) {
    Fixture f;
    QtPorts qt; // the program's own prompt
    Services services{{f.reporter, f.settings, f.language, f.temp, f.random, f.clock},
                      f.services.localeId,
                      f.services.dataFolder,
                      f.ports,
                      qt,
                      f.ports,
                      f.ports,
                      f.ports};
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
    f.handover.NewResult = "0000200040";
    f.handover.NewResultPending = true;
    auto w = std::make_unique<HighscoreWindow>(services, f.handover, 1, nullptr, f.locale);
    EXPECT_EQ(seen, std::vector<std::string>{"QLineEdit"}); // the prompt starts in its field
    EXPECT_EQ(w->ranking().PlayerName(), QStringLiteral("Kim"));
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
    EXPECT_TRUE(f.ports.played.empty());
    key(Qt::Key_Return);
    EXPECT_EQ(w->shownVariant(), 3);
    EXPECT_EQ(f.ports.played, std::vector<int>{102});
    EXPECT_EQ(row(*w, 1), (std::vector<QString>{"Bert", "4", "200"}));
    EXPECT_EQ(checked(), std::vector<int>{3});
    EXPECT_TRUE(w->isVisible());
}

} // namespace marvolen::ui
