// The main window frmMarvolen: the board at the left, the panel with displays, variant
// thumbnails, command buttons and flags at the right, and the options menu.
#pragma once

#include "app/audio/audio_engine.h"
#include "app/audio/music_logic.h"
#include "board_widget.h"
#include "game/board_model.h"
#include "panel_layout.h"
#include "services.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;

namespace marvolen::ui {

class PanelWidget;
class ClickableLabel;

/// The commands that open other windows; the program wires them (Rules, Help, the choosers,
/// the champions window and the About box).
struct MainWindowCommands {
    std::function<void()> showRules;
    std::function<void()> showHelp;
    /// Shows the marble chooser modally; returns the picture chosen (or the current one).
    std::function<int(int current)> chooseMarble;
    /// Shows the board chooser modally; returns the picture chosen (or the current one).
    std::function<int(int current)> chooseBoard;
    /// Shows the champions window modally, for the pending result or for viewing.
    std::function<void(game::ResultHandover& handover, int variant)> showChampions;
    std::function<void()> showAbout;
};

class MainWindow : public QWidget, private game::BoardView, private audio::MusicHost {
    Q_OBJECT

public:
    /// Form_Load: made hidden by the start-up; about gives the start window's busy pointer
    /// and OK button (may be empty in tests).
    MainWindow(Services& services, audio::AudioEngine& audio, MainWindowCommands commands,
               std::function<void(bool busy)> aboutBusy = {},
               std::function<void()> aboutShowOk = {});
    ~MainWindow() override;

    // --- for the program and for tests ---
    game::BoardModel& model() { return *m_model; }
    audio::MusicLogic& music() { return *m_music; }
    BoardWidget& board() { return *m_board; }
    QPushButton* button(int index) const { return m_buttons.at(std::size_t(index)); }
    QMenu* optionsMenu() const { return m_menu; }
    int MarblePicture() const { return m_marblePicture; }
    int BoardPicture() const { return m_boardPicture; }
    /// The time of the last accepted command click, in days.
    double lastClickTime() const { return m_lastClickTime; }
    /// Unloads the window as Shutdown does (runs Form_Unload once).
    void unload();

    // --- the handlers ---
    void optBut_Click(int index);
    void imgLoff_Click(int index);
    void imgLang_Click(int index);
    void mnuUeber_Click();
    void Sprache();
    void Timer1_Timer();
    void Timer2_Timer();
    /// Escape asks whether to end the game; returns true when the key was swallowed.
    bool Form_KeyPress(int key);

    // --- the board's picture operations ---
    void LoadKugel();
    void PaintBoard();
    void NewKugel();
    void NewBoard();

    /// Runs Shutdown; set by the program.
    std::function<void()> shutdown;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    // BoardView
    void setHoleShown(int position, bool shown) override;
    void setMarbleShown(int position, bool shown) override;
    void moveHole(int position, int left, int top) override;
    void moveMarble(int position, int left, int top) override;
    void showDigits(game::Display display, const std::array<int, 4>& cells) override;
    void setClockRunning(bool running) override;
    void playSound(int id) override;
    void showGameOver() override;
    void resetButtonColours() override;
    void showChampions() override;
    // MusicHost
    void setMusicChecked(int index, bool checked) override;
    void setSoundChecked(bool checked) override;
    void setWatcherEnabled(bool enabled) override;
    void processPendingEvents() override;

    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_Unload();
    void buildPanel();
    void buildMenu();
    void setButtonColours(int index, bool highlighted);
    QPixmap digitCell(int cell) const;
    QPixmap layoutCell(int cell) const;
    bool soundOn() const;
    void sound(int id);
    QString text(int n) const;
    double now() const;
    /// The board surface's height in board units.
    double boardHeight() const;

    Services& m_services;
    audio::AudioEngine& m_audio;
    MainWindowCommands m_commands;
    std::function<void(bool)> m_aboutBusy;
    std::function<void()> m_aboutShowOk;

    std::unique_ptr<game::BoardModel> m_model;
    std::unique_ptr<audio::MusicLogic> m_music;
    audio::AppResources m_resources;

    BoardWidget* m_board = nullptr;
    PanelWidget* m_panel = nullptr;
    QLabel* m_logo = nullptr;
    QLabel* m_copyright = nullptr;
    QFrame* m_fraAnzeige = nullptr;
    QFrame* m_fraLayout = nullptr;
    QFrame* m_fraKnopf = nullptr;
    std::array<QLabel*, 4> m_imgZeit{};
    std::array<QLabel*, 4> m_imgKugelzahl{};
    std::array<QLabel*, 2> m_lblTime{};
    std::array<ClickableLabel*, 20> m_imgLoff{};
    std::array<QLabel*, 20> m_imgLon{};
    std::array<QPushButton*, 9> m_buttons{};
    std::array<ClickableLabel*, 7> m_imgLang{};
    QMenu* m_menu = nullptr;
    QAction* m_mnuPlaySounds = nullptr;
    QMenu* m_mnuPlayMusic = nullptr;
    std::array<QAction*, 3> m_mnuMusic{};
    QAction* m_mnuUeber = nullptr;
    QTimer m_timer1;
    QTimer m_timer2;

    QPixmap m_digitStrip;
    QPixmap m_layoutStrip;
    std::array<QString, 2> m_displayText{QStringLiteral("    "), QStringLiteral("    ")};

    double m_lastClickTime = 0;
    int m_boardPicture = 1;
    int m_marblePicture = 3;
    int m_paintedBoard = 0;
    int m_loadedMarble = 0;
    bool m_unloaded = false;
    bool m_laidOut = false;
};

} // namespace marvolen::ui
