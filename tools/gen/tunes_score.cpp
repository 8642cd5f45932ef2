// The score of the tunes: reading melodies and chord charts, voicing chords, and writing
// Standard MIDI Files.
#include "tunes_score.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <numeric>
#include <sstream>

namespace gen::tunes {
namespace {

// The data of the tunes is part of this program; a mistake in it must stop the build.
[[noreturn]] void dataError(const std::string& what, const std::string& where) {
    std::fprintf(stderr, "tune data: %s in \"%s\"\n", what.c_str(), where.c_str());
    std::exit(1);
}

int pitchClass(const std::string& s, std::size_t& pos) {
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (pos >= s.size() || s[pos] < 'A' || s[pos] > 'G')
        dataError("expected a note name", s);
    int pc = base[s[pos] - 'A'];
    ++pos;
    if (pos < s.size() && s[pos] == '#') {
        ++pc;
        ++pos;
    } else if (pos < s.size() && s[pos] == 'b') {
        --pc;
        ++pos;
    }
    return (pc + 12) % 12;
}

int duration(const std::string& s, std::size_t& pos) {
    if (pos >= s.size())
        dataError("missing length", s);
    int d = 0;
    switch (s[pos]) {
    case 'w':
        d = kWhole;
        break;
    case 'h':
        d = kHalf;
        break;
    case 'q':
        d = kQuarter;
        break;
    case 'e':
        d = kEighth;
        break;
    case 's':
        d = kSixteenth;
        break;
    default:
        dataError("unknown length", s);
    }
    ++pos;
    if (pos < s.size() && s[pos] == '3') {
        d = d * 2 / 3;
        ++pos;
    }
    if (pos < s.size() && s[pos] == '.') {
        d = d * 3 / 2;
        ++pos;
    }
    return d;
}

std::vector<std::string> split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : text) {
        if (c == sep) {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts.push_back(cur);
    return parts;
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> w;
    for (std::string s; in >> s;)
        w.push_back(s);
    return w;
}

void putBE(QByteArray& b, std::uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void putVarLen(QByteArray& b, std::uint32_t v) {
    unsigned char buf[5];
    int n = 0;
    buf[n++] = v & 0x7F;
    while ((v >>= 7) != 0)
        buf[n++] = static_cast<unsigned char>(0x80 | (v & 0x7F));
    while (n > 0)
        b.append(static_cast<char>(buf[--n]));
}

std::vector<unsigned char> metaText(int type, const QString& text) {
    const QByteArray t = text.toLatin1();
    std::vector<unsigned char> e{0xFF, static_cast<unsigned char>(type)};
    QByteArray len;
    putVarLen(len, static_cast<std::uint32_t>(t.size()));
    e.insert(e.end(), len.begin(), len.end());
    e.insert(e.end(), t.begin(), t.end());
    return e;
}

QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray b(id);
    putBE(b, static_cast<std::uint32_t>(body.size()), 4);
    return b + body;
}

} // namespace

Phrase parsePhrase(const std::string& text, int barTicks) {
    Phrase p;
    const auto bars = split(text, '|');
    int tick = 0;
    bool first = true;
    for (std::size_t b = 0; b < bars.size(); ++b) {
        const auto tokens = words(bars[b]);
        if (tokens.empty())
            continue;
        int barStart = tick;
        for (const std::string& tok : tokens) {
            std::size_t pos = 0;
            int key = -1;
            bool hold = false;
            if (tok[0] == 'r') {
                pos = 1;
            } else if (tok[0] == '~') {
                hold = true;
                pos = 1;
            } else {
                int pc = pitchClass(tok, pos);
                if (pos >= tok.size() || !std::isdigit(static_cast<unsigned char>(tok[pos])))
                    dataError("missing octave", tok);
                int octave = tok[pos++] - '0';
                // B#/Cb cross the octave: count from the written letter.
                int letterBase = (tok[0] == 'C' && pc == 11) ? -12 : 0;
                if (tok[0] == 'B' && pc == 0)
                    letterBase = 12;
                key = 12 * (octave + 1) + pc + letterBase;
            }
            int d = duration(tok, pos);
            if (pos != tok.size())
                dataError("trailing characters", tok);
            if (hold) {
                if (p.notes.empty() || p.notes.back().key < 0)
                    dataError("nothing to hold", bars[b]);
                p.notes.back().length += d;
            } else {
                p.notes.push_back({tick, d, key});
            }
            tick += d;
        }
        int len = tick - barStart;
        bool last = std::none_of(bars.begin() + static_cast<std::ptrdiff_t>(b) + 1, bars.end(),
                                 [](const std::string& s) { return !words(s).empty(); });
        if (first && len < barTicks) {
            p.pickup = len;
        } else if (len != barTicks && !last) {
            dataError("bar of " + std::to_string(len) + " ticks", bars[b]);
        }
        first = false;
    }
    for (auto& n : p.notes)
        n.offset -= p.pickup;
    p.length = tick - p.pickup;
    return p;
}

std::vector<Chord> parseChords(const std::string& text, int barTicks) {
    static const std::map<std::string, std::vector<int>> qualities = {
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},       {"7", {0, 4, 7, 10}},
        {"maj7", {0, 4, 7, 11}}, {"m7", {0, 3, 7, 10}},  {"dim", {0, 3, 6}},
        {"dim7", {0, 3, 6, 9}},  {"sus4", {0, 5, 7}},    {"6", {0, 4, 7, 9}},
        {"m6", {0, 3, 7, 9}},    {"add9", {0, 4, 7, 2}},
    };
    std::vector<Chord> chords;
    int barStart = 0;
    for (const std::string& bar : split(text, '|')) {
        const auto tokens = words(bar);
        if (tokens.empty())
            continue;
        std::vector<int> lengths;
        int given = 0;
        int open = 0;
        std::vector<Chord> inBar;
        for (const std::string& tok : tokens) {
            const auto colon = tok.find(':');
            const std::string name = tok.substr(0, colon);
            std::size_t pos = 0;
            const int root = pitchClass(name, pos);
            const auto slash = name.find('/', pos);
            const std::string quality =
                name.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
            const auto q = qualities.find(quality);
            if (q == qualities.end())
                dataError("unknown chord", tok);
            Chord c{0, 0, {}, root};
            for (int iv : q->second)
                c.pitchClasses.push_back((root + iv) % 12);
            if (slash != std::string::npos) {
                std::size_t bp = slash + 1;
                c.bass = pitchClass(name, bp);
            }
            int len = 0;
            if (colon != std::string::npos) {
                std::size_t dp = colon + 1;
                len = duration(tok, dp);
                given += len;
            } else {
                ++open;
            }
            lengths.push_back(len);
            inBar.push_back(c);
        }
        if (open > 0 && (barTicks - given) % open != 0)
            dataError("bar cannot be shared", bar);
        int t = barStart;
        for (std::size_t i = 0; i < inBar.size(); ++i) {
            inBar[i].offset = t;
            inBar[i].length = lengths[i] ? lengths[i] : (barTicks - given) / open;
            t += inBar[i].length;
            chords.push_back(inBar[i]);
        }
        if (t - barStart != barTicks)
            dataError("chord bar of " + std::to_string(t - barStart) + " ticks", bar);
        barStart = t;
    }
    return chords;
}

