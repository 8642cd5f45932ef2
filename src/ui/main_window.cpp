// The main window: its elements, start-up, layout, and what the game session asks of it.
#include "main_window.h"

#include "announcer.h"
#include "core/numbers.h"
#include "ids/text_ids.h"
#include "panel_layout.h"
#include "panel_widgets.h"
#include "pictures.h"
#include "theme.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>

#include <utility>

namespace marvolen::ui {

namespace {

const QString kModule = QStringLiteral("frmMarvolen");

/// The game's window as assistive technology sees it: a window named "Marvolen", active while
/// it is, with the announcer's status bar after its widgets.
class MainWindowAccessible : public QAccessibleWidget {
  public:
    explicit MainWindowAccessible(QWidget* window)
        : QAccessibleWidget(window, QAccessible::Window) {}
    int childCount() const override {
        return QAccessibleWidget::childCount() + (statusBar() ? 1 : 0);
    }
    QAccessibleInterface* child(int index) const override {
        const int widgets = QAccessibleWidget::childCount();
        return index == widgets ? statusBar() : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child && child == statusBar())
            return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(child);
    }

  private:
    QAccessibleInterface* statusBar() const { return announcerStatusBar(*widget()); }
};

QAccessibleInterface* mainWindowAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(MainWindow::staticMetaObject.className()))
        if (auto* window = qobject_cast<MainWindow*>(object))
            return new MainWindowAccessible(window);
    return nullptr;
}

/// The tooltip text of each command button that follows the language; the home page's stays.
struct CommandTooltip {
    int button;
    int text;
};
constexpr CommandTooltip kTooltips[] = {{app::CommandButton::Start, Text::StartGame},
                                        {app::CommandButton::End, Text::EndGame},
                                        {app::CommandButton::Rules, Text::Rules},
                                        {app::CommandButton::Help, Text::Help},
                                        {app::CommandButton::Marbles, Text::SelectMarbles},
                                        {app::CommandButton::Board, Text::SelectBoard},
                                        {app::CommandButton::Options, Text::MoreOptions},
                                        {app::CommandButton::Champions, Text::ShowChampions}};

} // namespace

