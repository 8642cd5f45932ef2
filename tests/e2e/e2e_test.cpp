// The game played as a player plays it: real windows on an X server, real mouse and keyboard
// through xdotool, real drag and drop and real dialogs.
#include "qstring_printer.h"
#include "ui/about_window.h"
#include "ui/application.h"
#include "scores/scramble.h"
#include "ui/main_window.h"
#include "core/profile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace marvolen;
using namespace marvolen::ui;

namespace {

/// Runs xdotool with the given arguments and keeps the event loop going until it ends.
void xdotool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    p.waitForStarted();
    QElapsedTimer t;
    t.start();
    while (p.state() != QProcess::NotRunning && t.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

/// Lets the program run for a while.
void settle(int ms = 300) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool waitFor(const std::function<bool()>& condition, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!condition() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

QPoint centreOf(QWidget* w, const QRect& local) { return w->mapToGlobal(local.center()); }

void click(const QPoint& at) {
    xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "sleep", "0.1",
             "click", "1"});
    settle(200);
}

void click(QWidget* w) { click(centreOf(w, w->rect())); }

/// Drags with the real mouse from one point to another in small steps. One xdotool run does
/// it all, because the drag runs its own event loop until the button is released.
void drag(const QPoint& from, const QPoint& to) {
    QStringList args{"mousemove", QString::number(from.x()), QString::number(from.y()),
                     "sleep", "0.1", "mousedown", "1", "sleep", "0.2"};
    for (int i = 1; i <= 8; ++i) {
        const QPoint at = from + (to - from) * i / 8;
        args << "mousemove" << QString::number(at.x()) << QString::number(at.y()) << "sleep"
             << "0.05";
    }
    args << "sleep" << "0.2" << "mouseup" << "1";
    xdotool(args);
    settle(300);
}

/// Starts xdotool without waiting: a modal window's own event loop keeps the program running.
void xdotoolDetached(const QStringList& args) { QProcess::startDetached(QStringLiteral("xdotool"), args); }

QStringList moveTo(QWidget* w) {
    const QPoint at = w->mapToGlobal(w->rect().center());
    return {"mousemove", QString::number(at.x()), QString::number(at.y()), "sleep", "0.2"};
}

/// Answers the modal windows as a player would, from a timer that also runs inside their own
/// event loops: what it saw is kept for the test to check.
class Autopilot : public QObject {
public:
    QString playerName = QStringLiteral("Alice");
    int marbleToChoose = 25; ///< picture number
    int boardToChoose = 9;
    QStringList messages;
    QStringList rulesTexts;
    QStringList championNames;

    Autopilot() {
        connect(&m_timer, &QTimer::timeout, this, [this] { look(); });
        m_timer.start(250);
    }

private:
    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        // Marked on the widget itself: a new dialog may reuse a closed one's address.
        if (!modal || !modal->isVisible() || modal->property("autopiloted").toBool())
            return;
        modal->setProperty("autopiloted", true);
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->text();
            xdotoolDetached(moveTo(box) << "key" << "Return");
        } else if (qobject_cast<QInputDialog*>(modal)) {
            // One key per letter, then Return: "type" would take every word after it as text.
            QStringList keys = moveTo(modal) << "key" << "--delay" << "60";
            for (QChar c : playerName)
                keys << QString(c);
            xdotoolDetached(keys << "Return");
        } else if (modal->objectName() == QLatin1String("frmHighscore")) {
            QStringList names;
            for (int i = 1; i <= 10; ++i)
                names << modal->findChild<QLabel*>(QStringLiteral("lblHName%1").arg(i))->text();
            championNames = names;
            xdotoolDetached(moveTo(modal->findChild<QWidget*>(QStringLiteral("cmdOK"))) << "click" << "1");
        } else if (modal->objectName() == QLatin1String("frmPics")) {
            if (auto* rules = modal->findChild<QWidget*>(QStringLiteral("txtHelp")); rules && rules->isVisible()) {
                if (auto* plain = qobject_cast<QPlainTextEdit*>(rules))
                    rulesTexts << plain->toPlainText();
                else if (auto* rich = qobject_cast<QTextEdit*>(rules))
                    rulesTexts << rich->toPlainText();
                xdotoolDetached(moveTo(modal->findChild<QWidget*>(QStringLiteral("cmdOK"))) << "click" << "1");
            } else if (auto* marble = modal->findChild<QWidget*>(QStringLiteral("imgKugelX%1").arg(marbleToChoose - 1));
                       marble && marble->isVisible()) {
                xdotoolDetached(moveTo(marble) << "click" << "1");
            } else if (auto* board = modal->findChild<QWidget*>(QStringLiteral("imgBrett%1").arg(boardToChoose - 1))) {
                xdotoolDetached(moveTo(board) << "click" << "1");
            }
        }
    }

    QTimer m_timer;
};

