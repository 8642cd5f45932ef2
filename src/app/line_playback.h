// The best line played out on the board: one jump at a time, paused, stepped, and stopped with
// the player's own position put back.
#pragma once

#include "game/position.h"

#include <QString>

#include <chrono>
#include <optional>
#include <vector>

namespace marvolen::app {

/// The places of a jump as a screen reader hears them: "from row 2, column 4 to row 4, column 4".
QString jumpPlaces(int from, int to);

/// How long each jump of a line played out stays on the board before the next.
inline constexpr std::chrono::milliseconds kPlaybackStep{800};

/// Where a line is played out: the board, a screen reader and the step timer.
class PlaybackScreen {
  public:
    virtual ~PlaybackScreen() = default;
    /// Shows `position` on the board in place of the game's; `jump`, when given, is drawn as
    /// the marble travelling into it. `status` is the line's state in a few words.
    virtual void showLine(const game::Position& position, std::optional<game::Jump> jump,
                          const QString& status) = 0;
    /// The line is over: the board shows the game's own position again.
    virtual void endLine() = 0;
    /// Tells a screen reader what just happened, whatever has the focus.
    virtual void announce(const QString& text) = 0;
    /// A tick (LinePlayback::tick) every kPlaybackStep while running.
    virtual void setStepTimer(bool running) = 0;
};

/// A line of jumps from a position, and whether no line leaves fewer marbles.
struct BestLine {
    game::Position start;
    std::vector<game::Jump> jumps; ///< legal one after the other from `start`
    bool proven = false;
};

/// Plays a line out: jump k of n every kPlaybackStep; Space pauses and goes on, Right and Left
/// step (and pause), Escape stops. Nothing of the game changes: the screen shows the line's
/// positions and goes back to the game's at the end.
class LinePlayback {
  public:
    explicit LinePlayback(PlaybackScreen& screen) : m_screen(screen) {}

    /// Shows the line's start, says what the line reaches and plays it from there.
    void play(BestLine line);
    bool active() const { return m_line.has_value(); }
    bool paused() const { return m_paused; }
    /// The jumps of the line on the board now.
    int shown() const { return m_shown; }
    /// The position on the board now; the start when none plays.
    game::Position position() const;

    /// The next jump, when the line plays on.
    void tick();
    /// Pauses, or plays on; at the line's end, plays it again from the start.
    void pauseOrContinue();
    /// One jump forward or back, paused.
    void forward();
    void back();
    /// Stops and puts the game's position back.
    void stop();
    /// Space, Right, Left and Escape while a line plays; true when the key was taken.
    bool key(int qtKey);

  private:
    /// Shows the position after `m_shown` jumps; `arriving` draws the last one travelling.
    void show(bool arriving);
    void setPaused(bool paused);
    QString jumpWords(int index) const;
    int count() const { return int(m_line->jumps.size()); }
    bool atEnd() const { return m_shown == count(); }
    /// The marbles left after the whole line.
    int leaves() const;

    PlaybackScreen& m_screen;
    std::optional<BestLine> m_line;
    int m_shown = 0;
    bool m_paused = false;
};

} // namespace marvolen::app
