// Runtime-style number formatting and strict reads.
#include "numbers.h"

#include "failure.h"

#include <cmath>
#include <limits>

namespace marvolen::numbers {

QString zeroPadded(std::int64_t value, int minDigits) {
    const bool negative = value < 0;
    // The magnitude of the lowest 64-bit value does not fit; go through unsigned.
    const std::uint64_t magnitude =
        negative ? std::uint64_t(0) - std::uint64_t(value) : std::uint64_t(value);
    QString digits = QString::number(magnitude);
    if (digits.size() < minDigits)
        digits.prepend(QString(minDigits - digits.size(), QLatin1Char('0')));
    return negative ? QLatin1Char('-') + digits : digits;
}

QString withSignPlace(std::int64_t value) {
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

double roundHalfEven(double value) {
    return std::nearbyint(value);
}

std::int64_t readInteger(const QString& text, std::int64_t lowest, std::int64_t highest) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto blank = [&](qsizetype k) {
        return text[k] == QLatin1Char(' ') || text[k] == QLatin1Char('\t');
    };
    while (i < n && blank(i))
        ++i;
    qsizetype end = n;
    while (end > i && blank(end - 1))
        --end;
    bool negative = false;
    if (i < end && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    double value = 0;
    bool anyDigit = false;
    while (i < end && text[i].isDigit() && text[i].unicode() < 128) {
        value = value * 10 + (text[i].unicode() - '0');
        anyDigit = true;
        ++i;
    }
    if (i < end && text[i] == QLatin1Char('.')) {
        ++i;
        double scale = 0.1;
        while (i < end && text[i].isDigit() && text[i].unicode() < 128) {
            value += scale * (text[i].unicode() - '0');
            scale /= 10;
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit || i != end)
        throw Failure(err::TypeMismatch);
    value = roundHalfEven(negative ? -value : value);
    if (value < double(lowest) || value > double(highest))
        throw Failure(err::Overflow);
    return std::int64_t(value);
}

std::int16_t readInt16(const QString& text) {
    return std::int16_t(readInteger(text, std::numeric_limits<std::int16_t>::min(),
                                    std::numeric_limits<std::int16_t>::max()));
}

std::int32_t readInt32(const QString& text) {
    return std::int32_t(readInteger(text, std::numeric_limits<std::int32_t>::min(),
                                    std::numeric_limits<std::int32_t>::max()));
}

std::int64_t leadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 10 - 9;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        if (value > limit)
            return std::numeric_limits<std::int64_t>::max();
        value = value * 10 + (text[i].unicode() - '0');
    }
    return value;
}

std::int16_t toInt16(double value) {
    const double r = roundHalfEven(value);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw Failure(err::Overflow);
    return std::int16_t(r);
}

} // namespace marvolen::numbers