MainWindow::MainWindow(Services& services, audio::MediaCommands& media, app::Windows& windows,
                       std::function<void(bool)> aboutBusy, std::function<void()> aboutShowOk)
    : m_services(services), m_aboutBusy(std::move(aboutBusy)),
      m_aboutShowOk(std::move(aboutShowOk)) {
    static const bool installed = [] {
        QAccessible::installFactory(mainWindowAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("frmMarvolen"));
    setWindowTitle(QStringLiteral("Marvolen"));
    m_announcer = new Announcer(*this);
    // The board and the panel's controls take the focus; keys they leave reach the window.
    setFocusPolicy(Qt::NoFocus);
    setStyleSheet(theme::styleSheet());
    m_timer1.setInterval(1000);
    m_timer1.setTimerType(Qt::PreciseTimer);
    m_timer2.setInterval(1000);

    m_board = new BoardWidget(this);
    m_board->setAnnouncer(m_announcer);
    // Shown above the board while the game is a practice game; a label of the window, so that
    // a screen reader finds it beside the board.
    m_practiceMark = new QLabel(app::assist::PracticeAids::practiceMark(), this);
    m_practiceMark->setObjectName(QStringLiteral("lblPractice"));
    // It lies on the board's bare margin: the pointer and a dropped marble pass through to the
    // board, as if it were not there.
    m_practiceMark->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_practiceMark->hide();
    // Over the board while a line is played out, a label like the practice mark.
    m_playbackStatus = new QLabel(this);
    m_playbackStatus->setObjectName(QStringLiteral("lblPlayback"));
    m_playbackStatus->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_playbackStatus->hide();
    m_playbackTimer.setInterval(int(app::kPlaybackStep.count()));
    buildPanel();
    buildMenu();
    m_session = std::make_unique<app::GameSession>(
        app::SessionParts{services, media, m_resources, *m_board, *this, *this, services.dialogs,
                          services.sounds, windows, services.dataFolder});
    app::GameSession* s = m_session.get();
    s->addPositionListener(*this);
    // Everything the player does reaches the session through these signals.
    connect(&m_timer1, &QTimer::timeout, this, [s] { s->Timer1_Timer(); });
    connect(&m_timer2, &QTimer::timeout, this, [s] { s->Timer2_Timer(); });
    connect(&m_playbackTimer, &QTimer::timeout, this, [s] { s->playbackTick(); });
    connect(m_board, &BoardWidget::marbleLifted, this, [s](int p) { s->lift(p); });
    connect(m_board, &BoardWidget::droppedOnMarble, this,
            [s](int target, int dragged) { s->dropOnMarble(target, dragged); });
    connect(m_board, &BoardWidget::droppedOnHole, this,
            [s](int target, int dragged) { s->dropOnHole(target, dragged); });
    connect(m_board, &BoardWidget::droppedOnBoard, this, [s](int d) { s->dropOnBoard(d); });
    connect(m_board, &BoardWidget::pointerMoved, this, [s] { s->pointerOverBoard(); });
    connect(m_fraLayout, &ThumbnailFrame::variantClicked, this,
            [s](int i) { s->imgLoff_Click(i); });
    connect(m_fraKnopf, &CommandFrame::commandClicked, this, [s](int i) { s->optBut_Click(i); });
    connect(m_fraKnopf, &CommandFrame::flagClicked, this, [s](int i) { s->imgLang_Click(i); });
    connect(m_mnuPlaySounds, &QAction::triggered, this, [s] { s->mnuPlaySounds_Click(); });
    for (int i = 0; i < audio::MusicMode::Count; ++i)
        connect(m_mnuMusic[std::size_t(i)], &QAction::triggered, this,
                [s, i] { s->mnuMusic_Click(i); });
    connect(m_mnuOneMarble, &QAction::triggered, this, [s] { s->mnuOneMarble_Click(); });
    connect(m_mnuHint, &QAction::triggered, this, [s] { s->mnuHint_Click(); });
    connect(m_mnuUndo, &QAction::triggered, this, [s] { s->mnuUndo_Click(); });
    connect(m_mnuRedo, &QAction::triggered, this, [s] { s->mnuRedo_Click(); });
    connect(m_mnuBestGame, &QAction::triggered, this, [s] { s->mnuBestGame_Click(); });
    connect(m_mnuStatistics, &QAction::triggered, this, [s] { s->mnuStatistics_Click(); });
    connect(m_mnuCopyBoard, &QAction::triggered, this, [s] { s->mnuCopyBoard_Click(); });
    connect(m_mnuPasteBoard, &QAction::triggered, this, [s] { s->mnuPasteBoard_Click(); });
    connect(m_mnuUeber, &QAction::triggered, this, [s] { s->mnuUeber_Click(); });
    resize(toPixels(kDesignInner));
    Form_Load();
}

MainWindow::~MainWindow() {
    unload();
}

QPushButton* MainWindow::button(int index) const {
    return m_fraKnopf->button(index);
}

QString MainWindow::text(int n) const {
    return m_services.language.text(n);
}

void MainWindow::buildPanel() {
    m_panel = new PanelWidget(this);
    m_logo = new QLabel(m_panel);
    m_logo->setObjectName(QStringLiteral("imgLogo"));
    m_logo->setScaledContents(true);
    m_logo->setPixmap(ui::loadPicture(QStringLiteral(":/res/PIC/logo")));
    m_logo->setAccessibleName(QStringLiteral("Marvolen"));
    m_copyright = new QLabel(QStringLiteral("© 2026 The Marvolen developers"), m_panel);
    m_copyright->setObjectName(QStringLiteral("lblCopyright"));
    QFont small = m_copyright->font();
    small.setPointSizeF(7);
    m_copyright->setFont(small);
    m_copyright->adjustSize();
    m_fraAnzeige = new DisplayFrame(m_panel);
    m_fraLayout = new ThumbnailFrame(m_panel);
    m_fraKnopf = new CommandFrame(m_panel);
    m_board->setDisplays(m_fraAnzeige);
    // Tab walks the commands, the variants, the languages, the two displays, then the board.
    QWidget* previous = nullptr;
    auto chain = [&](QWidget* next) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    };
    for (int i = 0; i < app::CommandButton::Count; ++i)
        chain(button(i));
    for (QWidget* thumbnail : m_fraLayout->tabOrder())
        chain(thumbnail);
    for (QWidget* flag : m_fraKnopf->findChildren<ClickableLabel*>())
        chain(flag);
    chain(m_fraAnzeige->reading(game::Display::Time));
    chain(m_fraAnzeige->reading(game::Display::MarbleCount));
    chain(m_board);
}

