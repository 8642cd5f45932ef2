// Drags on the game's board as a player makes them: real mouse presses on the board, and a stand-in
// for the windowing system that carries the drag and hands the window its drag and drop events.
#pragma once

#include "ui/main_window.h"

#include <QDrag>
#include <QMimeData>
#include <QTest>
#include <QWindow>

#include <optional>
#include <utility>
#include <vector>

namespace marvolen::test {

using ui::BoardWidget;
using ui::MainWindow;

/// Stands in for the windowing system during the board's drag, which the offscreen platform ends
/// at once: carries the drag along points in the window's coordinates, hands the window the drag
/// events a real drag hands it, and drops at the last point unless that lies outside. At each
/// point it notes whether a drop would be taken and what the pointer shows: the drag's cursor
/// for that answer.
class DragStandIn : public BoardWidget::DragRunner {
  public:
    struct Step {
        bool taken;
        QImage pointer;
    };
    std::vector<Step> steps;
    QPixmap picture;           ///< the drag picture: a window of its own on X11
    std::optional<int> lifted; ///< the marble the game held lifted during the drag
    bool liftedShown = true;   ///< whether its hole showed it then

    DragStandIn(MainWindow& window, std::vector<QPoint> path)
        : m_window(window), m_path(std::move(path)) {
        m_window.board().setDragRunner(this);
    }
    ~DragStandIn() override { m_window.board().setDragRunner(nullptr); }

  private:
    Qt::DropAction run(QDrag& drag, Qt::DropActions actions) override {
        picture = drag.pixmap();
        lifted = m_window.model().LiftedMarble();
        liftedShown = lifted && m_window.board().marbleShown(*lifted);
        QWindow* handle = m_window.windowHandle();
        bool inside = false;
        for (const QPoint& at : m_path) {
            Qt::DropAction answer = Qt::IgnoreAction;
            if (m_window.rect().contains(at)) {
                if (!inside) {
                    QDragEnterEvent enter(at, actions, drag.mimeData(), Qt::LeftButton, {});
                    QCoreApplication::sendEvent(handle, &enter);
                    inside = true;
                }
                QDragMoveEvent move(at, actions, drag.mimeData(), Qt::LeftButton, {});
                QCoreApplication::sendEvent(handle, &move);
                if (move.isAccepted())
                    answer = move.dropAction();
            } else if (inside) {
                QDragLeaveEvent leave;
                QCoreApplication::sendEvent(handle, &leave);
                inside = false;
            }
            steps.push_back({answer != Qt::IgnoreAction, drag.dragCursor(answer).toImage()});
        }
        if (!inside)
            return Qt::IgnoreAction;
        QDropEvent drop(m_path.back(), actions, drag.mimeData(), Qt::NoButton, {});
        QCoreApplication::sendEvent(handle, &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }

    MainWindow& m_window;
    std::vector<QPoint> m_path;
};

/// A point of a widget in the main window's coordinates.
inline QPoint inWindow(MainWindow& w, const QWidget* widget, QPoint at) {
    return widget->mapTo(&w, at);
}

/// Presses the mouse on a marble, as a drag starts, and lets it go once the drag is over.
inline void dragMarble(MainWindow& w, int marble) {
    const QPoint at = w.board().marbleRect(marble).center();
    QTest::mousePress(&w.board(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(&w.board(), Qt::LeftButton, {}, at);
}

/// Drags the marble at `from` with the mouse and drops it on the hole at `to`.
inline void jumpByMouse(MainWindow& w, int from, int to) {
    BoardWidget& board = w.board();
    DragStandIn standIn(w, {inWindow(w, &board, board.holeRect(to).center())});
    dragMarble(w, from);
}

} // namespace marvolen::test
