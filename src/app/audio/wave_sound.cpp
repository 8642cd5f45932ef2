// RIFF WAVE decoding, bounded by the bytes actually present.
#include "wave_sound.h"

#include <algorithm>
#include <cstring>

namespace marvolen::audio {

namespace {

std::uint32_t le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const unsigned char* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}

struct Format {
    int tag = 0;
    int channels = 0;
    int rate = 0;
    int blockAlign = 0;
    int bits = 0;
};

std::optional<Format> readFormat(const unsigned char* p, std::size_t size) {
    if (size < 16)
        return std::nullopt;
    Format f;
    f.tag = le16(p);
    f.channels = le16(p + 2);
    f.rate = int(le32(p + 4) & 0x7FFFFFFF);
    f.blockAlign = le16(p + 12);
    f.bits = le16(p + 14);
    // WAVE_FORMAT_EXTENSIBLE is plain PCM when its sub-format GUID starts with 1.
    if (f.tag == 0xFFFE) {
        if (size < 40 || le16(p + 24) != 1)
            return std::nullopt;
        f.tag = 1;
    }
    if (f.tag != 1 || (f.channels != 1 && f.channels != 2) || (f.bits != 8 && f.bits != 16))
        return std::nullopt;
    if (f.rate < 1000 || f.rate > 192000 || f.blockAlign != f.channels * f.bits / 8)
        return std::nullopt;
    return f;
}

} // namespace

std::optional<WaveSound> decodeWave(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const std::size_t size = std::size_t(bytes.size());
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return std::nullopt;

    std::optional<Format> format;
    const unsigned char* samples = nullptr;
    std::size_t sampleBytes = 0;
    std::size_t pos = 12;
    while (pos + 8 <= size && !samples) {
        const std::size_t chunkSize = le32(data + pos + 4);
        const std::size_t body = pos + 8;
        const std::size_t present = std::min(chunkSize, size - body);
        if (std::memcmp(data + pos, "fmt ", 4) == 0) {
            if (present < chunkSize)
                return std::nullopt;
            format = readFormat(data + body, chunkSize);
            if (!format)
                return std::nullopt;
        } else if (std::memcmp(data + pos, "data", 4) == 0) {
            if (!format) // the format must come first, as every reader expects
                return std::nullopt;
            samples = data + body;
            sampleBytes = present;
        }
        if (chunkSize > size - body)
            break;
        pos = body + chunkSize + (chunkSize & 1); // chunks are padded to an even size
    }
    if (!format || !samples)
        return std::nullopt;

    WaveSound sound;
    sound.sampleRate = format->rate;
    const std::size_t frames = sampleBytes / std::size_t(format->blockAlign);
    sound.samples.resize(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const unsigned char* frame = samples + i * std::size_t(format->blockAlign);
        int sum = 0;
        for (int c = 0; c < format->channels; ++c) {
            if (format->bits == 8)
                sum += (int(frame[c]) - 128) * 256;
            else
                sum += std::int16_t(le16(frame + 2 * c));
        }
        sound.samples[i] = std::int16_t(sum / format->channels);
    }
    return sound;
}

} // namespace marvolen::audio
