// The game as the player drives it: the commands, the variant and picture choice, the clock
// tick, the end of a game and its hand-over, sound and music; no widget in sight.
#pragma once

#include "app/audio/media_service.h"
#include "app/audio/music_logic.h"
#include "app/audio/resource_access.h"
#include "app/game_context.h"
#include "app/ports.h"
#include "game/board_model.h"
#include "solver/solver.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace marvolen::app {

/// What the session needs of the main window: its command buttons, thumbnails, menu check
/// marks, pointer, captions and timers.
class SessionView {
  public:
    virtual ~SessionView() = default;
    /// Sets command button index back to not pressed.
    virtual void releaseButton(int index) = 0;
    /// Gives command button index the highlight colours or its resting colours.
    virtual void setButtonHighlighted(int index, bool highlighted) = 0;
    /// Shows variant index as the selected thumbnail, every other one as not selected.
    virtual void showVariantSelected(int index) = 0;
    virtual void setSoundChecked(bool checked) = 0;
    /// The check mark of music item index (0 off, 1 once, 2 loop).
    virtual void setMusicChecked(int index, bool checked) = 0;
    /// The hourglass pointer over the window, or the default one.
    virtual void setBusy(bool busy) = 0;
    /// Gives the window the keyboard focus when it is visible.
    virtual void takeFocus() = 0;
    virtual bool isShown() const = 0;
    /// The board surface's height in board units.
    virtual double boardHeight() const = 0;
    /// Lets pending window events run once.
    virtual void processEvents() = 0;
    /// The game clock's one-second timer (Timer1).
    virtual void setClockRunning(bool running) = 0;
    /// The music watcher's one-second timer (Timer2).
    virtual void setWatcherEnabled(bool enabled) = 0;
    /// Gives menus and tooltips their texts in the current language (Sprache).
    virtual void Sprache() = 0;
    virtual void popupOptionsMenu() = 0;
    /// The check mark of the item "Is one marble still reachable?".
    virtual void setOneMarbleChecked(bool checked) = 0;
    /// Runs fn on the window's thread after the event in hand; may be called from any thread.
    virtual void post(std::function<void()> fn) = 0;
};

/// Puts questions to the solver on a thread of its own; the game never waits for it. The
/// answers come back as GameSession::oneMarbleAnswered and GameSession::hintAnswered on the
/// window's thread.
class SolverQuestions {
  public:
    virtual ~SolverQuestions() = default;
    /// Whether a single marble can still be left: drops the question of this kind in work, if
    /// any, and asks this one; returns its ticket.
    virtual std::uint64_t askReachOne(solver::Mask holes, solver::Mask marbles) = 0;
    /// Drops the reach question in work: no answer comes for it.
    virtual void cancelReachOne() = 0;
    /// The next jump toward the fewest marbles: proven, or the best found within kHintTime.
    /// Drops the hint question in work, if any; returns the ticket of this one.
    virtual std::uint64_t askHint(solver::Mask holes, solver::Mask marbles) = 0;
    /// Drops the hint question in work: no answer comes for it.
    virtual void cancelHint() = 0;
};

/// How long a hint may think before the best jump found so far is shown.
inline constexpr std::chrono::milliseconds kHintTime{2000};

/// Everything the session works with, given from outside so that tests replace each part.
struct SessionParts : GameContext {
    audio::MediaCommands& media;
    audio::ResourceAccess& resources;
    game::BoardView& board;
    SessionView& view;
    Dialogs& dialogs;
    SoundPlayer& sounds;
    Windows& windows;
};

/// The least time between two accepted command clicks: 1/100000 day.
inline constexpr std::chrono::milliseconds kClickPause{864};

/// The click rule on the steady clock: a command click less than kClickPause after the last
/// accepted one is ignored; the first click of a run always counts.
bool clickAccepted(std::chrono::milliseconds now,
                   std::optional<std::chrono::milliseconds> lastClick);

/// The main window's game: owns the board model and the music, and is the one owner of "sound
/// on" and the music mode. Failures are reported as the main window's ("frmMarvolen").
class GameSession : private game::BoardEvents, private audio::MusicHost {
  public:
    explicit GameSession(SessionParts parts);
    ~GameSession() override;

