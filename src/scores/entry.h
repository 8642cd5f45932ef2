// One champions-list entry: its text form, its order, whether a result ranks, and its row.
#pragma once

#include <QByteArray>
#include <QString>

namespace marvolen::scores {

/// HSEntry texts are single-byte (Windows-1252): the ten-digit result (marbles "00000", then
/// seconds "00000") followed by a name of at most kMaxName characters.
inline constexpr qsizetype kResultLength = 10;
inline constexpr qsizetype kMaxName = 20;

/// An empty rank: sorts after every real result and shows as an empty row.
inline constexpr char kPlaceholder[] = "9999999999 ";

/// The entry for a result and the name as typed: blanks around the name removed, the name cut
/// to its first kMaxName characters and converted to Windows-1252, '?' for a character outside.
QByteArray makeEntry(QByteArrayView newResult, const QString& typedName);

/// The order of the list: byte by byte with letters compared without regard to case (ASCII and
/// the Windows-1252 accented letters); a text that begins a longer one comes first.
bool entryLess(QByteArrayView a, QByteArrayView b);

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
