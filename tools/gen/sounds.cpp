// The eleven sound effects, synthesised: marble clacks, a start chime, marbles rolling in,
// a game-over motif and three fanfares, written as 8-bit mono WAVE files.
#include "generators.h"

#include "ids/resource_ids.h"
#include "ids/sound_ids.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace gen {
namespace {

constexpr int kRate = 11025;
// Partials above this would fold back as harsh aliases.
constexpr double kTopFrequency = 0.45 * kRate;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
// -3 dBFS: loud enough next to the music, with room left for the 8-bit rounding.
constexpr double kPeak = 0.708;

using Signal = std::vector<double>;

Signal silence(double seconds) {
    // An even number of samples keeps the data chunk free of a pad byte.
    auto n = static_cast<std::size_t>(std::lround(seconds * kRate));
    return Signal(n + (n % 2), 0.0);
}

/// A fixed-seed noise source, so every build writes the same bytes.
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : m_state(seed ? seed : 1u) {}
    /// Uniform in [-1, 1).
    double next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return static_cast<double>(m_state) / 2147483648.0 - 1.0;
    }
    /// Uniform in [low, high).
    double range(double low, double high) { return low + (next() + 1.0) * 0.5 * (high - low); }

  private:
    std::uint32_t m_state;
};

/// A decaying sine from start: a struck mode of a marble, a bell or a board.
void addMode(Signal& s, double start, double freq, double amp, double decay,
             double attack = 0.0004) {
    if (freq >= kTopFrequency)
        return;
    auto first = static_cast<std::size_t>(std::max(0.0, start * kRate));
    for (std::size_t i = first; i < s.size(); ++i) {
        double t = static_cast<double>(i - first) / kRate;
        double env = std::exp(-t / decay);
        if (env < 1e-4)
            break;
        if (t < attack)
            env *= t / attack;
        s[i] += amp * env * std::sin(kTwoPi * freq * t);
    }
}

/// Band-limited noise with a fast decay: the contact of two hard bodies.
void addTick(Signal& s, double start, double amp, double decay, double brightness, Noise& noise) {
    auto first = static_cast<std::size_t>(std::max(0.0, start * kRate));
    double low = 0.0;
    for (std::size_t i = first; i < s.size(); ++i) {
        double t = static_cast<double>(i - first) / kRate;
        double env = std::exp(-t / decay);
        if (env < 1e-4)
            break;
        low += brightness * (noise.next() - low);
        s[i] += amp * env * low;
    }
}

/// One marble hitting something: a few bright modes, a body mode and the contact noise.
struct Clack {
    double modes[3];  // frequencies in Hz
    double decays[3]; // seconds
    double body;      // frequency of the lower, wooden resonance
    double bodyDecay;
    double bodyAmp;
    double tickAmp;
};

void addClack(Signal& s, double start, double gain, const Clack& c, Noise& noise) {
    const double weights[3] = {1.0, 0.55, 0.3};
    for (int k = 0; k < 3; ++k)
        addMode(s, start, c.modes[k], gain * weights[k], c.decays[k]);
    addMode(s, start, c.body, gain * c.bodyAmp, c.bodyDecay, 0.001);
    addTick(s, start, gain * c.tickAmp, 0.0015, 0.6, noise);
}

double noteFrequency(int midiKey) {
    return 440.0 * std::pow(2.0, (midiKey - 69) / 12.0);
}

/// A small bell: near-harmonic partials that die away faster the higher they are.
void addBell(Signal& s, double start, int key, double amp, double length) {
    const double f = noteFrequency(key);
    const double ratios[] = {1.0, 2.0, 3.0, 4.16, 5.43};
    const double amps[] = {1.0, 0.45, 0.22, 0.12, 0.06};
    for (int k = 0; k < 5; ++k)
        addMode(s, start, f * ratios[k], amp * amps[k], length / (1.0 + 1.3 * k), 0.002);
}

/// A soft mallet tone (fundamental and the fourth partial), as a vibraphone bar sounds.
void addMallet(Signal& s, double start, int key, double amp, double length) {
    const double f = noteFrequency(key);
    addMode(s, start, f, amp, length, 0.004);
    addMode(s, start, f * 4.0, amp * 0.12, length * 0.2, 0.002);
    addMode(s, start, f * 2.0, amp * 0.08, length * 0.4, 0.003);
}

