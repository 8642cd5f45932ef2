// Tests of the About window: start window and About box, the language choices, OK and the link.
#include "ui/about_window.h"
#include "ui/theme.h"
#include "ui/ui_config.h"

#include "language_table.h"
#include "services_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace marvolen::ui {
namespace {

const char* const kTable[] = {
    "0102 = Weitere Informationen siehe readme.htm!\t",
    "1102 = For more information see readme.htm!\t",
    "6102 = Pour plus d'information voir readme.htm!",
};
const QString kGerman = QStringLiteral("Weitere Informationen siehe readme.htm!");
const QString kEnglish = QStringLiteral("For more information see readme.htm!");
const QString kFrench = QStringLiteral("Pour plus d'information voir readme.htm!");

/// Everything a window needs, in a temporary folder: settings, a small language table, a
/// reporter that answers Cancel, and counters for the main window and the desktop.
struct Fixture : test::ServicesFixture {
    int mainShown = 0;
    bool mainVisible = false;
    int ends = 0;
    QList<QUrl>& opened = ports.opened;

    explicit Fixture(const QString& localeId = QStringLiteral("0409")) {
        test::useLanguageTable(language, dir.path(), kTable);
        services.localeId = localeId;
        services.dataFolder = dir.path();
    }

    /// The program's side: the main window's state and the end of the program, counted.
    struct Host : MainWindowHost {
        explicit Host(Fixture& f) : f(f) {}
        bool mainWindowVisible() const override { return f.mainVisible; }
        bool mainWindowShown() const override { return f.mainWindowShown; }
        void showMainWindow() override {
            ++f.mainShown;
            f.mainVisible = true;
            f.mainWindowShown = true;
        }
        void startWindowClosedWithoutOk() override { ++f.ends; }
        Fixture& f;
    } host{*this};
    bool mainWindowShown = false;

    std::unique_ptr<AboutWindow> window() { return std::make_unique<AboutWindow>(services, host); }

    QString stored(const char* key) const { return settings.rawText(key); }
};

QLabel* label(AboutWindow& w, const char* name) {
    return w.findChild<QLabel*>(name);
}
QPushButton* ok(AboutWindow& w) {
    return w.findChild<QPushButton*>("ok");
}
QToolButton* flag(AboutWindow& w, int index) {
    return w.findChild<QToolButton*>(QStringLiteral("imgLang%1").arg(index));
}

} // namespace

