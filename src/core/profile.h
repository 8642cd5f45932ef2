// Reader and writer of profile (INI) files, byte for byte in the single-byte character set:
// the language table and the highscore file both use it.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace marvolen::profile {

/// The longest value a read returns (a 255-character buffer with its terminating NUL).
constexpr qsizetype kMaxValue = 254;

/// Looks up key in section of the given file content. Section and key names compare without
/// regard to case and surrounding blanks; the first matching line wins; the value is the text
/// after the first "=", trimmed of blanks and tabs, without a pair of matching quotes, cut at a
/// NUL and to kMaxValue characters. Empty when the section or key is missing.
std::optional<QByteArray> findValue(QByteArrayView content, QByteArrayView section,
                                    QByteArrayView key);

/// Reads key from the file at path; a missing or unreadable file, section or key gives the
/// default with its trailing blanks removed (cut to kMaxValue). `found` tells which it was.
QByteArray readString(const QString& path, QByteArrayView section, QByteArrayView key,
                      QByteArrayView defaultValue, bool* found = nullptr);

/// The content after writing: with a key and a value, the key's line is replaced or added at
/// the end of its section (the section and the file created when missing); with a key and no
/// value, the key's line is removed; with no key, the section's header and lines are removed.
/// Every other line stays as it was; lines end in CR LF.
QByteArray applyWrite(QByteArrayView content, QByteArrayView section,
                      std::optional<QByteArrayView> key, std::optional<QByteArrayView> value);

/// Reads a whole file; nullopt when it is missing or unreadable.
std::optional<QByteArray> readFile(const QString& path);

} // namespace marvolen::profile
