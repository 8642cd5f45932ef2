// Every settings key: its default, the exact text written and damaged values.
#include "core/failure.h"
#include "game/settings_store.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace marvolen;
using marvolen::game::SettingsStore;

class Settings : public testing::Test {
  protected:
    QTemporaryDir dir;
    QSettings store{dir.filePath("Marvolen.conf"), QSettings::IniFormat};
    SettingsStore settings{store};
};

TEST_F(Settings, AnEmptyStoreGivesTheDefaults) {
    EXPECT_EQ(settings.board(), 1);
    EXPECT_EQ(settings.kugel(), 3);
    EXPECT_EQ(settings.layout(), 4);
    EXPECT_EQ(settings.playSound(), -1);
    EXPECT_EQ(settings.playMusic(), 1);
    EXPECT_EQ(settings.sprache(), 0);
    EXPECT_EQ(settings.startVal(), 0);
    EXPECT_TRUE(store.allKeys().isEmpty()); // reading writes nothing
}

TEST_F(Settings, ValuesAreWrittenInTheirExactTextForms) {
    settings.setBoard(9);
    settings.setKugel(25);
    settings.setLayout(4);
    settings.setPlaySound(0);
    settings.setPlayMusic(2);
    settings.setSpracheWithSignPlace(0);
    settings.setStartVal(12);
    EXPECT_EQ(settings.rawText("Board"), "9");
    EXPECT_EQ(settings.rawText("Kugel"), "25");
    EXPECT_EQ(settings.rawText("Layout"), "4");
    EXPECT_EQ(settings.rawText("PlaySound"), " 0");
    EXPECT_EQ(settings.rawText("PlayMusic"), "2");
    EXPECT_EQ(settings.rawText("Sprache"), " 0");
    EXPECT_EQ(settings.rawText("StartVal"), "12");
    settings.setPlaySound(-1);
    EXPECT_EQ(settings.rawText("PlaySound"), "-1");
    // Both forms read back alike, also after the store was reopened.
    QSettings reopened(dir.filePath("Marvolen.conf"), QSettings::IniFormat);
    SettingsStore again(reopened);
    EXPECT_EQ(again.playSound(), -1);
    EXPECT_EQ(again.sprache(), 0);
    EXPECT_EQ(again.board(), 9);
    EXPECT_TRUE(reopened.childGroups().contains("Optionen"));
}

TEST_F(Settings, DamagedValuesFailTheirReadWithTheClassicNumbers) {
    store.setValue("Optionen/Kugel", "abc");
    store.setValue("Optionen/Layout", "99999");
    try {
        settings.kugel();
        ADD_FAILURE();
    } catch (const Failure& f) {
        EXPECT_EQ(f.number(), 13);
    }
    try {
        settings.layout();
        ADD_FAILURE();
    } catch (const Failure& f) {
        EXPECT_EQ(f.number(), 6);
    }
    store.setValue("Optionen/StartVal", "2147483647");
    EXPECT_EQ(settings.startVal(), 2147483647);
}