class EndToEnd : public testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<Application> app;

    void start() {
        QDir().mkpath(dir.filePath("data"));
        QDir().mkpath(dir.filePath("tmp"));
        ApplicationOptions o;
        o.tempBase = dir.filePath("tmp");
        o.dataFolder = dir.filePath("data");
        o.settingsFile = dir.filePath("Marvolen.conf");
        o.localeId = QStringLiteral("0409");
        o.audioDevice = audio::AudioOutput::Device::None;
        o.soundFont = dir.filePath("none.sf2");
        o.openUrl = [](const QUrl&) {};
        app = std::make_unique<Application>(o);
        app->Main();
        ASSERT_TRUE(waitFor([&] { return app->startWindow() && app->startWindow()->isVisible(); }));
        settle(500);
    }

    MainWindow& openGame() {
        start();
        auto* ok = app->startWindow()->findChild<QPushButton*>(QStringLiteral("ok"));
        EXPECT_TRUE(waitFor([&] { return ok->isVisible(); }));
        click(ok);
        EXPECT_TRUE(waitFor([&] { return app->mainWindow()->isVisible(); }));
        settle(500);
        return *app->mainWindow();
    }

    QString setting(const char* key) {
        QSettings s(dir.filePath("Marvolen.conf"), QSettings::IniFormat);
        return s.value(QStringLiteral("Optionen/") + QLatin1String(key)).toString();
    }
};

QPoint marbleAt(MainWindow& w, int p) { return centreOf(&w.board(), w.board().marbleRect(p)); }

} // namespace

TEST_F(EndToEnd, AFlagInTheStartWindowThenOkOpensTheGameInThatLanguage) {
    start();
    AboutWindow* about = app->startWindow();
    click(about->findChild<QWidget*>(QStringLiteral("imgLang6")));
    EXPECT_EQ(setting("Sprache"), QStringLiteral("6000"));
    auto* ok = about->findChild<QPushButton*>(QStringLiteral("ok"));
    ASSERT_TRUE(waitFor([&] { return ok->isVisible(); }));
    click(ok);
    ASSERT_TRUE(waitFor([&] { return app->mainWindow()->isVisible(); }));
    EXPECT_EQ(app->mainWindow()->button(0)->toolTip(), QStringLiteral("Démarrer une partie"));
    EXPECT_EQ(setting("Layout"), QStringLiteral("4"));
}

TEST_F(EndToEnd, MarblesAreDraggedWithTheRealMouse) {
    MainWindow& w = openGame();
    click(w.button(0)); // Start
    ASSERT_EQ(w.model().MarbleCount(), 32);
    drag(marbleAt(w, 10), centreOf(&w.board(), w.board().holeRect(24)));
    EXPECT_EQ(w.model().MarbleCount(), 31) << w.board().stateText().toStdString();
    EXPECT_FALSE(w.model().marble(17));
    EXPECT_TRUE(w.model().marble(24));
    // An illegal drop puts the marble back.
    drag(marbleAt(w, 2), centreOf(&w.board(), w.board().holeRect(17)) + QPoint(0, 0));
    EXPECT_EQ(w.model().MarbleCount(), 31);
    EXPECT_TRUE(w.model().marble(2));
    // Released over the panel it stays hidden until the pointer returns to the board.
    drag(marbleAt(w, 26), centreOf(w.button(0), w.button(0)->rect()));
    EXPECT_FALSE(w.model().marble(26));
    xdotool({"mousemove", QString::number(marbleAt(w, 30).x()), QString::number(marbleAt(w, 30).y())});
    settle(300);
    EXPECT_TRUE(w.model().marble(26));
    EXPECT_EQ(w.model().MarbleCount(), 31);
}

/// Waits out the click rule between two command buttons.
void pauseBetweenClicks() { settle(1000); }

