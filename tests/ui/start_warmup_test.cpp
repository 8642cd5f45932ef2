// The start-up's early work: pictures decoded on a thread before the windows exist must be the
// very pictures the windows would have decoded themselves, each under its own name.
#include "app/resources.h"
#include "app_fixture.h"
#include "game/window_icon.h"
#include "ui/about_window.h"
#include "ui/start_warmup.h"

#include <gtest/gtest.h>

#include <QPixmapCache>

#include <vector>

namespace {

using namespace marvolen;
using test::ensureApplication;

QImage premultiplied(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QStringList startPictures() {
    return ui::AboutWindow::pictureFiles() + app::windowIconFiles();
}

class StartPictures : public ::testing::Test {
  protected:
    // Every test starts from an empty cache and leaves one: the other tests must meet the real
    // pictures, never a marker kept here.
    void SetUp() override {
        ensureApplication();
        QPixmapCache::clear();
    }
    void TearDown() override { QPixmapCache::clear(); }
};

TEST_F(StartPictures, AKeptPictureIsWhatTheLoaderGivesOnScreensOfRatioOne) {
    const QString path = QStringLiteral(":/res/PIC/about_large");
    QImage marker(7, 5, QImage::Format_ARGB32_Premultiplied);
    marker.fill(Qt::red);
    app::keepPicture(path, marker);
    EXPECT_EQ(premultiplied(app::loadPicture(path, 1.0).toImage()), marker);
    // A screen of high density still gets the picture of double size.
    EXPECT_EQ(app::loadPicture(path, 2.0).size(), QSize(712, 660));
    // A null picture is not kept: the loader decodes the real one.
    const QString small = QStringLiteral(":/res/PIC/about_small");
    app::keepPicture(small, QImage());
    EXPECT_EQ(app::loadPicture(small, 1.0).size(), QSize(32, 32));
}

TEST_F(StartPictures, DecodedOffTheDisplayTheyEqualTheLoadersPictures) {
    const QStringList files = startPictures();
    ASSERT_EQ(files.size(), 7 + int(game::kWindowIconSizes.size()));
    for (const QString& file : files) {
        const QImage early = app::decodePicture(file);
        ASSERT_FALSE(early.isNull()) << qPrintable(file);
        EXPECT_EQ(premultiplied(app::loadPicture(file, 1.0).toImage()), premultiplied(early))
            << qPrintable(file);
    }
    EXPECT_TRUE(app::decodePicture(QStringLiteral(":/res/PIC/no_such_picture")).isNull());
}

TEST(StartWarmup, MadeBeforeTheApplicationItHandsEachPictureOverUnderItsOwnName) {
    QStringList files = startPictures();
    // A missing picture among them moves none of the others to another name.
    files.insert(1, QStringLiteral(":/res/PIC/no_such_picture"));
    // As in main: made before the application object (when this test runs in a process of its
    // own, as CTest runs it).
    ui::StartWarmup warmup(files);
    ensureApplication();
    QPixmapCache::clear();
    warmup.handOver();
    warmup.handOver(); // the second call finds nothing more to do
    for (const QString& file : files) {
        const QImage shown = app::loadPicture(file, 1.0).toImage();
        const QImage own = app::decodePicture(file);
        ASSERT_EQ(shown.isNull(), own.isNull()) << qPrintable(file);
        if (!own.isNull()) {
            EXPECT_EQ(premultiplied(shown), premultiplied(own)) << qPrintable(file);
        }
    }
    QPixmapCache::clear();
    // The program may end before it hands the pictures over (a failing start): the thread ends
    // with the warm-up all the same.
    ui::StartWarmup never(files);
}

TEST_F(StartPictures, TheWindowIconHasEverySizeOfItsOwn) {
    const QIcon icon = app::windowIcon();
    QList<QSize> expected;
    for (int size : game::kWindowIconSizes)
        expected << QSize(size, size);
    EXPECT_EQ(icon.availableSizes(), expected);
    for (int size : game::kWindowIconSizes)
        EXPECT_EQ(icon.pixmap(QSize(size, size)).size(), QSize(size, size));
}

} // namespace
