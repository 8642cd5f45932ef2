// Reading sound effects (RIFF WAVE) and tunes (Standard MIDI Files), sound and damaged.
#include "app/audio/midi_file.h"
#include "app/audio/wave_sound.h"
#include "app/resources.h"

#include "audio_test_data.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

using namespace marvolen::audio;
using namespace marvolen::audio::testdata;

// ---- WAVE ----

TEST(WaveDecoding, EightBitMonoIsCenteredAndKeepsItsRate) {
    const auto sound = decodeWave(wave8(11025, 100, 255, 0));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->sampleRate, 11025);
    ASSERT_EQ(sound->samples.size(), 100u);
    EXPECT_EQ(sound->samples[0], -128 * 256); // unsigned 0 is the negative peak
    EXPECT_EQ(sound->samples[10], 127 * 256);
}

TEST(WaveDecoding, UnknownChunksAreSkippedAndOddChunksPadded) {
    QByteArray data("\x80\x90\xA0", 3);
    const QByteArray file =
        riff(chunk("LIST", QByteArray("odd", 3)) + chunk("fmt ", fmtBody(1, 1, 8000, 8)) +
             chunk("fact", QByteArray(4, '\0')) + chunk("data", data));
    const auto sound = decodeWave(file);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->sampleRate, 8000);
    ASSERT_EQ(sound->samples.size(), 3u);
    EXPECT_EQ(sound->samples[2], 0x20 * 256);
}

TEST(WaveDecoding, SixteenBitStereoIsMixedDown) {
    QByteArray data;
    put16le(data, 1000);
    put16le(data, 3000);
    const auto sound =
        decodeWave(riff(chunk("fmt ", fmtBody(1, 2, 22050, 16)) + chunk("data", data)));
    ASSERT_TRUE(sound);
    ASSERT_EQ(sound->samples.size(), 1u);
    EXPECT_EQ(sound->samples[0], 2000);
}

TEST(WaveDecoding, DataCutShortPlaysWhatIsThere) {
    QByteArray file = wave8(11025, 100);
    file.chop(40);
    const auto sound = decodeWave(file);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->samples.size(), 60u);
}

struct BadWave {
    const char* name;
    QByteArray bytes;
};

class WaveRejection : public ::testing::TestWithParam<BadWave> {};

TEST_P(WaveRejection, GivesNothing) {
    EXPECT_FALSE(decodeWave(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, WaveRejection,
    ::testing::Values(
        BadWave{"Empty", QByteArray()}, BadWave{"HeaderOnly", QByteArray("RIFF\0\0\0\0WAV", 11)},
        BadWave{"NotWave", QByteArray("RIFF\4\0\0\0AVI ", 12)},
        BadWave{"NoData", riff(chunk("fmt ", fmtBody(1, 1, 11025, 8)))},
        BadWave{"NoFormat", riff(chunk("data", QByteArray(10, '\x80')))},
        BadWave{"Compressed", riff(chunk("fmt ", fmtBody(2, 1, 11025, 4)) +
                                   chunk("data", QByteArray(10, '\x80')))},
        BadWave{"ZeroRate",
                riff(chunk("fmt ", fmtBody(1, 1, 0, 8)) + chunk("data", QByteArray(10, '\x80')))},
        BadWave{"FormatCutShort", wave8(11025, 10).left(30)},
        BadWave{"HugeFormatChunk", QByteArray("RIFF\0\0\0\0WAVEfmt \xFF\xFF\xFF\xFF", 20)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WaveDecoding, RandomDamageNeverReadsOutOfBounds) {
    const unsigned seed = 20240607;
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    const QByteArray good = wave8(11025, 64);
    for (int round = 0; round < 3000; ++round) {
        QByteArray b = good.left(int(rng() % (good.size() + 1)));
        for (int k = 0; k < 4 && !b.isEmpty(); ++k)
            b[int(rng() % b.size())] = char(rng());
        decodeWave(b); // must neither crash nor trip the sanitizers
    }
}

// ---- Standard MIDI Files ----

TEST(MidiLength, FollowsTempoChangesAcrossTracks) {
    const auto info = readMidiFile(tempoChangeTune());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->format, 1);
    EXPECT_EQ(info->tracks, 2);
    EXPECT_EQ(info->lengthMs, 1500);
}

TEST(MidiLength, DefaultTempoIsOneHundredTwentyBeats) {
    const auto info = readMidiFile(simpleTune(4));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->lengthMs, 2000);
}

TEST(MidiLength, TempoAfterTheLastEventDoesNotCount) {
    const QByteArray conductor = tempoEvent(0, 1000000) + tempoEvent(960, 250000) + endOfTrack(0);
    const QByteArray notes =
        vlq(0) + bytes({0x90, 60, 100}) + vlq(480) + bytes({60, 0}) + endOfTrack(0);
    const auto info = readMidiFile(smf(1, 2, 480, track(conductor) + track(notes)));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->lengthMs, 2000); // 960 ticks at one second per quarter
}

TEST(MidiLength, SmpteDivisionCountsFramesNotBeats) {
    // 25 frames per second, 40 ticks per frame: one tick is a millisecond.
    const QByteArray notes = vlq(0) + bytes({0x90, 60, 100}) + vlq(750) + bytes({0x80, 60, 0}) +
                             tempoEvent(0, 100000) + endOfTrack(0);
    const auto info = readMidiFile(smf(0, 1, (0x100 - 25) << 8 | 40, track(notes)));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->lengthMs, 750);
}

