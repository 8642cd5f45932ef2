// The main window's nine command buttons by what they do.
#pragma once

namespace marvolen::app {

/// The value is the button's index, as optBut_Click takes it.
namespace CommandButton {
enum : int { Start, End, Rules, Help, Marbles, Board, Homepage, Options, Champions };
inline constexpr int Count = 9;
} // namespace CommandButton

} // namespace marvolen::app
