// The game's pictures and its window icon, decoded from the resources for the screens they go to.
#pragma once

#include "game/strips.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace marvolen::ui {

/// The path of a picture's twin drawn anew at twice its size: the path with "@2x" appended.
QString doublePicturePath(const QString& path);

/// The picture at path for screens of the given device pixel ratio: above 1, its twin at twice
/// the size when the game carries one, marked with device pixel ratio 2 so that it keeps the
/// plain picture's logical size; at 1, the plain picture untouched. Null when there is none.
/// Each picture is decoded once, when first asked for, and kept in Qt's picture cache.
QPixmap loadPicture(const QString& path, qreal deviceRatio);

/// The same for the highest device pixel ratio among the screens.
QPixmap loadPicture(const QString& path);

/// The resource paths of the window icon's sizes.
QStringList windowIconFiles();

/// The program's icon for its windows, every size of it.
QIcon windowIcon();

/// The picture at path decoded without the display, in the pixel format a pixmap keeps: safe on
/// any thread, even before the application object exists. Null when there is none.
QImage decodePicture(const QString& path);

/// Keeps a picture decoded by decodePicture for loadPicture on screens of ratio 1, as if
/// loadPicture had decoded it itself; a null picture is not kept. Needs the application object.
void keepPicture(const QString& path, QImage picture);

/// Cell n of a strip picture from loadPicture: the cell's rectangle, given in pixels of the
/// plain strip, taken at the picture's own device pixel ratio; Failure 9 outside the strip.
QPixmap stripCellPicture(const QPixmap& strip, const game::StripLayout& layout, int n);

} // namespace marvolen::ui
