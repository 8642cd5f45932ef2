// Number formatting and strict reads in the runtime's forms.
#include "core/cp1252.h"
#include "core/failure.h"
#include "core/numbers.h"
#include "core/random.h"
#include "core/text.h"

#include <gtest/gtest.h>

#include <set>

using namespace marvolen;

TEST(NumberFormatting, PatternsPadWithZerosAndKeepLongerNumbers) {
    EXPECT_EQ(numbers::zeroPadded(7, 4), QStringLiteral("0007"));
    EXPECT_EQ(numbers::zeroPadded(21, 4), QStringLiteral("0021"));
    EXPECT_EQ(numbers::zeroPadded(0, 4), QStringLiteral("0000"));
    EXPECT_EQ(numbers::zeroPadded(12345, 4), QStringLiteral("12345"));
    EXPECT_EQ(numbers::zeroPadded(3, 5) + numbers::zeroPadded(95, 5), QStringLiteral("0000300095"));
    EXPECT_EQ(numbers::zeroPadded(110, 4), QStringLiteral("0110"));
    EXPECT_EQ(numbers::zeroPadded(4, 1), QStringLiteral("4"));
    EXPECT_EQ(numbers::zeroPadded(-5, 4), QStringLiteral("-0005"));
}

TEST(NumberFormatting, NumberToTextLeavesASignPlace) {
    EXPECT_EQ(numbers::withSignPlace(0), QStringLiteral(" 0"));
    EXPECT_EQ(numbers::withSignPlace(1000), QStringLiteral(" 1000"));
    EXPECT_EQ(numbers::withSignPlace(-1), QStringLiteral("-1"));
}

TEST(NumberReading, BothWrittenFormsReadAlike) {
    EXPECT_EQ(numbers::readInt16(QStringLiteral(" 1000")), 1000);
    EXPECT_EQ(numbers::readInt16(QStringLiteral("1000")), 1000);
    EXPECT_EQ(numbers::readInt16(QStringLiteral(" 0")), 0);
    EXPECT_EQ(numbers::readInt16(QStringLiteral("-1")), -1);
    EXPECT_EQ(numbers::readInt16(QStringLiteral("\t7 ")), 7);
    EXPECT_EQ(numbers::readInt16(QStringLiteral("2.5")), 2); // half to even
    EXPECT_EQ(numbers::readInt16(QStringLiteral("3.5")), 4);
}

TEST(NumberReading, TextThatIsNoNumberIsTypeMismatch) {
    for (const char* text : {"abc", "", " ", "1x", "--1", "1 2", "."}) {
        try {
            numbers::readInt16(QString::fromLatin1(text));
            ADD_FAILURE() << "no failure for '" << text << "'";
        } catch (const Failure& f) {
            EXPECT_EQ(f.number(), 13) << text;
        }
    }
}

TEST(NumberReading, OutOfRangeIsOverflow) {
    for (const char* text : {"32768", "-32769", "99999999999999999999"}) {
        try {
            numbers::readInt16(QString::fromLatin1(text));
            ADD_FAILURE() << text;
        } catch (const Failure& f) {
            EXPECT_EQ(f.number(), 6) << text;
        }
    }
    EXPECT_EQ(numbers::readInt16(QStringLiteral("32767")), 32767);
    EXPECT_EQ(numbers::readInt32(QStringLiteral("2147483647")), 2147483647);
    EXPECT_THROW(numbers::readInt32(QStringLiteral("2147483648")), Failure);
}

TEST(NumberReading, LeadingDigitsStopAtTheFirstOtherCharacter) {
    EXPECT_EQ(numbers::leadingNumber(u"00003"), 3);
    EXPECT_EQ(numbers::leadingNumber(u"  75 ms"), 75);
    EXPECT_EQ(numbers::leadingNumber(u"x12"), 0);
    EXPECT_EQ(numbers::leadingNumber(u""), 0);
    EXPECT_EQ(numbers::leadingNumber(u"99999999999999999999999"), INT64_MAX);
}

TEST(NulCuts, CutAtTheFirstNul) {
    const QString withNul = QStringLiteral("abc") + QChar(u'\0') + QStringLiteral("def");
    EXPECT_EQ(TrimNull(withNul), QStringLiteral("abc"));
    EXPECT_EQ(TrimNull(QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_EQ(TrimNull(QChar(u'\0') + QStringLiteral("x")), QString());
    EXPECT_EQ(LPSTRToVBString(withNul), QStringLiteral("abc"));
    EXPECT_EQ(LPSTRToVBString(QStringLiteral("no terminator")), QString());
}

TEST(RandomNumbers, StayInsideTheRangeAndReachEveryValue) {
    Random random(20261207);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int v = random.Zufallszahl(101, 106);
        ASSERT_GE(v, 101);
        ASSERT_LE(v, 106);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_EQ(random.Zufallszahl(5, 5), 5);
    for (int i = 0; i < 200; ++i) {
        const int v = random.Zufallszahl(1, 3);
        EXPECT_TRUE(v >= 1 && v <= 3);
    }
}

TEST(RandomNumbers, ARangeBeyondSixteenBitsOverflows) {
    Random random(1);
    EXPECT_THROW(random.Zufallszahl(-32768, 32767), Failure);
}

TEST(Windows1252, RoundTripsEveryCodeAndReplacesTheRest) {
    QByteArray all;
    for (int c = 0; c < 256; ++c)
        all.append(char(c));
    EXPECT_EQ(cp1252::encode(cp1252::decode(all)), all);
    EXPECT_EQ(cp1252::decode("\x80\xe4\x9c"), QStringLiteral("€äœ"));
    EXPECT_EQ(cp1252::encode(QStringLiteral("Grüße €")), QByteArray("Gr\xfc\xdf"
                                                                    "e \x80"));
    EXPECT_EQ(cp1252::encode(QStringLiteral("日本")), QByteArray("??"));
    EXPECT_EQ(cp1252::encode(QString::fromUtf8("a\xF0\x9F\x98\x80"
                                               "b")),
              QByteArray("a?b"));
    EXPECT_FALSE(cp1252::representable(QStringLiteral("Ω")));
}
