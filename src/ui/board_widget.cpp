// Board surface drawing and drag and drop.
#include "board_widget.h"

#include "announcer.h"
#include "app/resources.h"
#include "board_accessible.h"
#include "core/failure.h"
#include "ids/resource_ids.h"
#include "panel_widgets.h"
#include "pictures.h"
#include "theme.h"
#include "twips.h"

#include <QCoreApplication>
#include <QDrag>
#include <QFile>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace marvolen::ui {
namespace {
const QString kMime = QStringLiteral("application/x-marvolen-marble");

/// A picture resource, at twice its size on a screen of high density; Failure 326 when the game
/// carries none under that path.
QPixmap picture(const QString& path, int id) {
    const QPixmap pixmap = QFile::exists(path) ? ui::loadPicture(path) : QPixmap();
    if (pixmap.isNull())
        throw Failure(err::ResourceNotFound, QString::number(id));
    return pixmap;
}

} // namespace

BoardWidget::BoardWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picBrett"));
    setAcceptDrops(true);
    setMouseTracking(true); // the pointer over the board puts back an abandoned marble
    static const bool installed = [] {
        QAccessible::installFactory(boardAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    retranslate();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void BoardWidget::retranslate() {
    setAccessibleName(QCoreApplication::translate("Marvolen", "Board"));
}

void BoardWidget::setBoardPicture(int id) {
    m_boardPicture = picture(app::resourcePath(QLatin1String(ResourceType::Bitmap), id), id);
    m_scaledBoard = QPixmap();
    update();
}

void BoardWidget::setHolePicture(int boardPicture) {
    m_holePicture = picture(QStringLiteral(":/res/PIC/hole%1").arg(boardPicture - 1),
                            ResourceId::board(boardPicture));
    update();
}

void BoardWidget::setMarblePicture(int id) {
    m_marblePicture = picture(app::resourcePath(QLatin1String(ResourceType::Icon), id), id);
    update();
}

void BoardWidget::showDigits(game::Display display, const std::array<int, 4>& cells) {
    if (m_displays)
        m_displays->showDigits(display, cells);
}

void BoardWidget::announce(const QString& text) {
    if (m_announcer)
        m_announcer->announce(text);
}

void BoardWidget::setCountWarning(bool warning) {
    if (m_displays)
        m_displays->setCountWarning(warning);
}

void BoardWidget::setHoleShown(int p, bool shown) {
    const bool was = std::exchange(m_holeShown.at(std::size_t(p)), shown);
    // Every variant has the centre hole: the cursor goes there when its place goes.
    if (!shown && p == m_cursor)
        m_cursor = 24;
    changed();
    if (was != shown) {
        // Another variant: the board's children are other places now.
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
}

void BoardWidget::setMarbleShown(int p, bool shown) {
    const bool was = std::exchange(m_marbleShown.at(std::size_t(p)), shown);
    // The board changed: the jump the hint advised may be gone.
    if (was != shown)
        stopHint();
    if (m_travel && p == m_travel->second && !shown)
        stopTravel();
    // Shown again by the game (a fresh board, a put-back): the keyboard no longer holds it.
    if (shown && m_keyLifted == p)
        m_keyLifted.reset();
    changed();
    if (was != shown)
        notifyPlace(p, QAccessible::NameChanged);
}

void BoardWidget::moveHole(int p, int left, int top) {
    m_holeAt.at(std::size_t(p)) = QPoint(toPixels(left), toPixels(top));
    update();
}

void BoardWidget::moveMarble(int p, int left, int top) {
    m_marbleAt.at(std::size_t(p)) = QPoint(toPixels(left), toPixels(top));
    update();
}

QRect BoardWidget::holeRect(int p) const {
    return QRect(m_holeAt.at(std::size_t(p)), QSize(kHoleSize, kHoleSize));
}

QRect BoardWidget::marbleRect(int p) const {
    return QRect(m_marbleAt.at(std::size_t(p)), QSize(kMarbleSize, kMarbleSize));
}

QString BoardWidget::stateText() const {
    return game::Position(m_holeShown, m_marbleShown).text();
}

QPixmap BoardWidget::dragImage() const {
    if (m_marblePicture.isNull())
        return {};
    const qreal dpr = devicePixelRatioF();
    QPixmap image = m_marblePicture.scaled(QSize(kMarbleSize, kMarbleSize) * dpr,
                                           Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(dpr);
    return image;
}

void BoardWidget::carryOnPointer(QDrag& drag) const {
    const QPixmap marble = dragImage();
    if (marble.isNull())
        return;
    // The pointer itself is the marble: the windowing system draws a cursor with its soft edge
    // over any window and outside ours, with or without a compositor, where a drag picture is a
    // window of its own that shows on a white square on X11 unless a compositor blends it.
    // The cursor is in the screen's own pixels, as X11 takes its hot spot, the middle, in those:
    // at a ratio of 2 a picture of that ratio would be held by its upper left quarter.
    QPixmap cursor = marble;
    cursor.setDevicePixelRatio(1);
    // Where no drop is taken (the panel, outside) the marble too, not a no-entry sign.
    for (const Qt::DropAction action :
         {Qt::MoveAction, Qt::CopyAction, Qt::LinkAction, Qt::IgnoreAction})
        drag.setDragCursor(cursor, action);
    // A Wayland compositor keeps the pointer to itself during a drag and blends a drag picture
    // with its soft edge: there the picture carries the marble, under the pointer.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        drag.setPixmap(marble);
        drag.setHotSpot(QPoint(kMarbleSize, kMarbleSize) / 2);
    } else {
        // Without a picture Qt still moves a window of one pixel along, by default beside the
        // hot spot: at the hot spot it hides under the marble's middle.
        drag.setHotSpot(QPoint(0, 0));
    }
}

QString BoardWidget::placeText(int p) const {
    const int row = p / 7 + 1, column = p % 7 + 1;
    const QString text = m_marbleShown.at(std::size_t(p))
                             ? QCoreApplication::translate("Marvolen", "row %1, column %2: marble")
                                   .arg(row)
                                   .arg(column)
                             : QCoreApplication::translate("Marvolen", "row %1, column %2: empty")
                                   .arg(row)
                                   .arg(column);
    return text;
}

int BoardWidget::accessibleIndex(int p) const {
    if (!m_holeShown.at(std::size_t(p)))
        return -1;
    return int(std::count(m_holeShown.begin(), m_holeShown.begin() + p, true));
}

void BoardWidget::notifyPlace(int p, QAccessible::Event what) {
    const int index = accessibleIndex(p);
    if (index < 0 || (what == QAccessible::Focus && !hasFocus()))
        return;
    if (what == QAccessible::StateChanged) {
        // Only the lifted marble's place changes its state: selected while it is lifted.
        QAccessible::State selected;
        selected.selected = true;
        QAccessibleStateChangeEvent event(this, selected);
        event.setChild(index);
        QAccessible::updateAccessibility(&event);
        return;
    }
    QAccessibleEvent event(this, what);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

void BoardWidget::changed() {
    update();
}

void BoardWidget::resizeEvent(QResizeEvent* event) {
    m_scaledBoard = QPixmap();
    QWidget::resizeEvent(event);
}

void BoardWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The board picture is drawn square at the surface's height and kept until the next resize.
    if (m_scaledBoard.isNull() && !m_boardPicture.isNull()) {
        const qreal dpr = devicePixelRatioF();
        m_scaledBoard = m_boardPicture.scaled(QSize(height(), height()) * dpr,
                                              Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaledBoard.setDevicePixelRatio(dpr);
    }
    painter.fillRect(rect(), Qt::black);
    if (!m_scaledBoard.isNull())
        painter.drawPixmap(0, 0, m_scaledBoard);
    for (int p = 0; p < 49; ++p)
        if (m_holeShown[std::size_t(p)] && !m_holePicture.isNull())
            painter.drawPixmap(holeRect(p), m_holePicture);
    for (int p = 0; p < 49; ++p)
        if (m_marbleShown[std::size_t(p)] && m_holeShown[std::size_t(p)] &&
            !m_marblePicture.isNull() && !(m_travel && m_travel->second == p))
            painter.drawPixmap(marbleRect(p), m_marblePicture);
    paintTravel(painter);
    paintHint(painter);
    paintKeyboard(painter);
}

namespace {
// Two flashes: lit, dark, lit, dark.
constexpr int kHintPhases = 4;
constexpr int kHintPhaseMs = 300;
} // namespace

void BoardWidget::showHint(int from, int to) {
    if (!m_hintTimer) {
        m_hintTimer = new QTimer(this);
        m_hintTimer->setInterval(kHintPhaseMs);
        connect(m_hintTimer, &QTimer::timeout, this, [this] { hintTick(); });
    }
    m_hint = {from, to};
    m_hintPhase = 1;
    m_hintTimer->start();
    update();
    // What the flashing shows, for those who do not see it.
    const QString advice =
        QCoreApplication::translate("Marvolen", "Hint: jump from row %1, column %2 to row %3, "
                                                "column %4")
            .arg(from / 7 + 1)
            .arg(from % 7 + 1)
            .arg(to / 7 + 1)
            .arg(to % 7 + 1);
    setToolTip(advice);
    announce(advice);
}

void BoardWidget::hintTick() {
    if (++m_hintPhase > kHintPhases)
        stopHint();
    update();
}

void BoardWidget::stopHint() {
    if (!m_hint)
        return;
    m_hint.reset();
    m_hintPhase = 0;
    if (m_hintTimer)
        m_hintTimer->stop();
    setToolTip(QString());
    update();
}

namespace {
// The travel takes under half a step of a line played out, so that each jump rests a moment.
constexpr int kTravelMs = 350;
} // namespace

void BoardWidget::showTravel(int from, int to) {
    if (!m_travelTimer) {
        m_travelTimer = new QTimer(this);
        m_travelTimer->setInterval(16);
        connect(m_travelTimer, &QTimer::timeout, this, [this] {
            if (m_travelClock.elapsed() >= kTravelMs)
                stopTravel();
            update();
        });
    }
    m_travel = {from, to};
    m_travelClock.start();
    m_travelTimer->start();
    update();
}

void BoardWidget::stopTravel() {
    m_travel.reset();
    if (m_travelTimer)
        m_travelTimer->stop();
    update();
}

void BoardWidget::paintTravel(QPainter& painter) const {
    if (!m_travel || m_marblePicture.isNull())
        return;
    const qreal t = std::min<qreal>(1.0, qreal(m_travelClock.elapsed()) / kTravelMs);
    // Eased in and out, and lifted over the marble it jumps as a hop.
    const qreal eased = t * t * (3 - 2 * t);
    const QPointF from = marbleRect(m_travel->first).topLeft();
    const QPointF to = marbleRect(m_travel->second).topLeft();
    const qreal hop = std::sin(eased * 3.14159265358979) * kMarbleSize * 0.6;
    const QPointF at = from + (to - from) * eased - QPointF(0, hop);
    // The marble jumped over goes once the other has passed its top.
    if (eased < 0.5)
        painter.drawPixmap(marbleRect((m_travel->first + m_travel->second) / 2), m_marblePicture);
    painter.drawPixmap(QRectF(at, QSizeF(kMarbleSize, kMarbleSize)), m_marblePicture,
                       QRectF(m_marblePicture.rect()));
}

void BoardWidget::paintHint(QPainter& painter) const {
    if (!hintLit())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    // White stands out against the cyan marbles and every board picture.
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(marbleRect(m_hint->first)).adjusted(-4, -4, 4, 4));
    QColor glow = Qt::white;
    glow.setAlpha(140);
    painter.setBrush(glow);
    painter.drawEllipse(QRectF(marbleRect(m_hint->second)).adjusted(-4, -4, 4, 4));
}

void BoardWidget::paintKeyboard(QPainter& painter) const {
    if (!m_keyboardUsed || !hasFocus())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect hole = holeRect(m_cursor);
    const QRectF ring = QRectF(marbleRect(m_cursor)).adjusted(-3, -3, 3, 3);
    if (m_keyLifted && !m_marblePicture.isNull()) {
        // The lifted marble floats above the cursor's place with its shadow below it.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 90));
        painter.drawEllipse(QRectF(marbleRect(m_cursor)).translated(2, 3));
        painter.drawPixmap(marbleRect(m_cursor).translated(-3, -4), m_marblePicture);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(theme::kCyan, 2));
    painter.drawEllipse(m_holeShown[std::size_t(m_cursor)] ? ring : QRectF(hole));
}

void BoardWidget::keyPressEvent(QKeyEvent* event) {
    struct Step {
        int key, rows, columns;
    };
    static constexpr Step kSteps[] = {
        {Qt::Key_Up, -1, 0}, {Qt::Key_Down, 1, 0}, {Qt::Key_Left, 0, -1}, {Qt::Key_Right, 0, 1}};
    for (const Step& step : kSteps)
        if (event->key() == step.key) {
            m_keyboardUsed = true;
            m_cursor = game::nextHole(m_holeShown, m_cursor, step.rows, step.columns);
            notifyPlace(m_cursor, QAccessible::Focus);
            update();
            return;
        }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_keyboardUsed = true;
        if (const auto lifted = std::exchange(m_keyLifted, std::nullopt)) {
            notifyPlace(*lifted, QAccessible::StateChanged);
            deliverDrop(elementAtPlace(m_cursor), *lifted);
            // No jump: the marble is back in its place.
            if (m_marbleShown[std::size_t(*lifted)])
                announce(putBackWords());
        } else if (m_marbleShown[std::size_t(m_cursor)] && m_holeShown[std::size_t(m_cursor)]) {
            m_keyLifted = m_cursor;
            emit marbleLifted(m_cursor);
            notifyPlace(m_cursor, QAccessible::StateChanged);
            announce(QCoreApplication::translate("Marvolen", "Marble lifted"));
        }
        update();
        return;
    case Qt::Key_Escape:
        // With a marble lifted, Escape only puts it back; otherwise it keeps its meaning.
        if (m_keyLifted) {
            putBackKeyboardMarble();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void BoardWidget::focusInEvent(QFocusEvent* event) {
    // Reached by Tab: the keyboard is in use, so the cursor shows.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        m_keyboardUsed = true;
    update();
    QWidget::focusInEvent(event);
    // Assistive technology follows the cursor's place, not the whole board. Qt tells it of the
    // board's own focus only after this handler, so the place's focus is told once that is done.
    QMetaObject::invokeMethod(
        this, [this] { notifyPlace(m_cursor, QAccessible::Focus); }, Qt::QueuedConnection);
}

void BoardWidget::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

void BoardWidget::putBackKeyboardMarble() {
    if (const auto lifted = std::exchange(m_keyLifted, std::nullopt)) {
        notifyPlace(*lifted, QAccessible::StateChanged);
        // Back where it came from, as a dragged marble dropped on the bare board goes back.
        deliverDrop({DropKind::Board, -1}, *lifted);
        announce(putBackWords());
        update();
    }
}

BoardWidget::PendingDrop BoardWidget::elementAtPlace(int place) const {
    const auto p = std::size_t(place);
    if (m_marbleShown[p] && m_holeShown[p])
        return {DropKind::Marble, place};
    if (m_holeShown[p])
        return {DropKind::Hole, place};
    return {DropKind::Board, -1};
}

void BoardWidget::deliverDrop(PendingDrop drop, int dragged) {
    switch (drop.kind) {
    case DropKind::Marble:
        emit droppedOnMarble(drop.target, dragged);
        break;
    case DropKind::Hole:
        emit droppedOnHole(drop.target, dragged);
        break;
    case DropKind::Board:
        emit droppedOnBoard(dragged);
        break;
    }
}

BoardWidget::PendingDrop BoardWidget::elementAt(const QPoint& point) const {
    // Later elements lie above earlier ones; marbles lie above holes.
    for (int p = 48; p >= 0; --p)
        if (m_marbleShown[std::size_t(p)] && marbleRect(p).contains(point))
            return {DropKind::Marble, p};
    for (int p = 48; p >= 0; --p)
        if (m_holeShown[std::size_t(p)] && holeRect(p).contains(point))
            return {DropKind::Hole, p};
    return {DropKind::Board, -1};
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
    // A mouse drag and a keyboard lift never mix.
    putBackKeyboardMarble();
    if (event->button() != Qt::LeftButton || m_dragged)
        return;
    const PendingDrop under = elementAt(event->position().toPoint());
    if (under.kind != DropKind::Marble)
        return;
    const int source = under.target;
    auto* mime = new QMimeData;
    mime->setData(kMime, QByteArray::number(source));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    carryOnPointer(*drag);
    m_dragged = source;
    m_pendingDrop.reset();
    emit marbleLifted(source);
    if (m_dragRunner)
        m_dragRunner->run(*drag, Qt::MoveAction);
    else
        drag->exec(Qt::MoveAction);
    m_dragged.reset();
    // The move itself runs after the drag has ended, so that the end-of-game message and the
    // champions window do not open while the windowing system still holds the drag.
    if (const auto drop = std::exchange(m_pendingDrop, std::nullopt))
        deliverDrop(*drop, source);
}

void BoardWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragged && event->buttons() == Qt::NoButton)
        emit pointerMoved();
}

void BoardWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kMime) && m_dragged)
        event->acceptProposedAction();
}

void BoardWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasFormat(kMime) && m_dragged)
        event->acceptProposedAction();
}

void BoardWidget::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasFormat(kMime) || !m_dragged)
        return;
    m_pendingDrop = elementAt(event->position().toPoint());
    event->acceptProposedAction();
}

} // namespace marvolen::ui
