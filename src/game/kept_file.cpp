// Reading, replacing and setting aside the small files the game keeps.
#include "kept_file.h"

#include "core/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace marvolen::game {

void noteOnStandardError(const QString& line) {
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

QString firstLineProblem(const QByteArray& firstLine, const QByteArray& versionLine,
                         const QString& what) {
    if (firstLine == versionLine)
        return {};
    const QByteArray prefix = versionLine.left(versionLine.lastIndexOf(' ') + 1);
    if (!firstLine.startsWith(prefix))
        return QStringLiteral("not %1").arg(what);
    const QByteArray version = firstLine.mid(prefix.size());
    const bool number =
        !version.isEmpty() && version.size() <= 9 &&
        std::all_of(version.begin(), version.end(), [](char c) { return c >= '0' && c <= '9'; });
    return number
               ? QStringLiteral("written by another version (%1)").arg(QLatin1StringView(version))
               : QStringLiteral("a damaged first line");
}

KeptFile::KeptFile(const QString& folder, const QString& name, qsizetype limit, NoteSink sink)
    : m_path(QDir(folder).filePath(name)), m_limit(limit), m_sink(std::move(sink)) {}

KeptFile::Read KeptFile::read() const {
    QFile file(m_path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, QStringLiteral("cannot be read (%1)").arg(file.errorString())};
    // One byte past the limit tells a file that is too long from one that fits exactly.
    QByteArray bytes = file.read(m_limit + 1);
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, QStringLiteral("cannot be read (%1)").arg(file.errorString())};
    if (bytes.size() > m_limit)
        return {std::nullopt, QStringLiteral("longer than %1 bytes").arg(m_limit)};
    return {std::move(bytes), {}};
}

std::optional<Failure> KeptFile::write(const QByteArray& bytes) const {
    try {
        replaceFileAtomically(m_path, bytes);
    } catch (const Failure& failure) {
        return failure;
    }
    return std::nullopt;
}

std::optional<Failure> KeptFile::remove() const {
    QFile file(m_path);
    if (!file.exists() || file.remove())
        return std::nullopt;
    return Failure(QFileInfo(QFileInfo(m_path).absolutePath()).isWritable()
                       ? err::PathFileAccess
                       : err::PermissionDenied);
}

std::optional<Failure> KeptFile::setAside(const QString& reason) const {
    const QString bad = badPath();
    // QFile::rename never replaces a file, so an older damaged file goes first: only the
    // latest one is worth a look.
    if (QFileInfo::exists(bad))
        QFile::remove(bad);
    if (!QFile::rename(m_path, bad)) {
        m_sink(QStringLiteral("marvolen: %1: %2; it could not be set aside and is ignored")
                   .arg(QDir::toNativeSeparators(m_path), reason));
        return Failure(QFileInfo(QFileInfo(m_path).absolutePath()).isWritable()
                           ? err::PathFileAccess
                           : err::PermissionDenied);
    }
    m_sink(QStringLiteral("marvolen: %1: %2; set aside as %3")
               .arg(QDir::toNativeSeparators(m_path), reason, QDir::toNativeSeparators(bad)));
    return std::nullopt;
}

} // namespace marvolen::game
