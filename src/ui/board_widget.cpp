// Board surface drawing and drag and drop.
#include "board_widget.h"

#include "app/resources.h"
#include "core/failure.h"
#include "ids/resource_ids.h"
#include "panel_layout.h"
#include "panel_widgets.h"

#include <QCoreApplication>
#include <QDrag>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace marvolen::ui {
namespace {
const QString kMime = QStringLiteral("application/x-marvolen-marble");

int toPixels(int units) {
    return qRound(units / kTwipsPerPixel);
}

/// A picture resource, at twice its size on a screen of high density; Failure 326 when the game
/// carries none under that path.
QPixmap picture(const QString& path, int id) {
    const QPixmap pixmap = QFile::exists(path) ? app::loadPicture(path) : QPixmap();
    if (pixmap.isNull())
        throw Failure(err::ResourceNotFound, QString::number(id));
    return pixmap;
}
} // namespace

BoardWidget::BoardWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picBrett"));
    setAcceptDrops(true);
    setMouseTracking(true); // the pointer over the board puts back an abandoned marble
    setAccessibleName(QCoreApplication::translate("Marvolen", "Board"));
    setAttribute(Qt::WA_OpaquePaintEvent);
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

void BoardWidget::setHoleShown(int p, bool shown) {
    m_holeShown.at(std::size_t(p)) = shown;
    changed();
}

void BoardWidget::setMarbleShown(int p, bool shown) {
    m_marbleShown.at(std::size_t(p)) = shown;
    changed();
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
    return game::boardText(m_holeShown, m_marbleShown);
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

void BoardWidget::changed() {
    setAccessibleDescription(stateText());
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
            !m_marblePicture.isNull())
            painter.drawPixmap(marbleRect(p), m_marblePicture);
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
    if (!m_marblePicture.isNull()) {
        drag->setPixmap(dragImage());
        drag->setHotSpot(event->position().toPoint() - marbleRect(source).topLeft());
    }
    m_dragged = source;
    m_pendingDrop.reset();
    if (onLift)
        onLift(source);
    drag->exec(Qt::MoveAction);
    m_dragged.reset();
    // The move itself runs after the drag has ended, so that the end-of-game message and the
    // champions window do not open while the windowing system still holds the drag.
    if (const auto drop = std::exchange(m_pendingDrop, std::nullopt)) {
        switch (drop->kind) {
        case DropKind::Marble:
            if (onDropOnMarble)
                onDropOnMarble(drop->target, source);
            break;
        case DropKind::Hole:
            if (onDropOnHole)
                onDropOnHole(drop->target, source);
            break;
        case DropKind::Board:
            if (onDropOnBoard)
                onDropOnBoard(source);
            break;
        }
    }
}

void BoardWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragged && event->buttons() == Qt::NoButton && onPointerOverBoard)
        onPointerOverBoard();
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
