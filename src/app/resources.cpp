// Resources by type and id on Qt's resource system.
#include "resources.h"

#include <QFile>

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
