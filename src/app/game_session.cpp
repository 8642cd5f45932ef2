// The main window's game: commands, variant and picture choice, load and resize, sound and music.
#include "game_session.h"

#include "app/resources.h"
#include "core/numbers.h"
#include "game/board_text.h"
#include "ids/resource_ids.h"
#include "ids/sound_ids.h"
#include "ids/text_ids.h"

#include <QCoreApplication>
#include <QFile>
#include <qnamespace.h>

namespace marvolen::app {

namespace {
const QString kModule = QStringLiteral("frmMarvolen");
const QString kTitle = QStringLiteral("Marvolen");
constexpr int kThumbnails = 20;
} // namespace

bool clickAccepted(std::chrono::milliseconds now,
                   std::optional<std::chrono::milliseconds> lastClick) {
    return !lastClick || now - *lastClick >= kClickPause;
}

GameSession::GameSession(SessionParts parts) : m_parts(parts) {
    // Read first: nothing the start-up does may replace the game left unfinished.
    if (!m_parts.dataFolder.isEmpty())
        m_carry = std::make_unique<CarryOver>(m_parts.dataFolder);
    m_model = std::make_unique<game::BoardModel>(
        m_parts.board, static_cast<game::BoardEvents&>(*this), m_parts.reporter, m_parts.random);
    m_aids = std::make_unique<assist::PracticeAids>(static_cast<assist::AssistedGame&>(*this),
                                                    m_parts.aidsView, m_parts.dialogs,
                                                    m_parts.settings, m_parts.reporter);
    // The aids hear of a new position first, so that a hint in work is dropped before anyone
    // else looks at the board.
    m_listeners.push_back(m_aids.get());
    m_bestGame = std::make_unique<BestGame>(*m_model, m_parts.board, m_parts.view, *m_aids,
                                            [this] { return now(); });
    m_music = std::make_unique<audio::MusicLogic>(static_cast<audio::MusicHost&>(*this),
                                                  m_parts.media, m_parts.temp, m_parts.random,
                                                  m_parts.reporter, m_parts.resources);
}

GameSession::~GameSession() = default;

std::chrono::milliseconds GameSession::now() const {
    return m_parts.clock.steady();
}

QString GameSession::text(int n) const {
    return m_parts.language.text(n);
}

void GameSession::sound(int id) {
    if (soundOn())
        m_parts.sounds.PlayWAV(std::int16_t(id));
}

// ------------------------------------------------------------------------------------------
// Load, resize and unload

void GameSession::load(Procedure& p) {
    p.step(50080, [&] { m_boardPicture = m_parts.settings.board(); });
    p.step(50090, [&] { m_marblePicture = m_parts.settings.kugel(); });
    p.step(50100, [&] { LoadKugel(); });
    p.step(50110, [&] { m_model->Coordinates(); });
    p.step(50120, [&] { m_model->setVariantNumber(m_parts.settings.layout()); });
    p.step(50130, [&] { m_soundOn = m_parts.settings.playSound(); });
    p.step(50140, [&] { m_parts.view.setSoundChecked(soundOn()); });
    p.step(50145, [&] { m_aids->loadWarningSetting(); });
}

void GameSession::resetForResize(Procedure& p) {
    p.quiet([&] { m_bestGame->end(); });
    p.step(50040, [&] { PaintBoard(); });
    p.step(50050, [&] { m_model->setGameOver(true); });
}

void GameSession::finishResize(Procedure& p) {
    p.step(50150, [&] { imgLoff_Click(m_model->VariantNumber()); });
    p.step(50160, [&] { m_model->NewGame(); });
    p.step(50170, [&] { mnuMusic_Click(m_parts.settings.playMusic()); });
}

void GameSession::unload(Procedure& p) {
    p.quiet([&] {
        m_bestGame->end();
        if (m_carry && m_carry->running() && !m_model->GameOver())
            m_carry->keep(savedGame());
    });
    p.step(50030, [&] { m_parts.view.setClockRunning(false); });
    // Stops the music before its file goes, and deletes every tune file of this run.
    p.step(50040, [&] { m_music->closeOnUnload(); });
    p.quiet([&] {
        const QString& path = m_parts.language.LanguageFilePath();
        if (!path.isEmpty())
            QFile::remove(path);
    });
}

// ------------------------------------------------------------------------------------------
// The board's pictures

void GameSession::LoadKugel() {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("LoadKugel"));
    // One picture serves all 49 marbles and the drag image.
    p.step(50030, [&] { m_parts.board.setMarblePicture(ResourceId::marble(m_marblePicture)); });
    p.step(50040, [&] {
        if (m_parts.view.isShown())
            sound(Sound::RollIn);
    });
}

