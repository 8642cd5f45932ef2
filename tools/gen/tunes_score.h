// A small score for the tunes: melodies and chord charts written as text, accompaniment
// patterns, and the Standard MIDI File writer.
#pragma once

#include <QByteArray>
#include <QString>

#include <deque>
#include <string>
#include <vector>

namespace gen::tunes {

constexpr int kTicksPerQuarter = 480;
constexpr int kWhole = 4 * kTicksPerQuarter;
constexpr int kHalf = 2 * kTicksPerQuarter;
constexpr int kQuarter = kTicksPerQuarter;
constexpr int kEighth = kTicksPerQuarter / 2;
constexpr int kSixteenth = kTicksPerQuarter / 4;

/// One note of a phrase; key -1 is a rest. Offsets count from the first full bar.
struct PhraseNote {
    int offset;
    int length;
    int key;
};

/// A melody read from text such as "A4q | C5h D5q | E5q. F#5e E5q |".
/// Notes are a letter, "#" or "b", an octave (C4 is middle C) and a length: w h q e s, "3"
/// for a triplet, "." for dotted. "r" is a rest, "~" holds the note before. Bars are
/// separated by "|"; every bar but a first pickup and the last must be full.
struct Phrase {
    std::vector<PhraseNote> notes;
    int pickup = 0; // ticks before the first full bar
    int length = 0; // ticks from the first full bar to the end
};

Phrase parsePhrase(const std::string& text, int barTicks);

/// A chord over a stretch of time; pitch classes with the root first.
struct Chord {
    int offset;
    int length;
    std::vector<int> pitchClasses;
    int bass; // pitch class of the bass note
};

/// A chord chart such as "G | C:h D7:q | Am D |": chords of a bar share it equally unless
/// given a length. Names are a root with "#" or "b", then "", "m", "7", "maj7", "m7",
/// "dim", "dim7", "sus4" or "6", and an optional "/bass".
std::vector<Chord> parseChords(const std::string& text, int barTicks);

/// Every note shifted by semitones.
Phrase transposed(Phrase p, int semitones);
std::vector<Chord> transposed(std::vector<Chord> chords, int semitones);

/// The chord tones of c nearest to previous (or to the middle of the range when previous
/// is empty), all within [low, high], lowest first.
std::vector<int> voiceChord(const Chord& c, int low, int high, const std::vector<int>& previous,
                            int voices);

/// One track, one channel, one instrument.
class Part {
  public:
    Part(QString name, int channel, int program, int volume, int pan, int reverb);

    void note(int tick, int length, int key, int velocity);
    void program(int tick, int program);
    void control(int tick, int controller, int value);

    /// Plays a phrase with its first full bar at barTick. Downbeats of bars of barTicks are
    /// stressed a little; legato is the sounding part of each note.
    void play(const Phrase& p, int barTick, int velocity, int barTicks, double legato = 0.92,
              int transpose = 0);

    /// Sustained chords, one voicing per chord.
    void pad(const std::vector<Chord>& chords, int barTick, int low, int high, int voices,
             int velocity);

    /// The bass note of each chord held for the chord (or for hold ticks when shorter).
    void bass(const std::vector<Chord>& chords, int barTick, int low, int velocity, int hold = 0);

    /// An accompaniment figure. For each step of each chord, pattern names what sounds:
    /// -1 nothing, 0 the bass note, 8 the fifth above it, 1 to 4 the voicing from its lowest
    /// note, 9 the whole voicing. Each note rings for ring steps, never past its chord.
    void figure(const std::vector<Chord>& chords, int barTick, int step,
                const std::vector<int>& pattern, int bassLow, int low, int high, int voices,
                int velocity, int ring = 1);

    const QString& name() const { return m_name; }
    int channel() const { return m_channel; }
    int end() const;
    QByteArray trackData(int endTick) const;

  private:
    struct Event {
        int tick;
        int order; // at one tick: settings, then releases, then new notes
        std::vector<unsigned char> bytes;
    };
    struct Note {
        int tick;
        int length;
        int key;
        int velocity;
    };
    QString m_name;
    int m_channel;
    std::vector<Event> m_events;
    std::vector<Note> m_notes;
};

/// A format 1 Standard MIDI File: a conductor track with the tempo map, then one per part.
class Score {
  public:
    Score(QString title, int beatsPerBar, int beatUnit, int sharps, bool minor);

    Part& part(QString name, int channel, int program, int volume, int pan, int reverb = 40);
    void tempo(int tick, double quartersPerMinute);
    /// A gradual change of tempo in steps from one tick to another.
    void tempoRamp(int fromTick, int toTick, double fromBpm, double toBpm, int steps);
    QByteArray toSmf() const;

  private:
    QString m_title;
    int m_beatsPerBar;
    int m_beatUnit;
    int m_sharps;
    bool m_minor;
    std::vector<std::pair<int, int>> m_tempos; // tick, microseconds per quarter
    std::deque<Part> m_parts;                  // stable addresses for the caller's references
};

} // namespace gen::tunes