    game::BoardModel& model() { return *m_model; }
    const game::BoardModel& model() const { return *m_model; }
    const audio::MusicLogic& music() const { return *m_music; }
    bool soundOn() const { return m_soundOn != 0; }
    int MarblePicture() const { return m_marblePicture; }
    int BoardPicture() const { return m_boardPicture; }
    /// Whether the marble count warns when a single marble is out of reach.
    bool oneMarbleWarningOn() const { return m_oneMarbleOn != 0; }
    /// Whether the marble count is shown in amber: a single marble proven out of reach.
    bool countWarning() const { return m_countWarning; }
    /// The solver's answer to the question with ticket; an answer for an older position, or
    /// one that has not decided, changes nothing.
    void oneMarbleAnswered(std::uint64_t ticket, solver::Reach reach);
    /// The solver's hint for the question with ticket: the jump to flash, or none when it found
    /// nothing in time (the first legal jump is shown then). A stale answer changes nothing.
    void hintAnswered(std::uint64_t ticket, std::optional<solver::Jump> jump);
    /// Puts questions to another solver from now on (tests).
    void setSolverQuestions(std::unique_ptr<SolverQuestions> questions);
    /// A hint was asked or a jump taken back on this board: its result is not ranked.
    bool practiceGame() const { return m_practice; }
    /// The message at the end of a practice game, in the current language.
    static QString practiceMessage();
    /// The steady time of the last accepted command click; none before the first.
    std::optional<std::chrono::milliseconds> lastClickTime() const { return m_lastClickTime; }

    /// The game's share of the window's load, as statements of its Form_Load: the stored
    /// pictures, the marble picture, the coordinates, the stored variant and "sound on".
    void load(Procedure& formLoad);
    /// The game's share of a resize before the panel is laid out (Form_Resize): paints the
    /// board and ends a game in progress.
    void resetForResize(Procedure& formResize);
    /// The game's share of a resize after the panel is laid out: selects the stored variant,
    /// sets up a fresh board and applies the stored music mode.
    void finishResize(Procedure& formResize);
    /// The game's share of the window's unload: the clock, the music, the tune files and the
    /// language file go.
    void unload(Procedure& formUnload);

    // --- the handlers ---
    void optBut_Click(int index);
    void imgLoff_Click(int index);
    void imgLang_Click(int index);
    void mnuUeber_Click();
    void mnuPlaySounds_Click();
    void mnuMusic_Click(int index);
    void mnuOneMarble_Click();
    /// Asks the solver for the next jump toward the fewest marbles and flashes it; makes the
    /// game a practice game. Only while a game is in progress.
    void mnuHint_Click();
    /// Takes back the last jump of this game; makes the game a practice game. Only while a game
    /// is in progress.
    void mnuUndo_Click();
    /// Escape asks whether to end the game; returns true when the key was taken.
    bool Form_KeyPress(int key);
    void Timer1_Timer();
    void Timer2_Timer();

    // --- the board's pictures ---
    void LoadKugel();
    void PaintBoard();
    void NewKugel();
    void NewBoard();

  private:
    class CountWatch;
    // BoardEvents
    void playSound(int id) override { sound(id); }
    void setClockRunning(bool running) override;
    void showGameOver() override;
    void resetButtonColours() override;
    void showChampions() override;
    // MusicHost
    void setWatcherEnabled(bool enabled) override;
    void processPendingEvents() override;

    /// Plays a sound effect when sound effects are on.
    void sound(int id);
    QString text(int n) const;
    /// The steady clock's reading.
    std::chrono::milliseconds now() const;
    /// Asks whether to end the game and ends it on Yes; true on Yes.
    bool askQuit();
    void runCommand(int index);
    /// The marble count was shown: a fresh board ends the warning, any other position is
    /// put to the solver while the warning is on.
    void countShown();
    void askOneMarble();
    void setCountWarning(bool warning);
    SolverQuestions& questions();

    SessionParts m_parts;
    std::unique_ptr<CountWatch> m_countWatch; // the model's view: passes everything on
    std::unique_ptr<game::BoardModel> m_model;
    std::unique_ptr<audio::MusicLogic> m_music;
    std::int16_t m_soundOn = -1;
    std::optional<std::chrono::milliseconds> m_lastClickTime;
    int m_boardPicture = 1;
    int m_marblePicture = 3;
    int m_paintedBoard = 0;
    int m_loadedMarble = 0;
    std::int16_t m_oneMarbleOn = 0;
    bool m_countWarning = false;
    std::optional<std::uint64_t> m_asked;     // the ticket of the question about the board shown
    int m_askedAtJumps = 0;                   // the jumps made on the board asked about
    int m_lostAtJumps = 0;                    // the jumps made when the loss was proven
    std::optional<std::uint64_t> m_hintAsked; // the ticket of the hint for the board shown
    bool m_practice = false;
    // Answers posted to the window's thread find out through it whether the session still is.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    std::unique_ptr<SolverQuestions> m_questions; // last: its threads go first
};

} // namespace marvolen::app
