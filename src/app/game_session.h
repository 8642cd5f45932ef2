// The game as the player drives it: the commands, the variant and picture choice, the clock
// tick, the end of a game and its hand-over, sound and music; no widget in sight.
#pragma once

#include "app/assist/practice_aids.h"
#include "app/audio/media_service.h"
#include "app/audio/music_logic.h"
#include "app/audio/resource_access.h"
#include "app/best_game.h"
#include "app/carry_over.h"
#include "app/command_buttons.h"
#include "app/game_context.h"
#include "app/ports.h"
#include "app/position_listener.h"
#include "game/board_model.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace marvolen::app {

/// What the session needs of the main window: its command buttons, thumbnails, menu check
/// marks, pointer, captions and timers.
class SessionView {
  public:
    virtual ~SessionView() = default;
    /// Sets command button index (a CommandButton) back to not pressed.
    virtual void releaseButton(int index) = 0;
    /// Gives command button index the highlight colours or its resting colours.
    virtual void setButtonHighlighted(int index, bool highlighted) = 0;
    /// Shows variant index as the selected thumbnail, every other one as not selected.
    virtual void showVariantSelected(int index) = 0;
    virtual void setSoundChecked(bool checked) = 0;
    /// The check mark of music item index (an audio::MusicMode).
    virtual void setMusicChecked(int index, bool checked) = 0;
    /// The hourglass pointer over the window, or the default one.
    virtual void setBusy(bool busy) = 0;
    /// Gives the window the keyboard focus when it is visible.
    virtual void takeFocus() = 0;
    virtual bool isShown() const = 0;
    /// The board surface's height in board units.
    virtual double boardHeight() const = 0;
    /// Lets pending window events run once.
    virtual void processEvents() = 0;
    /// The game clock's one-second timer (Timer1).
    virtual void setClockRunning(bool running) = 0;
    /// The music watcher's one-second timer (Timer2).
    virtual void setWatcherEnabled(bool enabled) = 0;
    /// Gives menus and tooltips their texts in the current language (Sprache).
    virtual void Sprache() = 0;
    virtual void popupOptionsMenu() = 0;
    /// Tells a screen reader what just happened, whatever has the focus.
    virtual void announce(const QString& text) = 0;
    /// Puts text on the clipboard, and the text there.
    virtual void setClipboardText(const QString& text) = 0;
    virtual QString clipboardText() const = 0;
    /// Draws the marble that jumped from `from` into `to` travelling there.
    virtual void showTravel(int from, int to) = 0;
    /// The state of a line played out, shown over the board; empty when none plays, and the
    /// window's keys and clicks on the board then are the game's again.
    virtual void setPlaybackStatus(const QString& status) = 0;
    /// The step timer of a line played out: playbackTick every kPlaybackStep while running.
    virtual void setPlaybackTimer(bool running) = 0;
};

/// Everything the session works with, given from outside so that tests replace each part.
struct SessionParts : GameContext {
    audio::MediaCommands& media;
    audio::ResourceAccess& resources;
    game::BoardView& board;
    SessionView& view;
    assist::AidsView& aidsView;
    Dialogs& dialogs;
    SoundPlayer& sounds;
    Windows& windows;
    /// Where the unfinished game and the statistics are kept.
    QString dataFolder;
};

/// The least time between two accepted command clicks: 1/100000 day.
inline constexpr std::chrono::milliseconds kClickPause{864};

/// The click rule on the steady clock: a command click less than kClickPause after the last
/// accepted one is ignored; the first click of a run always counts.
bool clickAccepted(std::chrono::milliseconds now,
                   std::optional<std::chrono::milliseconds> lastClick);

