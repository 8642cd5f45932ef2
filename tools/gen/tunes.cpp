// The six background tunes, public-domain classical pieces arranged for a small ensemble.
#include "generators.h"
#include "tunes_score.h"

#include "ids/resource_ids.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <type_traits>

namespace gen {
namespace {

using namespace tunes;

// General MIDI programs, counted from 0.
enum Program {
    Piano = 0,
    BrightPiano = 1,
    Celesta = 8,
    Glockenspiel = 9,
    MusicBox = 10,
    NylonGuitar = 24,
    AcousticBass = 32,
    Violin = 40,
    Viola = 41,
    Cello = 42,
    Pizzicato = 45,
    Harp = 46,
    Timpani = 47,
    Strings = 48,
    SlowStrings = 49,
    FrenchHorn = 60,
    Oboe = 68,
    Clarinet = 71,
    Flute = 73,
};

/// Moves every note of a phrase by steps along a scale (pitch classes, ascending).
Phrase diatonicShift(Phrase p, int steps, const std::vector<int>& scale) {
    for (auto& n : p.notes) {
        if (n.key < 0)
            continue;
        int octave = n.key / 12;
        int degree = 0;
        while (degree < static_cast<int>(scale.size()) && scale[degree] != n.key % 12)
            ++degree;
        if (degree == static_cast<int>(scale.size()))
            continue; // a note outside the scale keeps its pitch
        int d = degree + steps;
        int size = static_cast<int>(scale.size());
        int shiftOct = (d >= 0) ? d / size : -((-d + size - 1) / size);
        d -= shiftOct * size;
        n.key = 12 * (octave + shiftOct) + scale[d];
    }
    return p;
}

const std::vector<int> kMajor = {0, 2, 4, 5, 7, 9, 11};

// ---------------------------------------------------------------------------------------
// 101: Minuet in G, from the Notebook for Anna Magdalena Bach.
QByteArray minuetInG() {
    const int bar = 3 * kQuarter;
    Score s(QStringLiteral("Minuet in G"), 3, 4, 1, false);
    Part& melody = s.part(QStringLiteral("Melody"), 0, Piano, 124, 60, 45);
    Part& strings = s.part(QStringLiteral("Strings"), 1, Strings, 90, 38, 60);
    Part& bass = s.part(QStringLiteral("Bass"), 2, AcousticBass, 124, 64, 30);
    Part& harp = s.part(QStringLiteral("Harp"), 3, Harp, 104, 92, 55);

    const Phrase a1 =
        parsePhrase("D5q G4e A4e B4e C5e | D5q G4q G4q | E5q C5e D5e E5e F#5e | G5q G4q G4q |"
                    "C5q D5e C5e B4e A4e | B4q C5e B4e A4e G4e | F#4q G4e A4e B4e G4e | A4h. |",
                    bar);
    const Phrase a2 =
        parsePhrase("D5q G4e A4e B4e C5e | D5q G4q G4q | E5q C5e D5e E5e F#5e | G5q G4q G4q |"
                    "C5q D5e C5e B4e A4e | B4q C5e B4e A4e G4e | A4q B4e A4e G4e F#4e | G4h. |",
                    bar);
    const Phrase b1 = parsePhrase(
        "B5q G5e A5e B5e G5e | A5q D5e E5e F#5e D5e | G5q E5e F#5e G5e D5e | C#5q B4e C#5e A4q |"
        "A4e B4e C#5e D5e E5e F#5e | G5q F#5q E5q | F#5q A4q C#5q | D5h. |",
        bar);
    const Phrase b2 =
        parsePhrase("D5q G4e F#4e G4q | E5q G4e F#4e G4q | D5q C5q B4q | A4e G4e F#4e G4e A4q |"
                    "D4e E4e F#4e G4e A4e B4e | C5q B4q A4q | B4e D5e G4q F#4q | G4h. |",
                    bar);
    const auto ca1 = parseChords("G | G | C | G | Am | G | D:h G:q | D |", bar);
    const auto ca2 = parseChords("G | G | C | G | Am | G | D7 | G |", bar);
    const auto cb1 = parseChords("G | D | Em | A7 | D | Em | D:q A7:h | D |", bar);
    const auto cb2 = parseChords("G | C | G | D7 | G | Am | G:q D7:h | G |", bar);
    struct Section {
        const Phrase& tune;
        const std::vector<Chord>& chords;
    };
    const Section sections[] = {{a1, ca1}, {a2, ca2}, {b1, cb1}, {b2, cb2}};

    const double tempo = 116;
    s.tempo(0, tempo);
    // One bar of harp and bass before the tune.
    const auto intro = parseChords("G |", bar);
    harp.figure(intro, 0, kQuarter, {-1, 9, 9}, 0, 55, 74, 3, 60);
    bass.bass(intro, 0, 36, 90, kQuarter);
    int t = bar;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            melody.program(t, Flute);
            melody.control(t, 7, 112);
        }
        for (const auto& sec : sections) {
            if (pass == 0) {
                melody.play(sec.tune, t, 112, bar, 0.9);
                strings.pad(sec.chords, t, 50, 67, 3, 64);
                bass.bass(sec.chords, t, 36, 100);
            } else {
                melody.play(sec.tune, t, 108, bar, 0.95);
                harp.figure(sec.chords, t, kQuarter, {-1, 9, 9}, 0, 55, 74, 3, 80);
                bass.bass(sec.chords, t, 36, 104, kQuarter);
                strings.pad(sec.chords, t, 50, 67, 3, 36);
            }
            t += 8 * bar;
        }
    }
    // A last chord, the tune slowing into it.
    const auto last = parseChords("G |", bar);
    strings.pad(last, t, 50, 67, 3, 52);
    harp.figure(last, t, kEighth, {0, 1, 2, 3, -1, -1}, 43, 55, 74, 3, 60, 6);
    bass.bass(last, t, 36, 88);
    melody.note(t, bar - 40, 67, 70);
    s.tempoRamp(t - 4 * bar, t, tempo, 84, 8);
    return s.toSmf();
}

