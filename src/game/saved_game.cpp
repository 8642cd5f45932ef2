// The unfinished game's text form, its checks, and its file.
#include "saved_game.h"

#include "board_text.h"
#include "variants.h"

#include <QList>

#include <utility>

namespace marvolen::game {
namespace {

const QByteArray kVersionLine = "Marvolen unfinished game 1";
constexpr int kMostSeconds = 99999;
/// Far more than the longest game needs (48 jumps each way), far less than a stray big file.
constexpr qsizetype kLongest = 4096;

bool onBoard(int p) {
    return p >= 0 && p < kPositions;
}

/// The jump made on `board`, when the rule allows it and a marble is there to make it.
std::optional<Position> jumped(const Position& board, const JumpMove& move) {
    if (!onBoard(move.from) || !onBoard(move.to) || !board.marble(move.from) ||
        !board.canJump(move.from, move.to))
        return std::nullopt;
    return board.apply(Jump{move.from, (move.from + move.to) / 2, move.to});
}

/// "|  ooo  |  ooo  |…|": the seven rows between bars, so that no editor trims a row's blanks.
QByteArray rowsOf(const Position& position) {
    QByteArray out = "|";
    for (const QString& row : position.text().split(QLatin1Char('\n')))
        out += row.toLatin1() + '|';
    return out;
}

std::optional<Position> positionOf(const QByteArray& text) {
    if (text.size() != 7 * 8 + 1 || text[0] != '|')
        return std::nullopt;
    Position position;
    for (int r = 0; r < 7; ++r) {
        if (text[(r + 1) * 8] != '|')
            return std::nullopt;
        for (int q = 0; q < 7; ++q) {
            const char c = text[r * 8 + 1 + q];
            if (c != 'o' && c != '.' && c != ' ')
                return std::nullopt;
            position.setHole(r * 7 + q, c != ' ');
            position.setMarble(r * 7 + q, c == 'o');
        }
    }
    return position;
}

/// A whole number written as encodeSavedGame writes it: digits only, no leading zero.
std::optional<int> numberOf(const QByteArray& text, int highest) {
    if (text.isEmpty() || text.size() > 6 || (text.size() > 1 && text[0] == '0'))
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > highest)
        return std::nullopt;
    return value;
}

QByteArray movesOf(const std::vector<JumpMove>& moves) {
    QByteArray out;
    for (const JumpMove& move : moves)
        out += ' ' + QByteArray::number(move.from) + '-' + QByteArray::number(move.to);
    return out;
}

std::optional<std::vector<JumpMove>> movesFrom(const QByteArray& text) {
    std::vector<JumpMove> moves;
    if (text.isEmpty())
        return moves;
    for (const QByteArray& word : text.split(' ')) {
        const QList<QByteArray> ends = word.split('-');
        if (ends.size() != 2)
            return std::nullopt;
        const auto from = numberOf(ends[0], kPositions - 1), to = numberOf(ends[1], kPositions - 1);
        // A game has fewer jumps than the largest board has holes.
        if (!from || !to || moves.size() >= std::size_t(kPositions))
            return std::nullopt;
        moves.push_back({*from, *to});
    }
    return moves;
}

/// The lines of a text, one at a time, each "key" or "key value".
class Lines {
  public:
    explicit Lines(QList<QByteArray> lines) : m_lines(std::move(lines)) {}
    /// The value after `key` on the next line, which is then taken; nothing when the next line
    /// has another key.
    std::optional<QByteArray> take(const QByteArray& key) {
        if (m_next >= m_lines.size())
            return std::nullopt;
        const QByteArray& line = m_lines[m_next];
        if (line == key) {
            ++m_next;
            return QByteArray();
        }
        if (!line.startsWith(key + ' ') || line.size() == key.size() + 1)
            return std::nullopt;
        ++m_next;
        return line.mid(key.size() + 1);
    }
    bool done() const { return m_next == m_lines.size(); }

  private:
    QList<QByteArray> m_lines;
    qsizetype m_next = 0;
};

SavedGameRead refused(const QString& reason) {
    return {std::nullopt, reason};
}

} // namespace

Position startedBoard(int number) {
    Position board = freshBoard(number);
    board.setMarble(kCentre, false);
    return board;
}

Position SavedGame::startBoard() const {
    return start ? *start : startedBoard(variant);
}

QString problemOf(const SavedGame& game) {
    if (game.variant < 0 || game.variant >= kVariants)
        return QStringLiteral("no such variant");
    if (game.seconds < 0 || game.seconds > kMostSeconds)
        return QStringLiteral("the clock outside 0 to 99999");
    const Position::Mask holes = freshBoard(game.variant).holes();
    Position board = game.startBoard();
    if (board.holes() != holes || game.position.holes() != holes)
        return QStringLiteral("holes not those of variant %1").arg(game.variant + 1);
    if (board.marbleCount() == 0)
        return QStringLiteral("a start without a marble");
    for (const JumpMove& move : game.made) {
        const std::optional<Position> next = jumped(board, move);
        if (!next)
            return QStringLiteral("a jump made that the rules do not allow");
        board = *next;
    }
    if (board != game.position)
        return QStringLiteral("the jumps made do not lead to the board");
    for (auto move = game.undone.rbegin(); move != game.undone.rend(); ++move) {
        const std::optional<Position> next = jumped(board, *move);
        if (!next)
            return QStringLiteral("a jump taken back that cannot be made again");
        board = *next;
    }
    return {};
}

