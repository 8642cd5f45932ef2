// The board: holes and marbles of the current variant, the drag protocol, the one jump rule,
// the end test with its hand-over of the result, and the game clock.
#pragma once

#include "core/failure.h"
#include "core/random.h"
#include "variants.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace marvolen::game {

enum class Display { MarbleCount, Time };

/// What the board needs of the window that shows it. Positions are in board units (1/15 pixel).
class BoardView {
public:
    virtual ~BoardView() = default;
    virtual void setHoleShown(int position, bool shown) = 0;
    virtual void setMarbleShown(int position, bool shown) = 0;
    virtual void moveHole(int position, int left, int top) = 0;
    virtual void moveMarble(int position, int left, int top) = 0;
    /// Shows four cells of the digit strip (0 to 9 digits, 10 blank) on a display.
    virtual void showDigits(Display display, const std::array<int, 4>& cells) = 0;
    virtual void setClockRunning(bool running) = 0;
    /// Plays a sound effect; called only while sound effects are on.
    virtual void playSound(int id) = 0;
    /// The modal "No more possible moves!" message; returns when the player closed it.
    virtual void showGameOver() = 0;
    /// Gives every command button its resting colours.
    virtual void resetButtonColours() = 0;
    /// Shows the champions window modally for the pending result; returns when it is closed.
    virtual void showChampions() = 0;
};

/// The result of a finished game, handed to the champions list.
struct ResultHandover {
    QByteArray NewResult;          ///< marbles "00000" then seconds "00000"
    bool NewResultPending = false; ///< asks the champions window to rank NewResult
};

/// Whole-second wall-clock time of a date-time, in days (the clock's unit).
double daysOf(const QDateTime& when);

/// The click rule: a command click counts only 1/100000 day (0.864 s) after the last accepted.
bool clickAccepted(double nowDays, double lastClickDays);

/// The 16-bit placement of holes on a board of height H (board units).
struct Geometry {
    std::int16_t holeSpacing = 0;
    std::int16_t margin = 0;
};
Geometry geometryFor(int variantNumber, double boardHeight);

class BoardModel {
public:
    BoardModel(BoardView& view, Reporter& reporter, Random& random);

    // --- state ---
    bool hole(int p) const { return m_hole.at(std::size_t(p)); }
    bool marble(int p) const { return m_marble.at(std::size_t(p)); }
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
    bool SoundOn() const { return m_soundOn; }
    void setSoundOn(bool on) { m_soundOn = on; }
    const ResultHandover& handover() const { return m_handover; }
    ResultHandover& handover() { return m_handover; }
    int coord(int i, int j) const { return m_coordTable.at(std::size_t(i)).at(std::size_t(j)); }

    /// Seven rows of "o" (marble), "." (empty hole) and " " (no hole), joined by "\n".
    QString text() const;

    // --- board operations ---
    void Coordinates();
    /// Lays out the holes of the current variant on a board of height H.
    void Layout(double boardHeight);
    void NewGame();
    void StartGame(const QDateTime& now);
    /// Hides every marble and hole, as the variant choice does before Layout.
    void hideAll();

    // --- the drag protocol ---
    void imgKugel_DragOver(int position, int dragged);
    void imgKugel_DragDrop(int position, int dragged);
    void imgLoch_DragDrop(int target, int dragged);
    void picBrett_DragDrop(int dragged);
    void picBrett_MouseMove();
    /// Board-level forms: lift s; drop on t (marble, hole or bare board by what t holds);
    /// a drop outside the board reaches no handler.
    void lift(int source);
    void drop(int target);
    void dropOutside() {}

    /// The one jump rule: marble jumps from s over a marble into the empty hole t.
    /// The source's own state is not tested (while dragged it is hidden).
    bool canJump(int source, int target) const;

    void CheckEnd();
    void WriteHighScore();

    // --- the clock and the displays ---
    void Timer1_Timer(const QDateTime& now);
    void ShowNumber(Display display, std::int32_t value);

    /// Sets a board from its text form (tests and benchmarks): holes and marbles as drawn.
    void setText(const QString& text);

private:
    void showMarble(int p, bool shown);
    void showHole(int p, bool shown);
    void setClock(bool running);
    void sound(int id);

    BoardView& m_view;
    Reporter& m_reporter;
    Random& m_random;
    std::array<bool, kPositions> m_hole{};
    std::array<bool, kPositions> m_marble{};
    std::array<std::array<int, 8>, 8> m_coordTable{};
    int m_variantNumber = 4;
    QByteArray m_currentLayout;
    Geometry m_geometry;
    std::int32_t m_marbleCount = 0;
    std::int32_t m_elapsedSeconds = 0;
    double m_gameStart = 0;
    bool m_gameOver = false;
    bool m_clockRunning = false;
    bool m_soundOn = true;
    std::optional<int> m_lifted;
    ResultHandover m_handover;
};

} // namespace marvolen::game