/// A brass note: harmonics that brighten as the note swells, a little vibrato, soft ends.
void addBrass(Signal& s, double start, double length, int key, double amp) {
    const double f0 = noteFrequency(key);
    // Short notes speak faster and stop sooner, so repeated notes stay apart.
    const double attack = std::min(0.035, 0.25 * length);
    const double release = std::min(0.06, 0.4 * length);
    auto first = static_cast<std::size_t>(start * kRate);
    auto count = static_cast<std::size_t>((length + release) * kRate);
    double phase = 0.0;
    for (std::size_t j = 0; j < count && first + j < s.size(); ++j) {
        double t = static_cast<double>(j) / kRate;
        double env;
        if (t < attack)
            env = std::sin(0.5 * std::numbers::pi * t / attack);
        else if (t < length)
            env = 0.82 + 0.18 * std::exp(-(t - attack) / 0.08);
        else
            env = 0.82 * std::cos(0.5 * std::numbers::pi * (t - length) / release);
        double vibrato = t > 0.18 ? 0.004 * std::sin(kTwoPi * 5.5 * t) : 0.0;
        phase += kTwoPi * f0 * (1.0 + vibrato) / kRate;
        double v = 0.0;
        for (int k = 1; k * f0 < kTopFrequency; ++k)
            v += std::pow(env, 0.7 * (k - 1)) / std::pow(k, 1.35) * std::sin(k * phase);
        s[first + j] += amp * env * v;
    }
}

/// A soft drum: a sine that falls in pitch, as a timpani stroke.
void addDrum(Signal& s, double start, double freq, double amp, double decay) {
    auto first = static_cast<std::size_t>(start * kRate);
    double phase = 0.0;
    for (std::size_t i = first; i < s.size(); ++i) {
        double t = static_cast<double>(i - first) / kRate;
        double env = std::exp(-t / decay);
        if (t < 0.003)
            env *= t / 0.003;
        phase += kTwoPi * freq * (1.0 + 0.25 * std::exp(-t / 0.03)) / kRate;
        s[i] += amp * env * std::sin(phase);
    }
}

/// Second-order low-pass (bilinear transform of the analogue prototype).
class LowPass {
  public:
    LowPass(double cutoff, double q) {
        double w = kTwoPi * cutoff / kRate;
        double alpha = std::sin(w) / (2.0 * q);
        double cw = std::cos(w);
        double a0 = 1.0 + alpha;
        m_b0 = (1.0 - cw) / 2.0 / a0;
        m_b1 = (1.0 - cw) / a0;
        m_b2 = m_b0;
        m_a1 = -2.0 * cw / a0;
        m_a2 = (1.0 - alpha) / a0;
    }
    double process(double x) {
        double y = m_b0 * x + m_b1 * m_x1 + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
        m_x2 = m_x1;
        m_x1 = x;
        m_y2 = m_y1;
        m_y1 = y;
        return y;
    }

  private:
    double m_b0, m_b1, m_b2, m_a1, m_a2;
    double m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

/// Short fades at both ends so no effect starts or stops with a click, then -3 dBFS peak.
void finish(Signal& s, double fadeIn, double fadeOut) {
    const auto in = static_cast<std::size_t>(fadeIn * kRate);
    const auto out = static_cast<std::size_t>(fadeOut * kRate);
    for (std::size_t i = 0; i < in && i < s.size(); ++i)
        s[i] *= static_cast<double>(i) / in;
    for (std::size_t i = 0; i < out && i < s.size(); ++i) {
        double g = 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / out);
        s[s.size() - 1 - i] *= g;
    }
    double peak = 0.0;
    for (double v : s)
        peak = std::max(peak, std::abs(v));
    if (peak > 0.0)
        for (double& v : s)
            v *= kPeak / peak;
}