void GameSession::PaintBoard() {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("PaintBoard"));
    p.step(50030, [&] {
        const int index = m_boardPicture - 1;
        if (index < 0 || index >= ResourceId::BoardPictures)
            throw Failure(err::NoSuchElement, QString::number(index));
        m_parts.board.setHolePicture(m_boardPicture);
    });
    p.step(50040, [&] { m_parts.board.setBoardPicture(ResourceId::board(m_boardPicture)); });
    p.step(50050, [&] {
        m_parts.board.showBoard();
        m_parts.view.setBusy(false);
    });
}

void GameSession::NewBoard() {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("NewBoard"));
    p.step(50030, [&] {
        if (m_boardPicture == m_paintedBoard)
            return;
        m_parts.view.setBusy(true);
        m_parts.view.processEvents();
        sound(Sound::Start);
        PaintBoard();
        sound(Sound::RollIn);
        m_parts.settings.setBoard(m_boardPicture);
    });
    p.step(50040, [&] { m_paintedBoard = m_boardPicture; });
    p.step(50050, [&] { m_model->NewGame(); });
}

void GameSession::NewKugel() {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("NewKugel"));
    p.step(50030, [&] {
        if (m_marblePicture == m_loadedMarble)
            return;
        LoadKugel();
        // Noted as loaded only once stored, so that Retry after a failed write stores it.
        m_parts.settings.setKugel(m_marblePicture);
        m_loadedMarble = m_marblePicture;
    });
    p.step(50040, [&] { m_model->NewGame(); });
}

// ------------------------------------------------------------------------------------------
// Commands

void GameSession::optBut_Click(int index) {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("optBut_Click"));
    p.step(50030, [&] {
        if (index < 0 || index >= CommandButton::Count)
            throw Failure(err::NoSuchElement, QString::number(index));
        m_parts.view.releaseButton(index);
    });
    p.step(50040, [&] {
        if (!clickAccepted(now(), m_lastClickTime))
            p.leave();
    });
    p.step(50050, [&] { sound(Sound::Click); });
    p.step(50060, [&] { m_parts.view.processEvents(); });
    p.step(50070, [&] { m_lastClickTime = now(); });
    p.step(50080, [&] {
        for (int k = 0; k < CommandButton::Count; ++k)
            m_parts.view.setButtonHighlighted(k, false);
        m_parts.view.setButtonHighlighted(index, true);
    });
    p.step(50090, [&] { runCommand(index); });
}

void GameSession::runCommand(int index) {
    m_bestGame->end();
    switch (index) {
    case CommandButton::Start:
        m_setUp = false;
        m_model->StartGame(now());
        if (m_carry)
            m_carry->started(m_model->VariantNumber(), false);
        m_parts.view.announce(QCoreApplication::translate("Marvolen", "Game started"));
        break;
    case CommandButton::End:
        if (!askQuit())
            m_parts.view.setButtonHighlighted(CommandButton::End, false);
        break;
    case CommandButton::Rules:
        m_parts.windows.showRules();
        break;
    case CommandButton::Help:
        m_parts.windows.showHelp();
        break;
    case CommandButton::Marbles:
        m_model->setGameOver(true);
        m_loadedMarble = m_marblePicture;
        m_marblePicture = m_parts.windows.chooseMarble(m_marblePicture);
        NewKugel();
        break;
    case CommandButton::Board:
        m_model->setGameOver(true);
        m_paintedBoard = m_boardPicture;
        m_boardPicture = m_parts.windows.chooseBoard(m_boardPicture);
        NewBoard();
        break;
    case CommandButton::Homepage:
        m_parts.windows.openHomepage();
        break;
    case CommandButton::Options:
        m_parts.view.popupOptionsMenu();
        break;
    case CommandButton::Champions:
        // Opened for viewing: a result already ranked is not offered again.
        m_model->handover().NewResultPending = false;
        m_parts.windows.showChampions(m_model->handover(), m_model->VariantNumber());
        break;
    default:
        break;
    }
}

bool GameSession::askQuit() {
    if (!m_parts.dialogs.askYesNo(kTitle, text(Text::QuitQuestion)))
        return false;
    m_parts.windows.quit();
    return true;
}

