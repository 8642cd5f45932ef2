// The board's copy text and the reader of pasted boards.
#include "board_text.h"

#include "variants.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace marvolen::game {
namespace {

const QLatin1StringView kFirstLine("Marvolen variant ");

/// A paste longer than this is no board; the reader stops before it splits a novel into lines.
constexpr qsizetype kLongest = 4096;

/// The holes of variant `number`.
Position::Mask holesOf(int number) {
    return freshBoard(number).holes();
}

/// The board with `rows` placed from board row `top` down; nothing when a row holds something
/// other than a marble, an empty hole or no hole.
std::optional<Position> placed(const QStringList& rows, int top) {
    Position position;
    for (int r = 0; r < rows.size(); ++r)
        for (int q = 0; q < rows[r].size(); ++q) {
            const QChar c = rows[r][q];
            const int p = (top + r) * 7 + q;
            if (c == QLatin1Char('o') || c == QLatin1Char('.')) {
                position.setHole(p, true);
                position.setMarble(p, c == QLatin1Char('o'));
            } else if (c != QLatin1Char(' ')) {
                return std::nullopt;
            }
        }
    return position;
}

} // namespace

Position freshBoard(int number) {
    const QByteArray layout = layoutOf(number);
    Position position;
    for (int p = 0; p < kPositions; ++p) {
        position.setHole(p, layout[p] == '1');
        position.setMarble(p, layout[p] == '1');
    }
    return position;
}

QString boardText(int variant, const Position& position) {
    const int marbles = position.marbleCount();
    return kFirstLine + QString::number(variant + 1) + QStringLiteral(": ") +
           QString::number(marbles) +
           (marbles == 1 ? QStringLiteral(" marble\n") : QStringLiteral(" marbles\n")) +
           position.text() + QLatin1Char('\n');
}

PasteResult readBoardText(const QString& text, int currentVariant) {
    if (text.size() > kLongest)
        return {std::nullopt, QStringLiteral("too long for a board")};
    QString normal = text;
    // Line breaks of every system; a no-break space is what some chat programs make of a space.
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'))
        .replace(QChar(0xA0), QLatin1Char(' '));
    QStringList rows = normal.split(QLatin1Char('\n'));
    for (QString& row : rows) {
        qsizetype end = row.size();
        while (end > 0 && row[end - 1] == QLatin1Char(' '))
            --end;
        row.truncate(end);
    }
    // Blank lines around the board may be rows without a hole, or no rows at all: the rows in
    // between are tried at every height below.
    const auto dropBlankEnds = [&rows] {
        while (!rows.isEmpty() && rows.back().isEmpty())
            rows.removeLast();
        while (!rows.isEmpty() && rows.front().isEmpty())
            rows.removeFirst();
    };
    dropBlankEnds();
    if (!rows.isEmpty() && rows.front().startsWith(kFirstLine)) {
        rows.removeFirst();
        dropBlankEnds();
    }
    if (rows.isEmpty())
        return {std::nullopt, QStringLiteral("no board in the text")};
    if (rows.size() > 7)
        return {std::nullopt, QStringLiteral("more than seven rows")};
    for (const QString& row : rows)
        if (row.size() > 7)
            return {std::nullopt, QStringLiteral("a row longer than seven places")};

    std::vector<int> order(kVariants);
    for (int v = 0; v < kVariants; ++v)
        order[std::size_t(v)] = v;
    if (currentVariant >= 0 && currentVariant < kVariants)
        std::rotate(order.begin(), order.begin() + currentVariant,
                    order.begin() + currentVariant + 1);
    std::vector<Position> heights;
    for (int top = 0; top + rows.size() <= 7; ++top) {
        const std::optional<Position> position = placed(rows, top);
        if (!position)
            return {std::nullopt, QStringLiteral("a character other than o, . and space")};
        heights.push_back(*position);
    }
    for (const int v : order)
        for (const Position& position : heights)
            if (position.holes() == holesOf(v)) {
                if (position.marbleCount() == 0)
                    return {std::nullopt, QStringLiteral("no marble on the board")};
                return {PastedBoard{v, position}, {}};
            }
    return {std::nullopt, QStringLiteral("the holes of no variant")};
}

} // namespace marvolen::game
