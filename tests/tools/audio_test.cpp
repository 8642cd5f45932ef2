// The generated sound effects and tunes: their file formats, lengths and levels.
#include "app/resources.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>

using marvolen::app::hasResource;
using marvolen::app::loadResource;

namespace {

std::uint32_t le(const QByteArray& b, qsizetype at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

std::uint32_t be(const QByteArray& b, qsizetype at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

// ---- sound effects ----

class SoundEffect : public ::testing::TestWithParam<int> {};

TEST_P(SoundEffect, IsShortCleanPcmWave) {
    ASSERT_TRUE(hasResource(QStringLiteral("wav"), GetParam()));
    const QByteArray w = loadResource(QStringLiteral("WAV"), GetParam());
    ASSERT_GE(w.size(), 46);
    ASSERT_EQ(w.left(4), "RIFF");
    EXPECT_EQ(le(w, 4, 4), static_cast<std::uint32_t>(w.size() - 8));
    ASSERT_EQ(w.mid(8, 8), "WAVEfmt ");
    ASSERT_EQ(le(w, 16, 4), 16u);
    EXPECT_EQ(le(w, 20, 2), 1u) << "PCM";
    EXPECT_EQ(le(w, 22, 2), 1u) << "mono";
    const std::uint32_t rate = le(w, 24, 4);
    EXPECT_TRUE(rate == 11025 || rate == 8000) << rate;
    EXPECT_EQ(le(w, 28, 4), rate) << "bytes per second";
    EXPECT_EQ(le(w, 32, 2), 1u) << "block align";
    EXPECT_EQ(le(w, 34, 2), 8u) << "bits";
    ASSERT_EQ(w.mid(36, 4), "data");
    const std::uint32_t size = le(w, 40, 4);
    ASSERT_EQ(size, static_cast<std::uint32_t>(w.size() - 44));
    EXPECT_LT(size, rate * 12 / 10) << "must last under 1.2 s";

    const auto* s = reinterpret_cast<const unsigned char*>(w.constData() + 44);
    int peak = 0;
    int extremes = 0;
    for (std::uint32_t i = 0; i < size; ++i) {
        peak = std::max(peak, std::abs(s[i] - 128));
        extremes += (s[i] == 0 || s[i] == 255);
    }
    EXPECT_GE(peak, 64) << "louder than -6 dBFS";
    EXPECT_LE(extremes, 3) << "clipped";
    // No click at either end: the sound starts and ends near the midpoint.
    for (std::uint32_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(s[i], 128, 12) << "sample " << i;
        EXPECT_NEAR(s[size - 1 - i], 128, 3) << "sample " << size - 1 - i;
    }
}

INSTANTIATE_TEST_SUITE_P(SoundIds, SoundEffect,
                         ::testing::Values(101, 102, 103, 104, 105, 106, 107, 109, 113, 114, 115));

TEST(SoundEffects, AreAllDifferentAndTheClickIsShortest) {
    std::set<QByteArray> seen;
    const qsizetype click = loadResource(QStringLiteral("WAV"), 102).size();
    for (int id : {101, 102, 103, 104, 105, 106, 107, 109, 113, 114, 115}) {
        const QByteArray w = loadResource(QStringLiteral("WAV"), id);
        EXPECT_TRUE(seen.insert(w).second) << id;
        EXPECT_LE(click, w.size()) << id;
    }
}

// ---- tunes ----

/// What a Standard MIDI File tells about itself, read strictly.
struct SmfSummary {
    int tracks = 0;
    std::set<int> noteChannels;
    std::set<int> programmedChannels; // given a program before their first note
    int hangingNotes = 0;             // note-ons never released
    double seconds = 0.0;
};

std::uint32_t readVarLen(const QByteArray& b, qsizetype& pos, qsizetype end) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        if (pos >= end)
            throw std::runtime_error("number runs past its track");
        const auto c = static_cast<unsigned char>(b[pos++]);
        v = (v << 7) | (c & 0x7F);
        if (!(c & 0x80))
            return v;
    }
    throw std::runtime_error("number longer than four bytes");
}

SmfSummary readSmf(const QByteArray& b) {
    if (b.size() < 14 || b.left(4) != "MThd" || be(b, 4, 4) != 6)
        throw std::runtime_error("no MThd header");
    if (be(b, 8, 2) != 1)
        throw std::runtime_error("not format 1");
    const int declared = static_cast<int>(be(b, 10, 2));
    const int division = static_cast<int>(be(b, 12, 2));
    if (division <= 0 || division >= 0x8000)
        throw std::runtime_error("division is not in ticks");
    SmfSummary sum;
    std::vector<std::pair<long, std::uint32_t>> tempos; // tick, microseconds per quarter
    long lastTick = 0;
    qsizetype pos = 14;
    while (pos < b.size()) {
        if (pos + 8 > b.size() || b.mid(pos, 4) != "MTrk")
            throw std::runtime_error("chunk is not MTrk");
        const qsizetype end = pos + 8 + be(b, pos + 4, 4);
        if (end > b.size())
            throw std::runtime_error("track longer than the file");
        pos += 8;
        ++sum.tracks;
        long tick = 0;
        int status = 0;
        bool ended = false;
        std::map<int, int> sounding; // channel * 128 + key -> count
        while (pos < end) {
            if (ended)
                throw std::runtime_error("events after end of track");
            tick += readVarLen(b, pos, end);
            if (pos >= end)
                throw std::runtime_error("event missing");
            int first = static_cast<unsigned char>(b[pos]);
            if (first == 0xFF) {
                const int type = static_cast<unsigned char>(b[pos + 1]);
                pos += 2;
                const qsizetype len = readVarLen(b, pos, end);
                if (pos + len > end)
                    throw std::runtime_error("meta event runs past its track");
                if (type == 0x51 && len == 3)
                    tempos.emplace_back(tick, be(b, pos, 3));
                ended = (type == 0x2F && len == 0);
                pos += len;
                continue;
            }
            if (first == 0xF0 || first == 0xF7) {
                ++pos;
                pos += readVarLen(b, pos, end);
                continue;
            }
            if (first & 0x80) {
                status = first;
                ++pos;
            } else if (status == 0) {
                throw std::runtime_error("running status without a status");
            }
            const int kind = status & 0xF0;
            const int channel = status & 0x0F;
            const int size = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            if (pos + size > end)
                throw std::runtime_error("event runs past its track");
            const int key = static_cast<unsigned char>(b[pos]);
            const int value = size == 2 ? static_cast<unsigned char>(b[pos + 1]) : 0;
            pos += size;
            if (kind == 0xC0 && !sum.noteChannels.count(channel))
                sum.programmedChannels.insert(channel);
            if (kind == 0x90 && value > 0) {
                sum.noteChannels.insert(channel);
                ++sounding[channel * 128 + key];
            } else if ((kind == 0x80 || kind == 0x90) && sounding[channel * 128 + key] > 0) {
                --sounding[channel * 128 + key];
            }
        }
        if (!ended)
            throw std::runtime_error("track without end-of-track event");
        for (const auto& [k, n] : sounding)
            sum.hangingNotes += n;
        lastTick = std::max(lastTick, tick);
    }
    if (sum.tracks != declared)
        throw std::runtime_error("track count differs from the header");

    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    long at = 0;
    double micros = 500000.0; // 120 quarters a minute until the first tempo
    for (const auto& [tick, value] : tempos) {
        if (tick > lastTick)
            break;
        sum.seconds += static_cast<double>(tick - at) * micros / division / 1e6;
        at = tick;
        micros = value;
    }
    sum.seconds += static_cast<double>(lastTick - at) * micros / division / 1e6;
    return sum;
}

class Tune : public ::testing::TestWithParam<int> {};

TEST_P(Tune, IsWellFormedAndLastsOverAMinute) {
    ASSERT_TRUE(hasResource(QStringLiteral("midi"), GetParam()));
    SmfSummary s;
    ASSERT_NO_THROW(s = readSmf(loadResource(QStringLiteral("MIDI"), GetParam())));
    EXPECT_GE(s.noteChannels.size(), 3u) << "melody, harmony and bass";
    for (int ch : s.noteChannels)
        EXPECT_TRUE(s.programmedChannels.count(ch)) << "channel " << ch << " has no instrument";
    EXPECT_EQ(s.hangingNotes, 0);
    EXPECT_GE(s.seconds, 55.0);
    EXPECT_LE(s.seconds, 125.0);
}

INSTANTIATE_TEST_SUITE_P(TuneIds, Tune, ::testing::Values(101, 102, 103, 104, 105, 106));

TEST(Tunes, AreAllDifferent) {
    std::set<QByteArray> seen;
    for (int id = 101; id <= 106; ++id)
        EXPECT_TRUE(seen.insert(loadResource(QStringLiteral("MIDI"), id)).second) << id;
}

TEST(TuneReader, CountsTheTempoMapAndRejectsATruncatedTrack) {
    // One track: 120 bpm for 960 ticks (1 s), then 60 bpm for 480 ticks (1 s).
    const char track[] = "\x00\xFF\x51\x03\x07\xA1\x20"     // 500000 us
                         "\x00\x90\x3C\x64"                 // note on
                         "\x87\x40\xFF\x51\x03\x0F\x42\x40" // +960: 1000000 us
                         "\x83\x60\x80\x3C\x40"             // +480: note off
                         "\x00\xFF\x2F\x00";
    QByteArray body(track, sizeof(track) - 1);
    QByteArray smf("MThd\x00\x00\x00\x06\x00\x01\x00\x01\x01\xE0", 14);
    smf += QByteArray("MTrk") + QByteArray::fromHex("000000") +
           QByteArray(1, static_cast<char>(body.size())) + body;
    EXPECT_DOUBLE_EQ(readSmf(smf).seconds, 2.0);
    EXPECT_THROW(readSmf(smf.left(smf.size() - 2)), std::runtime_error);
}

} // namespace
