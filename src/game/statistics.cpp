// Counting games, the statistics file's text form and its file.
#include "statistics.h"

#include <QList>

#include <algorithm>
#include <utility>

namespace marvolen::game {
namespace {

const QByteArray kVersionLine = "Marvolen statistics 1";
constexpr int kMostSeconds = 99999;
/// Forty lines of counts fit many times over.
constexpr qsizetype kLongest = 16384;

std::int64_t plus(std::int64_t a, std::int64_t b, std::int64_t most) {
    return std::min(a + b, most);
}

/// A count written as encodeStatistics writes it: digits only, no leading zero.
std::optional<std::int64_t> countOf(const QByteArray& text, std::int64_t most) {
    // Eighteen digits stay below the 64-bit limit while the value is built.
    if (text.isEmpty() || text.size() > 18 || (text.size() > 1 && text[0] == '0'))
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > most)
        return std::nullopt;
    return value;
}

const char* kindOf(bool practice) {
    return practice ? "practice" : "ranked";
}

/// Why a tally of `variant` could not come from counting games: empty when it can.
QString problemOf(const Tally& tally, int number) {
    const std::int64_t holes = variant(number).startCount;
    if (tally.oneMarble > tally.finished)
        return QStringLiteral("more games with one marble than finished");
    if (tally.finished == 0)
        return tally.marblesLeft == 0 && !tally.best ? QString()
                                                     : QStringLiteral("a result without a game");
    if (!tally.best)
        return QStringLiteral("finished games without a best result");
    const Result& best = *tally.best;
    if (best.marbles < 1 || best.marbles > holes || best.seconds < 0 || best.seconds > kMostSeconds)
        return QStringLiteral("a best result that no game gives");
    if ((best.marbles == 1) != (tally.oneMarble > 0))
        return QStringLiteral("a best result that disagrees with the games with one marble");
    // Each game left at least the best count, a game with more than one at least two, and
    // none more than the variant has holes.
    const std::int64_t others = tally.finished - tally.oneMarble;
    if (tally.marblesLeft < tally.finished * best.marbles ||
        tally.marblesLeft < tally.oneMarble + 2 * others ||
        tally.marblesLeft > tally.finished * holes)
        return QStringLiteral("marbles left that the games finished cannot have left");
    return {};
}

QByteArray lineOf(int variant, bool practice, const Tally& tally) {
    QByteArray out = "variant " + QByteArray::number(variant + 1) + ' ' + kindOf(practice);
    out += " started " + QByteArray::number(tally.started);
    out += " finished " + QByteArray::number(tally.finished);
    out += " marbles-left " + QByteArray::number(tally.marblesLeft);
    out += " one-marble " + QByteArray::number(tally.oneMarble);
    out += tally.best ? " best " + QByteArray::number(tally.best->marbles) + ' ' +
                            QByteArray::number(tally.best->seconds)
                      : QByteArray(" best none");
    out += " seconds-played " + QByteArray::number(tally.secondsPlayed);
    return out + '\n';
}

/// The words of one line, taken in order.
class Words {
  public:
    explicit Words(const QByteArray& line) : m_words(line.split(' ')) {}
    bool take(const char* word) {
        if (m_next >= m_words.size() || m_words[m_next] != word)
            return false;
        ++m_next;
        return true;
    }
    std::optional<std::int64_t> count(std::int64_t most) {
        if (m_next >= m_words.size())
            return std::nullopt;
        return countOf(m_words[m_next++], most);
    }
    /// The count after the label `word`.
    std::optional<std::int64_t> labelled(const char* word, std::int64_t most) {
        return take(word) ? count(most) : std::nullopt;
    }
    bool done() const { return m_next == m_words.size(); }

  private:
    QList<QByteArray> m_words;
    qsizetype m_next = 0;
};

struct Line {
    int variant = 0;
    bool practice = false;
    Tally tally;
};

std::optional<Line> lineFrom(const QByteArray& text) {
    Words words(text);
    Line line;
    const auto number = words.labelled("variant", kVariants);
    if (!number || *number < 1)
        return std::nullopt;
    line.variant = int(*number - 1);
    if (words.take("practice"))
        line.practice = true;
    else if (!words.take("ranked"))
        return std::nullopt;
    Tally& tally = line.tally;
    const auto started = words.labelled("started", kMostGames);
    const auto finished = words.labelled("finished", kMostGames);
    const auto marblesLeft = words.labelled("marbles-left", kPositions * kMostGames);
    const auto oneMarble = words.labelled("one-marble", kMostGames);
    if (!started || !finished || !marblesLeft || !oneMarble || !words.take("best"))
        return std::nullopt;
    if (!words.take("none")) {
        const auto marbles = words.count(kPositions), seconds = words.count(kMostSeconds);
        if (!marbles || !seconds)
            return std::nullopt;
        tally.best = Result{int(*marbles), int(*seconds)};
    }
    const auto played = words.labelled("seconds-played", kMostSecondsPlayed);
    if (!played || !words.done())
        return std::nullopt;
    tally.started = *started;
    tally.finished = *finished;
    tally.marblesLeft = *marblesLeft;
    tally.oneMarble = *oneMarble;
    tally.secondsPlayed = *played;
    return line;
}

StatisticsRead refused(const QString& reason) {
    return {std::nullopt, reason};
}

} // namespace

std::optional<double> Tally::averageMarblesLeft() const {
    if (finished == 0)
        return std::nullopt;
    return double(marblesLeft) / double(finished);
}

Tally& Tally::operator+=(const Tally& other) {
    started += other.started;
    finished += other.finished;
    marblesLeft += other.marblesLeft;
    oneMarble += other.oneMarble;
    secondsPlayed += other.secondsPlayed;
    if (other.best && (!best || other.best->betterThan(*best)))
        best = other.best;
    return *this;
}