TEST(MidiLength, AnEndlessTuneIsHeldToWhatThePlayerCanCount) {
    // One tick per quarter at the slowest tempo, then 47 of the longest pauses: thousands of
    // years, which the player, counting them in output frames, overflowed.
    QByteArray endless = tempoEvent(0, 0xFFFFFF) + vlq(0) + bytes({0xC0, 0});
    for (int i = 0; i < 47; ++i)
        endless += vlq(0x0FFFFFFF) + bytes({0});
    endless += endOfTrack(0);
    for (const int division : {1, (0x100 - 24) << 8 | 1}) {
        SCOPED_TRACE(division);
        const auto info = readMidiFile(smf(0, 1, division, track(endless)));
        ASSERT_TRUE(info); // still a tune that plays
        EXPECT_EQ(info->lengthMs, kMaxMidiLengthMs);
        EXPECT_LE(info->lengthMs, std::numeric_limits<std::int64_t>::max() / 192000);
    }
    // A whole day is no damage: it keeps its length to the millisecond.
    const QByteArray day = tempoEvent(0, 1000000) + vlq(0) + bytes({0xC0, 0}) + vlq(86400) +
                           bytes({0}) + endOfTrack(0);
    const auto info = readMidiFile(smf(0, 1, 1, track(day)));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->lengthMs, 86400000);
}

TEST(MidiLength, ForeignChunksAreSkipped) {
    QByteArray foreign("XFIH");
    put32be(foreign, 3);
    foreign += "abc";
    const QByteArray file = smf(0, 1, 480, foreign + track(vlq(960) + bytes({0xFF, 0x2F, 0})));
    const auto info = readMidiFile(file);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->lengthMs, 1000);
}

struct BadMidi {
    const char* name;
    QByteArray bytes;
};

class MidiRejection : public ::testing::TestWithParam<BadMidi> {};

TEST_P(MidiRejection, GivesNothing) {
    EXPECT_FALSE(readMidiFile(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, MidiRejection,
    ::testing::Values(
        BadMidi{"Empty", QByteArray()}, BadMidi{"Wave", wave8(8000, 10)},
        BadMidi{"NoTracks", smf(0, 1, 480, QByteArray())},
        BadMidi{"ZeroDivision", smf(0, 1, 0, track(endOfTrack(0)))},
        BadMidi{"TrackCutShort", simpleTune(4).chopped(5)},
        BadMidi{"DataWithoutStatus", smf(0, 1, 480, track(vlq(0) + bytes({60, 100})))},
        BadMidi{"EventCutAtChunkEnd", smf(0, 1, 480, track(vlq(0) + bytes({0x90, 60})))},
        BadMidi{"EndlessDeltaTime", smf(0, 1, 480, track(bytes({0x81, 0x81, 0x81, 0x81, 0x01})))},
        BadMidi{"SysexLongerThanTrack", smf(0, 1, 480, track(vlq(0) + bytes({0xF0, 0x7F, 1})))},
        BadMidi{"MetaLongerThanTrack", smf(0, 1, 480, track(vlq(0) + bytes({0xFF, 0x01, 0x40})))},
        BadMidi{"RealTimeByte", smf(0, 1, 480, track(vlq(0) + bytes({0xF8})))},
        BadMidi{"FormatThree", smf(3, 1, 480, track(endOfTrack(0)))},
        BadMidi{"FewerTracksThanDeclared", smf(1, 3, 480, track(endOfTrack(0)))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MidiLength, RandomDamageNeverReadsOutOfBounds) {
    const unsigned seed = 77001;
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    const QByteArray good = tempoChangeTune();
    for (int round = 0; round < 5000; ++round) {
        QByteArray b = good.left(int(rng() % (good.size() + 1)));
        for (int k = 0; k < 3 && !b.isEmpty(); ++k)
            b[int(rng() % b.size())] = char(rng());
        if (const auto info = readMidiFile(b)) {
            EXPECT_GE(info->lengthMs, 0);
        }
    }
}

// ---- the game's own sounds and tunes ----

TEST(GameResources, EveryEffectDecodesShortAndEightBit) {
    for (int id : {101, 102, 103, 104, 105, 106, 107, 109, 113, 114, 115}) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(marvolen::app::hasResource(QStringLiteral("WAV"), id));
        const auto sound = decodeWave(marvolen::app::loadResource(QStringLiteral("WAV"), id));
        ASSERT_TRUE(sound);
        EXPECT_TRUE(sound->sampleRate == 11025 || sound->sampleRate == 8000);
        EXPECT_LT(double(sound->samples.size()) / sound->sampleRate, 1.2);
    }
}

TEST(GameResources, EveryTuneReadsWithALength) {
    for (int id = 101; id <= 106; ++id) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(marvolen::app::hasResource(QStringLiteral("MIDI"), id));
        const auto info = readMidiFile(marvolen::app::loadResource(QStringLiteral("midi"), id));
        ASSERT_TRUE(info);
        EXPECT_GT(info->lengthMs, 5000);
    }
}
