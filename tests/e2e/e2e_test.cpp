// The game played as a player plays it: real windows on an X server, real mouse and keyboard
// through xdotool, real drag and drop and real dialogs.
#include "core/profile.h"
#include "qstring_printer.h"
#include "scores/scramble.h"
#include "ui/about_window.h"
#include "ui/application.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

using namespace marvolen;
using namespace marvolen::ui;

namespace {

/// Long enough for a loaded machine: every wait below ends as soon as its condition holds.
constexpr int kDeadline = 20000;

/// Runs the event loop, looking at the condition every 10 ms, until it holds or the deadline
/// passes. Modal windows run their own loops inside; should the deadline pass while one is
/// open, it is closed so that the failing test ends instead of hanging.
bool waitFor(const std::function<bool()>& condition, int ms = kDeadline) {
    if (condition())
        return true;
    const QDeadlineTimer deadline(ms);
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (condition()) {
            loop.quit();
        } else if (deadline.hasExpired()) {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "waited in vain with " << modal->metaObject()->className() << " '"
                              << modal->objectName().toStdString() << "' open; closing it";
                modal->close();
            }
            loop.quit();
        }
    });
    look.start(10);
    loop.exec();
    return condition();
}

/// Runs xdotool with the given arguments and keeps the event loop going until it ends.
void xdotool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    ASSERT_TRUE(p.waitForStarted()) << "xdotool did not start";
    ASSERT_TRUE(waitFor([&] { return p.state() == QProcess::NotRunning; }))
        << "xdotool " << args.join(' ').toStdString();
}

/// Starts xdotool without waiting: a modal window's own event loop keeps the program running.
void xdotoolDetached(const QStringList& args) {
    QProcess::startDetached(QStringLiteral("xdotool"), args);
}

QStringList moveArgs(const QPoint& at) {
    return {"mousemove", QString::number(at.x()), QString::number(at.y())};
}

/// Moves the real pointer and waits until the X server has it there.
void movePointer(const QPoint& at) {
    xdotool(moveArgs(at));
    EXPECT_TRUE(waitFor([&] { return QCursor::pos() == at; })) << at.x() << "," << at.y();
}

/// Where a widget's middle is on the screen, once pending layouts have placed it.
QPoint centreOf(QWidget* w, const QRect& local) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    return w->mapToGlobal(local.center());
}
QPoint centreOf(QWidget* w) {
    return centreOf(w, w->rect());
}

/// Remembers where the pointer was when the program last handled a motion from the X server.
/// The X server hands events over in order, so once the program has seen a motion, it has
/// handled every click and drag that came before it.
class PointerWatcher : public QObject {
  public:
    PointerWatcher() { qApp->installEventFilter(this); }
    ~PointerWatcher() override { qApp->removeEventFilter(this); }
    QPoint lastMotion{-1, -1};

  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseMove && e->spontaneous())
            lastMotion = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
        return false;
    }
};

void click(const QPoint& at) {
    movePointer(at);
    xdotool({"click", "1"});
}

void click(QWidget* w) {
    ASSERT_NE(w, nullptr);
    click(centreOf(w));
}

/// Drags with the real mouse from one point to another in small steps. One xdotool run does
/// it all, because the drag runs its own event loop until the button is released; the X
/// server keeps the steps in order, so nothing has to wait between them.
void drag(const QPoint& from, const QPoint& to) {
    movePointer(from);
    QStringList args{"mousedown", "1"};
    for (int i = 1; i <= 8; ++i)
        args << moveArgs(from + (to - from) * i / 8);
    args << "mouseup"
         << "1";
    xdotool(args);
}

/// The game ignores a command click less than 0.864 s after the last one it took. Started
/// once the last command had shown its effect, this clock says when a new click counts.
void waitOutTheClickRule(const QElapsedTimer& sinceLastCommand) {
    EXPECT_TRUE(waitFor([&] { return sinceLastCommand.elapsed() >= 900; }));
}

bool exposed(QWidget* w) {
    return w && w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed();
}

