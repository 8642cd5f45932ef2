// The program icon at every size of the desktop's icon theme, for the installed game.
#pragma once

#include <QDir>
#include <QImage>

#include <array>

namespace gen {

/// The sizes of the hicolor theme's application folders the icon is installed in.
inline constexpr std::array<int, 9> kIconSizes{16, 22, 24, 32, 48, 64, 128, 256, 512};

/// The program icon's design drawn for a size x size square.
QImage iconImage(int size);

/// Writes icon_<size>.png for every size of kIconSizes into out; false when a file could not be
/// written.
bool writeIcons(const QDir& out);

} // namespace gen
