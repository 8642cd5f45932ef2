// The atomic file replacement and the error numbers of its failures.
#include "atomic_file.h"

#include "failure.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace marvolen {
namespace {

[[noreturn]] void throwWriteFailure(const QString& path, QFileDevice::FileError error) {
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        throw Failure(err::PathNotFound);
    switch (error) {
    case QFileDevice::ResourceError:
        throw Failure(err::DiskFull);
    case QFileDevice::WriteError:
        throw Failure(err::DeviceIO);
    case QFileDevice::PermissionsError:
        throw Failure(err::PermissionDenied);
    default:
        if (!QFileInfo(info.absolutePath()).isWritable() || (info.exists() && !info.isWritable()))
            throw Failure(err::PermissionDenied);
        throw Failure(err::PathFileAccess);
    }
}

} // namespace

void replaceFileAtomically(const QString& path, QByteArrayView bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throwWriteFailure(path, file.error());
    // The buffer is flushed and checked before the commit: QSaveFile's commit alone overlooks a
    // flush that wrote only part of the bytes (a full disk, a size limit) and would put a
    // cut-off file in place of the old one.
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        const QFileDevice::FileError error = file.error();
        file.cancelWriting();
        throwWriteFailure(path, error);
    }
    if (!file.commit())
        throwWriteFailure(path, file.error());
}

} // namespace marvolen