Phrase transposed(Phrase p, int semitones) {
    for (auto& n : p.notes)
        if (n.key >= 0)
            n.key += semitones;
    return p;
}

std::vector<Chord> transposed(std::vector<Chord> chords, int semitones) {
    for (auto& c : chords) {
        for (int& pc : c.pitchClasses)
            pc = ((pc + semitones) % 12 + 12) % 12;
        c.bass = ((c.bass + semitones) % 12 + 12) % 12;
    }
    return chords;
}

std::vector<int> voiceChord(const Chord& c, int low, int high, const std::vector<int>& previous,
                            int voices) {
    // Fewer voices than tones: leave out the fifth first, then the root.
    std::vector<int> tones = c.pitchClasses;
    if (static_cast<int>(tones.size()) > voices && tones.size() >= 3)
        tones.erase(tones.begin() + 2);
    while (static_cast<int>(tones.size()) > voices)
        tones.erase(tones.begin());
    const int target = (low + high) / 2;
    std::vector<int> best;
    long bestCost = LONG_MAX;
    // Every inversion in close position whose notes fit the range.
    for (std::size_t inv = 0; inv < tones.size(); ++inv) {
        for (int base = low; base <= high; ++base) {
            if (base % 12 != tones[inv])
                continue;
            std::vector<int> v{base};
            for (std::size_t k = 1; k < tones.size(); ++k) {
                int pc = tones[(inv + k) % tones.size()];
                int n = v.back() + 1;
                while (n % 12 != pc)
                    ++n;
                v.push_back(n);
            }
            while (static_cast<int>(v.size()) < voices)
                v.push_back(v[v.size() - tones.size()] + 12);
            if (v.back() > high)
                continue;
            long cost = 0;
            if (previous.size() == v.size()) {
                for (std::size_t k = 0; k < v.size(); ++k)
                    cost += std::abs(v[k] - previous[k]);
            } else {
                cost = std::abs((v.front() + v.back()) / 2 - target);
            }
            if (cost < bestCost) {
                bestCost = cost;
                best = v;
            }
        }
    }
    if (best.empty())
        dataError("chord does not fit its range",
                  std::to_string(low) + ".." + std::to_string(high));
    return best;
}

