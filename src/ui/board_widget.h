// The board surface: the board picture, its holes and marbles, and dragging a marble.
#pragma once

#include "game/board_model.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDrag>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>
#include <utility>

namespace marvolen::ui {

class Announcer;
class DisplayFrame;

/// Draws the 49 hole and marble elements over the board picture and turns mouse drags into
/// the board's drag protocol. Element positions are in board units (15 to the pixel). It is
/// the board model's view, the two displays of the panel included.
class BoardWidget : public QWidget, public game::BoardView {
    Q_OBJECT

  public:
    explicit BoardWidget(QWidget* parent = nullptr);
    /// The displays that show the clock and the marble count.
    void setDisplays(DisplayFrame* displays) { m_displays = displays; }
    /// Where the board tells a screen reader of a marble lifted or put back and of a hint.
    void setAnnouncer(Announcer* announcer) { m_announcer = announcer; }

    // BoardView; a picture the game does not carry is Failure 326.
    void setHoleShown(int position, bool shown) override;
    void setMarbleShown(int position, bool shown) override;
    void moveHole(int position, int left, int top) override;
    void moveMarble(int position, int left, int top) override;
    void showDigits(game::Display display, const std::array<int, 4>& cells) override;
    /// Draws the marble count in amber (a single marble is out of reach) or in its cyan.
    void setCountWarning(bool warning);
    void setMarblePicture(int resourceId) override;
    void setHolePicture(int boardPicture) override;
    void setBoardPicture(int resourceId) override;
    void showBoard() override { show(); }
    /// Flashes the marble at `from` and the hole `to` twice: the jump a hint advises.
    void showHint(int from, int to);

    /// Draws the marble now at `to` travelling there from `from`, for a moment: a jump of a
    /// line played out.
    void showTravel(int from, int to);
    /// The jump whose marble is travelling, while it travels.
    std::optional<std::pair<int, int>> travelShown() const { return m_travel; }

    bool holeShown(int position) const { return m_holeShown.at(std::size_t(position)); }
    bool marbleShown(int position) const { return m_marbleShown.at(std::size_t(position)); }
    /// The widget-pixel rectangles of a hole and a marble element.
    QRect holeRect(int position) const;
    QRect marbleRect(int position) const;

    /// The board's state in its text form, also its accessible description.
    QString stateText() const;
    /// What assistive technology reads for a place: "row 2, column 4: marble".
    QString placeText(int position) const;
    /// A place's index among the board's accessible children (its holes), -1 without a hole.
    int accessibleIndex(int position) const;
    /// Names the board in the current language.
    void retranslate();
    /// The dragged marble as it follows the pointer: the marble picture at the marble's size on
    /// this screen, in the screen's pixels; null without a marble picture.
    QPixmap dragImage() const;

    /// The jump a hint is flashing, while it flashes.
    std::optional<std::pair<int, int>> hintShown() const { return m_hint; }
    /// Whether the hint's rings are lit at this moment of the flashing.
    bool hintLit() const { return m_hint && m_hintPhase % 2 == 1; }

    /// The keyboard cursor's place (the centre at first), and the marble the keyboard lifted.
    int cursor() const { return m_cursor; }
    std::optional<int> keyboardLifted() const { return m_keyLifted; }

    /// Runs a drag of a marble until it is dropped or abandoned (QDrag::exec); nullptr gives it
    /// back to the windowing system. A test stands in here for the windowing system, whose
    /// offscreen platform ends every drag at once.
    class DragRunner {
      public:
        virtual ~DragRunner() = default;
        virtual Qt::DropAction run(QDrag& drag, Qt::DropActions actions) = 0;
    };
    void setDragRunner(DragRunner* runner) { m_dragRunner = runner; }

    static constexpr int kMarbleSize = 32;
    static constexpr int kHoleSize = 40;

  signals:
    // What the player did on the board: the drag protocol, by mouse or by keyboard.
    /// A marble was lifted: the first drag-over.
    void marbleLifted(int dragged);
    void droppedOnMarble(int target, int dragged);
    void droppedOnHole(int target, int dragged);
    void droppedOnBoard(int dragged);
    /// The pointer moved over the board without a drag.
    void pointerMoved();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    enum class DropKind { Marble, Hole, Board };
    struct PendingDrop {
        DropKind kind;
        int target;
    };
    /// The topmost shown element under a point: a marble, else a hole, else the bare board.
    PendingDrop elementAt(const QPoint& point) const;
    void changed();
    /// Makes the pointer show the marble for the whole drag, wherever it goes.
    void carryOnPointer(QDrag& drag) const;
    /// Tells assistive technology that a place's text or its lifted state changed, or that the
    /// cursor moved.
    void notifyPlace(int position, QAccessible::Event what);
    /// What a keyboard drop at a place lands on: its marble, else its hole, else the bare board.
    PendingDrop elementAtPlace(int place) const;
    /// Hands a drop of the dragged marble on an element to the game; mouse and keyboard drops
    /// both go this one way.
    void deliverDrop(PendingDrop drop, int dragged);
    /// Puts a marble lifted by the keyboard back.
    void putBackKeyboardMarble();
    /// Tells a screen reader what happened on the board, when there is one to tell.
    void announce(const QString& text);
    static QString putBackWords() {
        return QCoreApplication::translate("Marvolen", "Marble put back");
    }
    void paintKeyboard(QPainter& painter) const;
    void paintHint(QPainter& painter) const;
    void hintTick();
    void stopHint();
    void paintTravel(QPainter& painter) const;
    void stopTravel();

    QPixmap m_boardPicture;
    QPixmap m_scaledBoard;
    QPixmap m_holePicture;
    QPixmap m_marblePicture;
    std::array<bool, 49> m_holeShown{};
    std::array<bool, 49> m_marbleShown{};
    std::array<QPoint, 49> m_holeAt{};
    std::array<QPoint, 49> m_marbleAt{};
    std::optional<int> m_dragged;
    std::optional<PendingDrop> m_pendingDrop;
    DisplayFrame* m_displays = nullptr;
    Announcer* m_announcer = nullptr;
    int m_cursor = 24;
    std::optional<int> m_keyLifted;
    /// The cursor ring shows only once the keyboard has been used on the board, so that a mouse
    /// player sees the board as always.
    bool m_keyboardUsed = false;
    std::optional<std::pair<int, int>> m_hint;
    int m_hintPhase = 0; // lit on odd phases: two flashes
    QTimer* m_hintTimer = nullptr;
    std::optional<std::pair<int, int>> m_travel;
    QElapsedTimer m_travelClock;
    QTimer* m_travelTimer = nullptr;
    DragRunner* m_dragRunner = nullptr;
};

} // namespace marvolen::ui
