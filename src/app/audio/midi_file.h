// Reading a Standard MIDI File far enough to know whether it is sound and how long it plays.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace marvolen::audio {

/// The longest length a tune reports: what a 32-bit count of milliseconds holds (24 days). A
/// damaged tune can claim thousands of years, more than the player can count in samples.
constexpr std::int64_t kMaxMidiLengthMs = 0x7FFFFFFF;

/// What the media service needs to know about a tune.
struct MidiFileInfo {
    int format = 0;
    int tracks = 0;
    /// Playing time in milliseconds, from the file's own tempo map: up to the last event of
    /// the longest track, tempo changes in any track honoured; at most kMaxMidiLengthMs.
    std::int64_t lengthMs = 0;
};

/// Walks every track of a Standard MIDI File (formats 0, 1 and 2; running status, system
/// exclusive and meta events). A file that is not one, or whose header or tracks are damaged
/// (a chunk running past the end, an event cut off, data bytes with no status to run on), gives
/// nothing. Never reads outside bytes.
std::optional<MidiFileInfo> readMidiFile(const QByteArray& bytes);

} // namespace marvolen::audio