QByteArray encodeSavedGame(const SavedGame& game) {
    QByteArray out = kVersionLine + '\n';
    out += "variant " + QByteArray::number(game.variant + 1) + '\n';
    out += "seconds " + QByteArray::number(game.seconds) + '\n';
    out += QByteArray("practice ") + (game.practice ? "yes" : "no") + '\n';
    if (game.start)
        out += "start " + rowsOf(*game.start) + '\n';
    out += "board " + rowsOf(game.position) + '\n';
    out += "made" + movesOf(game.made) + '\n';
    out += "undone" + movesOf(game.undone) + '\n';
    out += "end\n";
    return out;
}

SavedGameRead decodeSavedGame(const QByteArray& bytes) {
    if (bytes.size() > kLongest)
        return refused(QStringLiteral("too long"));
    QList<QByteArray> lines = bytes.split('\n');
    if (const QString problem =
            firstLineProblem(lines.front(), kVersionLine, QStringLiteral("an unfinished game"));
        !problem.isEmpty())
        return refused(problem);
    // The last line ends like every other, so a file cut short at a line break still shows it.
    if (lines.size() < 2 || !lines.back().isEmpty())
        return refused(QStringLiteral("cut short"));
    lines.removeLast();
    lines.removeFirst();
    for (const QByteArray& line : lines)
        for (const char c : line)
            if (c < ' ' || c > '~')
                return refused(QStringLiteral("a character that is not plain text"));

    Lines in(lines);
    SavedGame game;
    const auto variantText = in.take("variant");
    const auto variantNumber = variantText ? numberOf(*variantText, kVariants) : std::nullopt;
    if (!variantNumber || *variantNumber < 1)
        return refused(QStringLiteral("no variant from 1 to 20"));
    game.variant = *variantNumber - 1;
    const auto secondsText = in.take("seconds");
    const auto seconds = secondsText ? numberOf(*secondsText, kMostSeconds) : std::nullopt;
    if (!seconds)
        return refused(QStringLiteral("no clock from 0 to 99999"));
    game.seconds = *seconds;
    const auto practice = in.take("practice");
    if (!practice || (*practice != "yes" && *practice != "no"))
        return refused(QStringLiteral("no practice yes or no"));
    game.practice = *practice == "yes";
    if (const auto start = in.take("start")) {
        game.start = positionOf(*start);
        if (!game.start)
            return refused(QStringLiteral("a start that is not seven rows between bars"));
    }
    const auto boardLine = in.take("board");
    const auto board = boardLine ? positionOf(*boardLine) : std::nullopt;
    if (!board)
        return refused(QStringLiteral("no board of seven rows between bars"));
    game.position = *board;
    const auto madeText = in.take("made");
    const auto made = madeText ? movesFrom(*madeText) : std::nullopt;
    if (!made)
        return refused(QStringLiteral("no list of jumps made"));
    game.made = *made;
    const auto undoneText = in.take("undone");
    const auto undone = undoneText ? movesFrom(*undoneText) : std::nullopt;
    if (!undone)
        return refused(QStringLiteral("no list of jumps taken back"));
    game.undone = *undone;
    if (!in.take("end") || !in.done())
        return refused(QStringLiteral("a line that does not belong"));
    if (const QString problem = problemOf(game); !problem.isEmpty())
        return refused(problem);
    return {std::move(game), {}};
}

SavedGameFile::SavedGameFile(const QString& folder, NoteSink sink)
    : m_file(folder, QStringLiteral("unfinished-game.txt"), kLongest, std::move(sink)) {}

std::optional<Failure> SavedGameFile::save(const SavedGame& game) const {
    if (!problemOf(game).isEmpty())
        return Failure(err::InvalidCall);
    return m_file.write(encodeSavedGame(game));
}

std::optional<Failure> SavedGameFile::remove() const {
    return m_file.remove();
}

SavedGameFile::Loaded SavedGameFile::load() const {
    const KeptFile::Read read = m_file.read();
    if (!read.bytes && read.problem.isEmpty())
        return {};
    QString reason = read.problem;
    if (read.bytes) {
        SavedGameRead decoded = decodeSavedGame(*read.bytes);
        if (decoded.game)
            return {std::move(decoded.game), std::nullopt};
        reason = decoded.reason;
    }
    return {std::nullopt, m_file.setAside(reason)};
}

} // namespace marvolen::game