TEST_F(EndToEnd, AWholeGameEndsInTheChampionsListWithTheTypedName) {
    Autopilot pilot;
    MainWindow& w = openGame();
    click(w.findChild<QWidget*>(QStringLiteral("imgLoff0"))); // the small 21-hole variant
    ASSERT_EQ(w.model().VariantNumber(), 0);
    click(w.button(0));
    ASSERT_EQ(w.model().MarbleCount(), 20);
    // Any legal jump, until none is left: the end comes from the game itself.
    for (int move = 0; move < 25; ++move) {
        int source = -1, target = -1;
        for (int s = 0; s < 49 && source < 0; ++s)
            for (int t = 0; t < 49; ++t)
                if (w.model().marble(s) && w.model().canJump(s, t)) {
                    source = s;
                    target = t;
                    break;
                }
        if (source < 0) {
            ASSERT_GT(move, 0);
            break; // no jump left: the game has ended
        }
        const int before = w.model().MarbleCount();
        drag(marbleAt(w, source), centreOf(&w.board(), w.board().holeRect(target)));
        ASSERT_TRUE(waitFor([&] { return w.model().MarbleCount() == before - 1; }))
            << "move " << move << " from " << source << " to " << target << "\n"
            << w.board().stateText().toStdString();
        waitFor([&] { return !QApplication::activeModalWidget(); }, 15000);
    }
    ASSERT_TRUE(w.model().GameOver());
    ASSERT_TRUE(waitFor([&] { return !pilot.championNames.isEmpty(); }, 15000))
        << "messages: " << pilot.messages.join(" | ").toStdString() << " modal: "
        << (QApplication::activeModalWidget() ? QApplication::activeModalWidget()->metaObject()->className() : "none");
    EXPECT_EQ(pilot.messages.value(0), QStringLiteral("No more possible moves!"));
    EXPECT_EQ(pilot.championNames.value(0), QStringLiteral("Alice"));
    for (int i = 1; i < 10; ++i)
        EXPECT_EQ(pilot.championNames.value(i), QString()) << i;

    // The file holds the scrambled entry of the variant played, ranks 1 to 10.
    const QString file = dir.filePath("data/Marvolen.hsc");
    const QByteArray bytes = profile::readFile(file).value_or(QByteArray());
    ASSERT_TRUE(bytes.startsWith("[m0]\r\n")) << bytes.toStdString();
    for (int rank = 1; rank <= 10; ++rank)
        EXPECT_TRUE(profile::findValue(bytes, "m0", QByteArray::number(rank)).has_value()) << rank;
    const QByteArray first = scores::ConvBack(*profile::findValue(bytes, "m0", "1"));
    EXPECT_EQ(first, w.model().handover().NewResult + "Alice");
    EXPECT_EQ(scores::ConvBack(*profile::findValue(bytes, "m0", "2")), QByteArray("9999999999 "));
}

TEST_F(EndToEnd, ChosenPicturesAreKeptAfterARestart) {
    Autopilot pilot;
    MainWindow& w = openGame();
    click(w.button(4)); // choose marbles
    ASSERT_TRUE(waitFor([&] { return w.session().MarblePicture() == 25; }));
    pauseBetweenClicks();
    click(w.button(5)); // choose board
    ASSERT_TRUE(waitFor([&] { return w.session().BoardPicture() == 9; }));
    EXPECT_EQ(setting("Kugel"), QStringLiteral("25"));
    EXPECT_EQ(setting("Board"), QStringLiteral("9"));
    app.reset();
    MainWindow& again = openGame();
    EXPECT_EQ(again.session().MarblePicture(), 25);
    EXPECT_EQ(again.session().BoardPicture(), 9);
}

TEST_F(EndToEnd, TheRulesAreShownInTheChosenLanguage) {
    Autopilot pilot;
    MainWindow& w = openGame();
    click(w.button(2));
    ASSERT_TRUE(waitFor([&] { return pilot.rulesTexts.size() == 1; }));
    waitFor([&] { return !QApplication::activeModalWidget(); });
    click(w.findChild<QWidget*>(QStringLiteral("imgLang0")));
    pauseBetweenClicks();
    click(w.button(2));
    ASSERT_TRUE(waitFor([&] { return pilot.rulesTexts.size() == 2; }));
    EXPECT_TRUE(pilot.rulesTexts[0].startsWith(QStringLiteral("Rules of the game\n") + QString(27, '-')));
    EXPECT_TRUE(pilot.rulesTexts[1].startsWith(QStringLiteral("Spielregeln\n") + QString(18, '-')));
}

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