Part::Part(QString name, int channel, int program, int volume, int pan, int reverb)
    : m_name(std::move(name)), m_channel(channel) {
    this->program(0, program);
    control(0, 7, volume);
    control(0, 10, pan);
    control(0, 91, reverb);
    control(0, 93, 0);
}

void Part::note(int tick, int length, int key, int velocity) {
    if (key < 0 || key > 127 || length <= 0)
        return;
    m_notes.push_back({tick, length, key, std::clamp(velocity, 1, 127)});
}

void Part::program(int tick, int program) {
    m_events.push_back(
        {tick,
         0,
         {static_cast<unsigned char>(0xC0 | m_channel), static_cast<unsigned char>(program)}});
}

void Part::control(int tick, int controller, int value) {
    m_events.push_back(
        {tick,
         0,
         {static_cast<unsigned char>(0xB0 | m_channel), static_cast<unsigned char>(controller),
          static_cast<unsigned char>(std::clamp(value, 0, 127))}});
}

void Part::play(const Phrase& p, int barTick, int velocity, int barTicks, double legato,
                int transpose) {
    for (const auto& n : p.notes) {
        if (n.key < 0)
            continue;
        int tick = barTick + n.offset;
        // A light stress on the downbeat and a softer touch off the beat.
        int accent = (n.offset % barTicks == 0) ? 6 : (n.offset % kQuarter == 0 ? 0 : -6);
        int len = std::max(30, static_cast<int>(n.length * legato));
        note(tick, len, n.key + transpose, velocity + accent);
    }
}

void Part::pad(const std::vector<Chord>& chords, int barTick, int low, int high, int voices,
               int velocity) {
    std::vector<int> prev;
    for (const auto& c : chords) {
        prev = voiceChord(c, low, high, prev, voices);
        for (int k : prev)
            note(barTick + c.offset, c.length - 20, k, velocity);
    }
}

void Part::bass(const std::vector<Chord>& chords, int barTick, int low, int velocity, int hold) {
    for (const auto& c : chords) {
        int key = low + ((c.bass - low) % 12 + 12) % 12;
        int len = hold > 0 ? std::min(hold, c.length) : c.length - 30;
        note(barTick + c.offset, len, key, velocity);
    }
}

void Part::figure(const std::vector<Chord>& chords, int barTick, int step,
                  const std::vector<int>& pattern, int bassLow, int low, int high, int voices,
                  int velocity, int ring) {
    std::vector<int> prev;
    for (const auto& c : chords) {
        prev = voiceChord(c, low, high, prev, voices);
        const int bassKey = bassLow + ((c.bass - bassLow) % 12 + 12) % 12;
        for (int t = 0, i = 0; t < c.length; t += step, ++i) {
            const int what = pattern[static_cast<std::size_t>(i) % pattern.size()];
            const int len = std::min(step * ring, c.length - t) - 10;
            const int tick = barTick + c.offset + t;
            const int accent = (t == 0) ? 5 : 0;
            if (what == 0) {
                note(tick, len, bassKey, velocity + accent);
            } else if (what == 8) {
                const int fifth = c.pitchClasses.size() > 2 ? c.pitchClasses[2] : c.bass;
                note(tick, len, bassKey + ((fifth - bassKey) % 12 + 12) % 12, velocity);
            } else if (what == 9) {
                for (int k : prev)
                    note(tick, len, k, velocity + accent - 4);
            } else if (what >= 1 && what <= static_cast<int>(prev.size())) {
                note(tick, len, prev[static_cast<std::size_t>(what - 1)], velocity + accent);
            }
        }
    }
}

int Part::end() const {
    int e = 0;
    for (const auto& n : m_notes)
        e = std::max(e, n.tick + n.length);
    for (const auto& ev : m_events)
        e = std::max(e, ev.tick);
    return e;
}

