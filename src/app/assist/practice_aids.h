// The practice aids: the hint, taking back a jump, the practice game they make, and the
// warning that a single marble is out of reach.
#pragma once

#include "app/assist/known_jumps.h"
#include "app/assist/solver_questions.h"
#include "app/ports.h"
#include "app/position_listener.h"
#include "core/failure.h"
#include "game/position.h"
#include "game/settings_store.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace marvolen::app::assist {

/// What the aids show in the window.
class AidsView {
  public:
    virtual ~AidsView() = default;
    /// Flashes the marble at `from` and the hole `to` twice: the jump a hint advises.
    virtual void showHint(int from, int to) = 0;
    /// Draws the marble count in amber (a single marble is out of reach) or in its cyan.
    virtual void setCountWarning(bool warning) = 0;
    /// The check mark of the item "Is one marble still reachable?".
    virtual void setOneMarbleChecked(bool checked) = 0;
    /// Shows or hides the mark that the game on the board is a practice game.
    virtual void showPracticeMark(bool shown) = 0;
    /// Tells a screen reader what just happened, whatever has the focus.
    virtual void announce(const QString& text) = 0;
    /// Runs fn on the window's thread after the event in hand; may be called from any thread.
    virtual void post(std::function<void()> fn) = 0;
};

/// What the aids need of the game: its position, and the two moves they make on it.
class AssistedGame {
  public:
    virtual ~AssistedGame() = default;
    /// A game is in progress: started, and its clock running.
    virtual bool gameInProgress() const = 0;
    virtual game::Position position() const = 0;
    /// A lifted marble, if any, goes back to its place.
    virtual void putBackLifted() = 0;
    /// Takes back the last jump of this board; false when none is left.
    virtual bool takeBackJump() = 0;
    /// Puts back the last jump taken back; false when there is none.
    virtual bool putBackJump() = 0;
    /// The jumps taken back that putBackJump can put back.
    virtual int jumpsUndone() const = 0;
};

/// Hint, undo, the practice flag and the one-marble warning. It hears of every change of the
/// game's position; answers of the solver for a position no longer on the board change
/// nothing. Failures are reported as the main window's.
class PracticeAids : public PositionListener {
  public:
    PracticeAids(AssistedGame& game, AidsView& view, Dialogs& dialogs,
                 game::SettingsStore& settings, Reporter& reporter);
    ~PracticeAids() override;

    /// Reads whether the warning is on, as the window loads.
    void loadWarningSetting();
    /// The game's position changed: a hint in work is dropped; a fresh board ends the warning,
    /// the practice game and the solver's work toward hints, any other position is put to the
    /// solver while the warning is on, and worked on after a hint of this game until it ends.
    void positionChanged(const game::Position& position, int jumpsMade) override;

    // --- the menu's handlers ---
    void mnuOneMarble_Click();
    /// Asks the solver for the next jump toward the fewest marbles and flashes it, at once when
    /// the solver is done with the position; makes the game a practice game, on whose positions
    /// the solver works from now on. Only while a game is in progress.
    void mnuHint_Click();
    /// Takes back the last jump of this game; makes the game a practice game. Only while a game
    /// is in progress.
    void mnuUndo_Click();
    /// Puts back the last jump taken back, until a new jump is made; makes the game a practice
    /// game. Only while a game is in progress.
    void mnuRedo_Click();

    /// The best line from `position` to where no jump is left, for the player to watch: at
    /// once when one is known (after a hint, or the variant's start), else the best the solver
    /// finds within kLineTime. `answer` gets it on the window's thread, unless the position
    /// changes, a hint is asked or cancelBestLine is called first.
    void askBestLine(const game::Position& position,
                     std::function<void(const SolverAdvice&)> answer);
    void cancelBestLine();
    /// Whether an aid may be used: in a practice game at once; in a game that could still be
    /// ranked once the player agrees to make it a practice game.
    bool agreedToPractice();

    /// A hint was asked or a jump taken back on this board: its result is not ranked.
    bool practiceGame() const { return m_practice; }
    /// The game on the board was set up to go on with (taken up from an earlier sitting, or
    /// pasted), which no result of the champions list could be fair to: a practice game at once.
    void setUpPractice() { setPractice(true); }
    /// The message at the end of a practice game, in the current language.
    static QString practiceMessage();
    /// The question before an aid makes a game that could be ranked a practice game.
    static QString practiceQuestion();
    /// The mark of a practice game, in the current language.
    static QString practiceMark();
    /// Whether the marble count warns when a single marble is out of reach.
    bool oneMarbleWarningOn() const { return m_oneMarbleOn != 0; }
    /// Whether the marble count is shown in amber: a single marble proven out of reach.
    bool countWarning() const { return m_countWarning; }

    /// The solver's answer to the question with ticket; an answer for an older position, or
    /// one that has not decided, changes nothing.
    void oneMarbleAnswered(std::uint64_t ticket, solver::Reach reach);
    /// The solver's hint for the question with ticket. The jump flashed is the one known to
    /// leave the fewest marbles, this answer's unless an earlier one showed a better jump; the
    /// first legal jump when none is known. A stale answer only adds to what is known.
    void hintAnswered(std::uint64_t ticket, const SolverAdvice& advice);
    /// What the solver's work found without being asked.
    void workLearned(const SolverAdvice& advice);
    /// Whether the solver works on the positions of this game toward the next hint.
    bool solverWorking() const { return m_working; }
    /// Puts questions to another solver from now on (tests).
    void setSolverQuestions(std::unique_ptr<SolverQuestions> questions);

  private:
    void askOneMarble(const game::Position& position, int jumpsMade);
    /// Learns the line known from the start of the board with these holes, once per board.
    void learnStartLine(game::Position::Mask holes);
    /// Puts the solver to work on `position`, or stops it when there is nothing to work on.
    void workOn(const game::Position& position);
    void setPractice(bool practice);
    /// Undo and redo: while a game runs and a jump is there to move, once the player agrees.
    void replay(const QString& handler, int jumps, const std::function<void()>& move);
    void setCountWarning(bool warning);
    SolverQuestions& questions();

    AssistedGame& m_game;
    AidsView& m_view;
    Dialogs& m_dialogs;
    game::SettingsStore& m_settings;
    Reporter& m_reporter;
    std::int16_t m_oneMarbleOn = 0;
    bool m_countWarning = false;
    bool m_practice = false;
    int m_jumpsMade = 0;
    std::optional<std::uint64_t> m_asked;     // the ticket of the question about the board shown
    int m_askedAtJumps = 0;                   // the jumps made on the board asked about
    int m_lostAtJumps = 0;                    // the jumps made when the loss was proven
    std::optional<std::uint64_t> m_hintAsked; // the ticket of the hint for the board shown
    std::optional<std::uint64_t> m_lineAsked; // the ticket of the line asked to be shown
    std::function<void(const SolverAdvice&)> m_lineAnswer;
    bool m_working = false;                 // a hint was asked in the game in progress
    KnownJumps m_known;                     // shared with the solver's threads
    game::Position::Mask m_startLineOf = 0; // the holes whose start line m_known has learned
    // Answers posted to the window's thread find out through it whether the aids still are.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    std::unique_ptr<SolverQuestions> m_questions; // last: its threads go first
};

} // namespace marvolen::app::assist
