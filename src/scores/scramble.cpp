// Scrambling and the hexadecimal stored form of champions-list values.
#include "scramble.h"

#include <algorithm>

namespace marvolen::scores {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

/// One character from a group of one or two stored characters: hex digits up to the first
/// other character; no digit gives code 0.
char fromHex(QByteArrayView group) {
    int code = 0;
    for (char c : group) {
        const int d = hexDigit(c);
        if (d < 0)
            break;
        code = code * 16 + d;
    }
    return char(code);
}

/// The length field: blanks skipped, then decimal digits; anything else reads as 0.
qsizetype lengthField(QByteArrayView field) {
    qsizetype i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    qsizetype n = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
        n = n * 10 + (field[i] - '0');
    return n;
}

} // namespace

void Crypt(QByteArray& text, QByteArrayView key) {
    if (key.isEmpty())
        return;
    char* data = text.data();
    for (qsizetype i = 0, j = 0; i < text.size(); ++i) {
        data[i] = char(data[i] ^ key[j]);
        if (++j == key.size())
            j = 0;
    }
}

QByteArray Conv(QByteArrayView entry, QByteArrayView key) {
    QByteArray scrambled = entry.toByteArray();
    Crypt(scrambled, key);
    const QByteArray hex = scrambled.toHex().toUpper();
    QByteArray length = QByteArray::number(hex.size());
    if (length.size() < 2)
        length.prepend('0');
    return length + hex;
}

QByteArray ConvBack(QByteArrayView stored, QByteArrayView key) {
    const qsizetype fieldSize = std::min<qsizetype>(2, stored.size());
    const qsizetype n = lengthField(stored.first(fieldSize));
    const QByteArrayView rest = stored.sliced(fieldSize);
    const QByteArrayView hex = rest.first(std::min(n, rest.size()));
    QByteArray text;
    text.reserve((hex.size() + 1) / 2);
    for (qsizetype i = 0; i < hex.size(); i += 2)
        text.append(fromHex(hex.sliced(i, i + 1 < hex.size() ? 2 : 1)));
    Crypt(text, key);
    return text;
}

} // namespace marvolen::scores