/// The main window's game: owns the board model, the practice aids and the music, and is the one
/// owner of "sound on" and the music mode. Every move reaches the model through it, and it
/// tells its listeners of every change of position. Failures are reported as the main window's
/// ("frmMarvolen").
class GameSession : private game::BoardEvents,
                    private audio::MusicHost,
                    private assist::AssistedGame {
  public:
    explicit GameSession(SessionParts parts);
    ~GameSession() override;

    const game::BoardModel& model() const { return *m_model; }
    /// The result handed to the champions list.
    game::ResultHandover& handover() { return m_model->handover(); }
    const audio::MusicLogic& music() const { return *m_music; }
    assist::PracticeAids& aids() { return *m_aids; }
    const assist::PracticeAids& aids() const { return *m_aids; }
    bool soundOn() const { return m_soundOn != 0; }
    int MarblePicture() const { return m_marblePicture; }
    int BoardPicture() const { return m_boardPicture; }
    /// Tells listener of every change of position from now on.
    void addPositionListener(PositionListener& listener) { m_listeners.push_back(&listener); }
    /// The steady time of the last accepted command click; none before the first.
    std::optional<std::chrono::milliseconds> lastClickTime() const { return m_lastClickTime; }

    /// The game's share of the window's load, as statements of its Form_Load: the stored
    /// pictures, the marble picture, the coordinates, the stored variant and "sound on".
    void load(Procedure& formLoad);
    /// The game's share of a resize before the panel is laid out (Form_Resize): paints the
    /// board and ends a game in progress.
    void resetForResize(Procedure& formResize);
    /// The game's share of a resize after the panel is laid out: selects the stored variant,
    /// sets up a fresh board and applies the stored music mode.
    void finishResize(Procedure& formResize);
    /// The game's share of the window's unload: the game in progress is kept as it stands; the
    /// clock, the music, the tune files and the language file go.
    void unload(Procedure& formUnload);
    /// Once the window shows: offers the game left unfinished in an earlier sitting, if any.
    /// Taken up, it goes on as a practice game from its board, its jumps and its clock.
    void offerUnfinishedGame();
    /// The statistics as counted so far, and clearing them.
    game::StatisticsTable statistics() const { return m_carry->statistics(); }
    std::optional<Failure> clearStatistics() { return m_carry->clearStatistics(); }

    // --- the handlers ---
    void optBut_Click(int index);
    void imgLoff_Click(int index);
    void imgLang_Click(int index);
    void mnuUeber_Click();
    void mnuPlaySounds_Click();
    void mnuMusic_Click(int index);
    // The practice aids' menu items and keys; each first ends a line played out.
    void mnuOneMarble_Click() { m_aids->mnuOneMarble_Click(); }
    void mnuHint_Click() { aid(&assist::PracticeAids::mnuHint_Click); }
    void mnuUndo_Click() { aid(&assist::PracticeAids::mnuUndo_Click); }
    void mnuRedo_Click() { aid(&assist::PracticeAids::mnuRedo_Click); }
    void mnuStatistics_Click();
    /// Plays out the best line from the board, or from the variant's start when no game runs;
    /// in a game that could still be ranked, once the player agrees to a practice game.
    void mnuBestGame_Click();
    /// A line played out or looked for, its keys, its step timer, and a click that stops it.
    const BestGame& bestGame() const { return *m_bestGame; }
    bool playbackKey(int key) { return m_bestGame->key(key); }
    void playbackTick() { m_bestGame->tick(); }
    void stopPlayback() { m_bestGame->end(); }
    /// Copies the board as text: a line naming the variant and the marbles, then its rows.
    void mnuCopyBoard_Click();
    /// Sets up the board the clipboard's text shows as a practice game, on the current variant
    /// when its holes are that variant's, else on the variant whose holes they are. Text that is
    /// no board of any variant is told to the player and changes nothing.
    void mnuPasteBoard_Click();
    /// Escape asks whether to end the game; returns true when the key was taken.
    bool Form_KeyPress(int key);
    void Timer1_Timer();
    void Timer2_Timer();

    // --- moves, as the board surface reports a drag or the keyboard's lift and drop ---
    void lift(int source) { m_model->lift(source); }
    void dropOnMarble(int target, int dragged) { m_model->dropOnMarble(target, dragged); }
    void dropOnHole(int target, int dragged) { m_model->dropOnHole(target, dragged); }
    void dropOnBoard(int dragged) { m_model->dropOnBoard(dragged); }
    void pointerOverBoard() { m_model->pointerOverBoard(); }
    /// Sets the board from its text form (tests and benchmarks), as a move would.
    void setBoardText(const QString& text) { m_model->setText(text); }

    // --- the board's pictures ---
    void LoadKugel();
    void PaintBoard();
    void NewKugel();
    void NewBoard();

  private:
    // BoardEvents
    void playSound(int id) override { sound(id); }
    void setClockRunning(bool running) override;
    void showGameOver() override;
    void resetButtonColours() override;
    void showChampions() override;
    void positionChanged() override;
    // MusicHost
    void setWatcherEnabled(bool enabled) override;
    void processPendingEvents() override;
    // AssistedGame
    // A game set up to go on with is in progress before its clock runs again.
    bool gameInProgress() const override { return m_model->clockRunning() || m_setUp; }
    game::Position position() const override { return m_model->position(); }
    void putBackLifted() override { m_model->putBackLifted(); }
    bool takeBackJump() override { return m_model->undoJump(); }
    bool putBackJump() override { return m_model->redoJump(); }
    int jumpsUndone() const override { return m_model->jumpsUndone(); }

    void aid(void (assist::PracticeAids::*handler)()) {
        m_bestGame->end();
        (m_aids.get()->*handler)();
        // The game kept says at once that it became a practice game.
        keepGame();
    }
    /// Plays a sound effect when sound effects are on.
    void sound(int id);
    QString text(int n) const;
    /// The steady clock's reading.
    std::chrono::milliseconds now() const;
    /// Asks whether to end the game and ends it on Yes; true on Yes.
    bool askQuit();
    void runCommand(int index);
    /// The running game as the unfinished game's file keeps it.
    game::SavedGame savedGame() const;
    /// Keeps the running game after a change of its position, or drops it for a fresh board.
    void keepGame();
    /// Sets a game up on the board to go on with: the clock stands until the next move, and it
    /// is a practice game.
    void setUpGame(const game::SavedGame& game);

    SessionParts m_parts;
    std::unique_ptr<game::BoardModel> m_model;
    std::unique_ptr<audio::MusicLogic> m_music;
    std::unique_ptr<assist::PracticeAids> m_aids;
    std::vector<PositionListener*> m_listeners;
    std::unique_ptr<CarryOver> m_carry;
    std::unique_ptr<BestGame> m_bestGame;
    /// The board a pasted game began from; none for the board Start leaves.
    std::optional<game::Position> m_pastedStart;
    /// A game set up to go on with, whose clock runs again at the next move.
    bool m_setUp = false;
    /// The game on the board was set up, not begun with Start: its end says so.
    bool m_setUpGame = false;
    std::int16_t m_soundOn = -1;
    std::optional<std::chrono::milliseconds> m_lastClickTime;
    int m_boardPicture = 1;
    int m_marblePicture = 3;
    int m_paintedBoard = 0;
    int m_loadedMarble = 0;
};

} // namespace marvolen::app
