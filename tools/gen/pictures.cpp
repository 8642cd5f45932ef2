// Every picture of the game, listed under its resource alias, and the contact sheet to look at.
#include "generators.h"
#include "icons.h"
#include "pictures_common.h"

#include "game/window_icon.h"
#include "ids/resource_ids.h"

#include <QFont>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

namespace gen {
namespace {

struct Picture {
    QString alias;
    QImage image;
};

/// Every picture that the windows show, drawn anew at twice its size for screens of high
/// density, under its alias with "@2x" appended. The hole pictures, stretched into 40-pixel
/// elements, are 80 pixels: twice the element they fill.
std::vector<Picture> makeDoublePictures(const QImage& programIcon) {
    using namespace pic;
    constexpr int k2 = 2;
    std::vector<Picture> all;
    auto add = [&all](const QString& alias, QImage image) {
        all.push_back({alias + QStringLiteral("@2x"), std::move(image)});
    };
    for (int n = 1; n <= kMarbles; ++n)
        add(QStringLiteral("%1/%2")
                .arg(QLatin1String(marvolen::ResourceType::Icon))
                .arg(marvolen::ResourceId::marble(n)),
            marbleImage(n, 32 * k2));
    for (int n = 1; n <= kBoards; ++n) {
        const QImage board = boardImage(n, k2);
        add(QStringLiteral("%1/%2")
                .arg(QLatin1String(marvolen::ResourceType::Bitmap))
                .arg(marvolen::ResourceId::board(n)),
            board);
        add(QStringLiteral("PIC/hole%1").arg(n - 1), holeElementImage(board, 40 * k2, k2));
        add(QStringLiteral("PIC/boardthumb%1").arg(n),
            boardThumbnail(board, holeImage(board, 13 * k2, k2), k2));
        if (n == 1)
            add(QStringLiteral("PIC/about_large"),
                aboutPicture(board, holeImage(board, 46 * k2, k2), k2));
    }
    add(QStringLiteral("PIC/digits"), digitStrip(k2));
    add(QStringLiteral("PIC/digits_amber"), digitStrip(k2, kAmberDigits));
    add(QStringLiteral("PIC/layout"), layoutStrip(k2));
    add(QStringLiteral("PIC/panel"), panelImage(k2));
    add(QStringLiteral("PIC/logo"), logoImage(marbleImage(kLogoMarble, 15 * k2), k2));
    for (int flag : {0, 1, 2, 3, 6})
        add(QStringLiteral("PIC/flag%1").arg(flag), flagImage(flag, k2));
    add(QStringLiteral("PIC/about_small"), boxDownscale(programIcon, 8 / k2));
    return all;
}

std::vector<Picture> makePictures() {
    using namespace pic;
    std::vector<Picture> all;
    for (int n = 1; n <= kMarbles; ++n)
        all.push_back({QStringLiteral("%1/%2")
                           .arg(QLatin1String(marvolen::ResourceType::Icon))
                           .arg(marvolen::ResourceId::marble(n)),
                       marbleImage(n, 32)});

    std::vector<QImage> boards;
    for (int n = 1; n <= kBoards; ++n)
        boards.push_back(boardImage(n));
    for (int n = 1; n <= kBoards; ++n)
        all.push_back({QStringLiteral("%1/%2")
                           .arg(QLatin1String(marvolen::ResourceType::Bitmap))
                           .arg(marvolen::ResourceId::board(n)),
                       boards[std::size_t(n - 1)]});
    for (int n = 1; n <= kBoards; ++n)
        all.push_back({QStringLiteral("PIC/hole%1").arg(n - 1),
                       holeElementImage(boards[std::size_t(n - 1)], 48)});
    for (int n = 1; n <= kBoards; ++n) {
        const QImage& board = boards[std::size_t(n - 1)];
        all.push_back({QStringLiteral("PIC/boardthumb%1").arg(n),
                       boardThumbnail(board, holeImage(board, 13))});
    }

    all.push_back({QStringLiteral("PIC/digits"), digitStrip()});
    all.push_back({QStringLiteral("PIC/digits_amber"), digitStrip(1, kAmberDigits)});
    all.push_back({QStringLiteral("PIC/layout"), layoutStrip()});
    all.push_back({QStringLiteral("PIC/panel"), panelImage()});
    all.push_back({QStringLiteral("PIC/logo"), logoImage(marbleImage(kLogoMarble, 15))});
    for (int flag : {0, 1, 2, 3, 6})
        all.push_back({QStringLiteral("PIC/flag%1").arg(flag), flagImage(flag)});

    const QImage icon = programIcon(boards[0]);
    all.push_back({QStringLiteral("PIC/about_small"), boxDownscale(icon, 8)});
    all.push_back(
        {QStringLiteral("PIC/about_large"), aboutPicture(boards[0], holeImage(boards[0], 46))});
    for (int size : marvolen::game::kWindowIconSizes)
        all.push_back({QStringLiteral("PIC/winicon%1").arg(size), iconImage(size)});
    for (Picture& twice : makeDoublePictures(icon))
        all.push_back(std::move(twice));
    return all;
}

/// One picture on the sheet: its alias, the picture at its size and four times larger (for a
/// tall picture, four times its top-left corner), the two side by side or, for a wide picture,
/// one above the other.
struct Tile {
    const Picture* picture;
    QImage zoomed;
    QString label;
    QPoint zoomedAt;
    QSize size;
};

constexpr int kSheetWidth = 2800;

Tile makeTile(const Picture& pic) {
    constexpr int kCrop = 120, kLabel = 20, kGap = 12;
    const QImage& img = pic.image;
    const bool tall = img.height() > 160;
    const QImage part = tall ? img.copy(0, 0, kCrop, kCrop) : img;
    Tile t{&pic,
           part.scaled(part.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation),
           pic.alias + (tall ? QStringLiteral("  (corner at 4x)") : QString()),
           {},
           {}};
    const bool stacked = img.width() + kGap + t.zoomed.width() + 16 > kSheetWidth;
    t.zoomedAt =
        stacked ? QPoint(0, kLabel + img.height() + kGap) : QPoint(img.width() + kGap, kLabel);
    const QRect both = QRect(QPoint(0, kLabel), img.size()) | QRect(t.zoomedAt, t.zoomed.size());
    t.size = QSize(std::max(both.right() + 16, 8 * int(t.label.size()) + 16), both.bottom() + 16);
    return t;
}

} // namespace

void writePictures(const QDir& out, Entries& entries) {
    for (const Picture& pic : makePictures()) {
        QString file = pic.alias;
        file.replace(QLatin1Char('/'), QLatin1Char('_'));
        file += QStringLiteral(".png");
        if (!pic.image.save(out.filePath(file), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out.filePath(file)));
            std::exit(1);
        }
        entries.emplace_back(pic.alias, file);
    }
}

