// The atomic file replacement: the whole new file or the old one, and the error numbers of a
// replacement that cannot happen.
#include "core/atomic_file.h"
#include "core/failure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace marvolen;

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

/// The error number replaceFileAtomically throws, 0 when it succeeds.
int failureOf(const QString& path, QByteArrayView bytes) {
    try {
        replaceFileAtomically(path, bytes);
        return 0;
    } catch (const Failure& failure) {
        return failure.number();
    }
}

} // namespace

TEST(AtomicFile, MakesTheFileOrReplacesAllOfIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Marvolen.hsc"));
    replaceFileAtomically(path, "[m4]\r\n1=22AB\r\n");
    EXPECT_EQ(contentOf(path), QByteArray("[m4]\r\n1=22AB\r\n"));
    replaceFileAtomically(path, "x");
    EXPECT_EQ(contentOf(path), QByteArray("x"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Marvolen.hsc")});
}

TEST(AtomicFile, AMissingFolderOrAFileInItsPlaceIsPathNotFoundAndLeavesNothingBehind) {
    QTemporaryDir dir;
    EXPECT_EQ(failureOf(dir.filePath(QStringLiteral("gone/x.hsc")), "v"), err::PathNotFound);
    // A regular file cannot hold a file, not even for root.
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_EQ(failureOf(dir.filePath(QStringLiteral("plain/x.hsc")), "v"), err::PathNotFound);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("plain")});
}

TEST(AtomicFile, AFileThatMayNotBeChangedKeepsItsContent) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes read-only files";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Marvolen.hsc"));
    replaceFileAtomically(path, "old");
    QFile::setPermissions(path, QFile::ReadOwner);
    // The replacement refuses a file its owner made read-only before it writes anything.
    EXPECT_EQ(failureOf(path, "new"), err::DeviceIO);
    EXPECT_EQ(contentOf(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Marvolen.hsc")});
}
