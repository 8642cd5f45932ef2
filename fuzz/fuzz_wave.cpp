// Fuzzes the sound reader: any bytes as a RIFF WAVE effect. Nothing outside them is read, and an
// effect it accepts plays at a rate the mixer takes, with no more samples than the file has bytes.
#include "app/audio/wave_sound.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using fuzz::check;
using marvolen::audio::decodeWave;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::rawBytes(data, size);
    const auto sound = decodeWave(bytes);
    if (!sound)
        return 0;
    check(sound->sampleRate >= 1000 && sound->sampleRate <= 192000);
    // Every sample comes from at least one byte after the RIFF, "fmt " and "data" headers.
    check(size >= 12 + 8 + 16 + 8 && sound->samples.size() <= size - (12 + 8 + 16 + 8));

    // A sound file cut short plays what is left of it: the same samples, fewer of them.
    if (size > 44 && !sound->samples.empty()) {
        const auto cut = decodeWave(bytes.first(qsizetype(size) - 1));
        check(cut && cut->sampleRate == sound->sampleRate &&
              cut->samples.size() + 1 >= sound->samples.size() &&
              std::equal(cut->samples.begin(), cut->samples.end(), sound->samples.begin()));
    }
    return 0;
}
