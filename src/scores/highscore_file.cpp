// Reading and writing the champions lists in the highscore file.
#include "highscore_file.h"

#include "core/atomic_file.h"
#include "core/profile.h"
#include "entry.h"

#include <QDir>
#include <QFileInfo>

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

} // namespace

QString highscorePath(const QString& dataFolder) {
    QDir().mkpath(dataFolder);
    return QDir(dataFolder).filePath(QString::fromLatin1(kTitle) + QStringLiteral(".hsc"));
}

HighscoreFile::HighscoreFile(Reporter& reporter, QString path, const QLocale& locale,
                             QByteArray key)
    : m_reporter(reporter), m_path(std::move(path)), m_key(std::move(key)), m_list(locale) {}

void HighscoreFile::setVariant(int variant) {
    m_section = "m" + QByteArray::number(variant);
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
    return fileStep(p, name, 50020, [&] { replaceFileAtomically(m_path, after); });
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

std::optional<int> HighscoreFile::addNewEntry(QByteArray entry) {
    ChampionsList loaded = m_list;
    if (!GetHS())
        m_list = std::move(loaded);
    return m_list.add(std::move(entry));
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
    return fileStep(p, name, 50020, [&] { replaceFileAtomically(m_path, content); });
}

} // namespace marvolen::scores
