// What carries a game over from one sitting to the next: the unfinished game's file, written as
// the game goes on and offered at the next start, and the statistics counted as games start,
// end and are left.
#pragma once

#include "core/failure.h"
#include "game/kept_file.h"
#include "game/saved_game.h"
#include "game/statistics.h"

#include <QString>

#include <optional>

namespace marvolen::app {

class CarryOver {
  public:
    /// Reads the game left unfinished in folder at once, before anything may replace it.
    explicit CarryOver(const QString& folder, game::NoteSink sink = game::noteOnStandardError);

    /// The game found unfinished at the start; none once it is taken up or declined.
    const std::optional<game::SavedGame>& offered() const { return m_offer; }
    /// The player declined it: its file goes.
    void decline();
    /// The player goes on with it: from now on it is the running game, kept as it goes on.
    void takeUp(const game::SavedGame& game);

    /// A game began on variant: counted as started; nothing is kept before its first jump.
    void started(int variant, bool practice);
    /// The running game as it stands after a jump, a jump taken back or put back, or a second
    /// of its clock: written over the last, and its time since then added to the time played.
    void keep(const game::SavedGame& game);
    /// Whether a game is running that keep writes.
    bool running() const { return m_running; }
    /// The running game ended with no jump left: counted as finished, its file goes.
    void finished(const game::SavedGame& game);
    /// The running game was given up for a new board or another variant: its file goes.
    void left();

    game::StatisticsTable statistics() const { return m_statistics.load(); }
    std::optional<Failure> clearStatistics() { return m_statistics.clear(); }

  private:
    /// Adds the time of the running game since it was last counted.
    void countTime(const game::SavedGame& game);
    enum class Kept { Game, Statistics };
    /// Tells the sink of a failure once, not at every second of the clock, until it mends.
    void note(const std::optional<Failure>& failure, Kept what);

    game::NoteSink m_sink;
    game::SavedGameFile m_file;
    game::StatisticsFile m_statistics;
    std::optional<game::SavedGame> m_offer;
    bool m_running = false;
    int m_counted = 0; // seconds of the running game already in the time played
    bool m_failing[2] = {false, false};
};

} // namespace marvolen::app
