// "Show the best game": the best line from the board found and played out, the game put back as
// it was afterwards, its clock standing meanwhile.
#pragma once

#include "app/assist/practice_aids.h"
#include "app/line_playback.h"
#include "game/board_model.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>

namespace marvolen::app {

class SessionView;

/// Finds the best line from the game's position, or from the variant's start when no game
/// runs, and plays it out on the board. The game itself never changes: the board and the marble
/// count show the line, and show the game again at the end.
class BestGame : private PlaybackScreen {
  public:
    BestGame(game::BoardModel& model, game::BoardView& board, SessionView& view,
             assist::PracticeAids& aids, std::function<std::chrono::milliseconds()> now);
    ~BestGame() override;

    /// Shows the best line from the game's position when `inGame`, else from the variant's
    /// start: at once when it is known, or once the solver has found it. A line that plays or
    /// is looked for goes on.
    void show(bool inGame);
    /// A line plays, or is looked for.
    bool active() const { return m_playback.active() || m_looking; }
    const LinePlayback& playback() const { return m_playback; }
    /// The keys of a line that plays (see LinePlayback::key); true when the key was taken.
    bool key(int qtKey);
    /// The step timer's tick.
    void tick() { m_playback.tick(); }
    /// Stops the line, or the looking for it: the board shows the game and its clock runs on.
    void end();

  private:
    // PlaybackScreen
    void showLine(const game::Position& position, std::optional<game::Jump> jump,
                  const QString& status) override;
    void endLine() override;
    void announce(const QString& text) override;
    void setStepTimer(bool running) override;

    void found(const assist::SolverAdvice& advice);
    /// Runs the game's clock again when the line stopped it.
    void runClockOn();
    void showMarbles(const game::Position& position);

    game::BoardModel& m_model;
    game::BoardView& m_board;
    SessionView& m_view;
    assist::PracticeAids& m_aids;
    std::function<std::chrono::milliseconds()> m_now;
    LinePlayback m_playback{*this};
    bool m_looking = false;    // the solver looks for the line
    bool m_clockStood = false; // the game's clock ran, and stands while the line is shown
    // An answer that comes after this object went finds out through it.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

} // namespace marvolen::app
