// What every fuzz target needs: a property that must hold, and the fuzzer's bytes as Qt sees them.
#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace fuzz {

/// Stops the run as a crash when a property of the reader does not hold.
inline void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

/// The fuzzer's own buffer, not copied, so that AddressSanitizer sees a read past its end.
inline QByteArray rawBytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace fuzz
