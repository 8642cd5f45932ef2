// A whole program for window tests: private folders, a settings file, a fixed locale, a clock
// the test moves, silent audio and scripted dialogs.
#pragma once

#include "core/date_time.h"
#include "qstring_printer.h"
#include "test_clock.h"
#include "ui/about_window.h"
#include "ui/application.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <deque>
#include <string>
#include <vector>

namespace marvolen::test {

/// Presses the answer button of the error window as soon as it shows.
inline void answerErrorWindow(int answer) {
    QTimer::singleShot(0, [answer] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("ErrPtnr") && w->isVisible())
                if (auto* b = w->findChild<QWidget*>(QStringLiteral("cmdContinue%1").arg(answer))) {
                    QMetaObject::invokeMethod(b, "click");
                    return;
                }
        answerErrorWindow(answer); // not shown yet
    });
}

/// The whole program; the test program's main has made the QApplication.
struct AppFixture {
    QTemporaryDir dir;
    TestClock clock{QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0)),
                    std::chrono::milliseconds(5000)};
    std::deque<bool> answers;       ///< Yes/No answers to questions, in order
    std::vector<std::string> asked; ///< texts of the questions asked
    std::vector<std::string> told;  ///< texts of the messages shown
    std::vector<QUrl> opened;
    QString soundModule; ///< the audio module to load; the program's own search when empty
    QString playerName = QStringLiteral("Tester");
    int ended = 0; ///< how often the answer End ended the program

    /// Closes the game's own modal windows (champions, choosers) as soon as they show, and
    /// records their names.
    std::vector<std::string> closedWindows;
    void closeWindowsWhenShown() {
        auto* timer = new QTimer(qApp);
        QObject::connect(timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal->isVisible() &&
                modal->objectName().startsWith(QLatin1String("frm"))) {
                closedWindows.push_back(modal->objectName().toStdString());
                modal->close();
            }
        });
        timer->start(20);
        m_timers.push_back(timer);
    }
    ~AppFixture() {
        for (QTimer* t : m_timers)
            delete t;
    }
    std::vector<QTimer*> m_timers;

    /// The program's questions, messages, name prompt and desktop, answered and recorded above.
    struct Ports : app::Dialogs, app::TextInput, app::Desktop {
        explicit Ports(AppFixture& f) : f(f) {}
        bool askYesNo(const QString&, const QString& text) override {
            f.asked.push_back(text.toStdString());
            const bool yes = !f.answers.empty() && f.answers.front();
            if (!f.answers.empty())
                f.answers.pop_front();
            return yes;
        }
        bool askYesNoDefaultNo(const QString& title, const QString& text) override {
            return askYesNo(title, text);
        }
        void inform(const QString&, const QString& text) override {
            f.told.push_back(text.toStdString());
        }
        QString askText(const QString&, const QString& prompt) override {
            f.asked.push_back(prompt.toStdString());
            return f.playerName;
        }
        void openUrl(const QUrl& url) override { f.opened.push_back(url); }
        AppFixture& f;
    } ports{*this};
    std::unique_ptr<ui::Application> app;

    QString settingsPath() const { return dir.filePath(QStringLiteral("Marvolen.conf")); }
    QString dataPath() const { return dir.filePath(QStringLiteral("data")); }

    /// Prepares the settings before the program starts.
    void setSetting(const QString& key, const QString& value) {
        QSettings s(settingsPath(), QSettings::IniFormat);
        s.setValue(QStringLiteral("Optionen/") + key, value);
    }
    QString setting(const QString& key) const {
        QSettings s(settingsPath(), QSettings::IniFormat);
        return s.value(QStringLiteral("Optionen/") + key).toString();
    }

    ui::Application& start(const QString& localeId = QStringLiteral("0409")) {
        QDir().mkpath(dataPath());
        QDir().mkpath(dir.filePath(QStringLiteral("tmp")));
        ui::ApplicationOptions o;
        o.tempBase = dir.filePath(QStringLiteral("tmp"));
        o.dataFolder = dataPath();
        o.settingsFile = settingsPath();
        o.localeId = localeId;
        o.clock = &clock;
        o.audioDevice = audio::AudioOutput::Device::None;
        o.soundFont = dir.filePath(QStringLiteral("no-soundfont.sf2"));
        o.dialogs = &ports;
        o.textInput = &ports;
        o.desktop = &ports;
        o.soundModule = soundModule;
        o.endProcess = [this] { ++ended; };
        app = std::make_unique<ui::Application>(o);
        app->Main();
        return *app;
    }

    /// Starts the program and leaves the start window by OK, as the player does: the game.
    ui::MainWindow& openGame(const QString& localeId = QStringLiteral("0409")) {
        ui::Application& started = start(localeId);
        started.startWindow()->OK_Click();
        QCoreApplication::processEvents();
        return *started.mainWindow();
    }
};

} // namespace marvolen::test
