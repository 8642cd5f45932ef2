// Entry texts, their case-blind order and the rows the champions table shows.
#include "entry.h"

#include "core/cp1252.h"
#include "core/numbers.h"

#include <algorithm>

namespace marvolen::scores {
namespace {

/// Lower case of a Windows-1252 code: A-Z, À-Þ (not ×), Š, Œ, Ž and Ÿ.
unsigned char folded(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        return static_cast<unsigned char>(u + 0x20);
    switch (u) {
    case 0x8A:
        return 0x9A;
    case 0x8C:
        return 0x9C;
    case 0x8E:
        return 0x9E;
    case 0x9F:
        return 0xFF;
    default:
        return u;
    }
}

std::int64_t numberIn(QByteArrayView entry, qsizetype from, qsizetype count) {
    if (from >= entry.size())
        return 0;
    return numbers::leadingNumber(
        cp1252::decode(entry.sliced(from).first(std::min(count, entry.size() - from))));
}

} // namespace

QByteArray makeEntry(QByteArrayView newResult, const QString& typedName) {
    // Composed form first, so that "e" plus an accent becomes the one character é.
    const QString name = typedName.normalized(QString::NormalizationForm_C);
    qsizetype begin = 0, end = name.size();
    while (begin < end && name[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && name[end - 1] == QLatin1Char(' '))
        --end;
    // encode gives one byte per character, so cutting the bytes cuts the characters.
    QByteArray bytes = cp1252::encode(QStringView(name).sliced(begin, end - begin));
    bytes.truncate(kMaxName);
    return newResult.toByteArray() + bytes;
}

bool entryLess(QByteArrayView a, QByteArrayView b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return folded(x) < folded(y); });
}

bool qualifies(QByteArrayView newResult, QByteArrayView lastEntry) {
    const bool less = std::lexicographical_compare(
        newResult.begin(), newResult.end(), lastEntry.begin(), lastEntry.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
    return less && numbers::leadingNumber(cp1252::decode(newResult)) != 0;
}

RowTexts rowTexts(QByteArrayView entry) {
    const std::int64_t marbles = numberIn(entry, 0, 5);
    if (marbles == 0 || marbles == 99999)
        return {};
    return {cp1252::decode(entry.sliced(std::min(kResultLength, entry.size()))),
            QString::number(marbles), QString::number(numberIn(entry, 5, 5))};
}

} // namespace marvolen::scores