QByteArray Part::trackData(int endTick) const {
    // A note struck again while it still sounds ends where the new one begins, so that its
    // release cannot cut the new note short.
    std::vector<Note> notes = m_notes;
    std::sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) {
        return a.key != b.key ? a.key < b.key : a.tick < b.tick;
    });
    std::vector<Event> events = m_events;
    events.push_back({0, -1, metaText(0x03, m_name)});
    for (std::size_t i = 0; i < notes.size(); ++i) {
        Note n = notes[i];
        if (i + 1 < notes.size() && notes[i + 1].key == n.key) {
            if (notes[i + 1].tick == n.tick)
                continue;
            n.length = std::min(n.length, notes[i + 1].tick - n.tick);
        }
        const auto ch = static_cast<unsigned char>(m_channel);
        const auto key = static_cast<unsigned char>(n.key);
        events.push_back(
            {n.tick,
             2,
             {static_cast<unsigned char>(0x90 | ch), key, static_cast<unsigned char>(n.velocity)}});
        events.push_back({n.tick + n.length, 1, {static_cast<unsigned char>(0x80 | ch), key, 64}});
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    QByteArray body;
    int last = 0;
    for (const auto& e : events) {
        putVarLen(body, static_cast<std::uint32_t>(e.tick - last));
        body.append(reinterpret_cast<const char*>(e.bytes.data()),
                    static_cast<qsizetype>(e.bytes.size()));
        last = e.tick;
    }
    putVarLen(body, static_cast<std::uint32_t>(std::max(0, endTick - last)));
    body.append("\xFF\x2F\x00", 3);
    return chunk("MTrk", body);
}

Score::Score(QString title, int beatsPerBar, int beatUnit, int sharps, bool minor)
    : m_title(std::move(title)), m_beatsPerBar(beatsPerBar), m_beatUnit(beatUnit), m_sharps(sharps),
      m_minor(minor) {}

Part& Score::part(QString name, int channel, int program, int volume, int pan, int reverb) {
    return m_parts.emplace_back(std::move(name), channel, program, volume, pan, reverb);
}

void Score::tempo(int tick, double quartersPerMinute) {
    m_tempos.emplace_back(tick, static_cast<int>(std::lround(60000000.0 / quartersPerMinute)));
}

void Score::tempoRamp(int fromTick, int toTick, double fromBpm, double toBpm, int steps) {
    for (int i = 0; i < steps; ++i) {
        double f = static_cast<double>(i) / (steps - 1);
        tempo(fromTick + (toTick - fromTick) * i / steps, fromBpm + (toBpm - fromBpm) * f);
    }
}

QByteArray Score::toSmf() const {
    int endTick = 0;
    for (const auto& p : m_parts)
        endTick = std::max(endTick, p.end());

    QByteArray conductor;
    auto event = [&](int delta, std::initializer_list<int> bytes) {
        putVarLen(conductor, static_cast<std::uint32_t>(delta));
        for (int b : bytes)
            conductor.append(static_cast<char>(b));
    };
    const auto title = metaText(0x03, m_title);
    putVarLen(conductor, 0);
    conductor.append(reinterpret_cast<const char*>(title.data()),
                     static_cast<qsizetype>(title.size()));
    int denominatorPower = m_beatUnit == 8 ? 3 : m_beatUnit == 2 ? 1 : 2;
    int clocks = m_beatUnit == 8 ? 36 : 24; // metronome on the dotted quarter in 3/8 and 6/8
    event(0, {0xFF, 0x58, 4, m_beatsPerBar, denominatorPower, clocks, 8});
    event(0, {0xFF, 0x59, 2, m_sharps & 0xFF, m_minor ? 1 : 0});
    auto tempos = m_tempos;
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    int last = 0;
    for (const auto& [tick, micros] : tempos) {
        event(tick - last,
              {0xFF, 0x51, 3, (micros >> 16) & 0xFF, (micros >> 8) & 0xFF, micros & 0xFF});
        last = tick;
    }
    event(std::max(0, endTick - last), {0xFF, 0x2F, 0});

    QByteArray header;
    putBE(header, 1, 2);
    putBE(header, static_cast<std::uint32_t>(m_parts.size() + 1), 2);
    putBE(header, kTicksPerQuarter, 2);
    QByteArray smf = chunk("MThd", header) + chunk("MTrk", conductor);
    for (const auto& p : m_parts)
        smf += p.trackData(endTick);
    return smf;
}

} // namespace gen::tunes