/// Answers the modal windows as a player would, from a timer that also runs inside their own
/// event loops: what it saw is kept for the test to check. It first moves the pointer onto the
/// window and answers only once the pointer is there, so that keys go to that window.
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
        m_timer.start(50);
    }

  private:
    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        // Marked on the widget itself: a new dialog may reuse a closed one's address.
        if (!exposed(modal) || modal->property("autopiloted").toBool())
            return;
        if (m_waiting == modal) {
            if (QCursor::pos() != m_at)
                return;
            modal->setProperty("autopiloted", true);
            m_waiting = nullptr;
            xdotoolDetached(m_answer);
            return;
        }
        QWidget* target = modal;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->text();
            m_answer = {"key", "Return"};
        } else if (qobject_cast<QInputDialog*>(modal)) {
            // One key per letter, then Return: "type" would take every word after it as text.
            m_answer = {"key"};
            for (QChar c : playerName)
                m_answer << QString(c);
            m_answer << "Return";
        } else if (modal->objectName() == QLatin1String("frmHighscore")) {
            QStringList names;
            for (int i = 1; i <= 10; ++i)
                names << modal->findChild<QLabel*>(QStringLiteral("lblHName%1").arg(i))->text();
            championNames = names;
            target = modal->findChild<QWidget*>(QStringLiteral("cmdOK"));
            m_answer = {"click", "1"};
        } else if (modal->objectName() == QLatin1String("frmPics")) {
            m_answer = {"click", "1"};
            if (auto* rules = modal->findChild<QWidget*>(QStringLiteral("txtHelp"));
                rules && rules->isVisible()) {
                if (auto* plain = qobject_cast<QPlainTextEdit*>(rules))
                    rulesTexts << plain->toPlainText();
                else if (auto* rich = qobject_cast<QTextEdit*>(rules))
                    rulesTexts << rich->toPlainText();
                target = modal->findChild<QWidget*>(QStringLiteral("cmdOK"));
            } else if (auto* marble = modal->findChild<QWidget*>(
                           QStringLiteral("imgKugelX%1").arg(marbleToChoose - 1));
                       marble && marble->isVisible()) {
                target = marble;
            } else {
                target =
                    modal->findChild<QWidget*>(QStringLiteral("imgBrett%1").arg(boardToChoose - 1));
            }
        } else {
            return;
        }
        if (!target)
            return;
        m_waiting = modal;
        m_at = centreOf(target);
        xdotoolDetached(moveArgs(m_at));
    }

    QTimer m_timer;
    QPointer<QWidget> m_waiting; ///< the window whose answer waits for the pointer
    QPoint m_at;
    QStringList m_answer;
};

class EndToEnd : public testing::Test {
  protected:
    QTemporaryDir dir;
    PointerWatcher pointer;
    /// No browser or mail program opens during the tests.
    struct : marvolen::app::Desktop {
        void openUrl(const QUrl&) override {}
    } desktop;
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
        o.desktop = &desktop;
        app = std::make_unique<Application>(o);
        app->Main();
        ASSERT_TRUE(waitFor([&] { return exposed(app->startWindow()); }));
    }

    MainWindow& openGame() {
        start();
        auto* ok = app->startWindow()->findChild<QPushButton*>(QStringLiteral("ok"));
        EXPECT_TRUE(waitFor([&] { return ok->isVisible(); }));
        click(ok);
        EXPECT_TRUE(waitFor([&] { return exposed(app->mainWindow()); }));
        return *app->mainWindow();
    }

    /// Waits until the program has handled all the mouse input given so far: the pointer moves
    /// a few pixels, within the same window, and the program must see that motion.
    bool allInputHandled() {
        const QPoint at = QCursor::pos() + QPoint(3, 3);
        xdotool(moveArgs(at));
        return waitFor([&] { return pointer.lastMotion == at; });
    }

    QString setting(const char* key) {
        QSettings s(dir.filePath("Marvolen.conf"), QSettings::IniFormat);
        return s.value(QStringLiteral("Optionen/") + QLatin1String(key)).toString();
    }
};

QPoint marbleAt(MainWindow& w, int p) {
    return centreOf(&w.board(), w.board().marbleRect(p));
}

} // namespace

TEST_F(EndToEnd, AFlagInTheStartWindowThenOkOpensTheGameInThatLanguage) {
    start();
    AboutWindow* about = app->startWindow();
    click(about->findChild<QWidget*>(QStringLiteral("imgLang6")));
    EXPECT_TRUE(waitFor([&] { return setting("Sprache") == QStringLiteral("6000"); }))
        << setting("Sprache").toStdString();
    auto* ok = about->findChild<QPushButton*>(QStringLiteral("ok"));
    ASSERT_TRUE(waitFor([&] { return ok->isVisible(); }));
    click(ok);
    ASSERT_TRUE(waitFor([&] { return exposed(app->mainWindow()); }));
    EXPECT_EQ(app->mainWindow()->button(0)->toolTip(), QStringLiteral("Démarrer une partie"));
    EXPECT_TRUE(waitFor([&] { return setting("Layout") == QStringLiteral("4"); }))
        << setting("Layout").toStdString();
}

