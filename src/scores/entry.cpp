// Entry texts, their case-blind order and the rows the champions table shows.
#include "entry.h"

#include "core/cp1252.h"
#include "core/numbers.h"

#include <QTextBoundaryFinder>

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

QString playerName(const QString& typed) {
    // Composed form first, so that "e" plus an accent becomes the one character \u00e9.
    const QString name = typed.normalized(QString::NormalizationForm_C).trimmed();
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, name);
    qsizetype end = 0, bytes = 0;
    for (int count = 0; count < kMaxName; ++count) {
        const qsizetype next = characters.toNextBoundary();
        if (next < 0)
            break;
        bytes += cp1252::encode(QStringView(name).sliced(end, next - end)).size();
        if (bytes > kMaxName)
            break;
        end = next;
    }
    return name.left(end);
}

QByteArray makeEntry(QByteArrayView newResult, const QString& typedName) {
    return newResult.toByteArray() + cp1252::encode(playerName(typedName));
}

EntryOrder::EntryOrder(const QLocale& locale) : m_names(locale) {
    m_names.setCaseSensitivity(Qt::CaseInsensitive);
}

bool EntryOrder::operator()(QByteArrayView a, QByteArrayView b) const {
    const QByteArrayView resultA = a.first(std::min(kResultLength, a.size()));
    const QByteArrayView resultB = b.first(std::min(kResultLength, b.size()));
    const auto foldedLess = [](char x, char y) { return folded(x) < folded(y); };
    if (std::lexicographical_compare(resultA.begin(), resultA.end(), resultB.begin(), resultB.end(),
                                     foldedLess))
        return true;
    if (std::lexicographical_compare(resultB.begin(), resultB.end(), resultA.begin(), resultA.end(),
                                     foldedLess))
        return false;
    // Equal results; both are kResultLength long unless neither has a name.
    return m_names.compare(cp1252::decode(a.sliced(resultA.size())),
                           cp1252::decode(b.sliced(resultB.size()))) < 0;
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