void MainWindow::buildMenu() {
    // The top-level caption is never shown, so never translated.
    m_menu = new QMenu(QStringLiteral("&Optionen"), this);
    m_menu->setObjectName(QStringLiteral("mnuOptionen"));
    m_mnuPlaySounds = m_menu->addAction(QStringLiteral("&Geräusche"));
    m_mnuPlaySounds->setObjectName(QStringLiteral("mnuPlaySounds"));
    m_mnuPlaySounds->setCheckable(true);
    m_mnuPlayMusic = m_menu->addMenu(QStringLiteral("&Hintergrundmusik"));
    m_mnuPlayMusic->setObjectName(QStringLiteral("mnuPlayMusic"));
    const char* captions[audio::MusicMode::Count] = {"&Keine", "&Einmal", "End&los"};
    for (int i = 0; i < audio::MusicMode::Count; ++i) {
        QAction* a = m_mnuPlayMusic->addAction(QString::fromUtf8(captions[i]));
        a->setObjectName(QStringLiteral("mnuMusic%1").arg(i));
        a->setCheckable(true);
        m_mnuMusic[std::size_t(i)] = a;
    }
    m_mnuMusic[audio::MusicMode::Once]->setChecked(true);
    m_mnuOneMarble = m_menu->addAction(oneMarbleCaption());
    m_mnuOneMarble->setObjectName(QStringLiteral("mnuOneMarble"));
    m_mnuOneMarble->setCheckable(true);
    m_mnuHint = m_menu->addAction(hintCaption());
    m_mnuHint->setObjectName(QStringLiteral("mnuHint"));
    m_mnuHint->setShortcut(QKeySequence(Qt::Key_H));
    m_mnuUndo = m_menu->addAction(undoCaption());
    m_mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    m_mnuUndo->setShortcut(QKeySequence::Undo);
    m_mnuRedo = m_menu->addAction(redoCaption());
    m_mnuRedo->setObjectName(QStringLiteral("mnuRedo"));
    m_mnuRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m_mnuBestGame = m_menu->addAction(bestGameCaption());
    m_mnuBestGame->setObjectName(QStringLiteral("mnuBestGame"));
    m_mnuBestGame->setShortcut(QKeySequence(Qt::Key_B));
    m_mnuStatistics = m_menu->addAction(statisticsCaption());
    m_mnuStatistics->setObjectName(QStringLiteral("mnuStatistics"));
    m_mnuStatistics->setShortcut(QKeySequence(Qt::Key_S));
    m_mnuCopyBoard = m_menu->addAction(copyBoardCaption());
    m_mnuCopyBoard->setObjectName(QStringLiteral("mnuCopyBoard"));
    m_mnuCopyBoard->setShortcut(QKeySequence::Copy);
    m_mnuPasteBoard = m_menu->addAction(pasteBoardCaption());
    m_mnuPasteBoard->setObjectName(QStringLiteral("mnuPasteBoard"));
    m_mnuPasteBoard->setShortcut(QKeySequence::Paste);
    // Their keys work while the menu is closed.
    for (QAction* action : {m_mnuHint, m_mnuUndo, m_mnuRedo, m_mnuBestGame, m_mnuStatistics,
                            m_mnuCopyBoard, m_mnuPasteBoard}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    m_menu->addSeparator()->setObjectName(QStringLiteral("sep0"));
    m_mnuUeber = m_menu->addAction(QStringLiteral("Über..."));
    m_mnuUeber->setObjectName(QStringLiteral("mnuUeber"));
}

// ------------------------------------------------------------------------------------------
// Load, activation, unload

void MainWindow::Form_Load() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Form_Load"));
    p.step(50030, [&] {
        if (m_aboutBusy)
            m_aboutBusy(true);
    });
    p.step(50040, [&] {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::black);
        setPalette(pal);
        setAutoFillBackground(true);
    });
    m_session->load(p);
    p.step(50150, [&] { Sprache(); });
    p.step(50160, [&] {
        if (m_aboutBusy)
            m_aboutBusy(false);
        if (m_aboutShowOk)
            m_aboutShowOk();
    });
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void MainWindow::Form_Activate() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Form_Activate"));
    p.step(50030, [&] { Sprache(); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

void MainWindow::unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    Form_Unload();
}

void MainWindow::Form_Unload() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Form_Unload"));
    m_session->unload(p);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (m_session->Form_KeyPress(event->key()))
        return;
    QWidget::keyPressEvent(event);
}

