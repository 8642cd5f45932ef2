// The board: holes and marbles of the current variant, the drag protocol, the one jump rule,
// the end test with its hand-over of the result, and the game clock.
#pragma once

#include "core/failure.h"
#include "core/random.h"
#include "position.h"
#include "variants.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace marvolen::game {

enum class Display { MarbleCount, Time };

/// What the board surface shows: its elements and their places, its pictures and the two
/// displays. Positions are in board units (1/15 pixel).
class BoardView {
  public:
    virtual ~BoardView() = default;
    virtual void setHoleShown(int position, bool shown) = 0;
    virtual void setMarbleShown(int position, bool shown) = 0;
    virtual void moveHole(int position, int left, int top) = 0;
    virtual void moveMarble(int position, int left, int top) = 0;
    /// Shows four cells of the digit strip (0 to 9 digits, 10 blank) on a display.
    virtual void showDigits(Display display, const std::array<int, 4>& cells) = 0;
    /// The marble picture (ICON resource id), used by all 49 marbles and the drag image;
    /// Failure 326 when the game carries no such picture.
    virtual void setMarblePicture(int resourceId) = 0;
    /// The hole picture of board picture 1 to 9; Failure 326 when missing.
    virtual void setHolePicture(int boardPicture) = 0;
    /// The board picture (BITMAP resource id); Failure 326 when missing.
    virtual void setBoardPicture(int resourceId) = 0;
    /// Makes the board surface visible.
    virtual void showBoard() = 0;
};

/// What the course of a game asks of its owner: sounds, the clock, the end-of-game message,
/// the command buttons and the champions list.
class BoardEvents {
  public:
    virtual ~BoardEvents() = default;
    /// A sound effect; the owner decides whether sound effects are on.
    virtual void playSound(int id) = 0;
    virtual void setClockRunning(bool running) = 0;
    /// The modal "No more possible moves!" message; returns when the player closed it.
    virtual void showGameOver() = 0;
    /// Gives every command button its resting colours.
    virtual void resetButtonColours() = 0;
    /// Shows the champions window for the pending result; returns when it is closed.
    virtual void showChampions() = 0;
    /// The game's position changed (a fresh board, Start, a jump, a jump taken back); told once
    /// per change, after the marble count shows it and before the end of the game is tested.
    virtual void positionChanged() = 0;
};

/// The result of a finished game, handed to the champions list.
struct ResultHandover {
    QByteArray NewResult;          ///< marbles "00000" then seconds "00000"
    bool NewResultPending = false; ///< asks the champions window to rank NewResult
};

/// The keyboard cursor's step: the nearest hole from position `from` in the direction of
/// (rowStep, columnStep), skipping places without a hole; `from` when there is none.
int nextHole(const std::array<bool, kPositions>& hole, int from, int rowStep, int columnStep);

/// The 16-bit placement of holes on a board of height H (board units).
struct Geometry {
    std::int16_t holeSpacing = 0;
    std::int16_t margin = 0;
};
Geometry geometryFor(int variantNumber, double boardHeight);

class BoardModel {
  public:
    BoardModel(BoardView& view, BoardEvents& events, Reporter& reporter, Random& random);

    // --- state ---
    /// Whether a place has a hole, and whether a marble is shown there (not while lifted).
    bool hole(int p) const { return m_shown.hole(p); }
    bool marble(int p) const { return m_shown.marble(p); }
    /// The game's position: the marbles shown, and a lifted marble in its place.
    Position position() const;
    std::int32_t MarbleCount() const { return m_marbleCount; }
    std::int32_t ElapsedSeconds() const { return m_elapsedSeconds; }
    bool GameOver() const { return m_gameOver; }
    void setGameOver(bool over) { m_gameOver = over; }
    bool clockRunning() const { return m_clockRunning; }
    std::optional<int> LiftedMarble() const { return m_lifted; }
    int VariantNumber() const { return m_variantNumber; }
    void setVariantNumber(int number) { m_variantNumber = number; }
    const QByteArray& CurrentLayout() const { return m_currentLayout; }
    Geometry geometry() const { return m_geometry; }
    const ResultHandover& handover() const { return m_handover; }
    ResultHandover& handover() { return m_handover; }

