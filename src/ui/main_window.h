// The main window frmMarvolen: the board at the left, the panel with displays, variant
// thumbnails, command buttons and flags at the right, and the options menu.
#pragma once

#include "app/audio/media_service.h"
#include "app/game_session.h"
#include "app/resources.h"
#include "board_widget.h"
#include "services.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace marvolen::ui {

class CommandFrame;
class Announcer;
class DisplayFrame;
class PanelWidget;
class ThumbnailFrame;

/// The window of the game: its widgets, their layout and pictures, and the wiring to the game
/// session, which holds every rule.
class MainWindow : public QWidget,
                   private app::SessionView,
                   private app::assist::AidsView,
                   private app::PositionListener {
    Q_OBJECT

  public:
    /// Form_Load: made hidden by the start-up. windows opens the other windows; aboutBusy and
    /// aboutShowOk give the start window's busy pointer and OK button (may be empty in tests).
    MainWindow(Services& services, audio::MediaCommands& media, app::Windows& windows,
               std::function<void(bool busy)> aboutBusy = {},
               std::function<void()> aboutShowOk = {});
    ~MainWindow() override;

    app::GameSession& session() { return *m_session; }
    const game::BoardModel& model() const { return m_session->model(); }
    BoardWidget& board() { return *m_board; }
    QPushButton* button(int index) const;
    QMenu* optionsMenu() const { return m_menu; }
    Announcer& announcer() { return *m_announcer; }
    /// Unloads the window as Shutdown does (runs Form_Unload once).
    void unload();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // SessionView
    void releaseButton(int index) override;
    void setButtonHighlighted(int index, bool highlighted) override;
    void showVariantSelected(int index) override;
    void setSoundChecked(bool checked) override;
    void setMusicChecked(int index, bool checked) override;
    void setBusy(bool busy) override;
    void takeFocus() override;
    bool isShown() const override { return isVisible(); }
    double boardHeight() const override;
    void processEvents() override;
    void setClockRunning(bool running) override;
    void setWatcherEnabled(bool enabled) override;
    void Sprache() override;
    void popupOptionsMenu() override;
    void announce(const QString& text) override;
    void setClipboardText(const QString& text) override;
    QString clipboardText() const override;
    void showTravel(int from, int to) override;
    void setPlaybackStatus(const QString& status) override;
    void setPlaybackTimer(bool running) override;
    // AidsView
    void showHint(int from, int to) override;
    void setCountWarning(bool warning) override;
    void setOneMarbleChecked(bool checked) override;
    void showPracticeMark(bool shown) override;
    void post(std::function<void()> fn) override;
    // PositionListener
    void positionChanged(const game::Position& position, int jumpsMade) override;

    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_Unload();
    void buildPanel();
    void buildMenu();
    QString text(int n) const;
    static QString oneMarbleCaption();
    static QString hintCaption();
    static QString undoCaption();
    static QString redoCaption();
    static QString statisticsCaption();
    static QString bestGameCaption();
    static QString copyBoardCaption();
    static QString pasteBoardCaption();
    /// Puts the practice mark in the board's top left corner.
    void placePracticeMark();
    /// Puts the state of a line played out in the board's bottom left corner.
    void placePlaybackStatus();

    Services& m_services;
    std::function<void(bool)> m_aboutBusy;
    std::function<void()> m_aboutShowOk;

    BoardWidget* m_board = nullptr;
    PanelWidget* m_panel = nullptr;
    QLabel* m_logo = nullptr;
    QLabel* m_copyright = nullptr;
    DisplayFrame* m_fraAnzeige = nullptr;
    ThumbnailFrame* m_fraLayout = nullptr;
    CommandFrame* m_fraKnopf = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_mnuPlaySounds = nullptr;
    QMenu* m_mnuPlayMusic = nullptr;
    std::array<QAction*, audio::MusicMode::Count> m_mnuMusic{};
    QAction* m_mnuOneMarble = nullptr;
    QAction* m_mnuHint = nullptr;
    QAction* m_mnuUndo = nullptr;
    QAction* m_mnuRedo = nullptr;
    QAction* m_mnuBestGame = nullptr;
    QAction* m_mnuStatistics = nullptr;
    QAction* m_mnuCopyBoard = nullptr;
    QAction* m_mnuPasteBoard = nullptr;
    QLabel* m_practiceMark = nullptr;
    QLabel* m_playbackStatus = nullptr;
    Announcer* m_announcer = nullptr;
    QAction* m_mnuUeber = nullptr;
    QTimer m_timer1;
    QTimer m_timer2;
    QTimer m_playbackTimer;
    bool m_playbackKeys = false; // the window's keys and the board's clicks go to a line shown

    app::AppResources m_resources;
    std::unique_ptr<app::GameSession> m_session;
    bool m_unloaded = false;
    bool m_laidOut = false;
    bool m_offered = false; // the game left unfinished was offered
    int m_jumpsMade = 0;    // as last told by the session
};

} // namespace marvolen::ui