const Tally& StatisticsTable::of(int variant, bool practice) const {
    if (variant < 0 || variant >= kVariants)
        throw Failure(err::SubscriptOutOfRange);
    return m_tallies[std::size_t(variant)][practice ? 1 : 0];
}

Tally& StatisticsTable::at(int variant, bool practice) {
    return const_cast<Tally&>(std::as_const(*this).of(variant, practice));
}

Tally StatisticsTable::total(bool practice) const {
    Tally sum;
    for (const auto& kinds : m_tallies)
        sum += kinds[practice ? 1 : 0];
    return sum;
}

void StatisticsTable::gameStarted(int variant, bool practice) {
    Tally& tally = at(variant, practice);
    tally.started = plus(tally.started, 1, kMostGames);
}

void StatisticsTable::gameFinished(int variant, bool practice, int marblesLeft, int seconds) {
    Tally& tally = at(variant, practice);
    if (marblesLeft < 1 || marblesLeft > game::variant(variant).startCount)
        throw Failure(err::InvalidCall);
    // The sums stay true to the games they count: a game past the last countable is left out.
    if (tally.finished == kMostGames)
        return;
    const Result result{marblesLeft, std::clamp(seconds, 0, kMostSeconds)};
    ++tally.finished;
    tally.marblesLeft += marblesLeft;
    if (marblesLeft == 1)
        ++tally.oneMarble;
    if (!tally.best || result.betterThan(*tally.best))
        tally.best = result;
}

void StatisticsTable::addTimePlayed(int variant, bool practice, std::int64_t seconds) {
    Tally& tally = at(variant, practice);
    if (seconds > 0)
        tally.secondsPlayed =
            plus(tally.secondsPlayed, std::min(seconds, kMostSecondsPlayed), kMostSecondsPlayed);
}

QString StatisticsTable::problem() const {
    for (int v = 0; v < kVariants; ++v)
        for (const bool practice : {false, true}) {
            const QString problem = problemOf(of(v, practice), v);
            if (!problem.isEmpty())
                return QStringLiteral("variant %1 %2: %3")
                    .arg(QString::number(v + 1), QLatin1StringView(kindOf(practice)), problem);
        }
    return {};
}

QByteArray encodeStatistics(const StatisticsTable& table) {
    QByteArray out = kVersionLine + '\n';
    for (int v = 0; v < kVariants; ++v)
        for (const bool practice : {false, true})
            if (!table.of(v, practice).empty())
                out += lineOf(v, practice, table.of(v, practice));
    return out + "end\n";
}

StatisticsRead decodeStatistics(const QByteArray& bytes) {
    if (bytes.size() > kLongest)
        return refused(QStringLiteral("too long"));
    const QList<QByteArray> lines = bytes.split('\n');
    if (const QString problem =
            firstLineProblem(lines.front(), kVersionLine, QStringLiteral("a statistics file"));
        !problem.isEmpty())
        return refused(problem);
    // Every line ends with a line break and the last says "end": a file cut short shows it.
    if (lines.size() < 3 || !lines.back().isEmpty() || lines[lines.size() - 2] != "end")
        return refused(QStringLiteral("cut short"));
    StatisticsTable table;
    int next = 0; // the lines come in the order they are written, each variant and kind once
    for (qsizetype i = 1; i + 2 < lines.size(); ++i) {
        const std::optional<Line> line = lineFrom(lines[i]);
        if (!line)
            return refused(QStringLiteral("line %1 is damaged").arg(i + 1));
        const int place = line->variant * 2 + (line->practice ? 1 : 0);
        if (place < next || line->tally.empty())
            return refused(QStringLiteral("line %1 is out of order").arg(i + 1));
        next = place + 1;
        table.at(line->variant, line->practice) = line->tally;
    }
    if (const QString problem = table.problem(); !problem.isEmpty())
        return refused(problem);
    return {std::move(table), {}};
}

StatisticsFile::StatisticsFile(const QString& folder, NoteSink sink)
    : m_file(folder, QStringLiteral("statistics.txt"), kLongest, std::move(sink)) {}

StatisticsTable StatisticsFile::load() const {
    const KeptFile::Read read = m_file.read();
    if (!read.bytes && read.problem.isEmpty())
        return {};
    QString reason = read.problem;
    if (read.bytes) {
        StatisticsRead decoded = decodeStatistics(*read.bytes);
        if (decoded.table)
            return *decoded.table;
        reason = decoded.reason;
    }
    m_file.setAside(reason);
    return {};
}

template <typename Change> std::optional<Failure> StatisticsFile::count(Change change) const {
    StatisticsTable table = load();
    try {
        change(table);
    } catch (const Failure& failure) {
        return failure;
    }
    return m_file.write(encodeStatistics(table));
}

std::optional<Failure> StatisticsFile::gameStarted(int variant, bool practice) const {
    return count([&](StatisticsTable& table) { table.gameStarted(variant, practice); });
}

std::optional<Failure> StatisticsFile::gameFinished(int variant, bool practice, int marblesLeft,
                                                    int seconds) const {
    return count([&](StatisticsTable& table) {
        table.gameFinished(variant, practice, marblesLeft, seconds);
    });
}

std::optional<Failure> StatisticsFile::addTimePlayed(int variant, bool practice,
                                                     std::int64_t seconds) const {
    return count([&](StatisticsTable& table) { table.addTimePlayed(variant, practice, seconds); });
}

std::optional<Failure> StatisticsFile::clear() const {
    return m_file.write(encodeStatistics(StatisticsTable{}));
}

} // namespace marvolen::game
