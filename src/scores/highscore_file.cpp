// Reading and writing the champions lists in the highscore file.
#include "highscore_file.h"

#include "core/profile.h"
#include "entry.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace marvolen::scores {
namespace {

const QString kModule = QStringLiteral("frmHighscore");

/// Rank r of the list is key "r" of the section.
QByteArray rankKey(int index) {
    return QByteArray::number(index + 1);
}

/// The file's bytes; nullopt when there is no file; Failure when it is there but unreadable.
std::optional<QByteArray> readExisting(const QString& path) {
    if (auto content = profile::readFile(path))
        return content;
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    throw Failure(info.isReadable() ? err::PathFileAccess : err::PermissionDenied);
}

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

/// Replaces the file with bytes at once. The buffer is flushed and checked before the commit:
/// QSaveFile's commit alone overlooks a flush that wrote only part of the bytes (a full disk,
/// a size limit) and would put a cut-off list in place of the old one.
void replaceAtomically(const QString& path, QByteArrayView bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throwWriteFailure(path, file.error());
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        const QFileDevice::FileError error = file.error();
        file.cancelWriting();
        throwWriteFailure(path, error);
    }
    if (!file.commit())
        throwWriteFailure(path, file.error());
}

} // namespace

QString highscorePath(const QString& programDir, const QString& dataDir, const QString& title) {
    const QString name = title + QStringLiteral(".hsc");
    const QFileInfo program(programDir);
    if (!programDir.isEmpty() && program.isDir() && program.isWritable())
        return QDir(programDir).filePath(name);
    QDir().mkpath(dataDir);
    return QDir(dataDir).filePath(name);
}

HighscoreFile::HighscoreFile(Reporter& reporter, QString path, QByteArray key)
    : m_reporter(reporter), m_path(std::move(path)), m_key(std::move(key)) {}

void HighscoreFile::setVariant(int variant) {
    m_section = "m" + QByteArray::number(variant);
}

QString HighscoreFile::lastError() const {
    if (!m_lastFailure)
        return {};
    return QStringLiteral("The champions list in \"%1\" could not be %2: %3 (error %4).")
        .arg(QDir::toNativeSeparators(m_path),
             m_lastFailure->procedure == QLatin1String("GetHS") ? QStringLiteral("read")
                                                                : QStringLiteral("saved"),
             m_lastFailure->description)
        .arg(m_lastFailure->number);
}

/// Runs one statement of p whose file failure is kept for the caller instead of reported.
/// True when the statement ran without failure.
template <typename Body>
bool HighscoreFile::fileStep(Procedure& p, const QString& procedure, int line, Body body) {
    bool ok = false;
    p.step(line, [&] {
        try {
            body();
            ok = true;
        } catch (const Failure& failure) {
            m_lastFailure =
                ErrorInfo{failure.number(), failure.description(), kModule, procedure, line};
        }
    });
    return ok;
}

QByteArray HighscoreFile::decoded(const std::optional<QByteArray>& stored,
                                  QByteArrayView defaultValue) const {
    if (!stored || *stored == defaultValue)
        return defaultValue.toByteArray();
    return ConvBack(*stored, m_key);
}

QByteArray HighscoreFile::contentForUpdate() const {
    return readExisting(m_path).value_or(QByteArray());
}

QByteArray HighscoreFile::GetHSVal(QByteArrayView key, QByteArrayView defaultValue) {
    Procedure p(m_reporter, kModule, QStringLiteral("GetHSVal"));
    QByteArray result = defaultValue.toByteArray();
    std::optional<QByteArray> content;
    p.step(50000, [&] { content = profile::readFile(m_path); });
    p.step(50010, [&] {
        result = decoded(content ? profile::findValue(*content, m_section, key) : std::nullopt,
                         defaultValue);
    });
    return result;
}

bool HighscoreFile::SaveHS(std::optional<QByteArrayView> key, QByteArrayView value) {
    const QString name = QStringLiteral("SaveHS");
    Procedure p(m_reporter, kModule, name);
    m_lastFailure.reset();
    std::optional<QByteArray> before;
    if (!fileStep(p, name, 50000, [&] { before = readExisting(m_path); }))
        return false;
    if (!before && !key)
        return true; // nothing to delete, and no file to make
    QByteArray after;
    p.step(50010, [&] {
        after = profile::applyWrite(before.value_or(QByteArray()), m_section, key,
                                    key ? std::optional<QByteArrayView>(value) : std::nullopt);
    });
    if (!p.running())
        return false;
    if (before && after == *before)
        return true;
    return fileStep(p, name, 50020, [&] { replaceAtomically(m_path, after); });
}

bool HighscoreFile::GetHS() {
    const QString name = QStringLiteral("GetHS");
    Procedure p(m_reporter, kModule, name);
    m_lastFailure.reset();
    p.step(50000, [&] { m_list.clear(); });
    std::optional<QByteArray> content;
    const bool read = fileStep(p, name, 50010, [&] { content = readExisting(m_path); });
    for (int i = 0; i < ChampionsList::kRanks; ++i) {
        p.step(50020, [&] {
            m_list.add(decoded(content ? profile::findValue(*content, m_section, rankKey(i))
                                       : std::nullopt,
                               kPlaceholder));
        });
    }
    return read && p.running();
}

bool HighscoreFile::WriteHS() {
    const QString name = QStringLiteral("WriteHS");
    Procedure p(m_reporter, kModule, name);
    m_lastFailure.reset();
    QByteArray content;
    // Read once, change all ten ranks in memory, replace once: a failure cannot leave half a
    // list behind, and no other section is lost.
    if (!fileStep(p, name, 50000, [&] { content = contentForUpdate(); }))
        return false;
    for (int i = 0; i < ChampionsList::kRanks; ++i) {
        p.step(50010, [&] {
            content = profile::applyWrite(content, m_section, rankKey(i),
                                          QByteArrayView(Conv(m_list.at(i), m_key)));
        });
    }
    if (!p.running())
        return false;
    return fileStep(p, name, 50020, [&] { replaceAtomically(m_path, content); });
}

} // namespace marvolen::scores