void writePictureSheet(const QDir& out) {
    out.mkpath(QStringLiteral("."));
    const std::vector<Picture> all = makePictures();
    std::vector<Tile> tiles;
    for (const Picture& pic : all)
        tiles.push_back(makeTile(pic));

    // Tiles flow left to right in rows no wider than the sheet.
    std::vector<QPoint> at;
    int x = 0, y = 0, rowHeight = 0;
    for (const Tile& t : tiles) {
        if (x > 0 && x + t.size.width() > kSheetWidth) {
            x = 0;
            y += rowHeight;
            rowHeight = 0;
        }
        at.emplace_back(x, y);
        x += t.size.width();
        rowHeight = std::max(rowHeight, t.size.height());
    }
    QImage sheet(kSheetWidth, y + rowHeight, QImage::Format_RGB32);
    sheet.fill(QColor(118, 118, 118));
    QPainter p(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    p.setFont(font);
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const Tile& t = tiles[i];
        const QPoint o = at[i] + QPoint(8, 0);
        p.setPen(Qt::black);
        p.drawText(o + QPoint(0, 15), t.label);
        p.drawImage(o + QPoint(0, 20), t.picture->image);
        p.drawImage(o + t.zoomedAt, t.zoomed);
    }
    p.end();
    const QString path = out.filePath(QStringLiteral("contact_sheet.png"));
    if (!sheet.save(path, "PNG"))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

} // namespace gen
