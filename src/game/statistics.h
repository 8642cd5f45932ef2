// The player's statistics per variant, ranked and practice games apart, and their file.
#pragma once

#include "core/failure.h"
#include "kept_file.h"
#include "variants.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace marvolen::game {

/// A finished game's result; the better one has fewer marbles, then fewer seconds.
struct Result {
    int marbles = 0;
    int seconds = 0;
    bool betterThan(const Result& other) const {
        return marbles != other.marbles ? marbles < other.marbles : seconds < other.seconds;
    }
    friend bool operator==(const Result&, const Result&) = default;
};

/// The counts of one kind of game on one variant, or summed over several.
struct Tally {
    std::int64_t started = 0;
    std::int64_t finished = 0;
    std::int64_t marblesLeft = 0; ///< summed over the games finished
    std::int64_t oneMarble = 0;   ///< games finished with one marble left
    std::int64_t secondsPlayed = 0;
    std::optional<Result> best;

    /// The average of marblesLeft; nothing before a game is finished.
    std::optional<double> averageMarblesLeft() const;
    bool empty() const { return *this == Tally{}; }
    Tally& operator+=(const Tally& other);
    friend bool operator==(const Tally&, const Tally&) = default;
};

/// Counting never goes past these, so that no sum of every variant can overflow.
constexpr std::int64_t kMostGames = 1'000'000'000'000;
constexpr std::int64_t kMostSecondsPlayed = 1'000'000'000'000'000;

struct StatisticsRead;

/// Every variant's counts, ranked and practice games apart.
class StatisticsTable {
  public:
    /// The counts of variant 0 to 19; Failure 9 for another number.
    const Tally& of(int variant, bool practice) const;
    /// Summed over every variant; the best is the best of any variant.
    Tally total(bool practice) const;

    /// Failure 9 for a variant outside 0 to 19.
    void gameStarted(int variant, bool practice);
    /// A game that ended with no jump left. Seconds over 99999 count as 99999, as the
    /// champions list keeps them. Failure 9 for another variant, 5 for marbles outside 1 to the
    /// variant's holes. The time is not added to the time played: addTimePlayed does that.
    void gameFinished(int variant, bool practice, int marblesLeft, int seconds);
    /// Failure 9 for another variant; seconds below 0 count nothing.
    void addTimePlayed(int variant, bool practice, std::int64_t seconds);

    /// Why the counts could not come from counting: empty when they can.
    QString problem() const;

    friend bool operator==(const StatisticsTable&, const StatisticsTable&) = default;

  private:
    friend StatisticsRead decodeStatistics(const QByteArray& bytes);
    Tally& at(int variant, bool practice);
    std::array<std::array<Tally, 2>, kVariants> m_tallies{};
};

/// The file's text: a version line, one line per variant and kind with anything counted, "end".
QByteArray encodeStatistics(const StatisticsTable& table);

struct StatisticsRead {
    std::optional<StatisticsTable> table;
    QString reason; ///< short, in English; empty with a table
};

/// Reads what encodeStatistics writes and nothing else: damaged, cut short, from another
/// version, or counts that could not come from counting give a reason and no table.
StatisticsRead decodeStatistics(const QByteArray& bytes);

/// The file "statistics.txt" in the data folder. Every change reads the file, counts and
/// writes it back at once, so a kill loses nothing counted, and two running copies add to each
/// other's counts. A damaged file is renamed to "statistics.txt.bad", over an older one, with
/// one line to the sink, and counting starts afresh.
class StatisticsFile {
  public:
    explicit StatisticsFile(const QString& folder, NoteSink sink = noteOnStandardError);

    QString path() const { return m_file.path(); }

    /// The counts in the file.
    StatisticsTable load() const;

    // Each returns the failure that kept the count from the file (the arguments' Failure 9 or
    // 5, or the write's), nothing when it is written.
    std::optional<Failure> gameStarted(int variant, bool practice) const;
    std::optional<Failure> gameFinished(int variant, bool practice, int marblesLeft,
                                        int seconds) const;
    std::optional<Failure> addTimePlayed(int variant, bool practice, std::int64_t seconds) const;
    /// Every count back to nothing.
    std::optional<Failure> clear() const;

  private:
    template <typename Change> std::optional<Failure> count(Change change) const;
    KeptFile m_file;
};

} // namespace marvolen::game
