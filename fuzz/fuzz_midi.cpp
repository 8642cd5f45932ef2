// Fuzzes the tune reader: any bytes as a Standard MIDI File. Nothing outside them is read, and a
// tune it accepts has a known format, its declared tracks and a length the player can count.
#include "app/audio/midi_file.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <limits>

using fuzz::check;
using marvolen::audio::readMidiFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::rawBytes(data, size);
    const auto info = readMidiFile(bytes);
    if (!info)
        return 0;
    check(info->format >= 0 && info->format <= 2);
    check(info->tracks >= 1 && info->tracks <= 0xFFFF);
    check(info->lengthMs >= 0);
    // The media service counts a tune in output frames (milliseconds x rate / 1000): even at
    // 192 kHz that must not overflow.
    check(info->lengthMs <= std::numeric_limits<std::int64_t>::max() / 192000);

    // The reader stops after the declared tracks: whatever follows them changes nothing.
    const auto padded = readMidiFile(bytes + QByteArray("MTrk\xff\xff\xff\xff\x00\xf8", 10));
    check(padded && padded->format == info->format && padded->tracks == info->tracks &&
          padded->lengthMs == info->lengthMs);
    return 0;
}
