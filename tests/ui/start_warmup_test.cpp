// The start-up's early work: pictures decoded on a thread before the windows exist must be the
// very pictures the windows would have decoded themselves. The warm-up itself, made before the
// application object, is start_warmup_order_test.cpp.
#include "game/window_icon.h"
#include "ui/about_window.h"
#include "ui/pictures.h"

#include <gtest/gtest.h>

#include <QPixmapCache>

#include <vector>

namespace {

using namespace marvolen;

QImage premultiplied(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QStringList startPictures() {
    return ui::AboutWindow::pictureFiles() + ui::windowIconFiles();
}

class StartPictures : public ::testing::Test {
  protected:
    // Every test starts from an empty cache and leaves one: the other tests must meet the real
    // pictures, never a marker kept here.
    void SetUp() override { QPixmapCache::clear(); }
    void TearDown() override { QPixmapCache::clear(); }
};

TEST_F(StartPictures, AKeptPictureIsWhatTheLoaderGivesOnScreensOfRatioOne) {
    const QString path = QStringLiteral(":/res/PIC/about_large");
    QImage marker(7, 5, QImage::Format_ARGB32_Premultiplied);
    marker.fill(Qt::red);
    ui::keepPicture(path, marker);
    EXPECT_EQ(premultiplied(ui::loadPicture(path, 1.0).toImage()), marker);
    // A screen of high density still gets the picture of double size.
    EXPECT_EQ(ui::loadPicture(path, 2.0).size(), QSize(712, 660));
    // A null picture is not kept: the loader decodes the real one.
    const QString small = QStringLiteral(":/res/PIC/about_small");
    ui::keepPicture(small, QImage());
    EXPECT_EQ(ui::loadPicture(small, 1.0).size(), QSize(32, 32));
}

TEST_F(StartPictures, DecodedOffTheDisplayTheyEqualTheLoadersPictures) {
    const QStringList files = startPictures();
    ASSERT_EQ(files.size(), 7 + int(game::kWindowIconSizes.size()));
    for (const QString& file : files) {
        const QImage early = ui::decodePicture(file);
        ASSERT_FALSE(early.isNull()) << qPrintable(file);
        EXPECT_EQ(premultiplied(ui::loadPicture(file, 1.0).toImage()), premultiplied(early))
            << qPrintable(file);
    }
    EXPECT_TRUE(ui::decodePicture(QStringLiteral(":/res/PIC/no_such_picture")).isNull());
}

TEST_F(StartPictures, TheWindowIconHasEverySizeOfItsOwn) {
    const QIcon icon = ui::windowIcon();
    QList<QSize> expected;
    for (int size : game::kWindowIconSizes)
        expected << QSize(size, size);
    EXPECT_EQ(icon.availableSizes(), expected);
    for (int size : game::kWindowIconSizes)
        EXPECT_EQ(icon.pixmap(QSize(size, size)).size(), QSize(size, size));
}

} // namespace
