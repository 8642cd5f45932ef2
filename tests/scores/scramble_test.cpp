// The stored form of champions-list values: exact format, round trips and damaged input.
#include "scores/scramble.h"

#include <gtest/gtest.h>

#include <iostream>
#include <random>

using namespace marvolen::scores;

namespace {

QByteArray bytes(std::initializer_list<int> codes) {
    QByteArray out;
    for (int c : codes)
        out.append(char(c));
    return out;
}

QByteArray crypted(QByteArray text) {
    Crypt(text);
    return text;
}

} // namespace

TEST(StoredForm, PlaceholderIsLength22AndUppercaseHex) {
    EXPECT_EQ(Conv("9999999999 "), QByteArray("2274584B4F56555C57745852"));
}

TEST(StoredForm, EntryWithNameScramblesWithTheTitleFromItsFirstCharacter) {
    EXPECT_EQ(Conv("0000300075Anna"), QByteArray("287D5142465C5C555E7A543318010D"));
    EXPECT_EQ(Conv(""), QByteArray("00"));
}

TEST(StoredForm, CharacterThatMeetsItsOwnKeyCharacterIsStoredAs00) {
    // Character 11 meets the key's third character, 'r'.
    const QByteArray entry = "0000100035r";
    const QByteArray stored = Conv(entry);
    EXPECT_EQ(stored.sliced(2 + 20), QByteArray("00"));
    EXPECT_EQ(ConvBack(stored), entry);
    EXPECT_EQ(ConvBack(stored).size(), 11);
}

TEST(StoredForm, EveryTextUpTo49BytesComesBack) {
    const auto seed = std::random_device{}();
    std::cout << "[ seed     ] EveryTextUpTo49BytesComesBack " << seed << '\n';
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> code(0, 255);
    for (int round = 0; round < 40; ++round) {
        for (int length = 0; length <= 49; ++length) {
            QByteArray text;
            for (int i = 0; i < length; ++i)
                text.append(char(code(random)));
            const QByteArray stored = Conv(text);
            ASSERT_EQ(stored.size(), 2 + 2 * length);
            ASSERT_EQ(ConvBack(stored), text) << "length " << length;
        }
    }
    // Every code in every key position at least once.
    QByteArray all;
    for (int c = 0; c < 256; ++c)
        all.append(char(c));
    for (qsizetype at = 0; at + 49 <= all.size(); at += 7)
        EXPECT_EQ(ConvBack(Conv(all.sliced(at, 49))), all.sliced(at, 49));
}

TEST(StoredForm, ChangingTheKeyChangesTheDecoding) {
    const QByteArray entry = "0000300075Anna";
    EXPECT_NE(ConvBack(Conv(entry), "Marvolin"), entry);
    EXPECT_EQ(ConvBack(Conv(entry, "Solitaire"), "Solitaire"), entry);
    EXPECT_NE(Conv(entry, "Solitaire"), Conv(entry));
}

struct DamagedCase {
    const char* name;
    QByteArray stored;
    QByteArray rawDecoded; // before unscrambling
};

void PrintTo(const DamagedCase& c, std::ostream* out) {
    *out << c.stored.toHex().constData();
}

class DamagedValue : public testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedValue, DecodesWithoutRejecting) {
    EXPECT_EQ(ConvBack(GetParam().stored), crypted(GetParam().rawDecoded));
}

INSTANTIATE_TEST_SUITE_P(
    StoredForm, DamagedValue,
    testing::Values(DamagedCase{"ZeroLength", "00", ""}, DamagedCase{"Letters", "xyz", ""},
                    DamagedCase{"Empty", "", ""}, DamagedCase{"OneDigit", "4", ""},
                    DamagedCase{"LengthWithoutData", "12", ""},
                    DamagedCase{"LengthBeyondValue", "402C3D", bytes({0x2C, 0x3D})},
                    DamagedCase{"LengthShorterThanData", "022C3D", bytes({0x2C})},
                    DamagedCase{"OddLengthLastSingle", "032C3", bytes({0x2C, 0x03})},
                    DamagedCase{"LowercaseHex", "04ab0f", bytes({0xAB, 0x0F})},
                    DamagedCase{"HexStopsAtNonHex", "041GG1", bytes({0x01, 0x00})},
                    DamagedCase{"LengthWithTrailingLetter", "4x2C3D", bytes({0x2C, 0x3D})},
                    DamagedCase{"LengthAfterBlank", " 42C3D", bytes({0x2C, 0x3D})},
                    DamagedCase{"NegativeLength", "-12C3D", ""},
                    DamagedCase{"HighBytes", bytes({'0', '4', char(0xFF), char(0x80)}), bytes({0})},
                    DamagedCase{"NulInside", bytes({'0', '4', 0, '1', 'A', '1'}),
                                bytes({0x00, 0xA1})}),
    [](const testing::TestParamInfo<DamagedCase>& info) { return info.param.name; });
