// What the game's logic needs of the platform: questions and messages, sounds, and the other
// windows. Each interface is small, so that a window implements only what it shows and tests
// answer with a recorder.
#pragma once

#include "game/board_model.h"

#include <QString>

#include <cstdint>

namespace marvolen::app {

/// Questions and messages, modal over the main window.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    /// A Yes/No question with the question icon; true on Yes.
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
    /// A message with the information icon and an OK button.
    virtual void inform(const QString& title, const QString& text) = 0;
};

/// Plays one sound effect (PlayWAV).
class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    virtual void PlayWAV(std::int16_t id) = 0;
};

/// The other windows the commands open, and the end of the program.
class Windows {
  public:
    virtual ~Windows() = default;
    virtual void showRules() = 0;
    virtual void showHelp() = 0;
    /// Shows the marble chooser modally; returns the picture chosen, or the current one.
    virtual int chooseMarble(int current) = 0;
    /// Shows the board chooser modally; returns the picture chosen, or the current one.
    virtual int chooseBoard(int current) = 0;
    /// Shows the champions window modally, ranking the pending result or for viewing.
    virtual void showChampions(game::ResultHandover& handover, int variant) = 0;
    virtual void showAbout() = 0;
    /// Opens the maker's home page; the result is ignored.
    virtual void openHomepage() = 0;
    /// Shutdown: every window goes and the program ends.
    virtual void quit() = 0;
};

} // namespace marvolen::app
