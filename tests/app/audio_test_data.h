// Small WAVE and Standard MIDI File byte arrays made in the tests, and an application object.
#pragma once

#include <QByteArray>
#include <QCoreApplication>

#include <cstdint>
#include <initializer_list>
#include <memory>

namespace marvolen::audio::testdata {

inline void put16le(QByteArray& b, unsigned v) {
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}
inline void put32le(QByteArray& b, std::uint32_t v) {
    put16le(b, v & 0xFFFF);
    put16le(b, v >> 16);
}
inline void put32be(QByteArray& b, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        b.append(char((v >> shift) & 0xFF));
}
inline void put16be(QByteArray& b, unsigned v) {
    b.append(char((v >> 8) & 0xFF));
    b.append(char(v & 0xFF));
}

/// A "fmt " chunk body.
inline QByteArray fmtBody(int tag, int channels, int rate, int bits) {
    QByteArray f;
    put16le(f, unsigned(tag));
    put16le(f, unsigned(channels));
    put32le(f, std::uint32_t(rate));
    put32le(f, std::uint32_t(rate * channels * bits / 8));
    put16le(f, unsigned(channels * bits / 8));
    put16le(f, unsigned(bits));
    return f;
}

inline QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray c(id, 4);
    put32le(c, std::uint32_t(body.size()));
    c += body;
    if (body.size() % 2)
        c.append('\0');
    return c;
}

inline QByteArray riff(const QByteArray& chunks) {
    QByteArray b("RIFF");
    put32le(b, std::uint32_t(4 + chunks.size()));
    b += "WAVE";
    b += chunks;
    return b;
}

/// An 8-bit mono effect: frames samples of a square wave at the given rate.
inline QByteArray wave8(int rate, int frames, unsigned char high = 200, unsigned char low = 56) {
    QByteArray data;
    for (int i = 0; i < frames; ++i)
        data.append(char((i / 10) % 2 ? high : low));
    return riff(chunk("fmt ", fmtBody(1, 1, rate, 8)) + chunk("data", data));
}

/// A variable-length quantity.
inline QByteArray vlq(std::uint32_t v) {
    QByteArray out;
    out.prepend(char(v & 0x7F));
    while (v >>= 7)
        out.prepend(char((v & 0x7F) | 0x80));
    return out;
}

inline QByteArray bytes(std::initializer_list<int> list) {
    QByteArray b;
    for (int v : list)
        b.append(char(v));
    return b;
}

inline QByteArray tempoEvent(std::uint32_t delta, std::uint32_t microsPerQuarter) {
    return vlq(delta) + bytes({0xFF, 0x51, 0x03, int(microsPerQuarter >> 16) & 0xFF,
                               int(microsPerQuarter >> 8) & 0xFF, int(microsPerQuarter) & 0xFF});
}

inline QByteArray endOfTrack(std::uint32_t delta) {
    return vlq(delta) + bytes({0xFF, 0x2F, 0x00});
}

inline QByteArray track(const QByteArray& events) {
    QByteArray t("MTrk");
    put32be(t, std::uint32_t(events.size()));
    return t + events;
}

inline QByteArray smf(int format, int tracks, int division, const QByteArray& trackChunks) {
    QByteArray b("MThd");
    put32be(b, 6);
    put16be(b, unsigned(format));
    put16be(b, unsigned(tracks));
    put16be(b, unsigned(division));
    return b + trackChunks;
}

/// A format-0 tune of quarters at 120 bpm (division 480): one note per quarter, running status.
inline QByteArray simpleTune(int quarters, int program = 0) {
    QByteArray e = vlq(0) + bytes({0xC0, program});
    for (int q = 0; q < quarters; ++q) {
        e += vlq(0) + bytes({0x90, 60 + q % 12, 100});
        e += vlq(480) + bytes({60 + q % 12, 0}); // running status: note on, velocity 0
    }
    e += endOfTrack(0);
    return smf(0, 1, 480, track(e));
}

/// A format-1 tune: tempo 120 bpm, after two quarters 240 bpm, two more quarters: 1500 ms.
/// The note track uses running status throughout and carries a system-exclusive message.
inline QByteArray tempoChangeTune() {
    const QByteArray conductor = tempoEvent(0, 500000) + tempoEvent(960, 250000) + endOfTrack(960);
    QByteArray notes = vlq(0) + bytes({0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7});
    notes += vlq(0) + bytes({0x90, 64, 90});
    notes += vlq(480) + bytes({67, 90});
    notes += vlq(480) + bytes({64, 0});
    notes += vlq(0) + bytes({67, 0});
    notes += vlq(0) + bytes({0xFF, 0x01, 0x03, 'a', 'b', 'c'}); // a text event between
    notes += vlq(960) + bytes({0x80, 72, 0});
    notes += endOfTrack(0);
    return smf(1, 2, 480, track(conductor) + track(notes));
}

/// Makes a QCoreApplication for the test's scope when none exists yet.
class AppScope {
  public:
    AppScope() {
        if (!QCoreApplication::instance())
            m_app = std::make_unique<QCoreApplication>(m_argc, m_argv);
    }

  private:
    int m_argc = 1;
    char m_name[16] = "test_app";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_app;
};

} // namespace marvolen::audio::testdata
