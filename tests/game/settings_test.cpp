// Every settings key: its default, the exact text written, damaged values and a store that
// cannot be read or written.
#include "core/failure.h"
#include "game/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

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
    EXPECT_EQ(settings.oneMarbleWarning(), 0);
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
    settings.setOneMarbleWarning(-1);
    EXPECT_EQ(settings.rawText("OneMarbleWarning"), "-1");
    settings.setOneMarbleWarning(0);
    EXPECT_EQ(settings.rawText("OneMarbleWarning"), " 0");
    settings.setOneMarbleWarning(-1);
    // Both forms read back alike, also after the store was reopened.
    QSettings reopened(dir.filePath("Marvolen.conf"), QSettings::IniFormat);
    SettingsStore again(reopened);
    EXPECT_EQ(again.playSound(), -1);
    EXPECT_EQ(again.oneMarbleWarning(), -1);
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

namespace {

/// Runs body and gives the number of the Failure it threw, or 0.
template <typename Body> int failureOf(Body body) {
    try {
        body();
    } catch (const Failure& f) {
        return f.number();
    }
    return 0;
}

bool runAsRoot() {
    return ::geteuid() == 0;
}

} // namespace

TEST(SettingsFailure, AFolderInPlaceOfTheFileIsReportedOnceOnReadingAndOnEveryWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Marvolen.conf");
    ASSERT_TRUE(QDir().mkdir(path));
    QSettings store(path, QSettings::IniFormat);
    SettingsStore settings(store);

    EXPECT_EQ(failureOf([&] { settings.board(); }), err::PathFileAccess);
    // Reported once: every read after it gives the defaults without a word.
    EXPECT_EQ(settings.board(), 1);
    EXPECT_EQ(settings.kugel(), 3);
    EXPECT_EQ(settings.startVal(), 0);

    EXPECT_EQ(failureOf([&] { settings.setKugel(7); }), err::PathFileAccess);
    EXPECT_EQ(failureOf([&] { settings.setStartVal(1); }), err::PathFileAccess);
    EXPECT_EQ(failureOf([&] { settings.setPlaySound(0); }), err::PathFileAccess);
    EXPECT_EQ(failureOf([&] { settings.setOneMarbleWarning(-1); }), err::PathFileAccess);
    EXPECT_TRUE(QFileInfo(path).isDir());
    // The choices stay for the rest of the run, so StartVal leaves 0 at least until the end.
    EXPECT_EQ(settings.kugel(), 7);
    EXPECT_EQ(settings.startVal(), 1);
}

TEST(SettingsFailure, AFileWhereTheFolderShouldBeFailsEveryWriteButReadsTheDefaults) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("config"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettings store(dir.filePath("config/Marvolen/Marvolen.conf"), QSettings::IniFormat);
    SettingsStore settings(store);

    EXPECT_EQ(failureOf([&] { EXPECT_EQ(settings.layout(), 4); }), 0); // no file is no failure
    EXPECT_EQ(failureOf([&] { settings.setLayout(5); }), err::PathFileAccess);
    EXPECT_EQ(failureOf([&] { settings.setSprachePlain(1000); }), err::PathFileAccess);
}

TEST(SettingsFailure, AfterTheFolderIsMendedWritesSucceedAndSaveTheEarlierChoiceToo) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Marvolen.conf");
    ASSERT_TRUE(QDir().mkdir(path));
    QSettings store(path, QSettings::IniFormat);
    SettingsStore settings(store);
    EXPECT_EQ(failureOf([&] { settings.setKugel(9); }), err::PathFileAccess);
    EXPECT_EQ(failureOf([&] { settings.setBoard(2); }), err::PathFileAccess);

    ASSERT_TRUE(QDir().rmdir(path));
    // What Retry does: the same write again, now without a failure.
    EXPECT_EQ(failureOf([&] { settings.setBoard(2); }), 0);
    EXPECT_EQ(failureOf([&] { settings.setLayout(3); }), 0);
    // The file's own bytes: another QSettings on it would share this one's unwritten changes.
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "[Optionen]\nBoard=2\nKugel=9\nLayout=3\n");
}

TEST(SettingsFailure, ADamagedFileIsReadAsFarAsItGoesWithoutAReport) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Marvolen.conf");
    QFile damaged(path);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("[Optionen\nBoard=3\n");
    damaged.close();
    QSettings store(path, QSettings::IniFormat);
    SettingsStore settings(store);
    EXPECT_EQ(failureOf([&] { settings.kugel(); }), 0);
    EXPECT_EQ(failureOf([&] { settings.setKugel(4); }), 0);
}

TEST(SettingsFailure, PermissionsThatForbidItArePermissionDenied) {
    if (runAsRoot())
        GTEST_SKIP() << "permissions do not bind root";
    QTemporaryDir dir;
    const QString folder = dir.filePath("ro");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + "/Marvolen.conf";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Optionen]\nBoard=3\n");
    }
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    {
        QSettings store(path, QSettings::IniFormat);
        SettingsStore settings(store);
        EXPECT_EQ(failureOf([&] { settings.board(); }), err::PermissionDenied);
        EXPECT_EQ(failureOf([&] { settings.setBoard(4); }), err::PermissionDenied);
    }
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