// ---------------------------------------------------------------------------------------
// 102: Ode to Joy, from Beethoven's Ninth Symphony; the last verse a step higher.
QByteArray odeToJoy() {
    const int bar = kWhole;
    Score s(QStringLiteral("Ode to Joy"), 4, 4, 2, false);
    Part& melody = s.part(QStringLiteral("Melody"), 0, Flute, 100, 64, 45);
    Part& strings = s.part(QStringLiteral("Strings"), 1, Strings, 72, 40, 60);
    Part& bass = s.part(QStringLiteral("Bass"), 2, Pizzicato, 112, 70, 40);
    Part& counter = s.part(QStringLiteral("Counter-melody"), 3, Clarinet, 84, 88, 45);
    Part& harp = s.part(QStringLiteral("Harp"), 4, Harp, 80, 96, 55);
    Part& drums = s.part(QStringLiteral("Timpani"), 5, Timpani, 90, 64, 40);

    const Phrase verse = parsePhrase(
        "F#4q F#4q G4q A4q | A4q G4q F#4q E4q | D4q D4q E4q F#4q | F#4q. E4e E4h |"
        "F#4q F#4q G4q A4q | A4q G4q F#4q E4q | D4q D4q E4q F#4q | E4q. D4e D4h |"
        "E4q E4q F#4q D4q | E4q F#4e G4e F#4q D4q | E4q F#4e G4e F#4q E4q | D4q E4q A3h |"
        "F#4q F#4q G4q A4q | A4q G4q F#4q E4q | D4q D4q E4q F#4q | E4q. D4e D4h |",
        bar);
    const auto chords = parseChords("D | A7 | D | D:h A:h | D | A7 | D | A:h D:h |"
                                    "A:h D:h | A7:h D:h | A:h Bm:q E7:q | E7:h A:h |"
                                    "D | A7 | D | A:h D:h |",
                                    bar);
    const std::vector<int> walking = {0, 8, 0, 8};

    const double tempo = 116;
    s.tempo(0, tempo);
    const auto intro = parseChords("D | A7 |", bar);
    strings.pad(intro, 0, 54, 69, 3, 50);
    bass.figure(intro, 0, kQuarter, walking, 38, 50, 69, 3, 84);
    int t = 2 * bar;

    // First verse: flute over strings and plucked bass.
    melody.play(verse, t, 92, bar, 0.9, 12);
    strings.pad(chords, t, 54, 69, 3, 46);
    bass.figure(chords, t, kQuarter, walking, 38, 50, 69, 3, 84);
    t += 16 * bar;

    // Second verse: violin melody, clarinet a third below, harp arpeggios.
    melody.program(t, Violin);
    melody.play(verse, t, 96, bar, 0.95, 12);
    const std::vector<int> dMajor = {1, 2, 4, 6, 7, 9, 11};
    counter.play(diatonicShift(verse, -2, dMajor), t, 72, bar, 0.95, 12);
    harp.figure(chords, t, kEighth, {0, 1, 2, 3, 2, 1, 2, 3}, 38, 57, 74, 3, 56, 2);
    strings.pad(chords, t, 54, 69, 3, 40);
    bass.figure(chords, t, kQuarter, walking, 38, 50, 69, 3, 84);
    t += 16 * bar;

    // One bar of B7 leads to E major.
    const auto turn = parseChords("B7 |", bar);
    strings.pad(turn, t, 54, 69, 4, 56);
    harp.figure(turn, t, kEighth, {0, 1, 2, 3, 4, 3, 2, 1}, 38, 57, 76, 4, 58, 2);
    bass.figure(turn, t, kQuarter, walking, 38, 50, 69, 3, 88);
    drums.note(t, kQuarter, 47, 70);
    t += bar;

    // Last verse in E: everybody, the flute an octave above the strings.
    const Phrase high = transposed(verse, 2);
    const auto highChords = transposed(chords, 2);
    melody.program(t, Strings);
    melody.play(high, t, 98, bar, 0.97, 12);
    counter.program(t, Flute);
    counter.play(high, t, 70, bar, 0.9, 24);
    strings.pad(highChords, t, 56, 71, 3, 52);
    harp.figure(highChords, t, kEighth, {0, 1, 2, 3, 2, 1, 2, 3}, 40, 59, 76, 3, 56, 2);
    bass.figure(highChords, t, kQuarter, walking, 40, 52, 71, 3, 90);
    for (int b = 0; b < 16; b += 4)
        drums.note(t + b * bar, kQuarter, b % 8 == 0 ? 40 : 47, 78);
    t += 16 * bar;

    // Final chord of E, held.
    const auto last = parseChords("E |", bar);
    strings.pad(last, t, 56, 71, 3, 60);
    harp.figure(last, t, kSixteenth, {0, 1, 2, 3, -1}, 40, 59, 76, 3, 60, 12);
    bass.bass(last, t, 40, 90, kHalf);
    melody.note(t, bar, 76, 90);
    counter.note(t, bar, 88, 64);
    drums.note(t, kHalf, 40, 84);
    s.tempoRamp(t - 2 * bar, t, tempo, 88, 6);
    return s.toSmf();
}