// The five clacks differ in the size and material of what the marble hits.
const Clack kClacks[5] = {
    // JumpGlass (101): glass on glass, bright with a short ring.
    {{2630, 3910, 4870}, {0.028, 0.016, 0.008}, 520, 0.030, 0.30, 0.25},
    // Click (102): small and crisp, a jump and also the button click.
    {{3240, 4510, 2150}, {0.013, 0.006, 0.010}, 880, 0.012, 0.22, 0.30},
    // JumpStone (103): stone on stone, lower and duller.
    {{1720, 2890, 4150}, {0.022, 0.012, 0.006}, 380, 0.045, 0.45, 0.30},
    // JumpRinging (104): a ringing glass marble.
    {{2950, 4120, 1980}, {0.045, 0.020, 0.015}, 610, 0.025, 0.25, 0.20},
    // JumpWood (105): a marble dropped into a wooden hole.
    {{1350, 2260, 3480}, {0.018, 0.010, 0.006}, 240, 0.060, 0.60, 0.35},
};

Signal clackEffect(int index) {
    Noise noise(1000 + index);
    switch (index) {
    case 0: {
        Signal s = silence(0.26);
        addClack(s, 0.002, 1.0, kClacks[0], noise);
        addClack(s, 0.072, 0.32, kClacks[0], noise); // a small bounce
        finish(s, 0.0005, 0.03);
        return s;
    }
    case 1: {
        Signal s = silence(0.09);
        addClack(s, 0.001, 1.0, kClacks[1], noise);
        finish(s, 0.0005, 0.02);
        return s;
    }
    case 2: {
        Signal s = silence(0.24);
        addClack(s, 0.002, 1.0, kClacks[2], noise);
        finish(s, 0.0005, 0.04);
        return s;
    }
    case 3: {
        Signal s = silence(0.30);
        addClack(s, 0.002, 1.0, kClacks[3], noise);
        addClack(s, 0.058, 0.30, kClacks[3], noise);
        addClack(s, 0.098, 0.12, kClacks[3], noise);
        finish(s, 0.0005, 0.04);
        return s;
    }
    default: {
        Signal s = silence(0.26);
        addClack(s, 0.002, 1.0, kClacks[4], noise);
        finish(s, 0.0005, 0.04);
        return s;
    }
    }
}

/// Start (106): a rising chime, G C E G, the last bell left to ring.
Signal startChime() {
    Signal s = silence(0.95);
    const int keys[] = {79, 84, 88, 91};
    for (int i = 0; i < 4; ++i)
        addBell(s, 0.005 + 0.085 * i, keys[i], i == 3 ? 1.0 : 0.8, i == 3 ? 0.45 : 0.25);
    addBell(s, 0.26, 84, 0.35, 0.4); // the octave below fills the last chord
    finish(s, 0.001, 0.12);
    return s;
}

/// RollIn (107): marbles rolling in: a rumble over the board and small clicks as they meet.
Signal rollingIn() {
    Signal s = silence(1.0);
    Noise noise(107);
    LowPass rumbleFilter(260.0, 1.4);
    LowPass wobbleFilter(9.0, 0.7);
    for (std::size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double wobble = 0.6 + 3.0 * wobbleFilter.process(noise.next());
        double shape = std::min(1.0, t / 0.08) * (t < 0.65 ? 1.0 : std::exp(-(t - 0.65) / 0.12));
        s[i] += 1.4 * shape * std::max(0.2, wobble) * rumbleFilter.process(noise.next());
    }
    double t = 0.03;
    int n = 0;
    while (t < 0.85) {
        Clack c = kClacks[n % 5];
        double shift = noise.range(0.85, 1.2);
        for (double& m : c.modes)
            m *= shift;
        c.bodyAmp *= 0.6;
        addClack(s, t, noise.range(0.12, 0.32), c, noise);
        t += noise.range(0.025, 0.075);
        ++n;
    }
    addClack(s, 0.86, 0.38, kClacks[2], noise); // the last marble settles
    finish(s, 0.01, 0.08);
    return s;
}

/// GameOver (109): a gentle descending G E D C on soft mallets, the last note with its octave.
Signal gameOver() {
    Signal s = silence(1.15);
    const int keys[] = {79, 76, 74, 72};
    for (int i = 0; i < 4; ++i)
        addMallet(s, 0.005 + 0.2 * i, keys[i], 1.0, i == 3 ? 0.4 : 0.22);
    addMallet(s, 0.605, 60, 0.55, 0.45);
    finish(s, 0.002, 0.18);
    return s;
}

