// The language lookup through the profile reader, the first choice and the flag choice.
#include "core/failure.h"
#include "game/settings_store.h"
#include "lang/language.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace marvolen;
using namespace marvolen::lang;

namespace {

/// A small table with the cases that matter: a text with a trailing blank and TAB, a duplicate
/// key, a German text in Windows-1252, the closing NUL.
const QByteArray kTable =
    "[lang]\r\n"
    "0110 = Spiel starten\t\r\n"
    "1110 = Start game\t\r\n"
    "6110 = D\xe9marrer une partie\r\n"
    "1112 = Select game \t\r\n"
    "0119 = &Ger\xe4uscheffekte\t\r\n"
    "2113 = Reglas de juego\r\n"
    "2113 = Reglas del juego\r\n"
    "1171 = Aim of the game is to remove as many marbles as possible. \t\r\n" +
    QByteArray(1, '\0');

struct TableFile {
    QTemporaryDir dir;
    FixedReporter reporter;
    Language language{reporter};
    TableFile() {
        const QString path = dir.filePath("~tmp.lng");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(kTable);
        f.close();
        language.setLanguageFilePath(path);
    }
};

} // namespace

TEST(GetLang, LooksUpTheFourDigitKeyOfTheOffsetAndNumber) {
    TableFile t;
    EXPECT_EQ(t.language.GetLang(0 + 110), QStringLiteral("Spiel starten"));
    EXPECT_EQ(t.language.GetLang(6000 + 110), QStringLiteral("Démarrer une partie"));
    t.language.setLanguageOffset(1000);
    EXPECT_EQ(t.language.text(110), QStringLiteral("Start game"));
    EXPECT_EQ(t.language.GetLang(119), QStringLiteral("&Geräuscheffekte"));
}

TEST(GetLang, DropsTrailingBlanksAndTabsAndTakesTheFirstDuplicate) {
    TableFile t;
    EXPECT_EQ(t.language.GetLang(1112), QStringLiteral("Select game"));
    EXPECT_EQ(t.language.GetLang(1171),
              QStringLiteral("Aim of the game is to remove as many marbles as possible."));
    EXPECT_EQ(t.language.GetLang(2113), QStringLiteral("Reglas de juego"));
}

TEST(GetLang, AMissingKeyOrFileGivesTheEmptyTextWithoutAReport) {
    TableFile t;
    EXPECT_EQ(t.language.GetLang(1106), QString());
    Language before(t.reporter); // before start-up has written the file
    EXPECT_EQ(before.GetLang(110), QString());
    before.setLanguageFilePath(t.dir.filePath("gone.lng"));
    EXPECT_EQ(before.GetLang(110), QString());
    EXPECT_EQ(t.reporter.count(), 0);
}

TEST(GetLang, WithoutAFilePathTheTableIsReadFromMemory) {
    FixedReporter reporter;
    Language language(reporter);
    EXPECT_EQ(language.GetLang(110), QString()); // nothing in memory either
    language.setTableInMemory(kTable);
    EXPECT_EQ(language.GetLang(110), QStringLiteral("Spiel starten"));
    EXPECT_EQ(language.GetLang(119), QStringLiteral("&Geräuscheffekte"));
    EXPECT_EQ(language.GetLang(1112), QStringLiteral("Select game"));
    EXPECT_EQ(language.GetLang(1106), QString());
    // A file, once there is one, is what counts, even when it has gone.
    language.setLanguageFilePath(QStringLiteral("/nonexistent-marvolen/~tmp.lng"));
    EXPECT_EQ(language.GetLang(110), QString());
    EXPECT_EQ(reporter.count(), 0);
}

TEST(LocaleIdentifiers, OnlyGermanInGermanyChoosesGerman) {
    EXPECT_EQ(localeIdentifier(QLocale(QLocale::German, QLocale::Germany)), "0407");
    EXPECT_EQ(localeIdentifier(QLocale(QLocale::German, QLocale::Austria)), "0c07");
    EXPECT_EQ(offsetForLocaleIdentifier("0407"), 0);
    for (const char* id : {"0409", "0c07", "0807", "040c", ""})
        EXPECT_EQ(offsetForLocaleIdentifier(id), 1000) << id;
}

