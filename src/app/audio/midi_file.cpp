// Standard MIDI File walking and tempo-map arithmetic.
#include "midi_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace marvolen::audio {

namespace {

constexpr std::uint32_t DefaultTempo = 500000; // microseconds per quarter note: 120 bpm

struct TempoChange {
    std::int64_t tick;
    std::uint32_t microsPerQuarter;
};

/// A bounded cursor over one chunk; every read fails rather than pass the end.
class Cursor {
  public:
    Cursor(const unsigned char* begin, std::size_t size) : m_p(begin), m_end(begin + size) {}

    bool atEnd() const { return m_p >= m_end; }
    bool byte(unsigned& out) {
        if (m_p >= m_end)
            return false;
        out = *m_p++;
        return true;
    }
    bool skip(std::uint32_t n) {
        if (std::size_t(m_end - m_p) < n)
            return false;
        m_p += n;
        return true;
    }
    /// A variable-length quantity: at most four bytes, 28 bits.
    bool vlq(std::uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            unsigned b;
            if (!byte(b))
                return false;
            out = (out << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return true;
        }
        return false;
    }
    const unsigned char* here() const { return m_p; }

  private:
    const unsigned char* m_p;
    const unsigned char* m_end;
};

std::uint32_t be32(const unsigned char* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 |
           std::uint32_t(p[3]);
}

/// Walks one track; gives its last tick and adds its tempo changes. False when damaged.
bool walkTrack(Cursor c, std::int64_t& endTick, std::vector<TempoChange>& tempos) {
    std::int64_t tick = 0;
    unsigned running = 0;
    while (!c.atEnd()) {
        std::uint32_t delta;
        if (!c.vlq(delta))
            return false;
        tick += delta;
        unsigned status;
        if (!c.byte(status))
            return false;
        if (status < 0x80) {
            if (running == 0) // a data byte with no status to run on
                return false;
            if (!c.skip((running & 0xF0) == 0xC0 || (running & 0xF0) == 0xD0 ? 0 : 1))
                return false;
        } else if (status < 0xF0) {
            running = status;
            if (!c.skip((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2))
                return false;
        } else if (status == 0xF0 || status == 0xF7) {
            std::uint32_t length;
            if (!c.vlq(length) || !c.skip(length))
                return false;
        } else if (status == 0xFF) {
            unsigned type;
            std::uint32_t length;
            if (!c.byte(type) || !c.vlq(length))
                return false;
            const unsigned char* body = c.here();
            if (!c.skip(length))
                return false;
            if (type == 0x51 && length >= 3) {
                const std::uint32_t tempo = std::uint32_t(body[0]) << 16 |
                                            std::uint32_t(body[1]) << 8 | std::uint32_t(body[2]);
                if (tempo > 0)
                    tempos.push_back({tick, tempo});
            } else if (type == 0x2F) {
                break; // end of track: whatever follows is not played
            }
        } else {
            return false; // real-time and common bytes have no place in a file
        }
    }
    endTick = tick;
    return true;
}

} // namespace

std::optional<MidiFileInfo> readMidiFile(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const std::size_t size = std::size_t(bytes.size());
    if (size < 14 || std::memcmp(data, "MThd", 4) != 0)
        return std::nullopt;
    const std::uint32_t headerLength = be32(data + 4);
    if (headerLength < 6 || headerLength > size - 8)
        return std::nullopt;
    MidiFileInfo info;
    info.format = data[8] << 8 | data[9];
    const int declaredTracks = data[10] << 8 | data[11];
    const unsigned division = unsigned(data[12]) << 8 | data[13];
    if (info.format > 2 || declaredTracks == 0)
        return std::nullopt;

    // Microseconds per tick: from the tempo for metrical time, fixed for SMPTE time.
    double smpteMicrosPerTick = 0;
    if (division & 0x8000) {
        const int fps = -int(std::int8_t(division >> 8));
        const unsigned ticksPerFrame = division & 0xFF;
        if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || ticksPerFrame == 0)
            return std::nullopt;
        const double frameRate = fps == 29 ? 30000.0 / 1001.0 : fps;
        smpteMicrosPerTick = 1e6 / (frameRate * ticksPerFrame);
    } else if (division == 0) {
        return std::nullopt;
    }

    std::vector<TempoChange> tempos;
    std::int64_t lastTick = 0;
    std::size_t pos = 8 + headerLength;
    while (pos + 8 <= size && info.tracks < declaredTracks) {
        const std::uint32_t chunkLength = be32(data + pos + 4);
        if (chunkLength > size - pos - 8)
            return std::nullopt; // cut off
        if (std::memcmp(data + pos, "MTrk", 4) == 0) {
            std::int64_t endTick = 0;
            if (!walkTrack(Cursor(data + pos + 8, chunkLength), endTick, tempos))
                return std::nullopt;
            lastTick = std::max(lastTick, endTick);
            ++info.tracks;
        }
        pos += 8 + chunkLength;
    }
    if (info.tracks < declaredTracks)
        return std::nullopt;

    double micros = 0;
    if (smpteMicrosPerTick > 0) {
        micros = double(lastTick) * smpteMicrosPerTick;
    } else {
        std::stable_sort(
            tempos.begin(), tempos.end(),
            [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
        std::int64_t tick = 0;
        std::uint32_t tempo = DefaultTempo;
        for (const TempoChange& change : tempos) {
            if (change.tick >= lastTick)
                break;
            micros += double(change.tick - tick) * tempo / division;
            tick = change.tick;
            tempo = change.microsPerQuarter;
        }
        micros += double(lastTick - tick) * tempo / division;
    }
    info.lengthMs = micros < double(kMaxMidiLengthMs) * 1000.0
                        ? std::int64_t(std::llround(micros / 1000.0))
                        : kMaxMidiLengthMs;
    return info;
}

} // namespace marvolen::audio