TEST_F(EndToEnd, MarblesAreDraggedWithTheRealMouse) {
    MainWindow& w = openGame();
    click(w.button(0)); // Start
    ASSERT_TRUE(allInputHandled());
    ASSERT_EQ(w.model().MarbleCount(), 32);
    drag(marbleAt(w, 10), centreOf(&w.board(), w.board().holeRect(24)));
    ASSERT_TRUE(waitFor([&] { return w.model().MarbleCount() == 31; }))
        << w.board().stateText().toStdString();
    EXPECT_FALSE(w.model().marble(17));
    EXPECT_TRUE(w.model().marble(24));
    // An illegal drop puts the marble back.
    drag(marbleAt(w, 2), centreOf(&w.board(), w.board().holeRect(17)));
    ASSERT_TRUE(allInputHandled());
    EXPECT_EQ(w.model().MarbleCount(), 31);
    EXPECT_TRUE(w.model().marble(2));
    // Released over the panel it stays hidden until the pointer returns to the board.
    drag(marbleAt(w, 26), centreOf(w.button(0)));
    ASSERT_TRUE(allInputHandled());
    EXPECT_FALSE(w.model().marble(26));
    movePointer(marbleAt(w, 30));
    EXPECT_TRUE(waitFor([&] { return w.model().marble(26); }));
    EXPECT_EQ(w.model().MarbleCount(), 31);
}

TEST_F(EndToEnd, AWholeGameEndsInTheChampionsListWithTheTypedName) {
    Autopilot pilot;
    MainWindow& w = openGame();
    click(w.findChild<QWidget*>(QStringLiteral("imgLoff0"))); // the small 21-hole variant
    ASSERT_TRUE(waitFor([&] { return w.model().VariantNumber() == 0; }));
    click(w.button(0));
    ASSERT_TRUE(allInputHandled());
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
        ASSERT_TRUE(waitFor([&] { return !QApplication::activeModalWidget(); }));
    }
    ASSERT_TRUE(w.model().GameOver());
    ASSERT_TRUE(waitFor([&] { return !pilot.championNames.isEmpty(); }))
        << "messages: " << pilot.messages.join(" | ").toStdString() << " modal: "
        << (QApplication::activeModalWidget()
                ? QApplication::activeModalWidget()->metaObject()->className()
                : "none");
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
    QElapsedTimer sinceChoice;
    sinceChoice.start();
    ASSERT_TRUE(waitFor([&] { return !QApplication::activeModalWidget(); }));
    waitOutTheClickRule(sinceChoice);
    click(w.button(5)); // choose board
    ASSERT_TRUE(waitFor([&] { return w.session().BoardPicture() == 9; }));
    EXPECT_TRUE(waitFor([&] { return setting("Kugel") == QStringLiteral("25"); }))
        << setting("Kugel").toStdString();
    EXPECT_TRUE(waitFor([&] { return setting("Board") == QStringLiteral("9"); }))
        << setting("Board").toStdString();
    ASSERT_TRUE(waitFor([&] { return !QApplication::activeModalWidget(); }));
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
    QElapsedTimer sinceRules;
    sinceRules.start();
    ASSERT_TRUE(waitFor([&] { return !QApplication::activeModalWidget(); }));
    click(w.findChild<QWidget*>(QStringLiteral("imgLang0")));
    ASSERT_TRUE(waitFor([&] { return w.button(0)->toolTip() == QStringLiteral("Spiel starten"); }));
    waitOutTheClickRule(sinceRules);
    click(w.button(2));
    ASSERT_TRUE(waitFor([&] { return pilot.rulesTexts.size() == 2; }));
    EXPECT_TRUE(
        pilot.rulesTexts[0].startsWith(QStringLiteral("Rules of the game\n") + QString(27, '-')));
    EXPECT_TRUE(pilot.rulesTexts[1].startsWith(QStringLiteral("Spielregeln\n") + QString(18, '-')));
}