TEST(AboutWindowLoad, StartWindowShowsFlagsAndGetsOkOnlyOnceTheMainWindowHasLoaded) {
    Fixture f;
    auto w = f.window();
    for (int index : {0, 1, 2, 3, 6})
        EXPECT_TRUE(flag(*w, index)->isVisibleTo(w.get())) << index;
    EXPECT_FALSE(ok(*w)->isVisibleTo(w.get()));

    w->setBusy(true);
    EXPECT_EQ(w->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(label(*w, "lblHomepage")->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(flag(*w, 6)->cursor().shape(), Qt::WaitCursor);
    w->setBusy(false);
    w->showOk();
    EXPECT_NE(w->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(label(*w, "lblHomepage")->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(ok(*w)->isVisibleTo(w.get()));
    EXPECT_EQ(ok(*w)->text(), QStringLiteral("&OK"));
}

TEST(AboutWindowLoad, AboutBoxShowsOkAndNoFlags) {
    Fixture f;
    f.mainWindowShown = true;
    auto w = f.window();
    EXPECT_TRUE(ok(*w)->isVisibleTo(w.get()));
    for (int index : {0, 1, 2, 3, 6})
        EXPECT_FALSE(flag(*w, index)->isVisibleTo(w.get())) << index;
}

TEST(AboutWindowLoad, ShowsTheVersionLineWithoutATitle) {
    // Version 1.0.0: the major number as it is, the minor with two digits, the revision with
    // four, after the title and three blanks.
    ASSERT_TRUE(kVersionMajor == 1 && kVersionMinor == 0 && kVersionRevision == 0)
        << "the expected version line below belongs to version 1.0.0";
    Fixture f;
    auto w = f.window();
    EXPECT_EQ(label(*w, "Label0")->text(), QStringLiteral("Marvolen   1.00.0000"));
    EXPECT_TRUE(w->windowTitle().isEmpty());
    EXPECT_EQ(w->accessibleName(), QStringLiteral("Marvolen"));
}

TEST(AboutWindowLoad, FlagsCarryTheirLanguageNames) {
    Fixture f;
    auto w = f.window();
    const std::pair<int, const char*> names[] = {
        {0, "Deutsch"}, {1, "English"}, {2, "Español"}, {3, "Italiano"}, {6, "Français"}};
    for (const auto& [index, name] : names) {
        EXPECT_EQ(flag(*w, index)->toolTip(), QString::fromUtf8(name));
        EXPECT_EQ(flag(*w, index)->accessibleName(), QString::fromUtf8(name));
    }
}

// The choice itself (locale, stored forms, start count) is the language library's; the window
// shows what it chose, in its text and its checked flag.
TEST(AboutWindowActivate, ShowsTheLanguageChosenAtTheFirstAndAtLaterStarts) {
    Fixture f(QStringLiteral("0409"));
    auto w = f.window();
    w->Form_Activate();
    EXPECT_EQ(f.stored("Sprache"), QStringLiteral("1000"));
    EXPECT_EQ(label(*w, "Label3")->text(), kEnglish);
    EXPECT_TRUE(flag(*w, 1)->isChecked());

    f.store.setValue("Optionen/Sprache", " 6000");
    w->Form_Activate();
    EXPECT_EQ(f.stored("StartVal"), QStringLiteral("2"));
    EXPECT_EQ(label(*w, "Label3")->text(), kFrench);
    EXPECT_TRUE(flag(*w, 6)->isChecked());
    EXPECT_FALSE(flag(*w, 1)->isChecked());
    EXPECT_EQ(f.reporter.count(), 0);
}

TEST(AboutWindowActivate, ShowingTheWindowMakesTheFirstChoiceOnce) {
    Fixture f(QStringLiteral("0407"));
    auto w = f.window();
    w->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return label(*w, "Label3")->text() == kGerman; }, 20000));
    EXPECT_EQ(f.stored("StartVal"), QStringLiteral("1"));
    // Coming to the front, however often, adds no second choice while the window stays shown.
    QEvent back(QEvent::WindowActivate);
    QApplication::sendEvent(w.get(), &back);
    QApplication::sendEvent(w.get(), &back);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(f.stored("StartVal"), QStringLiteral("1"));
    w->hide();
}

TEST(AboutWindowActivate, ComingBackToTheFrontDoesNotRepeatAFailingChoice) {
    Fixture f;
    f.store.setValue("Optionen/StartVal", "lots");
    auto w = f.window();
    w->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.reporter.count() > 0; }, 20000));
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(f.reporter.count(), 1);
    // The error window took the front and gave it back.
    QEvent away(QEvent::WindowDeactivate);
    QEvent back(QEvent::WindowActivate);
    QApplication::sendEvent(w.get(), &away);
    QApplication::sendEvent(w.get(), &back);
    EXPECT_EQ(f.reporter.count(), 1);

    // Shown again, the window makes its choice again.
    w->hide();
    w->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.reporter.count() > 1; }, 20000));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(f.reporter.count(), 2);
    w->hide();
}

TEST(AboutWindowActivate, CancelOnAFailingChoiceLeavesTheHandlerBeforeItsText) {
    Fixture f;
    f.store.setValue("Optionen/StartVal", "lots");
    auto w = f.window();
    w->Form_Activate();
    ASSERT_EQ(f.reporter.count(), 1);
    EXPECT_EQ(f.stored("StartVal"), QStringLiteral("lots"));
    EXPECT_TRUE(label(*w, "Label3")->text().isEmpty()); // Cancel left before Sprache
}

// What the first choice reports of such a store is the language library's.
TEST(AboutWindowSettings, AStoreThatCannotBeReadOrWrittenIsReportedAndTheGameGoesOn) {
    Fixture f(QStringLiteral("0407"));
    // A folder has taken the settings file's name: nothing can be read or written.
    const QString blocked = f.dir.filePath("blocked.conf");
    ASSERT_TRUE(QDir().mkdir(blocked));
    QSettings store(blocked, QSettings::IniFormat);
    game::SettingsStore settings(store);
    FixedReporter ignore(Answer::Ignore);
    Services services{{ignore, settings, f.language, f.temp, f.random, f.clock},
                      f.services.localeId,
                      f.services.dataFolder,
                      f.ports,
                      f.ports,
                      f.ports,
                      f.ports,
                      f.ports};
    AboutWindow w(services, f.host);

    w.Form_Activate();
    ASSERT_GT(ignore.count(), 0);
    // Ignored, the failures leave the locale's choice shown for this run.
    EXPECT_EQ(label(w, "Label3")->text(), kGerman);

    const int before = ignore.count();
    w.imgLang_Click(6);
    ASSERT_EQ(ignore.count(), before + 1);
    EXPECT_EQ(ignore.last().number, 75);
    EXPECT_EQ(ignore.last().procedure, QStringLiteral("imgLang_Click"));
    EXPECT_EQ(ignore.last().line, 50050);
    EXPECT_EQ(label(w, "Label3")->text(), kFrench);
    EXPECT_TRUE(QFileInfo(blocked).isDir());
}

