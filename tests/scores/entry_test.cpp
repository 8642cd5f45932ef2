// Entry texts, their order, the ranking test and the rows of the champions table.
#include "scores/entry.h"

#include <gtest/gtest.h>

using namespace marvolen::scores;

namespace {
const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kSwedish(QLocale::Swedish, QLocale::Sweden);
} // namespace

struct NameCase {
    const char* name;
    QString typed;
    QByteArray stored;
};

class TypedName : public testing::TestWithParam<NameCase> {};

TEST_P(TypedName, BecomesTheEntryName) {
    EXPECT_EQ(makeEntry("0000300075", GetParam().typed), "0000300075" + GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Entry, TypedName,
    testing::Values(
        NameCase{"Plain", QStringLiteral("Anna"), "Anna"},
        NameCase{"BlanksAroundDropped", QStringLiteral("  Anna Lena  "), "Anna Lena"},
        NameCase{"Empty", QString(), ""}, NameCase{"OnlyBlanks", QStringLiteral("   "), ""},
        NameCase{"CutTo20", QStringLiteral("abcdefghijklmnopqrstuvwxy"), "abcdefghijklmnopqrst"},
        NameCase{"CutAfterTrimming", QStringLiteral("   abcdefghijklmnopqrstu"),
                 "abcdefghijklmnopqrst"},
        NameCase{"Umlaut", QStringLiteral("J\u00fcrgen"), "J\xfcrgen"},
        NameCase{"EuroSign", QStringLiteral("\u20ac"), "\x80"},
        NameCase{"AccentComposed", QStringLiteral("Rene\u0301"), "Ren\xe9"},
        NameCase{"OutsideCodePage", QStringLiteral("\u674e Li"), "? Li"},
        NameCase{"EmojiIsOneCharacter", QStringLiteral("a\U0001F600b"), "a?b"},
        NameCase{"IniCharacters", QStringLiteral("a=b;[c]"), "a=b;[c]"},
        NameCase{"TabsAndNewlinesAroundDropped", QStringLiteral("\tAnna\n"), "Anna"},
        // Twenty characters as the player sees them, whatever their UTF-16 length.
        NameCase{"EmojiCountsOnceInTheCut", QStringLiteral("\U0001F600bbbbbbbbbbbbbbbbbbbc"),
                 "?bbbbbbbbbbbbbbbbbbb"},
        NameCase{"AccentTypedApartCountsOnce", QStringLiteral("aaaaaaaaaaaaaaaaaaae\u0301x"),
                 "aaaaaaaaaaaaaaaaaaa\xe9"},
        // A mark with no composed form takes a byte of its own: rather than cut
        // the letter from its mark, the cut leaves both out.
        NameCase{"LetterAndMarkStayTogether", QStringLiteral("aaaaaaaaaaaaaaaaaaaq\u0303"),
                 "aaaaaaaaaaaaaaaaaaa"},
        NameCase{"FlagIsOneCharacter", QStringLiteral("\U0001F1E9\U0001F1EA Li"), "?? Li"}),
    [](const testing::TestParamInfo<NameCase>& info) { return info.param.name; });

struct OrderCase {
    const char* name;
    QByteArray lesser;
    QByteArray greater;
};

class Order : public testing::TestWithParam<OrderCase> {};

TEST_P(Order, SortsLesserFirst) {
    const EntryOrder less(kGerman);
    EXPECT_TRUE(less(GetParam().lesser, GetParam().greater));
    EXPECT_FALSE(less(GetParam().greater, GetParam().lesser));
}

INSTANTIATE_TEST_SUITE_P(
    Entry, Order,
    testing::Values(
        OrderCase{"FewerMarbles", "0000299999", "0000300001"},
        OrderCase{"ShorterTime", "0000300074Zed", "0000300075Ann"},
        OrderCase{"NameIgnoringCase", "0000300075anna", "0000300075Bob"},
        OrderCase{"NameIgnoringCaseOtherWay", "0000300075ANNA", "0000300075bob"},
        OrderCase{"NoNameFirst", "0000300075", "0000300075a"},
        OrderCase{"ResultBeforePlaceholder", "0003299999Z", kPlaceholder},
        OrderCase{"DamagedEmptyFirst", "", "0000100001"},
        OrderCase{"AccentedIgnoringCase", "0000300075\xe4x", "0000300075\xc4y"},
        OrderCase{"AccentedNextToPlainNotAfterZ", "0000300075\xc9mile", "0000300075Zoe"},
        OrderCase{"AccentedAfterItsBeginning", "0000300075Emil", "0000300075\xc9mile"},
        OrderCase{"AccentedBeforeALaterLetter", "0000300075\xc9mile", "0000300075Emilf"},
        OrderCase{"LigatureAsItsLetters", "0000300075\x9cuvre", "0000300075Oz"},
        // Names never outweigh the result.
        OrderCase{"ResultBeforeName", "0000300074\xdcrsula", "0000300075Aaron"}),
    [](const testing::TestParamInfo<OrderCase>& info) { return info.param.name; });

TEST(Order, CaseAloneMakesNoDifference) {
    const EntryOrder less(kGerman);
    for (const auto& [a, b] :
         {std::pair<QByteArray, QByteArray>{"0000300075anna", "0000300075ANNA"},
          {"0000300075\xfc", "0000300075\xdc"},
          {"0000300075\x9a", "0000300075\x8a"},
          {"0000300075\xff", "0000300075\x9f"}}) {
        EXPECT_FALSE(less(a, b)) << a.toHex().constData();
        EXPECT_FALSE(less(b, a)) << a.toHex().constData();
    }
}

TEST(Order, NamesFollowThePlayersLocale) {
    // Swedish puts \u00c4 after Z, German with A; the locale is the player's, not the machine's.
    const QByteArray arla = "0000300075\xc4rla", zoe = "0000300075Zoe";
    EXPECT_TRUE(EntryOrder(kGerman)(arla, zoe));
    EXPECT_TRUE(EntryOrder(kSwedish)(zoe, arla));
    EXPECT_FALSE(EntryOrder(kSwedish)(arla, zoe));
}

struct RankCase {
    const char* name;
    QByteArray newResult;
    QByteArray last;
    bool ranks;
};

class Ranking : public testing::TestWithParam<RankCase> {};

TEST_P(Ranking, QualifiesAgainstTheLastEntry) {
    EXPECT_EQ(qualifies(GetParam().newResult, GetParam().last), GetParam().ranks);
}

INSTANTIATE_TEST_SUITE_P(
    Ranking, Ranking,
    testing::Values(
        RankCase{"EmptyListTakesAnyResult", "0003199999", kPlaceholder, true},
        RankCase{"BetterThanLast", "0000300074", "0000300075Bob", true},
        RankCase{"TieWithNamedLast", "0000300075", "0000300075Bob", true},
        RankCase{"TieWithUnnamedLast", "0000300075", "0000300075", false},
        RankCase{"WorseThanLast", "0000300076", "0000300075Bob", false},
        RankCase{"ZeroNever", "0000000000", kPlaceholder, false},
        RankCase{"OneSecondIsNotZero", "0000000001", kPlaceholder, true},
        // Plain byte codes: 'B' (66) is less than 'a' (97), although "b" sorts
        // after "a" when case is ignored; "A" and "a" differ.
        RankCase{"BeforeDamagedLastIsCaseSensitive", "0000300075B", "0000300075a", true},
        RankCase{"AfterDamagedLastIsCaseSensitive", "0000300075a", "0000300075B", false},
        RankCase{"CaseAloneDiffers", "0000300075A", "0000300075a", true},
        // Codes above 127 are greater than the digits, not negative.
        RankCase{"BeforeDamagedHighCodeLast", "0000300075", "\x80", true},
        RankCase{"NothingBeatsEmptyLast", "0000100001", "", false}),
    [](const testing::TestParamInfo<RankCase>& info) { return info.param.name; });

struct RowCase {
    const char* name;
    QByteArray entry;
    RowTexts row;
};

class TableRow : public testing::TestWithParam<RowCase> {};

TEST_P(TableRow, ShowsEntry) {
    const RowTexts row = rowTexts(GetParam().entry);
    EXPECT_EQ(row.name, GetParam().row.name);
    EXPECT_EQ(row.marbles, GetParam().row.marbles);
    EXPECT_EQ(row.time, GetParam().row.time);
}

INSTANTIATE_TEST_SUITE_P(
    ShowHS, TableRow,
    testing::Values(RowCase{"MarblesAndSeconds", "0000300075Anna", {"Anna", "3", "75"}},
                    RowCase{"NoName", "0000300075", {"", "3", "75"}},
                    RowCase{"NameFromWindows1252",
                            "0000100100J\xfcrgen \x80",
                            {"J\u00fcrgen \u20ac", "1", "100"}},
                    RowCase{"ShortEntry", "00003", {"", "3", "0"}},
                    RowCase{"Placeholder", kPlaceholder, {}},
                    RowCase{"ZeroMarbles", "0000000075Anna", {}}, RowCase{"Empty", "", {}},
                    RowCase{"Damaged", "\x01\x02xyz\xff", {}},
                    RowCase{"DigitsStopAtOther", "003x500075Bo", {"Bo", "3", "75"}}),
    [](const testing::TestParamInfo<RowCase>& info) { return info.param.name; });
