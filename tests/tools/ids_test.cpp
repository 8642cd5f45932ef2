// The generated headers of named ids against what the game carries, and the generator's refusal
// of names it cannot use.
#include "app/resources.h"
#include "id_headers.h"
#include "ids/resource_ids.h"
#include "ids/sound_ids.h"
#include "ids/text_ids.h"
#include "lang/language.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using namespace marvolen;

// The ids a resource type carries, from the file names under its folder.
std::set<int> carriedIds(const char* type) {
    std::set<int> ids;
    const QStringList names =
        QDir(app::resourcePath(QLatin1String(type), 0).section(u'/', 0, -2)).entryList();
    // A picture's twin for screens of high density ("101@2x") is no resource id of its own.
    for (const QString& name : names)
        if (!name.endsWith(QLatin1String("@2x")))
            ids.insert(name.toInt());
    return ids;
}

std::set<int> range(int first, int last) {
    std::set<int> ids;
    for (int id = first; id <= last; ++id)
        ids.insert(id);
    return ids;
}

TEST(TextIds, EveryStringOfTheBuiltTableHasExactlyOneName) {
    const QByteArray table =
        app::loadResource(QLatin1String(ResourceType::Custom), ResourceId::LanguageTable);
    std::set<int> numbers;
    for (const QByteArray& line : table.split('\n'))
        if (line.size() > 4 && line[4] == ' ')
            numbers.insert(line.mid(1, 3).toInt());
    ASSERT_FALSE(numbers.empty());

    std::set<int> named;
    std::set<std::string> names;
    for (const Text::Entry& entry : Text::All) {
        EXPECT_TRUE(named.insert(entry.id).second) << "second name for " << entry.id;
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name << " names two strings";
    }
    EXPECT_EQ(named, numbers);
}

// Each name reads the text it says, so a name moved to another string in the source shows.
TEST(TextIds, EachNameReadsItsEnglishText) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("~tmp.lng"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(app::loadResource(QLatin1String(ResourceType::Custom), ResourceId::LanguageTable));
    file.close();
    FixedReporter reporter;
    lang::Language language(reporter);
    language.setLanguageFilePath(path);
    language.setLanguageOffset(1000);

    const std::pair<int, const char*> expected[] = {
        {Text::MoreInformation, "For more information see readme.htm!"},
        {Text::StartGame, "Start game"},
        {Text::EndGame, "End game"},
        {Text::SelectVariant, "Select game"},
        {Text::Rules, "Rules of the game"},
        {Text::ShowChampions, "Show champions..."},
        {Text::SelectMarbles, "Select marbles"},
        {Text::SelectBoard, "Select board"},
        {Text::MoreOptions, "More options..."},
        {Text::MusicMenu, "&Play music"},
        {Text::SoundEffects, "&Sound effects"},
        {Text::Help, "Help"},
        {Text::About, "&About..."},
        {Text::QuitQuestion, "Really end game?"},
        {Text::EnterName, "Please enter your name!"},
        {Text::Congratulations, "Congratulations!"},
        {Text::MusicOnce, "&Once"},
        {Text::MusicLoop, "&Loop"},
        {Text::ClearChampionsQuestion, "Really delete all entries?"},
        {Text::ClearChampionsTitle, "Delete highscore"},
        {Text::NoMoreMoves, "No more possible moves!"},
        {Text::GameOver, "Game over"},
        {Text::NameColumn, "Name"},
        {Text::MusicOff, "&Off"},
        {Text::ClearChampions, "&Reset"},
        {Text::RulesHeading, "Rules of the game"},
        {Text::RuleAim, "Aim of the game is to remove as many marbles as possible."},
        {Text::RuleMoving, "Move the marbles by drag and Drop."},
        {Text::RuleLegalMoves, "Legal moves are horizontal or vertical jumps of one marble over "
                               "another to an empty hole."},
        {Text::RuleJumpedRemoved, "The marble that has been jumped over is removed."},
        {Text::RuleRanking, "For entering the highscores list, the number of left marbles has "
                            "priority before the time needed."},
    };
    ASSERT_EQ(std::size(expected), std::size(Text::All)) << "a name without its text here";
    for (const auto& [id, text] : expected)
        EXPECT_EQ(language.text(id).toStdString(), text) << "string " << id;
}

TEST(SoundIds, NameEveryCarriedEffectAndNoOther) {
    std::set<int> named;
    for (const Sound::Entry& entry : Sound::All)
        EXPECT_TRUE(named.insert(entry.id).second) << "second name for " << entry.id;
    EXPECT_EQ(named, carriedIds(ResourceType::Wave));
    EXPECT_EQ(named.count(Sound::Click), 1u);
}

