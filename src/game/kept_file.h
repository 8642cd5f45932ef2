// The small text files the game keeps for the player beside the champions list: read whole,
// replaced whole, and a damaged one set aside rather than lost or trusted.
#pragma once

#include "core/failure.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace marvolen::game {

/// Where the one line about a file set aside goes: standard error in the game, a list in tests.
using NoteSink = std::function<void(const QString& line)>;

/// Writes the line and a newline to standard error.
void noteOnStandardError(const QString& line);

/// Why a file's first line is not `versionLine` ("Marvolen statistics 1"): a file of another
/// version, a damaged line, or not `what` at all. Empty when it is.
QString firstLineProblem(const QByteArray& firstLine, const QByteArray& versionLine,
                         const QString& what);

/// One file in the data folder, at most `limit` bytes long.
class KeptFile {
  public:
    /// The contents as read, or why they cannot be used.
    struct Read {
        std::optional<QByteArray> bytes; ///< nothing when the file is missing or unreadable
        QString problem;                 ///< set when the file is there but unreadable
    };

    KeptFile(const QString& folder, const QString& name, qsizetype limit, NoteSink sink);

    const QString& path() const { return m_path; }
    QString badPath() const { return m_path + QStringLiteral(".bad"); }

    /// The file's bytes; a missing file is no bytes and no problem.
    Read read() const;
    /// Replaces the file atomically. Nothing when done, else the failure (70, 75, 76, 61, 57).
    std::optional<Failure> write(const QByteArray& bytes) const;
    /// Deletes the file; a missing file is done already.
    std::optional<Failure> remove() const;
    /// Renames a damaged file to badPath(), over an older one, and tells the sink one line with
    /// the reason. The file stays where it was when it cannot be renamed; the line says so.
    std::optional<Failure> setAside(const QString& reason) const;

  private:
    QString m_path;
    qsizetype m_limit;
    NoteSink m_sink;
};

} // namespace marvolen::game