/// FanfareBrass (113): brass "ta-ta-ta-taa": three Gs and a held C major chord.
Signal fanfareOne() {
    Signal s = silence(1.05);
    for (int i = 0; i < 3; ++i)
        addBrass(s, 0.01 + 0.1 * i, 0.07, 67, 1.0);
    addBrass(s, 0.31, 0.6, 72, 0.75);
    addBrass(s, 0.31, 0.6, 67, 0.4);
    addBrass(s, 0.31, 0.6, 64, 0.4);
    addDrum(s, 0.31, 98.0, 0.6, 0.18);
    finish(s, 0.002, 0.08);
    return s;
}

/// FanfareBells (114): bells: a quick C major run up to a ringing chord with sparkle on top.
Signal fanfareTwo() {
    Signal s = silence(1.1);
    const int run[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i)
        addBell(s, 0.005 + 0.07 * i, run[i], 0.7, 0.2);
    for (int key : {84, 88, 91})
        addBell(s, 0.3, key, 0.6, 0.5);
    addBell(s, 0.52, 96, 0.25, 0.25);
    addMallet(s, 0.3, 60, 0.5, 0.5);
    finish(s, 0.002, 0.15);
    return s;
}

/// FanfareCall (115): brass call in G: D, a short G-G, then a high G major chord over a drum.
Signal fanfareThree() {
    Signal s = silence(1.1);
    addBrass(s, 0.01, 0.13, 62, 1.0);
    addBrass(s, 0.17, 0.06, 67, 1.0);
    addBrass(s, 0.25, 0.06, 67, 1.0);
    addBrass(s, 0.35, 0.62, 71, 0.7);
    addBrass(s, 0.35, 0.62, 67, 0.4);
    addBrass(s, 0.35, 0.62, 62, 0.4);
    addBrass(s, 0.35, 0.62, 55, 0.3);
    addDrum(s, 0.35, 73.4, 0.7, 0.2);
    finish(s, 0.002, 0.09);
    return s;
}

void putLE(QByteArray& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

/// A canonical 44-byte-header WAVE file, PCM mono 8 bit unsigned.
QByteArray toWave(const Signal& s) {
    QByteArray data;
    data.reserve(static_cast<qsizetype>(s.size()));
    for (double v : s) {
        long q = std::lround(128.0 + 127.0 * std::clamp(v, -1.0, 1.0));
        data.append(static_cast<char>(std::clamp(q, 1L, 255L)));
    }
    QByteArray b;
    b.append("RIFF");
    putLE(b, static_cast<std::uint32_t>(36 + data.size()), 4);
    b.append("WAVEfmt ");
    putLE(b, 16, 4);
    putLE(b, 1, 2); // PCM
    putLE(b, 1, 2); // mono
    putLE(b, kRate, 4);
    putLE(b, kRate, 4); // bytes per second
    putLE(b, 1, 2);     // block align
    putLE(b, 8, 2);     // bits per sample
    b.append("data");
    putLE(b, static_cast<std::uint32_t>(data.size()), 4);
    b.append(data);
    return b;
}

Signal effect(int id) {
    using namespace marvolen;
    switch (id) {
    case Sound::Start:
        return startChime();
    case Sound::RollIn:
        return rollingIn();
    case Sound::GameOver:
        return gameOver();
    case Sound::FanfareBrass:
        return fanfareOne();
    case Sound::FanfareBells:
        return fanfareTwo();
    case Sound::FanfareCall:
        return fanfareThree();
    default:
        if (id < Sound::FirstJump || id > Sound::LastJump) {
            std::fprintf(stderr, "no sound effect is made for %d\n", id);
            std::exit(1);
        }
        return clackEffect(id - Sound::FirstJump);
    }
}

} // namespace

void writeSounds(const QDir& out, Entries& entries) {
    for (const marvolen::Sound::Entry& sound : marvolen::Sound::All) {
        const int id = sound.id;
        const QString name = QStringLiteral("wav_%1.wav").arg(id);
        writeFile(out.filePath(name), toWave(effect(id)));
        entries.emplace_back(
            QStringLiteral("%1/%2").arg(QLatin1String(marvolen::ResourceType::Wave)).arg(id), name);
    }
}

} // namespace gen
