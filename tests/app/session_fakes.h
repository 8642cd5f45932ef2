// A game session with every window replaced by a recorder: no QApplication, no widget.
#pragma once

#include "app/game_session.h"
#include "app/resources.h"
#include "game/fake_view.h"
#include "test_clock.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace marvolen::test {

/// Everything the session asks of its windows, as one log of events in order.
class Recorder : public app::SessionView,
                 public app::assist::AidsView,
                 public app::Dialogs,
                 public app::SoundPlayer,
                 public app::Windows,
                 public audio::MediaCommands,
                 public app::TextInput,
                 public app::SoundSwitch,
                 public app::Desktop {
  public:
    // SessionView
    void releaseButton(int) override {}
    void setButtonHighlighted(int index, bool on) override {
        highlighted.at(std::size_t(index)) = on;
    }
    void showVariantSelected(int index) override { selectedVariant = index; }
    void setSoundChecked(bool checked) override { soundChecked = checked; }
    void setMusicChecked(int index, bool checked) override {
        musicChecked.at(std::size_t(index)) = checked;
    }
    void setBusy(bool on) override { busy = on; }
    void takeFocus() override { log("focus"); }
    bool isShown() const override { return shown; }
    double boardHeight() const override { return 7968; }
    void processEvents() override {
        if (failEvents)
            throw Failure(err::InvalidCall);
    }
    void setClockRunning(bool running) override { clockRunning = running; }
    void setWatcherEnabled(bool enabled) override { watcher = enabled; }
    void Sprache() override { log("captions"); }
    void popupOptionsMenu() override { log("options menu"); }
    void announce(const QString& text) override { said.push_back(text.toStdString()); }
    void setClipboardText(const QString& text) override { clipboard = text; }
    QString clipboardText() const override { return clipboard; }
    void showTravel(int from, int to) override {
        log("travel " + std::to_string(from) + ">" + std::to_string(to));
    }
    void setPlaybackStatus(const QString& status) override { playbackStatus = status; }
    void setPlaybackTimer(bool running) override { playbackTimer = running; }
    // AidsView
    void showHint(int from, int to) override { hints.push_back({from, to}); }
    void setCountWarning(bool warning) override { countWarning = warning; }
    void setOneMarbleChecked(bool checked) override { oneMarbleChecked = checked; }
    /// Logged as "confirm <text>"; answered from confirmations, else Yes.
    bool askYesNoDefaultNo(const QString&, const QString& text) override {
        log("confirm " + text.toStdString());
        if (confirmations.empty())
            return true;
        const bool yes = confirmations.front();
        confirmations.pop_front();
        return yes;
    }
    void showPracticeMark(bool shown) override {
        practiceMark = shown;
        log(shown ? "mark on" : "mark off");
    }
    // Queued as the window queues it; any thread may post.
    void post(std::function<void()> fn) override {
        const std::lock_guard<std::mutex> lock(postedMutex);
        posted.push_back(std::move(fn));
        postedChanged.notify_all();
    }
    /// Waits (at most until deadline) until something was posted, then runs everything
    /// posted; false when nothing came.
    bool runPosted(std::chrono::milliseconds deadline = std::chrono::seconds(20)) {
        std::deque<std::function<void()>> run;
        {
            std::unique_lock<std::mutex> lock(postedMutex);
            if (!postedChanged.wait_for(lock, deadline, [&] { return !posted.empty(); }))
                return false;
            run.swap(posted);
        }
        for (auto& fn : run)
            fn();
        return true;
    }
    // Dialogs
    bool askYesNo(const QString&, const QString& text) override {
        log("ask " + text.toStdString());
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.pop_front();
        return yes;
    }
    void inform(const QString& title, const QString& text) override {
        log("tell " + title.toStdString() + ": " + text.toStdString());
    }
    void informAloud(const QString& title, const QString& text, const QString& heard) override {
        inform(title, text);
        said.push_back(heard.toStdString());
    }
    // SoundPlayer
    void PlayWAV(std::int16_t id) override { log("sound " + std::to_string(id)); }
    // Windows
    void showRules() override { log("rules"); }
    void showHelp() override { log("help"); }
    int chooseMarble(int current) override {
        log("marble chooser");
        return chosen ? chosen : current;
    }
    int chooseBoard(int current) override {
        log("board chooser");
        return chosen ? chosen : current;
    }
    void showChampions(game::ResultHandover& handover, int variant) override {
        log("champions " + std::to_string(variant) +
            (handover.NewResultPending ? " rank " : " view ") + handover.NewResult.toStdString());
    }
    void showAbout() override { log("about"); }
    void openHomepage() override { log("home page"); }
    void showStatistics() override { log("statistics"); }
    void quit() override { log("quit"); }
    // MediaCommands
    // As the service does, an open while a tune is open is refused (alias in use).
    audio::MciReply mciSendString(const QString& command) override {
        // An open names a new temporary file each time: the command word is enough.
        const qsizetype bang = command.indexOf(QLatin1Char('!'));
        log("mci " + (bang < 0 ? command : command.left(bang + 1)).toStdString());
        if (!tuneFolder.isEmpty())
            mostTuneFiles = std::max(
                mostTuneFiles,
                int(QDir(tuneFolder).entryList({QStringLiteral("~rs*.tmp")}, QDir::Files).size()));
        if (command.startsWith(QLatin1String("open "))) {
            if (tuneOpen)
                return {audio::mci::AliasInUse, {}};
            tuneOpen = true;
        } else if (command == QLatin1String("close midi")) {
            tuneOpen = false;
        }
        return {};
    }

    void log(const std::string& event) { events.push_back(event); }
    /// The events of one kind ("sound", "ask", ...), in order.
    std::vector<std::string> only(const std::string& kind) const {
        std::vector<std::string> out;
        for (const std::string& e : events)
            if (e.rfind(kind, 0) == 0)
                out.push_back(e);
        return out;
    }

    std::vector<std::string> events;
    std::deque<bool> answers;
    std::deque<bool> confirmations;
    std::array<bool, 9> highlighted{};
    std::array<bool, 3> musicChecked{};
    int selectedVariant = -1;
    int chosen = 0; ///< the chooser's answer; 0 keeps the current picture
    bool soundChecked = false;
    bool oneMarbleChecked = false;
    std::vector<std::pair<int, int>> hints; ///< every jump flashed as a hint
    std::vector<std::string> said;          ///< told to a screen reader, in order
    QString clipboard;
    QString playbackStatus; // the state of a line played out; empty when none plays
    bool playbackTimer = false;
    bool countWarning = false; ///< the marble count in amber
    bool practiceMark = false;
    std::mutex postedMutex;
    std::condition_variable postedChanged;
    std::deque<std::function<void()>> posted;
    bool busy = false;
    bool shown = true;
    bool clockRunning = false;
    bool watcher = false;
    bool failEvents = false;
    bool tuneOpen = false;
    QString tuneFolder; ///< where tune files are counted at each media command
    int mostTuneFiles = 0;

    // ---- The ports of the champions ranking and the other windows ----------------------------
    // TextInput: logs "prompt <title>|<prompt>" and answers with the next of names; nullopt,
    // or no name left, is Cancel. whilePrompting runs while the prompt is open.
    QString askText(const QString& title, const QString& prompt) override {
        log("prompt " + title.toStdString() + "|" + prompt.toStdString());
        if (whilePrompting)
            whilePrompting();
        std::optional<QString> name;
        if (!names.empty()) {
            name = names.front();
            names.pop_front();
        }
        return name.value_or(QString());
    }
    // SoundSwitch
    bool soundOn() const override { return effectsOn; }
    // Desktop
    void openUrl(const QUrl& url) override { log("open " + url.toString().toStdString()); }

    std::deque<std::optional<QString>> names;
    std::function<void()> whilePrompting;
    bool effectsOn = true; ///< what soundOn answers
};

