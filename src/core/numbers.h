// Number formatting and reading as the classic runtime did it: "00000" patterns, the leading
// blank of the number-to-text conversion, and strict 16- and 32-bit reads of settings text.
#pragma once

#include <QString>

#include <cstdint>

namespace marvolen::numbers {

/// Decimal digits of value, at least minDigits of them (zero-padded): the patterns "00000"
/// (5), "0000" and "00##" (4), "00" (2), "#0" (1). A negative value keeps its sign in front.
QString zeroPadded(std::int64_t value, int minDigits);

/// The number-to-text conversion: one leading blank before a non-negative value (" 0",
/// " 1000"), the minus sign in that place otherwise ("-1").
QString withSignPlace(std::int64_t value);

/// Reads a settings text as a whole number: surrounding blanks and tabs ignored, an optional
/// sign, digits, an optional fraction rounded half to even. Throws Failure 13 for text that is
/// no number, Failure 6 when the value leaves [lowest, highest].
std::int64_t readInteger(const QString& text, std::int64_t lowest, std::int64_t highest);

/// 16-bit read (Integer).
std::int16_t readInt16(const QString& text);
/// 32-bit read (Long).
std::int32_t readInt32(const QString& text);

/// The leading-digits read: blanks skipped, digits up to the first other character; text with
/// no digit gives 0. Never fails; saturates at the 64-bit range.
std::int64_t leadingNumber(QStringView text);

/// Rounds half to even, as the runtime's conversions to integers do.
double roundHalfEven(double value);

/// Rounds half to even into 16 bits; Failure 6 when it does not fit.
std::int16_t toInt16(double value);

} // namespace marvolen::numbers
