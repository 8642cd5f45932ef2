// Resources by type and id on Qt's resource system.
#include "resources.h"

#include <QFile>
#include <QGuiApplication>

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

QPixmap loadPicture(const QString& path, qreal deviceRatio) {
    if (deviceRatio > 1) {
        QPixmap twice(doublePicturePath(path));
        if (!twice.isNull()) {
            twice.setDevicePixelRatio(2);
            return twice;
        }
    }
    return QPixmap(path);
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
