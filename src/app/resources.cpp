// Resources by type and id on Qt's resource system.
#include "resources.h"

#include "game/window_icon.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmapCache>

namespace marvolen::app {

QString resourcePath(const QString& type, int id) {
    return QStringLiteral(":/res/%1/%2").arg(type.toUpper()).arg(id);
}

bool hasResource(const QString& type, int id) {
    return QFile::exists(resourcePath(type, id));
}

QByteArray loadResource(const QString& type, int id) {
    QFile file(resourcePath(type, id));
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(err::ResourceNotFound, QString::number(id));
    return file.readAll();
}

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

void SaveResItemToDisk(Reporter& reporter, int id, const QString& type, const QString& path) {
    Procedure p(reporter, QStringLiteral("ModResFiles"), QStringLiteral("SaveResItemToDisk"));
    QByteArray bytes;
    p.step(50030, [&] { bytes = loadResource(type, id); });
    QFile file(path);
    p.step(50050, [&] {
        if (path.isEmpty())
            throw Failure(err::BadFileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw Failure(file.error() == QFileDevice::PermissionsError ? err::PermissionDenied
                                                                        : err::PathNotFound);
    });
    p.step(50060, [&] {
        if (file.write(bytes) != bytes.size())
            throw Failure(err::DeviceIO);
    });
    p.step(50070, [&] { file.close(); });
}

} // namespace marvolen::app