// ---------------------------------------------------------------------------------------
// 103: Canon in D by Pachelbel: three strings in canon over the ground bass, with a harp.
QByteArray canonInD() {
    const int bar = kWhole;
    const int cycle = 2 * bar;
    Score s(QStringLiteral("Canon in D"), 4, 4, 2, false);
    Part& violin1 = s.part(QStringLiteral("Violin I"), 0, Violin, 112, 36, 70);
    Part& violin2 = s.part(QStringLiteral("Violin II"), 1, Violin, 108, 92, 70);
    Part& viola = s.part(QStringLiteral("Viola"), 2, Viola, 110, 64, 70);
    Part& cello = s.part(QStringLiteral("Cello"), 3, Cello, 116, 56, 60);
    Part& harp = s.part(QStringLiteral("Harp"), 4, Harp, 100, 76, 70);
    Part& pad = s.part(QStringLiteral("Strings"), 5, SlowStrings, 90, 64, 80);

    const Phrase ground = parsePhrase("D3q A2q B2q F#2q | G2q D2q G2q A2q |", bar);
    const auto chords = parseChords("D A Bm F#m | G D G A |", bar);
    const Phrase v1 = parsePhrase("F#5q E5q D5q C#5q | B4q A4q B4q C#5q |", bar);
    const Phrase v2 = parsePhrase("D5q C#5q B4q A4q | G4q F#4q G4q E4q |", bar);
    const Phrase v3 = parsePhrase("D4e F#4e A4e G4e F#4e D4e F#4e E4e |"
                                  "D4e B3e D4e A4e G4e B4e A4e G4e |",
                                  bar);
    const Phrase v4 = parsePhrase("F#5e D5e E5e C#5e D5e B4e C#5e A4e |"
                                  "B4e D5e A4e F#4e G4e B4e A4e C#5e |",
                                  bar);
    const Phrase v5 =
        parsePhrase("D5s F#5s A5s F#5s C#5s E5s A5s E5s B4s D5s F#5s D5s A4s C#5s F#5s C#5s |"
                    "B4s D5s G5s D5s A4s D5s F#5s D5s B4s D5s G5s D5s C#5s E5s A5s E5s |",
                    bar);
    const Phrase v7 = parsePhrase("A5e F#5e G5e A5e F#5e G5e A5e A4e |"
                                  "B4e C#5e D5e E5e F#5e G5e A5e B5e |",
                                  bar);
    const std::vector<Phrase> lines = {
        v1, v2, v3, v4, v5, transposed(v3, 12), v7, transposed(v2, 12), v4, v1};

    // The viola answers an octave lower where its range allows.
    auto violaLine = [](const Phrase& p) {
        int lowest = 127;
        for (const auto& n : p.notes)
            if (n.key >= 0)
                lowest = std::min(lowest, n.key);
        return lowest - 12 >= 48 ? transposed(p, -12) : p;
    };
    const double tempo = 62;
    s.tempo(0, tempo);
    const int cycles = 11;
    for (int c = 0; c < cycles; ++c) {
        const int t = c * cycle;
        cello.play(ground, t, c == 0 ? 92 : 100, bar, 0.97);
        if (c < 2)
            pad.pad(chords, t, 54, 69, 3, c == 0 ? 44 : 36);
        if (c >= 2)
            harp.figure(chords, t, kSixteenth, {0, 1, 2, 3}, 38, 57, 74, 3, 52, 4);
        // Each voice plays the same lines, one cycle after the voice before.
        if (c >= 1)
            violin1.play(lines[static_cast<std::size_t>(c - 1)], t, 104, bar, 0.95);
        if (c >= 2)
            violin2.play(lines[static_cast<std::size_t>(c - 2)], t, 98, bar, 0.95);
        if (c >= 3)
            viola.play(violaLine(lines[static_cast<std::size_t>(c - 3)]), t, 98, bar, 0.95);
    }
    const int end = cycles * cycle;
    s.tempoRamp(end - bar, end, tempo, 48, 6);
    const auto last = parseChords("D |", bar);
    cello.note(end, bar, 38, 90);
    pad.pad(last, end, 54, 69, 3, 54);
    harp.figure(last, end, kSixteenth, {0, 1, 2, 3, -1}, 38, 57, 74, 3, 56, 12);
    violin1.note(end, bar, 78, 80);
    violin2.note(end, bar, 74, 74);
    viola.note(end, bar, 66, 74);
    return s.toSmf();
}

