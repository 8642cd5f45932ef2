// The game played as a player plays it: real windows on an X server, real mouse and keyboard
// through xdotool, real drag and drop and real dialogs.
#include "qstring_printer.h"
#include "ui/about_window.h"
#include "ui/application.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
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

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
