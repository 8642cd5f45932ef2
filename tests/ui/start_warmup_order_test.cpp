// The start-up's warm-up as main makes it: before the application object, so that its thread
// starts while no QApplication exists. A program of its own, without the window tests' main.
#include "ui/about_window.h"
#include "ui/pictures.h"
#include "ui/start_warmup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPixmapCache>

namespace {

using namespace marvolen;

QImage premultiplied(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(StartWarmup, MadeBeforeTheApplicationItHandsEachPictureOverUnderItsOwnName) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    QStringList files = ui::AboutWindow::pictureFiles() + ui::windowIconFiles();
    // A missing picture among them moves none of the others to another name.
    files.insert(1, QStringLiteral(":/res/PIC/no_such_picture"));
    ui::StartWarmup warmup(files);
    int argc = 1;
    char name[] = "test_start_warmup";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QPixmapCache::clear();
    warmup.handOver();
    warmup.handOver(); // the second call finds nothing more to do
    for (const QString& file : files) {
        const QImage shown = ui::loadPicture(file, 1.0).toImage();
        const QImage own = ui::decodePicture(file);
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

} // namespace