void GameSession::imgLoff_Click(int index) {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("imgLoff_Click"));
    p.quiet([&] { m_bestGame->end(); });
    p.step(50030, [&] { m_parts.view.setBusy(true); });
    p.step(50040, [&] {
        if (index < 0 || index >= kThumbnails)
            throw Failure(err::NoSuchElement, QString::number(index));
        m_parts.view.showVariantSelected(index);
    });
    p.step(50050, [&] { m_model->setVariantNumber(index); });
    p.step(50060, [&] { m_model->hideAll(); });
    p.step(50070, [&] {
        m_model->Layout(m_parts.view.boardHeight());
        m_model->NewGame();
    });
    p.step(50080, [&] { m_parts.view.setBusy(false); });
    p.step(50090, [&] { m_parts.view.takeFocus(); });
    p.step(50100, [&] { sound(Sound::RollIn); });
    p.step(50110, [&] { m_parts.settings.setLayout(index); });
}

void GameSession::imgLang_Click(int index) {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("imgLang_Click"));
    p.quiet([&] { m_bestGame->end(); });
    p.step(50030, [&] { sound(Sound::Click); });
    p.step(50040, [&] { m_parts.language.setLanguageOffset(numbers::toInt16(index * 1000.0)); });
    p.step(50050, [&] { m_parts.view.Sprache(); });
    p.step(50060,
           [&] { m_parts.settings.setSpracheWithSignPlace(m_parts.language.LanguageOffset()); });
}

void GameSession::mnuUeber_Click() {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("mnuUeber_Click"));
    p.step(50030, [&] { m_parts.windows.showAbout(); });
}

void GameSession::mnuPlaySounds_Click() {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("mnuPlaySounds_Click"));
    p.step(50030, [&] { m_soundOn = std::int16_t(~m_soundOn); });
    p.step(50040, [&] { m_parts.view.setSoundChecked(soundOn()); });
    p.step(50050, [&] { m_parts.settings.setPlaySound(m_soundOn); });
}

void GameSession::mnuMusic_Click(int index) {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("mnuMusic_Click"));
    p.step(50030, [&] {
        for (int i = 0; i < audio::MusicMode::Count; ++i)
            m_parts.view.setMusicChecked(i, false);
    });
    p.step(50040, [&] { m_music->setMode(index); });
    p.step(50050, [&] {
        if (index < 0 || index >= audio::MusicMode::Count)
            throw Failure(err::NoSuchElement, QString::number(index));
        m_parts.view.setMusicChecked(index, true);
    });
    p.step(50060, [&] { m_parts.settings.setPlayMusic(index); });
}

bool GameSession::Form_KeyPress(int key) {
    if (m_bestGame->key(key))
        return true;
    if (key != Qt::Key_Escape)
        return false;
    Procedure p(m_parts.reporter, kModule, QStringLiteral("Form_KeyPress"));
    p.step(50030, [&] { askQuit(); });
    return true;
}

void GameSession::Timer1_Timer() {
    const std::int32_t shown = m_model->ElapsedSeconds();
    m_model->Timer1_Timer(now());
    // Each second on the clock is kept, so that a game cut off anywhere goes on from there.
    if (m_model->ElapsedSeconds() != shown && m_model->jumpsMade() + m_model->jumpsUndone() > 0)
        keepGame();
}

void GameSession::Timer2_Timer() {
    m_music->Timer2_Timer();
}

// ------------------------------------------------------------------------------------------
// What the board and the music ask of the session

void GameSession::setClockRunning(bool running) {
    m_parts.view.setClockRunning(running);
}

void GameSession::showGameOver() {
    if (m_carry)
        m_carry->finished(savedGame());
    // The board and the displays show the result; a screen reader hears it with the message.
    const QString result = QCoreApplication::translate("Marvolen", "Marbles left: %1, seconds: %2")
                               .arg(m_model->MarbleCount())
                               .arg(m_model->ElapsedSeconds());
    m_parts.dialogs.informAloud(text(Text::GameOver), text(Text::NoMoreMoves), result);
}

void GameSession::resetButtonColours() {
    for (int k = 0; k < CommandButton::Count; ++k)
        m_parts.view.setButtonHighlighted(k, false);
}

void GameSession::positionChanged() {
    // The line shown was from the position before.
    m_bestGame->end();
    const game::Position position = m_model->position();
    const int jumps = m_model->jumpsMade();
    // The first move of a game set up to go on with runs its clock again.
    if (m_setUp && !position.fresh() && jumps + m_model->jumpsUndone() > 0 &&
        !m_model->clockRunning()) {
        m_setUp = false;
        m_model->resumeClock(now());
    }
    for (PositionListener* listener : m_listeners)
        listener->positionChanged(position, jumps);
    keepGame();
}

game::SavedGame GameSession::savedGame() const {
    game::SavedGame saved;
    saved.variant = m_model->VariantNumber();
    saved.start = m_pastedStart;
    saved.position = m_model->position();
    saved.made = m_model->madeJumps();
    saved.undone = m_model->undoneJumps();
    saved.seconds = std::min(m_model->ElapsedSeconds(), 99999);
    saved.practice = m_aids->practiceGame();
    return saved;
}

