// One champions-list entry: its text form, its order, whether a result ranks, and its row.
#pragma once

#include <QByteArray>
#include <QCollator>
#include <QLocale>
#include <QString>

namespace marvolen::scores {

/// HSEntry texts are single-byte (Windows-1252): the ten-digit result (marbles "00000", then
/// seconds "00000") followed by a name of at most kMaxName characters.
inline constexpr qsizetype kResultLength = 10;
inline constexpr qsizetype kMaxName = 20;

/// An empty rank: sorts after every real result and shows as an empty row.
inline constexpr char kPlaceholder[] = "9999999999 ";

/// PlayerName: the name as typed in composed form (NFC), blanks around it removed, cut to its
/// first kMaxName characters as the player sees them: a letter with its accents, an emoji or a
/// flag counts as one. The cut also stops before a character whose Windows-1252 form would
/// take the name beyond kMaxName bytes (a mark that has no composed form becomes a '?' of its
/// own), so that the stored entry keeps its size.
QString playerName(const QString& typed);

/// The entry for a result and the name as typed: newResult followed by playerName(typedName)
/// in Windows-1252, '?' for a character outside.
QByteArray makeEntry(QByteArrayView newResult, const QString& typedName);

/// The order of the list. The result, the first kResultLength bytes, compares byte by byte with
/// letters compared without regard to case (ASCII and the Windows-1252 accented letters), a
/// text that begins a longer one first: fewer marbles, then shorter time. Equal results are
/// ordered by their names in the collation of the player's locale, ignoring case, so that
/// "\u00c9mile" comes next to "Emil" and not after "Zoe"; no name comes before any name.
class EntryOrder {
  public:
    explicit EntryOrder(const QLocale& locale);
    bool operator()(QByteArrayView a, QByteArrayView b) const;
    QLocale locale() const { return m_names.locale(); }

  private:
    QCollator m_names;
};

/// CheckHS's test: newResult ranks when it is less than the last entry of the list, comparing
/// plain byte codes (case counts, a beginning comes first), and its value is not 0.
bool qualifies(QByteArrayView newResult, QByteArrayView lastEntry);

/// The three texts of one row of the champions table.
struct RowTexts {
    QString name;
    QString marbles;
    QString time;
    bool operator==(const RowTexts&) const = default;
};

/// ShowHS for one entry: marbles and seconds as plain numbers and the name, or three empty
/// texts when the marble field reads as 0 or 99999 (an empty or damaged rank).
RowTexts rowTexts(QByteArrayView entry);

} // namespace marvolen::scores