    /// The jumps made on this board since its last fresh start, oldest first.
    int jumpsMade() const { return int(m_jumps.size()); }
    const std::vector<JumpMove>& madeJumps() const { return m_jumps; }
    /// The jumps taken back that redoJump can put back, the last taken back last.
    const std::vector<JumpMove>& undoneJumps() const { return m_undone; }

    /// The board as shown, in its text form (see Position::text).
    QString text() const { return m_shown.text(); }

    // --- board operations ---
    void Coordinates();
    /// Lays out the holes of the current variant on a board of height H.
    void Layout(double boardHeight);
    void NewGame();
    /// Starts the game clock at now, a reading of the steady clock. On a board set up by setUp
    /// it begins a new game, as on any board that is not fresh.
    void StartGame(std::chrono::milliseconds now);
    /// Sets up a game to go on with on the laid-out holes: its marbles, the jumps made to reach
    /// them and those taken back, and the clock's seconds. The clock stands until resumeClock.
    void setUp(const Position& position, std::vector<JumpMove> made, std::vector<JumpMove> undone,
               std::int32_t seconds);
    /// Runs the clock again from now on, on from the seconds it shows.
    void resumeClock(std::chrono::milliseconds now);
    /// Hides every marble and hole, as the variant choice does before Layout.
    void hideAll();

    // --- the drag protocol, as the board surface reports a drag ---
    /// The first drag-over of a marble: it leaves its place (imgKugel_DragOver).
    void lift(int source);
    /// Dropped on a marble, its own place included: it goes back (imgKugel_DragDrop).
    void dropOnMarble(int target, int dragged);
    /// Dropped on a hole: a legal jump moves, else it goes back (imgLoch_DragDrop).
    void dropOnHole(int target, int dragged);
    /// Dropped on the bare board: it goes back (picBrett_DragDrop).
    void dropOnBoard(int dragged);
    /// Dropped outside the board: no handler runs; the marble stays hidden until the pointer
    /// next moves over the board.
    void dropOutside() {}
    /// The pointer moves over the board without a drag: an abandoned marble goes back
    /// (picBrett_MouseMove).
    void pointerOverBoard();

    /// The jump rule on the board as shown (see Position::canJump): while dragged, the source
    /// is hidden and still may jump.
    bool canJump(int source, int target) const { return m_shown.canJump(source, target); }

    /// A lifted marble, if any, goes back to its place.
    void putBackLifted();
    /// Takes back the last jump of this board: the jumping marble returns, the marble jumped
    /// over comes back and the count goes up by one; a lifted marble is put back first. False
    /// when no jump is left to take back. The clock runs on.
    bool undoJump();
    /// Puts back the last jump taken back, until a new jump is made or the board is fresh; a
    /// lifted marble is put back first. False when there is none.
    bool redoJump();
    /// Jumps taken back that redoJump can put back.
    int jumpsUndone() const { return int(m_undone.size()); }

    void CheckEnd();
    void WriteHighScore();

    // --- the clock and the displays ---
    /// The clock's tick at now, a reading of the same steady clock as the start: the whole
    /// seconds that have passed since then.
    void Timer1_Timer(std::chrono::milliseconds now);
    void ShowNumber(Display display, std::int32_t value);

    /// Sets a board from its text form (tests and benchmarks): holes and marbles as drawn.
    void setText(const QString& text);

  private:
    void showMarble(int p, bool shown);
    void showHole(int p, bool shown);
    void setClock(bool running);
    /// Takes the last jump of `from` back (from the jumps made) or puts it back (from those
    /// taken back), moves it to `to` and shows the new count.
    bool replayJump(std::vector<JumpMove>& from, std::vector<JumpMove>& to, const char* name);

    BoardView& m_view;
    BoardEvents& m_events;
    Reporter& m_reporter;
    Random& m_random;
    Position m_shown;
    std::array<std::array<int, 8>, 8> m_coordTable{};
    int m_variantNumber = 4;
    QByteArray m_currentLayout;
    Geometry m_geometry;
    std::int32_t m_marbleCount = 0;
    std::int32_t m_elapsedSeconds = 0;
    std::chrono::milliseconds m_gameStart{0};
    bool m_gameOver = false;
    bool m_clockRunning = false;
    std::optional<int> m_lifted;
    std::vector<JumpMove> m_jumps;
    std::vector<JumpMove> m_undone; // taken back, the last taken back last
    ResultHandover m_handover;
};

} // namespace marvolen::game