TEST(AboutWindowFlags, TheFlagOfTheCurrentLanguageStoresNothing) {
    Fixture f;
    auto w = f.window();
    w->Form_Activate();
    f.store.remove("Optionen/Sprache");
    flag(*w, 1)->click();
    EXPECT_TRUE(f.stored("Sprache").isNull());
    EXPECT_EQ(f.language.LanguageOffset(), 1000);
    EXPECT_TRUE(flag(*w, 1)->isChecked());
}

TEST(AboutWindowFlags, TheFrenchFlagStoresItPlainlyAndShowsFrenchWithoutASound) {
    Fixture f;
    auto w = f.window();
    w->Form_Activate();
    flag(*w, 6)->click();
    EXPECT_EQ(f.language.LanguageOffset(), 6000);
    EXPECT_EQ(f.stored("Sprache"), QStringLiteral("6000"));
    EXPECT_EQ(label(*w, "Label3")->text(), kFrench);
    EXPECT_TRUE(f.ports.played.empty());

    // The next start shows French.
    Fixture next;
    next.store.setValue("Optionen/StartVal", f.stored("StartVal"));
    next.store.setValue("Optionen/Sprache", f.stored("Sprache"));
    auto again = next.window();
    again->Form_Activate();
    EXPECT_EQ(label(*again, "Label3")->text(), kFrench);
}

TEST(AboutWindowFlags, AnIndexWithoutAFlagIsReported) {
    Fixture f;
    auto w = f.window();
    w->imgLang_Click(4);
    ASSERT_EQ(f.reporter.count(), 1);
    EXPECT_EQ(f.reporter.last().number, 340);
    EXPECT_EQ(f.reporter.last().procedure, QStringLiteral("imgLang_Click"));
    EXPECT_TRUE(f.stored("Sprache").isNull());
}

TEST(AboutWindowOk, ShowsTheMainWindowOnceAndCloses) {
    Fixture f;
    auto w = f.window();
    w->show();
    w->showOk();
    QTest::mouseClick(ok(*w), Qt::LeftButton);
    EXPECT_EQ(f.mainShown, 1);
    EXPECT_TRUE(f.mainWindowShown);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(f.ends, 0);

    // Opened again later as the About box: OK leaves the main window as it was.
    auto box = f.window();
    box->show();
    box->OK_Click();
    EXPECT_EQ(f.mainShown, 1);
    EXPECT_FALSE(box->isVisible());
}

TEST(AboutWindowOk, AVisibleMainWindowIsNotShownAgain) {
    Fixture f;
    f.mainVisible = true;
    auto w = f.window();
    w->OK_Click();
    EXPECT_EQ(f.mainShown, 0);
    EXPECT_FALSE(f.mainWindowShown);
}

TEST(AboutWindowClose, ClosingTheStartWindowOtherwiseEndsTheProgramAndTheAboutBoxJustCloses) {
    struct Case {
        const char* what;
        bool aboutBox;
        bool byEscape;
        int ends;
    };
    const Case cases[] = {{"start window, Escape", false, true, 1},
                          {"start window, close button", false, false, 1},
                          {"About box, Escape", true, true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        f.mainWindowShown = c.aboutBox;
        auto w = f.window();
        w->show();
        if (c.byEscape)
            QTest::keyClick(w.get(), Qt::Key_Escape);
        else
            w->close();
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(f.ends, c.ends);
        EXPECT_EQ(f.mainShown, 0);
    }
}

TEST(AboutWindowLink, TurnsRedOnPressAndBlueOnReleaseAndOpensThePageWhenReleasedOnIt) {
    for (bool releasedOnIt : {true, false}) {
        SCOPED_TRACE(releasedOnIt ? "released on the link" : "released outside");
        Fixture f;
        auto w = f.window();
        w->show();
        QLabel* link = label(*w, "lblHomepage");
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->text(), QString::fromUtf8(kHomepage));
        EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 192));
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);

        const QPoint inside = link->rect().center();
        QTest::mousePress(link, Qt::LeftButton, {}, inside);
        EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        EXPECT_TRUE(f.opened.isEmpty());
        QTest::mouseRelease(link, Qt::LeftButton, {},
                            releasedOnIt ? inside : link->rect().bottomRight() + QPoint(40, 40));
        EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        EXPECT_EQ(f.opened,
                  releasedOnIt ? QList<QUrl>{QUrl(QString::fromUtf8(kHomepage))} : QList<QUrl>{});
    }
}