/// The solver's questions, kept for the test to answer through PracticeAids::oneMarbleAnswered,
/// PracticeAids::hintAnswered and PracticeAids::workLearned.
class FakeQuestions : public app::assist::SolverQuestions {
  public:
    std::uint64_t askReachOne(const game::Position& position) override {
        asked.push_back(position);
        return asked.size();
    }
    void cancelReachOne() override { ++cancels; }
    std::uint64_t askHint(const game::Position& position) override {
        hints.push_back(position);
        return hints.size();
    }
    void cancelHint() override { ++hintCancels; }
    void workOn(const game::Position& position) override { worked.push_back(position); }
    void stopWork() override { ++workStops; }
    void releaseReachOne() override { ++reachReleases; }
    void releaseWork() override { ++workReleases; }
    std::optional<app::assist::SolverAdvice> lineFromStart(game::Position::Mask) const override {
        return startLine;
    }
    /// The ticket of the last question.
    std::uint64_t last() const { return asked.size(); }

    std::vector<game::Position> asked;
    std::vector<game::Position> hints;
    std::vector<game::Position> worked; ///< the positions the solver was put to work on
    int cancels = 0;
    int hintCancels = 0;
    int workStops = 0;
    int reachReleases = 0;                              ///< the warning's solver freed
    int workReleases = 0;                               ///< the hint's solver freed
    std::optional<app::assist::SolverAdvice> startLine; ///< what lineFromStart gives
};