class FirstChoice : public testing::Test {
  protected:
    QTemporaryDir dir;
    QSettings store{dir.filePath("settings.conf"), QSettings::IniFormat};
    game::SettingsStore settings{store};
    FixedReporter reporter;
    Language language{reporter};
};

TEST_F(FirstChoice, TheFirstStartChoosesFromTheLocaleAndStoresIt) {
    chooseLanguage(language, settings, "0407", reporter);
    EXPECT_EQ(language.LanguageOffset(), 0);
    EXPECT_EQ(settings.rawText("Sprache"), "0");
    EXPECT_EQ(settings.rawText("StartVal"), "1");
    // The next start uses the stored choice whatever the locale.
    chooseLanguage(language, settings, "0409", reporter);
    EXPECT_EQ(language.LanguageOffset(), 0);
    EXPECT_EQ(settings.rawText("StartVal"), "2");
}

TEST_F(FirstChoice, AnyOtherLocaleChoosesEnglish) {
    chooseLanguage(language, settings, "0c07", reporter);
    EXPECT_EQ(language.LanguageOffset(), 1000);
    EXPECT_EQ(settings.rawText("Sprache"), "1000");
}

TEST_F(FirstChoice, BothStoredFormsOfTheLanguageReadAlike) {
    settings.setStartVal(5);
    settings.setSpracheWithSignPlace(1000);
    EXPECT_EQ(settings.rawText("Sprache"), " 1000");
    chooseLanguage(language, settings, "0407", reporter);
    EXPECT_EQ(language.LanguageOffset(), 1000);
    EXPECT_EQ(settings.rawText("Sprache"), " 1000"); // a later start leaves it as it is
    settings.setSprachePlain(6000);
    chooseLanguage(language, settings, "0407", reporter);
    EXPECT_EQ(language.LanguageOffset(), 6000);
}

TEST_F(FirstChoice, ADamagedStoredValueIsReportedFromTheAboutWindow) {
    store.setValue("Optionen/StartVal", "lots");
    chooseLanguage(language, settings, "0407", reporter);
    EXPECT_EQ(reporter.last().number, 13);
    EXPECT_EQ(reporter.last().module, QStringLiteral("frmInfo"));
    EXPECT_EQ(reporter.last().procedure, QStringLiteral("Form_Activate"));
}

TEST_F(FirstChoice, AStoreThatCannotBeReadOrWrittenIsReportedAndTheLocalesChoiceHolds) {
    // A folder has taken the settings file's name: nothing can be read or written.
    const QString blocked = dir.filePath("blocked.conf");
    ASSERT_TRUE(QDir().mkdir(blocked));
    QSettings blockedStore(blocked, QSettings::IniFormat);
    game::SettingsStore unusable(blockedStore);
    FixedReporter ignore(Answer::Ignore);
    chooseLanguage(language, unusable, "0407", ignore);
    // Reading StartVal, then writing Sprache and StartVal of the first start.
    ASSERT_EQ(ignore.count(), 3);
    EXPECT_EQ(ignore.last().number, 75);
    EXPECT_EQ(ignore.last().description, QStringLiteral("Path/File access error"));
    EXPECT_EQ(ignore.last().module, QStringLiteral("frmInfo"));
    EXPECT_EQ(ignore.last().procedure, QStringLiteral("Form_Activate"));
    EXPECT_EQ(ignore.last().line, 50050);
    EXPECT_EQ(language.LanguageOffset(), 0);
    // Later in the run: no first start again, but its count is not saved either.
    chooseLanguage(language, unusable, "0409", ignore);
    ASSERT_EQ(ignore.count(), 4);
    EXPECT_EQ(ignore.last().line, 50050);
    EXPECT_EQ(language.LanguageOffset(), 0);
}

TEST(FlagChoice, TheCurrentLanguagesFlagChangesNothing) {
    EXPECT_EQ(aboutFlagChoice(1, 1000), std::nullopt);
    EXPECT_EQ(aboutFlagChoice(6, 1000), std::optional<std::int16_t>(6000));
    EXPECT_EQ(flagTooltip(2), QStringLiteral("Español"));
    EXPECT_EQ(flagTooltip(6), QStringLiteral("Français"));
    EXPECT_THROW(flagTooltip(4), Failure);
}