// ---------------------------------------------------------------------------------------
// 104: Greensleeves, the old English tune, for flute, guitar and strings.
QByteArray greensleeves() {
    const int bar = 3 * kQuarter;
    Score s(QStringLiteral("Greensleeves"), 3, 4, 0, true);
    Part& melody = s.part(QStringLiteral("Melody"), 0, Flute, 124, 64, 50);
    Part& guitar = s.part(QStringLiteral("Guitar"), 1, NylonGuitar, 124, 40, 45);
    Part& bass = s.part(QStringLiteral("Bass"), 2, AcousticBass, 120, 64, 30);
    Part& strings = s.part(QStringLiteral("Strings"), 3, SlowStrings, 90, 90, 70);
    Part& descant = s.part(QStringLiteral("Descant"), 4, Flute, 90, 84, 60);

    const Phrase verse = parsePhrase(
        "A4q | C5h D5q | E5q. F#5e E5q | D5h B4q | G4q. A4e B4q | C5h A4q | A4q. G#4e A4q |"
        "B4h G#4q | E4h A4q |"
        "C5h D5q | E5q. F#5e E5q | D5h B4q | G4q. A4e B4q | C5q. B4e A4q | G#4q. F#4e G#4q |"
        "A4h. | ~h. |",
        bar);
    const Phrase chorus = parsePhrase(
        "G5h. | G5q. F#5e E5q | D5h B4q | G4q. A4e B4q | C5h A4q | A4q. G#4e A4q | B4h G#4q |"
        "E4h. |"
        "G5h. | G5q. F#5e E5q | D5h B4q | G4q. A4e B4q | C5q. B4e A4q | G#4q. F#4e G#4q |"
        "A4h. | ~h. |",
        bar);
    const auto verseChords = parseChords("Am | C | G | Em | F | Am | E | E |"
                                         "Am | C | G | Em | Am | E | Am | Am |",
                                         bar);
    const auto chorusChords = parseChords("C | Em | G | Em | F | Am | E | E |"
                                          "C | Em | G | Em | Am | E | Am | Am |",
                                          bar);
    const std::vector<int> picking = {0, 1, 2, 3, 2, 1};

    const double tempo = 112;
    s.tempo(0, tempo);
    const auto intro = parseChords("Am | E |", bar);
    guitar.figure(intro, 0, kEighth, picking, 40, 55, 72, 3, 66, 3);
    int t = 2 * bar;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1)
            melody.program(t - kQuarter, Violin);
        melody.play(verse, t, pass == 0 ? 110 : 112, bar, 0.95);
        melody.play(chorus, t + 16 * bar, pass == 0 ? 112 : 114, bar, 0.95);
        for (int half = 0; half < 2; ++half) {
            const auto& ch = half == 0 ? verseChords : chorusChords;
            const int at = t + half * 16 * bar;
            guitar.figure(ch, at, kEighth, picking, 40, 55, 72, 3, 92, 3);
            bass.bass(ch, at, 33, 96);
            if (pass == 1)
                strings.pad(ch, at, 52, 69, 3, 56);
        }
        if (pass == 1)
            descant.play(chorus, t + 16 * bar, 60, bar, 0.9, 12);
        t += 32 * bar;
    }
    const auto last = parseChords("Am |", bar);
    guitar.figure(last, t, kEighth, {0, 1, 2, 3, -1, -1}, 40, 55, 72, 3, 64, 6);
    bass.bass(last, t, 33, 84);
    strings.pad(last, t, 52, 69, 3, 50);
    s.tempoRamp(t - 2 * bar, t, tempo, 84, 6);
    return s.toSmf();
}

