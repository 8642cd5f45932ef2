// The board and its places as assistive technology reads them.
#include "board_accessible.h"

#include "board_widget.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <array>

namespace marvolen::ui {
namespace {

/// One place of the board for assistive technology; it lives as long as the board's own
/// interface, which creates it on first use.
class BoardCellAccessible : public QAccessibleInterface {
  public:
    BoardCellAccessible(BoardWidget* board, int place) : m_board(board), m_place(place) {}
    bool isValid() const override { return !m_board.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return m_board ? m_board->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_board.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && m_board ? m_board->placeText(m_place) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!m_board)
            return {};
        const QRect hole = m_board->holeRect(m_place);
        return QRect(m_board->mapToGlobal(hole.topLeft()), hole.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!m_board)
            return state;
        state.focusable = true;
        state.invisible = !m_board->holeShown(m_place) || !m_board->isVisible();
        state.focused = m_board->hasFocus() && m_board->cursor() == m_place;
        state.selected = m_board->keyboardLifted() == m_place;
        return state;
    }

  private:
    QPointer<BoardWidget> m_board;
    int m_place;
};

/// The board as a table of its holes; places without a hole are no elements.
class BoardAccessible : public QAccessibleWidget {
  public:
    explicit BoardAccessible(BoardWidget* board) : QAccessibleWidget(board, QAccessible::Table) {}
    ~BoardAccessible() override {
        for (QAccessible::Id id : m_cells)
            if (id)
                QAccessible::deleteAccessibleInterface(id);
    }
    int childCount() const override {
        int holes = 0;
        for (int p = 0; p < game::kPositions; ++p)
            holes += board()->holeShown(p) ? 1 : 0;
        return holes;
    }
    QAccessibleInterface* child(int index) const override {
        for (int p = 0; p < game::kPositions; ++p)
            if (board()->holeShown(p) && index-- == 0)
                return cell(p);
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int p = 0; p < game::kPositions; ++p)
            if (m_cells[std::size_t(p)] &&
                QAccessible::accessibleInterface(m_cells[std::size_t(p)]) == child)
                return board()->accessibleIndex(p);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint local = board()->mapFromGlobal(QPoint(x, y));
        for (int p = 0; p < game::kPositions; ++p)
            if (board()->holeShown(p) && board()->holeRect(p).contains(local))
                return cell(p);
        return nullptr;
    }
    /// The board as text, read when asked for: a new game changes every place, and a screen
    /// reader would be flooded if each change were pushed.
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Description ? board()->stateText() : QAccessibleWidget::text(t);
    }
    QAccessibleInterface* focusChild() const override {
        if (!board()->hasFocus() || !board()->holeShown(board()->cursor()))
            return nullptr;
        return cell(board()->cursor());
    }

  private:
    BoardWidget* board() const { return static_cast<BoardWidget*>(widget()); }
    QAccessibleInterface* cell(int place) const {
        QAccessible::Id& id = m_cells[std::size_t(place)];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new BoardCellAccessible(board(), place));
        return QAccessible::accessibleInterface(id);
    }
    mutable std::array<QAccessible::Id, game::kPositions> m_cells{};
};

} // namespace

QAccessibleInterface* boardAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(BoardWidget::staticMetaObject.className()))
        if (auto* board = qobject_cast<BoardWidget*>(object))
            return new BoardAccessible(board);
    return nullptr;
}

} // namespace marvolen::ui