// ------------------------------------------------------------------------------------------
// Layout

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Without a window manager a shown window may never become active; its captions must
    // follow a language chosen in the start window all the same.
    Form_Activate();
    // The first display lays the window out; later shows keep the game.
    if (!m_laidOut && !isMinimized())
        Form_Resize();
    // Asked over the window the game goes on in, once it is there.
    if (!std::exchange(m_offered, true))
        QMetaObject::invokeMethod(
            this, [this] { m_session->offerUnfinishedGame(); }, Qt::QueuedConnection);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A minimized window has no size to lay out; hidden windows are laid out when shown.
    if (isMinimized() || width() <= 0 || height() <= 0 || !isVisible())
        return;
    if (m_laidOut && event->size() == event->oldSize())
        return;
    Form_Resize();
    placePracticeMark();
    placePlaybackStatus();
}

void MainWindow::placePracticeMark() {
    m_practiceMark->adjustSize();
    m_practiceMark->move(m_board->geometry().topLeft() + QPoint(8, 8));
    m_practiceMark->raise();
}

void MainWindow::placePlaybackStatus() {
    m_playbackStatus->adjustSize();
    const QRect board = m_board->geometry();
    m_playbackStatus->move(board.left() + 8, board.bottom() - m_playbackStatus->height() - 8);
    m_playbackStatus->raise();
}

void MainWindow::Form_Resize() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Form_Resize"));
    m_laidOut = true;
    PanelLayout l;
    p.step(50030, [&] {
        l = computeLayout(m_services.reporter,
                          QSizeF(width() * kTwipsPerPixel, height() * kTwipsPerPixel));
        m_board->setGeometry(toPixels(l.board));
    });
    m_session->resetForResize(p);
    p.step(50060, [&] { m_panel->setGeometry(toPixels(l.panel)); });
    p.step(50070,
           [&] { m_panel->setBackground(ui::loadPicture(QStringLiteral(":/res/PIC/panel"))); });
    p.step(50100, [&] {
        m_logo->setGeometry(toPixels(l.logo));
        m_copyright->adjustSize();
        m_copyright->move((m_panel->width() - m_copyright->width()) / 2, toPixels(l.copyrightTop));
    });
    p.step(50110, [&] {
        m_fraAnzeige->move(toPixels(l.frames[0]).topLeft());
        m_fraLayout->move(toPixels(l.frames[1]).topLeft());
        m_fraKnopf->move(toPixels(l.frames[2]).topLeft());
    });
    p.step(50120, [&] {
        // The borders go around the fields as the player sees them, in whole pixels.
        std::array<QRect, 3> fields;
        for (std::size_t k = 0; k < 3; ++k)
            fields[k] = toPixels(l.fields[k]);
        m_panel->decorate(fields, m_services.reporter);
    });
    p.step(50130, [&] { m_panel->show(); });
    p.step(50140, [&] { m_fraLayout->showAll(); });
    m_session->finishResize(p);
}