// ---------------------------------------------------------------------------------------
// 105: Für Elise by Beethoven: the rondo theme and its first episode, twice.
QByteArray furElise() {
    const int bar = 3 * kEighth;
    Score s(QStringLiteral("Fuer Elise"), 3, 8, 0, true);
    Part& right = s.part(QStringLiteral("Right hand"), 0, BrightPiano, 127, 70, 45);
    Part& left = s.part(QStringLiteral("Left hand"), 1, BrightPiano, 120, 52, 45);
    Part& bass = s.part(QStringLiteral("Bass"), 2, BrightPiano, 124, 48, 45);
    Part& strings = s.part(QStringLiteral("Strings"), 3, SlowStrings, 90, 84, 70);

    const Phrase pickup = parsePhrase("E5s D#5s |", bar);
    const Phrase body =
        parsePhrase("E5s D#5s E5s B4s D5s C5s | A4e rs C4s E4s A4s | B4e rs E4s G#4s B4s |"
                    "C5e rs E4s E5s D#5s | E5s D#5s E5s B4s D5s C5s | A4e rs C4s E4s A4s |"
                    "B4e rs E4s C5s B4s |",
                    bar);
    const Phrase toRepeat = parsePhrase("A4e re E5s D#5s |", bar);
    const Phrase toEpisode = parsePhrase("A4e rs B4s C5s D5s |", bar);
    const Phrase toEnd = parsePhrase("A4q. |", bar);
    const Phrase episode =
        parsePhrase("E5e. G4s F5s E5s | D5e. F4s E5s D5s | C5e. E4s D5s C5s | B4e rs E4s E5s rs |"
                    "rs E5s E6s rs rs D#5s | E5s rs rs D#5s E5s D#5s |",
                    bar);
    // The left hand's broken chord of each bar: bass, then two notes above; 0 is silent.
    struct Harmony {
        int bass, a, b;
    };
    const Harmony am{45, 52, 57}, e{40, 52, 56}, c{48, 55, 60}, g{43, 55, 59}, none{0, 0, 0};
    const std::vector<Harmony> bodyLeft = {none, am, e, am, none, am, e};
    const std::vector<Harmony> episodeLeft = {c, g, am, e, none, none};

    int t = 0;
    int pass = 0;
    auto leftHand = [&](const std::vector<Harmony>& bars) {
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const Harmony& h = bars[i];
            if (h.bass == 0)
                continue;
            const int at = t + static_cast<int>(i) * bar;
            // Held to the end of the bar, as with the pedal down.
            bass.note(at, bar - 20, h.bass, pass == 0 ? 110 : 100);
            left.note(at + kSixteenth, bar - kSixteenth - 20, h.a, 90);
            left.note(at + kEighth, bar - kEighth - 20, h.b, 90);
            if (pass == 1) {
                strings.note(at, bar - 20, h.a + 12, 52);
                strings.note(at, bar - 20, h.b + 12, 52);
            }
        }
    };
    auto section = [&](const Phrase& p, const std::vector<Harmony>& bars) {
        right.play(p, t, 121, bar, 0.9);
        leftHand(bars);
        t += static_cast<int>(bars.size()) * bar;
    };
    const double tempo = 74;
    s.tempo(0, tempo);
    // The first bar is silent but for the pickup at its end.
    right.play(pickup, bar, 108, bar);
    t = bar;
    for (pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            bass.program(t, Cello);
            bass.control(t, 7, 110);
        }
        section(body, bodyLeft);
        section(toRepeat, {am});
        section(body, bodyLeft);
        section(toEpisode, {am});
        section(episode, episodeLeft);
        section(body, bodyLeft);
        section(toEpisode, {am});
        section(episode, episodeLeft);
        section(body, bodyLeft);
        section(pass == 0 ? toRepeat : toEnd, {am});
    }
    s.tempoRamp(t - 3 * bar, t - bar, tempo, 56, 6);
    return s.toSmf();
}

