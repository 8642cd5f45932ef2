// Who hears of the game's changes of position.
#pragma once

#include "game/position.h"

namespace marvolen::app {

/// Hears of every change of the game's position, once per change.
class PositionListener {
  public:
    virtual ~PositionListener() = default;
    /// A fresh board, Start, a jump or a jump taken back; jumpsMade counts the jumps made on
    /// this board since its fresh start.
    virtual void positionChanged(const game::Position& position, int jumpsMade) = 0;
};

} // namespace marvolen::app