void GameSession::keepGame() {
    if (m_model->position().fresh()) {
        // A new board, another variant or a resize: the game on the board before is given up.
        m_pastedStart.reset();
        m_setUp = false;
        m_setUpGame = false;
        if (m_carry)
            m_carry->left();
        return;
    }
    // Kept from the first move on, while the game runs; its end is counted by showGameOver.
    if (!m_carry || !m_model->clockRunning() || m_model->jumpsMade() + m_model->jumpsUndone() == 0)
        return;
    m_carry->keep(savedGame());
}

void GameSession::offerUnfinishedGame() {
    if (!m_carry || !m_carry->offered())
        return;
    const game::SavedGame game = *m_carry->offered();
    const QString question =
        QCoreApplication::translate("Marvolen",
                                    "A game was left unfinished: variant %1, %2 marbles, %3 "
                                    "seconds.\n\nContinue it? The time away was not on the "
                                    "clock, so it goes on as a practice game.")
            .arg(game.variant + 1)
            .arg(game.position.marbleCount())
            .arg(game.seconds);
    if (!m_parts.dialogs.askYesNo(kTitle, question)) {
        m_carry->decline();
        return;
    }
    setUpGame(game);
    m_carry->takeUp(game);
}

void GameSession::mnuStatistics_Click() {
    m_bestGame->end();
    m_parts.windows.showStatistics();
}

void GameSession::mnuBestGame_Click() {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("mnuBestGame_Click"));
    const bool inGame = gameInProgress();
    p.step(50030, [&] {
        if (m_bestGame->active())
            p.leave();
    });
    // Watching the line makes a game that could still be ranked a practice game.
    p.step(50040, [&] {
        if (inGame && !m_aids->agreedToPractice())
            p.leave();
        keepGame();
    });
    p.step(50050, [&] { m_bestGame->show(inGame); });
}

void GameSession::mnuCopyBoard_Click() {
    m_bestGame->end();
    m_parts.view.setClipboardText(game::boardText(m_model->VariantNumber(), m_model->position()));
    m_parts.view.announce(QCoreApplication::translate("Marvolen", "Board copied"));
}

void GameSession::mnuPasteBoard_Click() {
    m_bestGame->end();
    const game::PasteResult pasted =
        game::readBoardText(m_parts.view.clipboardText(), m_model->VariantNumber());
    if (!pasted.board) {
        m_parts.dialogs.inform(
            kTitle, QCoreApplication::translate(
                        "Marvolen", "The clipboard holds no board of any variant. A board is "
                                    "seven rows of \"o\" for a marble, \".\" for an empty hole "
                                    "and a space where there is no hole, as Copy board gives "
                                    "them."));
        return;
    }
    const game::PastedBoard& board = *pasted.board;
    if (board.position.fresh()) {
        // Every hole full: the variant's new board, a game like any other.
        imgLoff_Click(board.variant);
        return;
    }
    game::SavedGame game;
    game.variant = board.variant;
    game.start = board.position;
    game.position = board.position;
    game.practice = true;
    setUpGame(game);
    if (m_carry)
        m_carry->started(game.variant, true);
    m_parts.view.announce(
        QCoreApplication::translate("Marvolen", "Board pasted: variant %1, %2 marbles")
            .arg(game.variant + 1)
            .arg(game.position.marbleCount()));
}

void GameSession::setUpGame(const game::SavedGame& game) {
    if (game.variant != m_model->VariantNumber())
        imgLoff_Click(game.variant);
    m_pastedStart = game.start;
    m_model->setUp(game.position, game.made, game.undone, game.seconds);
    m_setUp = true;
    m_setUpGame = true;
    m_aids->setUpPractice();
}

void GameSession::showChampions() {
    if (m_aids->practiceGame()) {
        // A game played with hints or jumps taken back never ranks beside one played without:
        // the list opens for viewing only.
        m_model->handover().NewResultPending = false;
        m_parts.dialogs.inform(
            kTitle, m_setUpGame
                        ? QCoreApplication::translate(
                              "Marvolen", "This was a practice game: it went on from an earlier "
                                          "sitting or from a pasted board. Practice games do not "
                                          "enter the champions list.")
                        : assist::PracticeAids::practiceMessage());
    }
    m_parts.windows.showChampions(m_model->handover(), m_model->VariantNumber());
}

void GameSession::setWatcherEnabled(bool enabled) {
    m_parts.view.setWatcherEnabled(enabled);
}

void GameSession::processPendingEvents() {
    m_parts.view.processEvents();
}

} // namespace marvolen::app