// ---------------------------------------------------------------------------------------
// 106: Ah vous dirai-je, maman: the theme on a music box, variations in flute sixteenths and
// in C minor, slower, and a bright return.
QByteArray twinkleVariations() {
    const int bar = kHalf;
    Score s(QStringLiteral("Variations on Ah vous dirai-je, maman"), 2, 4, 0, false);
    Part& melody = s.part(QStringLiteral("Melody"), 0, MusicBox, 104, 64, 50);
    Part& harp = s.part(QStringLiteral("Harp"), 1, Harp, 84, 40, 55);
    Part& bass = s.part(QStringLiteral("Bass"), 2, Pizzicato, 112, 70, 40);
    Part& strings = s.part(QStringLiteral("Strings"), 3, Strings, 70, 88, 65);
    Part& doubling = s.part(QStringLiteral("Doubling"), 4, Glockenspiel, 76, 50, 50);

    const Phrase theme =
        parsePhrase("C4q C4q | G4q G4q | A4q A4q | G4h | F4q F4q | E4q E4q | D4q D4q | C4h |"
                    "G4q G4q | F4q F4q | E4q E4q | D4h | G4q G4q | F4q F4q | E4q E4q | D4h |"
                    "C4q C4q | G4q G4q | A4q A4q | G4h | F4q F4q | E4q E4q | D4q D4q | C4h |",
                    bar);
    const std::string chart = "C | C | F | C | F | C | G7 | C | C | G7 | C | G | C | G7 | C | G |"
                              "C | C | F | C | F | C | G7 | C |";
    const auto chords = parseChords(chart, bar);
    const auto minorChords = parseChords("Cm | Cm | Fm | Cm | Fm | Cm | G7 | Cm | Cm | G7 | Cm |"
                                         "G | Cm | G7 | Cm | G | Cm | Cm | Fm | Cm | Fm | Cm |"
                                         "G7 | Cm |",
                                         bar);
    const int length = 24 * bar;

    // Variation one: every quarter becomes a turn in sixteenths, every half a turn and a rest.
    Phrase running;
    for (const auto& n : theme.notes) {
        const Phrase one{{{0, kSixteenth, n.key}}, 0, kSixteenth};
        const int up = diatonicShift(one, 1, kMajor).notes[0].key;
        const int down = diatonicShift(one, -1, kMajor).notes[0].key;
        const int keys[] = {n.key, up, n.key, down};
        for (int i = 0; i < 4; ++i)
            running.notes.push_back({n.offset + i * kSixteenth, kSixteenth, keys[i]});
        if (n.length == kHalf)
            running.notes.push_back({n.offset + kQuarter, kEighth, n.key});
    }
    running.length = theme.length;

    // Variation two: the theme in C minor.
    Phrase minor = theme;
    for (auto& n : minor.notes)
        if (n.key % 12 == 4 || n.key % 12 == 9)
            --n.key;

    int t = 0;
    s.tempo(t, 112);
    melody.play(theme, t, 92, bar, 0.9, 12);
    harp.figure(chords, t, kEighth, {0, 9, 8, 9}, 36, 55, 72, 3, 52);
    bass.bass(chords, t + 8 * bar, 36, 76, kQuarter);
    // The bass joins after the first phrase.
    t += length;

    melody.program(t, Flute);
    melody.play(running, t, 84, bar, 0.9, 12);
    strings.pad(chords, t, 52, 69, 3, 44);
    bass.figure(chords, t, kQuarter, {0, 8}, 36, 52, 69, 3, 84);
    t += length;

    s.tempo(t, 92);
    melody.program(t, Oboe);
    melody.play(minor, t, 88, bar, 0.97, 12);
    bass.program(t, Cello);
    bass.bass(minorChords, t, 36, 80);
    strings.program(t, SlowStrings);
    strings.pad(minorChords, t, 53, 70, 3, 46);
    harp.figure(minorChords, t, kEighth, {0, 1, 2, 3}, 36, 55, 72, 3, 48, 2);
    t += length;

    s.tempo(t, 120);
    melody.program(t, Strings);
    melody.play(theme, t, 90, bar, 0.95, 12);
    doubling.play(theme, t, 70, bar, 0.9, 24);
    bass.program(t, Pizzicato);
    bass.figure(chords, t, kQuarter, {0, 8}, 36, 52, 69, 3, 90);
    strings.program(t, Strings);
    harp.figure(chords, t, kSixteenth, {1, 3, 2, 3}, 36, 55, 72, 3, 52);
    t += length;

    const auto last = parseChords("C | C |", bar);
    harp.figure(last, t, kSixteenth, {0, 1, 2, 3, -1, -1, -1, -1}, 36, 55, 72, 3, 60, 16);
    strings.pad(parseChords("C |", 2 * bar), t, 52, 69, 3, 56);
    bass.note(t, 2 * bar, 36, 92);
    melody.note(t, 2 * bar, 72, 88);
    doubling.note(t, bar, 84, 70);
    s.tempoRamp(t - 2 * bar, t, 120, 90, 6);
    return s.toSmf();
}

} // namespace

void writeTunes(const QDir& out, Entries& entries) {
    const std::function<QByteArray()> tunes[] = {minuetInG,    odeToJoy, canonInD,
                                                 greensleeves, furElise, twinkleVariations};
    static_assert(std::extent_v<decltype(tunes)> ==
                  marvolen::ResourceId::LastTune - marvolen::ResourceId::FirstTune + 1);
    int id = marvolen::ResourceId::FirstTune;
    for (const auto& make : tunes) {
        const QString name = QStringLiteral("midi_%1.mid").arg(id);
        writeFile(out.filePath(name), make());
        entries.emplace_back(
            QStringLiteral("%1/%2").arg(QLatin1String(marvolen::ResourceType::Midi)).arg(id), name);
        ++id;
    }
}

} // namespace gen