TEST(SoundIds, JumpsAndFanfaresAreTheRangesTheGameDrawsFrom) {
    EXPECT_EQ(range(Sound::FirstJump, Sound::LastJump), range(101, 105));
    EXPECT_TRUE(range(Sound::FirstJump, Sound::LastJump).count(Sound::Click));
    std::set<int> fanfares;
    for (int r = 1; r <= Sound::Fanfares; ++r)
        fanfares.insert(Sound::fanfare(r));
    EXPECT_EQ(fanfares,
              (std::set<int>{Sound::FanfareBrass, Sound::FanfareBells, Sound::FanfareCall}));
    EXPECT_EQ(fanfares, range(113, 115));
}

TEST(ResourceIds, NameEveryCarriedPictureTuneAndTable) {
    std::set<int> marbles;
    for (int n = 1; n <= ResourceId::MarblePictures; ++n)
        marbles.insert(ResourceId::marble(n));
    EXPECT_EQ(marbles, carriedIds(ResourceType::Icon));
    EXPECT_EQ(marbles, range(101, 125));

    std::set<int> boards;
    for (int n = 1; n <= ResourceId::BoardPictures; ++n)
        boards.insert(ResourceId::board(n));
    EXPECT_EQ(boards, carriedIds(ResourceType::Bitmap));
    EXPECT_EQ(boards, range(121, 129));

    EXPECT_EQ(range(ResourceId::FirstTune, ResourceId::LastTune), carriedIds(ResourceType::Midi));
    EXPECT_EQ(carriedIds(ResourceType::Custom), std::set<int>{ResourceId::LanguageTable});
}

// ---- the generator's reading of strings.txt ----

TEST(TextNameSource, NamesComeInTableOrderWithTheEnglishTheLookupFinds) {
    const gen::ids::TextNames read = gen::ids::readTextNames("# a comment\n"
                                                             "name 112 = SelectVariant\n"
                                                             "0112 = Spielvariante\n"
                                                             "1112 = Select game\\s\n"
                                                             "1112 = Second English\n"
                                                             "\r\n"
                                                             "name 102 = MoreInformation\r\n"
                                                             "0102 = Weitere\r\n"
                                                             "1102 = More \\\\ back\r\n");
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.names.size(), 2u);
    EXPECT_EQ(read.names[0].number, 102);
    EXPECT_EQ(read.names[0].name, "MoreInformation");
    EXPECT_EQ(read.names[0].english, "More \\ back");
    EXPECT_EQ(read.names[1].number, 112);
    EXPECT_EQ(read.names[1].english, "Select game");
}

struct FaultySource {
    const char* what;
    const char* source;
    const char* message;
};

class TextNameSourceFault : public ::testing::TestWithParam<FaultySource> {};

TEST_P(TextNameSourceFault, IsRefusedWithItsLine) {
    const gen::ids::TextNames read = gen::ids::readTextNames(GetParam().source);
    EXPECT_TRUE(read.names.empty());
    EXPECT_EQ(read.error, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Names, TextNameSourceFault,
    ::testing::Values(
        FaultySource{"NumberWithoutName", "name 110 = Start\n1110 = Start\n1111 = End\n",
                     "string 111 has no name line"},
        FaultySource{"SecondNameForANumber", "name 110 = Start\nname 110 = Begin\n1110 = S\n",
                     "line 2: string 110 already has the name Start"},
        FaultySource{"NameTwice", "name 110 = Start\nname 111 = Start\n1110 = S\n1111 = E\n",
                     "line 2: the name Start stands on line 1 too"},
        FaultySource{"NameWithoutEntries", "name 110 = Start\nname 111 = End\n1110 = S\n",
                     "line 2: string 111 has no entries"},
        FaultySource{"LowerCaseName", "name 110 = start\n1110 = S\n",
                     "line 1: \"start\" is not a name in PascalCase"},
        FaultySource{"Underscore", "name 110 = Start_Game\n1110 = S\n",
                     "line 1: \"Start_Game\" is not a name in PascalCase"},
        FaultySource{"NameOfTheHeader", "name 110 = All\n1110 = S\n",
                     "line 1: \"All\" is taken by the header"},
        FaultySource{"FourDigitNumber", "name 1110 = Start\n1110 = S\n",
                     "line 1: expected \"name nnn = Name\""},
        FaultySource{"NoName", "name 110 = \n1110 = S\n", "line 1: expected \"name nnn = Name\""},
        FaultySource{"NeitherEntryNorName", "1110 = S\nnames 110 = Start\n",
                     "line 2: neither an entry nor a name"}),
    [](const ::testing::TestParamInfo<FaultySource>& info) { return info.param.what; });

} // namespace
