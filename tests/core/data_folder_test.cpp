// The data folder: beside the program when a file can be made there, else the user's folder.
#include "core/data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace marvolen;

TEST(DataFolder, TheProgramFolderWhenAFileCanBeMadeThere) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fallback = dir.filePath(QStringLiteral("data/Marvolen"));
    EXPECT_EQ(chooseDataFolder(dir.path(), fallback), dir.path());
    EXPECT_FALSE(QFileInfo::exists(fallback));
    EXPECT_EQ(QDir(dir.path()).entryList(QStringList{QStringLiteral("~probe*")}, QDir::Files),
              QStringList())
        << "the probe file is removed";
}

TEST(DataFolder, TheCreatedFallbackWhenTheProgramFolderIsNoFolder) {
    QTemporaryDir dir;
    const QString fallback = dir.filePath(QStringLiteral("data/Marvolen"));
    const QString blocker = dir.filePath(QStringLiteral("plain-file"));
    {
        QFile file(blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(chooseDataFolder(blocker, fallback), fallback);
    EXPECT_TRUE(QFileInfo(fallback).isDir());
    EXPECT_EQ(chooseDataFolder(dir.filePath(QStringLiteral("missing")), fallback), fallback);
    EXPECT_EQ(chooseDataFolder(QString(), fallback), fallback);
}

TEST(DataFolder, TheFallbackWhenTheProgramFolderIsReadOnly) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    QTemporaryDir program, data;
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(chooseDataFolder(program.path(), data.path()), data.path());
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
