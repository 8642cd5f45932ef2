// Reading short RIFF WAVE effects into mono 16-bit samples the mixer can play.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace marvolen::audio {

/// One decoded effect: mono samples at the file's own rate.
struct WaveSound {
    int sampleRate = 0;
    std::vector<std::int16_t> samples;
};

/// Decodes uncompressed PCM WAVE data: 8-bit unsigned or 16-bit signed, mono or stereo (mixed
/// down). Chunks are walked by their sizes, unknown ones skipped. A data chunk that claims more
/// bytes than the file holds plays what is there. Anything else that cannot be played (no RIFF
/// header, no "fmt " or "data" chunk, a compressed format, a damaged header) gives nothing.
std::optional<WaveSound> decodeWave(const QByteArray& bytes);

} // namespace marvolen::audio