// ------------------------------------------------------------------------------------------
// Captions

void MainWindow::Sprache() {
    Procedure p(m_services.reporter, kModule, QStringLiteral("Sprache"));
    p.step(50030, [&] {
        m_mnuPlayMusic->setTitle(text(Text::MusicMenu));
        m_mnuMusic[audio::MusicMode::Off]->setText(text(Text::MusicOff));
        m_mnuMusic[audio::MusicMode::Once]->setText(text(Text::MusicOnce));
        m_mnuMusic[audio::MusicMode::Loop]->setText(text(Text::MusicLoop));
        m_mnuPlaySounds->setText(text(Text::SoundEffects));
        m_mnuUeber->setText(text(Text::About));
    });
    p.step(50040, [&] {
        for (const CommandTooltip& tip : kTooltips)
            m_fraKnopf->setTooltip(tip.button, text(tip.text));
    });
    p.step(50050, [&] {
        QStringList tips;
        for (int i = 0; i < game::kVariants; ++i)
            tips << text(Text::SelectVariant) + numbers::withSignPlace(i + 1);
        m_fraLayout->setTooltips(tips);
    });
    p.step(50060, [&] { m_services.installQtTranslations(m_services.language.LanguageOffset()); });
    // After the translations of the new language are in place.
    p.step(50070, [&] {
        m_mnuOneMarble->setText(oneMarbleCaption());
        m_mnuHint->setText(hintCaption());
        m_mnuUndo->setText(undoCaption());
        m_mnuRedo->setText(redoCaption());
        m_mnuBestGame->setText(bestGameCaption());
        m_mnuStatistics->setText(statisticsCaption());
        m_mnuCopyBoard->setText(copyBoardCaption());
        m_mnuPasteBoard->setText(pasteBoardCaption());
        m_practiceMark->setText(app::assist::PracticeAids::practiceMark());
        m_practiceMark->adjustSize();
        m_fraAnzeige->retranslate();
        m_fraLayout->setAccessibleName(QCoreApplication::translate("Marvolen", "Variants"));
        m_fraKnopf->retranslate();
        m_board->retranslate();
        m_fraKnopf->setCurrentFlag(m_services.language.LanguageOffset() / 1000);
    });
}

QString MainWindow::oneMarbleCaption() {
    return QCoreApplication::translate("Marvolen", "Is one marble still &reachable?");
}

QString MainWindow::hintCaption() {
    return QCoreApplication::translate("Marvolen", "&Hint");
}

QString MainWindow::undoCaption() {
    return QCoreApplication::translate("Marvolen", "&Undo jump");
}

QString MainWindow::redoCaption() {
    return QCoreApplication::translate("Marvolen", "R&edo jump");
}

QString MainWindow::bestGameCaption() {
    return QCoreApplication::translate("Marvolen", "Show the &best game");
}

QString MainWindow::statisticsCaption() {
    return QCoreApplication::translate("Marvolen", "&Statistics...");
}

QString MainWindow::copyBoardCaption() {
    return QCoreApplication::translate("Marvolen", "&Copy board");
}

QString MainWindow::pasteBoardCaption() {
    return QCoreApplication::translate("Marvolen", "&Paste board");
}

// ------------------------------------------------------------------------------------------
// What the session asks of the window

void MainWindow::releaseButton(int index) {
    button(index)->setDown(false);
}

void MainWindow::setButtonHighlighted(int index, bool highlighted) {
    m_fraKnopf->setHighlighted(index, highlighted);
}

