// The game's pictures and its window icon, decoded once and kept in Qt's picture cache.
#include "pictures.h"

#include "game/window_icon.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPixmapCache>

namespace marvolen::ui {

QString doublePicturePath(const QString& path) {
    return path + QStringLiteral("@2x");
}

namespace {
QString cacheKey(const QString& path, qreal deviceRatio) {
    return QStringLiteral("marvolen:%1@%2").arg(path).arg(deviceRatio > 1 ? 2 : 1);
}
} // namespace

QPixmap loadPicture(const QString& path, qreal deviceRatio) {
    // Each picture is decoded once and kept: the windows ask again on every layout.
    const QString key = cacheKey(path, deviceRatio);
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    if (deviceRatio > 1) {
        picture = QPixmap::fromImage(decodePicture(doublePicturePath(path)));
        if (!picture.isNull())
            picture.setDevicePixelRatio(2);
    }
    if (picture.isNull())
        picture = QPixmap::fromImage(decodePicture(path));
    QPixmapCache::insert(key, picture);
    return picture;
}

QStringList windowIconFiles() {
    QStringList files;
    for (int size : game::kWindowIconSizes)
        files << QStringLiteral(":/res/PIC/winicon%1").arg(size);
    return files;
}

QIcon windowIcon() {
    QIcon icon;
    for (const QString& file : windowIconFiles()) {
        const QPixmap picture = loadPicture(file, 1.0);
        if (!picture.isNull())
            icon.addPixmap(picture);
    }
    return icon;
}

QImage decodePicture(const QString& path) {
    // Every picture of the game is a PNG. Told so, and told not to guess, Qt decodes it with its
    // own PNG reader instead of loading each of its image plugins to ask whether one knows better.
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    QImage picture = reader.read();
    // A pixmap keeps pictures with transparency premultiplied: converted here, off the thread
    // that shows them, the pixmap is made later without a second pass over the pixels.
    if (picture.hasAlphaChannel())
        picture.convertTo(QImage::Format_ARGB32_Premultiplied);
    return picture;
}

void keepPicture(const QString& path, QImage picture) {
    // Handed over, not copied: the pixmap takes the decoded pixels as they are.
    if (!picture.isNull())
        QPixmapCache::insert(cacheKey(path, 1), QPixmap::fromImage(std::move(picture)));
}

QPixmap loadPicture(const QString& path) {
    return loadPicture(path, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
}

QPixmap stripCellPicture(const QPixmap& strip, const game::StripLayout& layout, int n) {
    const QRect cell = game::stripCell(layout, n);
    const int scale = qRound(strip.devicePixelRatio());
    QPixmap part = strip.copy(QRect(cell.topLeft() * scale, cell.size() * scale));
    part.setDevicePixelRatio(strip.devicePixelRatio());
    return part;
}

} // namespace marvolen::ui
