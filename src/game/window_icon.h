// The program's window icon: drawn by the generator at these sizes, given to every window.
#pragma once

#include <array>

namespace marvolen::game {

/// Title bars, task bars and window switchers take the nearest size. Each window sends every
/// size to the X server: the 256-pixel icon alone was a quarter of a megabyte and cost the start
/// window a few milliseconds before it appeared.
inline constexpr std::array<int, 5> kWindowIconSizes{16, 24, 32, 48, 64};

} // namespace marvolen::game