void MainWindow::showVariantSelected(int index) {
    m_fraLayout->showSelected(index);
}

void MainWindow::setSoundChecked(bool checked) {
    m_mnuPlaySounds->setChecked(checked);
}

void MainWindow::setMusicChecked(int index, bool checked) {
    m_mnuMusic.at(std::size_t(index))->setChecked(checked);
}

void MainWindow::setOneMarbleChecked(bool checked) {
    m_mnuOneMarble->setChecked(checked);
}

void MainWindow::showHint(int from, int to) {
    m_board->showHint(from, to);
}

void MainWindow::setCountWarning(bool warning) {
    m_board->setCountWarning(warning);
}

void MainWindow::showPracticeMark(bool shown) {
    if (shown)
        placePracticeMark();
    m_practiceMark->setVisible(shown);
}

void MainWindow::positionChanged(const game::Position& position, int jumpsMade) {
    // A jump made or taken back: its new count is told after what changed it.
    if (!position.fresh() && jumpsMade != m_jumpsMade)
        m_announcer->announce(m_fraAnzeige->reading(game::Display::MarbleCount)->sentence(), true);
    m_jumpsMade = jumpsMade;
}

void MainWindow::announce(const QString& text) {
    m_announcer->announce(text);
}

void MainWindow::setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QString MainWindow::clipboardText() const {
    return QGuiApplication::clipboard()->text();
}

void MainWindow::showTravel(int from, int to) {
    m_board->showTravel(from, to);
}

void MainWindow::setPlaybackStatus(const QString& status) {
    const bool shown = !status.isEmpty();
    m_playbackStatus->setText(status);
    if (shown)
        placePlaybackStatus();
    m_playbackStatus->setVisible(shown);
    if (shown == m_playbackKeys)
        return;
    // Watched from the application, so that the line's keys reach it whatever has the focus.
    m_playbackKeys = shown;
    if (shown)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

void MainWindow::setPlaybackTimer(bool running) {
    if (running)
        m_playbackTimer.start();
    else
        m_playbackTimer.stop();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!m_playbackKeys || !widget || widget->window() != this)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            break;
        const bool lineKey = key->key() == Qt::Key_Space || key->key() == Qt::Key_Left ||
                             key->key() == Qt::Key_Right || key->key() == Qt::Key_Escape;
        if (event->type() == QEvent::ShortcutOverride) {
            // Taken as a key press, never as a shortcut of the focused widget.
            if (lineKey)
                event->accept();
            return lineKey;
        }
        if (lineKey && m_session->playbackKey(key->key()))
            return true;
        // The board's own keys would lift marbles of a board that is not the game's.
        return widget == m_board && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (widget != m_board)
            break;
        m_session->stopPlayback();
        return true;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::post(std::function<void()> fn) {
    QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
}

void MainWindow::setBusy(bool busy) {
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void MainWindow::takeFocus() {
    // The board holds the window's keyboard focus; keys it does not take reach the window.
    if (isVisible())
        m_board->setFocus();
}

double MainWindow::boardHeight() const {
    return m_board->height() * kTwipsPerPixel;
}

void MainWindow::processEvents() {
    QCoreApplication::processEvents();
}

void MainWindow::setClockRunning(bool running) {
    if (running)
        m_timer1.start();
    else
        m_timer1.stop();
}

void MainWindow::setWatcherEnabled(bool enabled) {
    if (enabled)
        m_timer2.start();
    else
        m_timer2.stop();
}

void MainWindow::popupOptionsMenu() {
    // Clicked: at the pointer. Pressed by key, the pointer may be anywhere or, on Wayland,
    // unknown to the window: below the button that opened it.
    QPushButton* options = button(app::CommandButton::Options);
    const QPoint pointer = QCursor::pos();
    if (options->rect().contains(options->mapFromGlobal(pointer)))
        m_menu->popup(pointer);
    else
        m_menu->popup(options->mapToGlobal(QPoint(0, options->height())));
}

} // namespace marvolen::ui
