// Profile files: the reading rules the language table and the highscore file rely on, and
// writes that keep every other line.
#include "core/profile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace marvolen;

namespace {
std::optional<QByteArray> find(const char* content, const char* section, const char* key) {
    return profile::findValue(QByteArrayView(content), section, key);
}
} // namespace

TEST(ProfileReading, NamesCompareWithoutCaseAndSurroundingBlanks) {
    const char* file = "[lang]\r\n0110 = Spiel starten\t\r\n  [ Other ]\r\n key =v\r\n";
    EXPECT_EQ(find(file, "Lang", "0110"), QByteArray("Spiel starten"));
    EXPECT_EQ(find(file, "OTHER", "KEY"), QByteArray("v"));
    EXPECT_EQ(find(file, "lang", "0111"), std::nullopt);
    EXPECT_EQ(find(file, "nosuch", "0110"), std::nullopt);
}

TEST(ProfileReading, ValuesAreTrimmedAndLoseMatchingQuotes) {
    const char* file =
        "[s]\r\na = \"quoted\" \r\nb='single'\r\nc=\"open\r\nd=  blank and tab \t\r\n"
        "e=a=b\r\nf=\r\n";
    EXPECT_EQ(find(file, "s", "a"), QByteArray("quoted"));
    EXPECT_EQ(find(file, "s", "b"), QByteArray("single"));
    EXPECT_EQ(find(file, "s", "c"), QByteArray("\"open"));
    EXPECT_EQ(find(file, "s", "d"), QByteArray("blank and tab"));
    EXPECT_EQ(find(file, "s", "e"), QByteArray("a=b"));
    EXPECT_EQ(find(file, "s", "f"), QByteArray(""));
}

TEST(ProfileReading, TheFirstMatchingLineWins) {
    EXPECT_EQ(
        find("[lang]\r\n2113 = Reglas de juego\r\n2113 = Reglas del juego\r\n", "Lang", "2113"),
        QByteArray("Reglas de juego"));
    EXPECT_EQ(find("[a]\nk=1\n[a]\nk=2\n", "a", "k"), QByteArray("1"));
}

TEST(ProfileReading, ValuesAreCutTo254CharactersAndAtANul) {
    const QByteArray file =
        "[s]\r\nk=" + QByteArray(400, 'x') + "\r\nz=ab" + QByteArray(1, '\0') + "cd\r\n";
    EXPECT_EQ(profile::findValue(file, "s", "k")->size(), 254);
    EXPECT_EQ(profile::findValue(file, "s", "z"), QByteArray("ab"));
}

TEST(ProfileReading, AMissingFileOrKeyGivesTheDefaultWithoutTrailingBlanks) {
    QTemporaryDir dir;
    const QString path = dir.filePath("none.ini");
    bool found = true;
    EXPECT_EQ(profile::readString(path, "Lang", "0110", QByteArray(255, ' '), &found),
              QByteArray());
    EXPECT_FALSE(found);
    EXPECT_EQ(profile::readString(path, "s", "k", "  default  "), QByteArray("  default"));
}

TEST(ProfileReading, JunkLinesAndLoneLineFeedsAreTolerated) {
    QByteArray junk;
    for (int i = 0; i < 3000; ++i)
        junk.append(char((i * 37) % 256));
    const QByteArray file = junk + "\n[s]\nk=v\n" + junk;
    EXPECT_EQ(profile::findValue(file, "s", "k"), QByteArray("v"));
    EXPECT_EQ(find("no newline at all", "s", "k"), std::nullopt);
    EXPECT_EQ(find("", "s", "k"), std::nullopt);
    EXPECT_EQ(find("[s", "s", "k"), std::nullopt);
}

TEST(ProfileWriting, ReplacesTheKeyLineAndKeepsEveryOtherLine) {
    const QByteArray before = "; comment\r\n[m4]\r\n1=old\r\n2=two\r\n\r\n[m5]\r\n1=five\r\n";
    EXPECT_EQ(profile::applyWrite(before, "M4", "1", "new"),
              QByteArray("; comment\r\n[m4]\r\n1=new\r\n2=two\r\n\r\n[m5]\r\n1=five\r\n"));
}

TEST(ProfileWriting, AddsAMissingKeyAtTheEndOfItsSection) {
    const QByteArray before = "[m4]\n1=a\n\n[m5]\n1=b\n";
    EXPECT_EQ(profile::applyWrite(before, "m4", "2", "c"),
              QByteArray("[m4]\r\n1=a\r\n2=c\r\n\r\n[m5]\r\n1=b\r\n"));
}

TEST(ProfileWriting, CreatesTheSectionAtTheEndAndTheFileWhenMissing) {
    EXPECT_EQ(profile::applyWrite("[m4]\r\n1=a\r\n", "m7", "1", "x"),
              QByteArray("[m4]\r\n1=a\r\n[m7]\r\n1=x\r\n"));
    EXPECT_EQ(profile::applyWrite("", "m4", "1", "22AB"), QByteArray("[m4]\r\n1=22AB\r\n"));
}

TEST(ProfileWriting, DeletingASectionRemovesItsHeaderAndLinesOnly) {
    const QByteArray before = "[m3]\r\n1=a\r\n2=b\r\n[m4]\r\n1=c\r\n";
    EXPECT_EQ(profile::applyWrite(before, "m3", std::nullopt, std::nullopt),
              QByteArray("[m4]\r\n1=c\r\n"));
    EXPECT_EQ(profile::applyWrite(before, "m9", std::nullopt, std::nullopt), before);
    EXPECT_EQ(profile::applyWrite(before, "m4", QByteArrayView("1"), std::nullopt),
              QByteArray("[m3]\r\n1=a\r\n2=b\r\n[m4]\r\n"));
}

TEST(ProfileWriting, DeletingFromAnEmptyFileGivesNothing) {
    EXPECT_EQ(profile::applyWrite("", "m4", std::nullopt, std::nullopt), QByteArray());
    EXPECT_EQ(profile::applyWrite("", "m4", QByteArrayView("1"), std::nullopt), QByteArray());
}