/// A session over a settings file, the game's own language table and tunes, a temporary
/// folder and a seeded random generator.
struct SessionFixture {
    explicit SessionFixture(Answer answer = Answer::Cancel) : reporter(answer) {
        language.setLanguageFilePath(dir.filePath(QStringLiteral("~tmp.lng")));
        app::SaveResItemToDisk(reporter, 1000, QStringLiteral("CUSTOM"),
                               language.LanguageFilePath());
        language.setLanguageOffset(1000);
        windows.tuneFolder = temp.GetTempDir();
    }

    QTemporaryDir dir;
    QSettings store{dir.filePath(QStringLiteral("Marvolen.conf")), QSettings::IniFormat};
    game::SettingsStore settings{store};
    FixedReporter reporter;
    lang::Language language{reporter};
    TempFolder temp{reporter, dir.path()};
    Random random{11};
    TestClock clock;
    app::AppResources resources;
    FakeView board;
    Recorder windows;
    std::unique_ptr<app::GameSession> session;

    void setSetting(const char* key, const QString& value) {
        store.setValue(QStringLiteral("Optionen/") + QLatin1String(key), value);
        store.sync();
    }
    QString setting(const char* key) {
        store.sync();
        return settings.rawText(key);
    }

    /// Where the session keeps the unfinished game and the statistics.
    QString dataFolder() const { return dir.path(); }

    /// Loads and lays out the game as the main window's first display does.
    app::GameSession& open() {
        session = std::make_unique<app::GameSession>(
            app::SessionParts{{reporter, settings, language, temp, random, clock},
                              windows,
                              resources,
                              board,
                              windows,
                              windows,
                              windows,
                              windows,
                              windows,
                              dataFolder()});
        Procedure load(reporter, QStringLiteral("frmMarvolen"), QStringLiteral("Form_Load"));
        session->load(load);
        Procedure resize(reporter, QStringLiteral("frmMarvolen"), QStringLiteral("Form_Resize"));
        session->resetForResize(resize);
        session->finishResize(resize);
        windows.events.clear();
        return *session;
    }
    /// A command click a second after the last one, so the click rule lets it through.
    void click(int button) {
        clock.advance(1);
        session->optBut_Click(button);
    }
};

/// A session whose solver questions are kept for the test to answer.
struct FakeSolverFixture : SessionFixture {
    FakeQuestions* questions = nullptr;
    app::GameSession& openWithFake() {
        app::GameSession& s = open();
        auto fake = std::make_unique<FakeQuestions>();
        questions = fake.get();
        s.aids().setSolverQuestions(std::move(fake));
        return s;
    }
};

} // namespace marvolen::test
