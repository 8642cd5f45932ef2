// The board's copy text and the paste reader: what mail and chat do to a copy, and rubbish.
#include "game/board_text.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace marvolen::game;

namespace {

/// Variant v's fresh board with every marble gone that the seed's coin says, one always kept.
Position thinned(int v, std::mt19937& random) {
    Position board = freshBoard(v);
    for (int p = 0; p < kPositions; ++p)
        if (board.marbleCount() > 1 && random() % 2 == 0)
            board.setMarble(p, false);
    return board;
}

struct Mangle {
    const char* name;
    std::function<QString(QString)> apply;
};

const Mangle kMangles[] = {
    {"as copied", [](QString t) { return t; }},
    {"CR LF", [](QString t) { return t.replace(QStringLiteral("\n"), QStringLiteral("\r\n")); }},
    {"rows trimmed, no last break",
     [](QString t) {
         return t.replace(QRegularExpression(QStringLiteral(" +(\n|$)")), QStringLiteral("\\1"))
             .chopped(1);
     }},
    {"first line gone", [](QString t) { return t.mid(t.indexOf('\n') + 1); }},
    {"first line gone, CR LF, blank lines around",
     [](QString t) {
         return QStringLiteral("\r\n\r\n") +
                t.mid(t.indexOf('\n') + 1).replace(QStringLiteral("\n"), QStringLiteral("\r\n")) +
                QStringLiteral("\r\n");
     }},
};

} // namespace

TEST(BoardText, CopyGivesTheVariantAsThePlayerCountsItAndTheRows) {
    EXPECT_EQ(boardText(4, freshBoard(4).apply(Jump{10, 17, 24})),
              QStringLiteral("Marvolen variant 5: 31 marbles\n"
                             "  ooo  \n  o.o  \nooo.ooo\nooooooo\nooooooo\n  ooo  \n  ooo  \n"));
    Position one = Position::fromText(freshBoard(0).text().replace('o', '.'));
    one.setMarble(24, true);
    EXPECT_TRUE(boardText(0, one).startsWith(QStringLiteral("Marvolen variant 1: 1 marble\n")));
}

TEST(BoardText, CopyThenPasteGivesTheSameBoardOnEveryVariantHoweverTheTextTravelled) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    for (int v = 0; v < kVariants; ++v)
        for (const Position& board : {freshBoard(v), thinned(v, random)})
            for (const Mangle& mangle : kMangles) {
                const QString text = mangle.apply(boardText(v, board));
                const PasteResult pasted = readBoardText(text, (v + 7) % kVariants);
                ASSERT_TRUE(pasted.board)
                    << "seed " << seed << ", variant " << v << ", " << mangle.name << ": "
                    << pasted.reason.toStdString() << "\n"
                    << text.toStdString();
                EXPECT_EQ(*pasted.board, (PastedBoard{v, board}))
                    << "seed " << seed << ", variant " << v << ", " << mangle.name;
            }
}

TEST(BoardText, RowsEditedByHandPasteThoughTheFirstLineNoLongerAgrees) {
    const QString text =
        QStringLiteral("Marvolen variant 7: 44 marbles\n"
                       "  ...  \n  ...  \n.......\n...o...\n.......\n  ...  \n  ...");
    const PasteResult pasted = readBoardText(text, 6);
    ASSERT_TRUE(pasted.board) << pasted.reason.toStdString();
    EXPECT_EQ(pasted.board->variant, 4);
    EXPECT_EQ(pasted.board->position.marbleCount(), 1);
}

TEST(BoardText, TextThatIsNoBoardOfAnyVariantGivesNoBoardAndAReason) {
    const QString english = freshBoard(4).text();
    QString holeMissing = english;
    holeMissing[2] = QLatin1Char(' ');
    QString tab = english;
    tab[0] = QLatin1Char('\t');
    const QString rubbish[] = {
        {},
        QStringLiteral("   \r\n\n"),
        QStringLiteral("Hello, would you like to play?"),
        QStringLiteral("Marvolen variant 5: 32 marbles\n"),
        holeMissing,
        QString(english).replace('o', '.'), // no marble
        tab,
        english + QStringLiteral("\nooooooo"), // eight rows
        QString(english).replace(QStringLiteral("ooooooo"), QStringLiteral("oooooooo")),
        QString(5000, QLatin1Char('o')),
    };
    for (const QString& text : rubbish) {
        const PasteResult pasted = readBoardText(text, 4);
        EXPECT_FALSE(pasted.board) << text.toStdString();
        EXPECT_FALSE(pasted.reason.isEmpty()) << text.toStdString();
    }
}
