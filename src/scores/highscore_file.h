// The highscore file: where it lives, and loading, storing and clearing a variant's list.
#pragma once

#include "champions_list.h"
#include "core/failure.h"
#include "scramble.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <optional>

namespace marvolen::scores {

/// The highscore file "Marvolen.hsc" in dataFolder (the folder programDataFolder() chose),
/// which is made when missing.
QString highscorePath(const QString& dataFolder);

/// The champions list of the variant shown, tied to the highscore file. The champions window
/// owns one for as long as it is open.
///
/// File failures are not sent to the Reporter: GetHS, WriteHS and SaveHS return false and keep
/// the failure in lastFailure(), so the window can tell the player in plain words that the
/// result was not saved. The Reporter hears only unexpected run-time failures, under the
/// window's name "frmHighscore" and the procedure's own name; a procedure left on its answer
/// returns false too. A failed write leaves the file as it was: each write replaces the whole
/// file at once.
class HighscoreFile {
  public:
    /// path is the file (see highscorePath); locale orders the names of equal results (the
    /// player's own); key scrambles the values.
    HighscoreFile(Reporter& reporter, QString path, const QLocale& locale,
                  QByteArray key = QByteArray(kTitle));

    /// HSSection: the section every access acts on, "m" and the variant number.
    const QByteArray& HSSection() const { return m_section; }
    void setVariant(int variant);

    /// The list GetHS loads and WriteHS stores; the window adds the new entry here.
    ChampionsList& list() { return m_list; }
    const ChampionsList& list() const { return m_list; }
    const QString& path() const { return m_path; }

    /// Stores value (already in stored form) under key in the current section, keeping every
    /// other line. With no key, removes the current section and all its lines; a file without
    /// that section is left untouched. False when the file could not be written.
    bool SaveHS(std::optional<QByteArrayView> key, QByteArrayView value);

    /// Loads the current section's ten ranks into the list, in list order whatever rank each
    /// had in the file; a missing rank reads as kPlaceholder. Writes nothing. False (with ten
    /// placeholders loaded) only when the file exists but cannot be read.
    bool GetHS();

    /// Places a new entry for CheckHS. The name prompt may stay open for minutes while another
    /// running copy of the game stores a result of its own, so the current section is read
    /// again and the entry placed among what the file holds now; the WriteHS that follows then
    /// keeps both results. When the file cannot be read now, the list stays as it was loaded.
    /// Returns the entry's index (0 is rank 1), or nullopt when it sorted below rank kRanks.
    std::optional<int> addNewEntry(QByteArray entry);

    /// Stores the first ten entries of the list as ranks "1" to "10" of the current section
    /// (placeholders where the list is shorter) in one replacement of the file. False when the
    /// file could not be read or written; the file then stays as it was.
    bool WriteHS();

    /// The failure of the last file access, empty after one that succeeded.
    const std::optional<ErrorInfo>& lastFailure() const { return m_lastFailure; }

  private:
    template <typename Body>
    bool fileStep(Procedure& p, const QString& procedure, int line, Body body);
    QByteArray decoded(const std::optional<QByteArray>& stored, QByteArrayView defaultValue) const;
    QByteArray contentForUpdate() const;

    Reporter& m_reporter;
    QString m_path;
    QByteArray m_key;
    QByteArray m_section = "m0";
    ChampionsList m_list;
    std::optional<ErrorInfo> m_lastFailure;
};

} // namespace marvolen::scores
