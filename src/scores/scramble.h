// The scrambled form of a champions-list value: a repeating-key XOR written as hexadecimal.
#pragma once

#include <QByteArray>

namespace marvolen::scores {

/// The application title. It names the highscore file and is the scrambling key, so a new
/// title makes every stored value decode to other text.
inline constexpr char kTitle[] = "Marvolen";

/// Crypt: XORs text in place with key, repeated from its first character for every text.
/// Its own inverse. Any code 0 to 255 may come out, NUL included. An empty key changes nothing.
void Crypt(QByteArray& text, QByteArrayView key = kTitle);

/// Conv: the stored form of an entry: the length of the hex text (at least two decimal digits),
/// then the scrambled bytes as uppercase hex, two digits each. Texts of up to 49 bytes give a
/// two-digit length and come back unchanged through ConvBack.
QByteArray Conv(QByteArrayView entry, QByteArrayView key = kTitle);

/// ConvBack: the entry of a stored value. Never rejects: a length that is no number reads as 0,
/// a length beyond the value keeps what is there, each pair is read as hex up to its first
/// non-hex character (none gives 0), and a single character left at the end is read alike.
QByteArray ConvBack(QByteArrayView stored, QByteArrayView key = kTitle);

} // namespace marvolen::scores
