// What the game's logic and windows need of the platform: questions and messages, text input,
// sounds, the desktop's programs and the other windows. Each interface is small, so that a
// window implements only what it shows and tests answer with a recorder.
#pragma once

#include "game/board_model.h"

#include <QString>
#include <QUrl>

#include <cstdint>

namespace marvolen::app {

/// Questions and messages of the game's windows, modal over the window the player works in.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    /// A Yes/No question with the question icon; true on Yes.
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
    /// The same question with No as its default button, for a step the player may regret.
    virtual bool askYesNoDefaultNo(const QString& title, const QString& text) = 0;
    /// A message with the information icon and an OK button.
    virtual void inform(const QString& title, const QString& text) = 0;
    /// The same message, which a screen reader introduces with `heard` after its title: what
    /// the player sees elsewhere on the screen, such as the result of the game.
    virtual void informAloud(const QString& title, const QString& text, const QString& heard) {
        Q_UNUSED(heard);
        inform(title, text);
    }
};

/// The error window's questions and messages: plain boxes without an icon, wide enough to keep
/// each line of their bilingual texts whole.
class PlainDialogs {
  public:
    virtual ~PlainDialogs() = default;
    /// A Yes/No question without an icon; true on Yes.
    virtual bool confirm(const QString& title, const QString& text) = 0;
    /// A message with an OK button and no icon.
    virtual void tell(const QString& title, const QString& text) = 0;
    /// Something the window tried went wrong: an OK button and the warning icon.
    virtual void warn(const QString& title, const QString& text) = 0;
};

/// Asks the player for a line of text.
class TextInput {
  public:
    virtual ~TextInput() = default;
    /// A text-input dialog with an empty field, OK and Cancel; Cancel gives the empty text.
    virtual QString askText(const QString& title, const QString& prompt) = 0;
};

/// Plays one sound effect (PlayWAV); callers ask the SoundSwitch first.
class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    virtual void PlayWAV(std::int16_t id) = 0;
};

/// SoundOn: whether sound effects are on, as the game session keeps it.
class SoundSwitch {
  public:
    virtual ~SoundSwitch() = default;
    virtual bool soundOn() const = 0;
};

/// The desktop's own programs.
class Desktop {
  public:
    virtual ~Desktop() = default;
    /// Opens a web page or a mail address ("mailto:"); the result is ignored.
    virtual void openUrl(const QUrl& url) = 0;
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
    /// Shows the statistics window modally.
    virtual void showStatistics() = 0;
    /// Opens the maker's home page; the result is ignored.
    virtual void openHomepage() = 0;
    /// Shutdown: every window goes and the program ends.
    virtual void quit() = 0;
};

/// The clipboard, for the error report: the protocol goes there before the mail program or the
/// web page opens, so that the player can paste it.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    /// Clears the clipboard and puts text on it as plain text.
    virtual void putText(const QString& text) = 0;
};

} // namespace marvolen::app
