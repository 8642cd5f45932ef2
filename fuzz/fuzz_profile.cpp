// Fuzzes the profile reader and writer: any bytes as a file, any names, never a crash.
#include "core/profile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView all(reinterpret_cast<const char*>(data), qsizetype(size));
    // The first bytes choose a section and a key name; the rest is the file.
    const qsizetype split = all.isEmpty() ? 0 : std::min<qsizetype>(all[0] & 15, all.size() - 1);
    const QByteArrayView names =
        all.sliced(std::min<qsizetype>(1, all.size()))
            .first(std::min<qsizetype>(split, std::max<qsizetype>(all.size() - 1, 0)));
    const QByteArrayView content = all.sliced(std::min<qsizetype>(all.size(), 1 + split));
    const QByteArrayView section = names.first(names.size() / 2);
    const QByteArrayView key = names.sliced(names.size() / 2);

    const auto value = marvolen::profile::findValue(content, section, key);
    if (value && value->size() > marvolen::profile::kMaxValue)
        __builtin_trap();
    const QByteArray written = marvolen::profile::applyWrite(content, section, key, "v");
    const auto reread = marvolen::profile::findValue(written, section, key);
    (void)reread;
    (void)marvolen::profile::applyWrite(content, section, std::nullopt, std::nullopt);
    return 0;
}