TEST(AboutWindowKeyboard, TabReachesTheLinkTheFlagsAndOk) {
    Fixture f;
    auto w = f.window();
    w->show();
    w->showOk();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == ok(*w); }, 5000));
    QStringList order;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order, (QStringList{"lblHomepage", "imgLang0", "imgLang1", "imgLang2", "imgLang3",
                                  "imgLang6", "ok"}));
    QTest::keyClick(ok(*w), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), flag(*w, 6));
}

TEST(AboutWindowKeyboard, TheFlagsAreARadioGroupAndEnterChoosesAFlagNotOk) {
    Fixture f;
    auto w = f.window();
    w->show();
    w->Form_Activate();
    w->showOk(); // the main window has loaded: OK is the default button
    QApplication::setActiveWindow(w.get());
    for (int index : {0, 1, 2, 3, 6}) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(flag(*w, index));
        EXPECT_EQ(a->role(), QAccessible::RadioButton) << index;
        EXPECT_EQ(a->state().checked, index == 1) << index;
    }
    flag(*w, 3)->setFocus(Qt::TabFocusReason);
    const auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    key(Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), flag(*w, 6));
    key(Qt::Key_Down); // round to the first
    EXPECT_EQ(QApplication::focusWidget(), flag(*w, 0));
    key(Qt::Key_Left);
    key(Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), flag(*w, 3));
    EXPECT_EQ(f.language.LanguageOffset(), 1000); // moving chooses nothing
    key(Qt::Key_Right);
    key(Qt::Key_Return);
    EXPECT_EQ(f.language.LanguageOffset(), 6000);
    EXPECT_EQ(f.stored("Sprache"), QStringLiteral("6000"));
    EXPECT_EQ(label(*w, "Label3")->text(), kFrench);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(flag(*w, 6))->state().checked);
    EXPECT_EQ(f.mainShown, 0); // Enter on a flag is no OK
    EXPECT_TRUE(w->isVisible());
    key(Qt::Key_Left);
    key(Qt::Key_Space);
    EXPECT_EQ(f.language.LanguageOffset(), 3000);
    EXPECT_TRUE(f.ports.played.empty());
}

TEST(AboutWindowKeyboard, OnlyAFlagReachedByTheKeyboardWearsACyanRing) {
    Fixture f;
    auto w = f.window();
    w->show();
    QApplication::setActiveWindow(w.get());
    const auto edge = [&w](int index) {
        const QImage image = flag(*w, index)->grab().toImage();
        return image.pixelColor(1, image.height() / 2);
    };
    flag(*w, 3)->setFocus(Qt::OtherFocusReason); // as the start window focuses a flag
    ASSERT_TRUE(QTest::qWaitFor([&] { return flag(*w, 3)->hasFocus(); }, 5000));
    EXPECT_NE(edge(3), theme::kCyan);
    QTest::keyClick(flag(*w, 3), Qt::Key_Tab);
    ASSERT_TRUE(flag(*w, 6)->hasFocus());
    EXPECT_EQ(edge(6), theme::kCyan);
    EXPECT_NE(edge(3), theme::kCyan);
}

TEST(AboutWindowKeyboard, SpaceOnTheLinkIsAWholeClick) {
    Fixture f;
    auto w = f.window();
    w->show();
    QLabel* link = label(*w, "lblHomepage");
    link->setFocus(Qt::TabFocusReason);
    QTest::keyClick(link, Qt::Key_Space);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    ASSERT_EQ(f.opened.size(), 1);
    QTest::keyClick(link, Qt::Key_Return);
    EXPECT_EQ(f.opened.size(), 2);
}

} // namespace marvolen::ui
