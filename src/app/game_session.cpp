// The main window's game: commands, variant and picture choice, load and resize, sound and music.
#include "game_session.h"

#include "app/resources.h"
#include "core/numbers.h"
#include "ids/resource_ids.h"
#include "ids/sound_ids.h"
#include "ids/text_ids.h"
#include "solver/solver_worker.h"

#include <QCoreApplication>
#include <QFile>
#include <qnamespace.h>

namespace marvolen::app {

namespace {
const QString kModule = QStringLiteral("frmMarvolen");
const QString kTitle = QStringLiteral("Marvolen");
constexpr int kButtons = 9;
constexpr int kThumbnails = 20;
// Each solver's table: the two together within what the game may give them.
constexpr std::size_t kSolverTableBytes = std::size_t(32) << 20;
// A position not decided by then stays undecided: nothing changes on the board.
constexpr std::chrono::milliseconds kThinkingTime{10000};

/// The solver on threads of its own, one for the warning and one for hints, so that neither
/// question stops the other; each answer is posted to the window's thread. The hints' thread
/// starts with the first hint.
class WorkerQuestions : public SolverQuestions {
  public:
    using ReachAnswered = std::function<void(std::uint64_t, solver::Reach)>;
    using HintAnswered = std::function<void(std::uint64_t, std::optional<solver::Jump>)>;
    WorkerQuestions(ReachAnswered reachAnswered, HintAnswered hintAnswered)
        : m_reachAnswered(std::move(reachAnswered)), m_hintAnswered(std::move(hintAnswered)) {}
    std::uint64_t askReachOne(solver::Mask holes, solver::Mask marbles) override {
        if (!m_reach)
            m_reach = std::make_unique<solver::SolverWorker>(
                kSolverTableBytes, [answered = m_reachAnswered](const Answer& answer) {
                    answered(answer.ticket, answer.reach);
                });
        return m_reach->ask(holes, marbles, Question::ReachOne, kThinkingTime);
    }
    void cancelReachOne() override {
        if (m_reach)
            m_reach->cancel();
    }
    std::uint64_t askHint(solver::Mask holes, solver::Mask marbles) override {
        if (!m_hint)
            m_hint = std::make_unique<solver::SolverWorker>(
                kSolverTableBytes, [answered = m_hintAnswered](const Answer& answer) {
                    const auto& moves = answer.result.moves;
                    answered(answer.ticket,
                             moves.empty() ? std::nullopt : std::optional(moves.front()));
                });
        return m_hint->ask(holes, marbles, Question::Fewest, kHintTime);
    }
    void cancelHint() override {
        if (m_hint)
            m_hint->cancel();
    }

  private:
    using Answer = solver::SolverWorker::Answer;
    using Question = solver::SolverWorker::Question;
    ReachAnswered m_reachAnswered;
    HintAnswered m_hintAnswered;
    std::unique_ptr<solver::SolverWorker> m_reach;
    std::unique_ptr<solver::SolverWorker> m_hint;
};

/// The first legal jump of the board, in reading order of the jumping marble.
std::optional<solver::Jump> firstJump(const game::BoardModel& model) {
    for (int s = 0; s < game::kPositions; ++s) {
        if (!model.hole(s) || !model.marble(s))
            continue;
        for (const int t : {s - 14, s - 2, s + 2, s + 14})
            if (model.canJump(s, t))
                return solver::Jump{std::int8_t(s), std::int8_t((s + t) / 2), std::int8_t(t)};
    }
    return std::nullopt;
}
solver::Mask maskOf(const game::BoardModel& model, bool marbles) {
    solver::Mask mask = 0;
    for (int p = 0; p < game::kPositions; ++p)
        if (model.hole(p) && (!marbles || model.marble(p)))
            mask |= solver::Mask{1} << p;
    return mask;
}
} // namespace

/// The board view the model draws on: passes every call to the window's board surface and
/// tells the session whenever the marble count is shown, which happens after every change of
/// the board's marbles by a fresh board, Start or a jump.
class GameSession::CountWatch : public game::BoardView {
  public:
    CountWatch(game::BoardView& board, GameSession& session) : m_board(board), m_session(session) {}
    void setHoleShown(int p, bool shown) override { m_board.setHoleShown(p, shown); }
    void setMarbleShown(int p, bool shown) override { m_board.setMarbleShown(p, shown); }
    void moveHole(int p, int left, int top) override { m_board.moveHole(p, left, top); }
    void moveMarble(int p, int left, int top) override { m_board.moveMarble(p, left, top); }
    void showDigits(game::Display display, const std::array<int, 4>& cells) override {
        m_board.showDigits(display, cells);
        if (display == game::Display::MarbleCount)
            m_session.countShown();
    }
    void setCountWarning(bool warning) override { m_board.setCountWarning(warning); }
    void setMarblePicture(int id) override { m_board.setMarblePicture(id); }
    void setHolePicture(int boardPicture) override { m_board.setHolePicture(boardPicture); }
    void setBoardPicture(int id) override { m_board.setBoardPicture(id); }
    void showBoard() override { m_board.showBoard(); }
    void showHint(int from, int to) override { m_board.showHint(from, to); }

  private:
    game::BoardView& m_board;
    GameSession& m_session;
};

bool clickAccepted(std::chrono::milliseconds now,
                   std::optional<std::chrono::milliseconds> lastClick) {
    return !lastClick || now - *lastClick >= kClickPause;
}

GameSession::GameSession(SessionParts parts) : m_parts(parts) {
    m_countWatch = std::make_unique<CountWatch>(m_parts.board, *this);
    m_model = std::make_unique<game::BoardModel>(
        *m_countWatch, static_cast<game::BoardEvents&>(*this), m_parts.reporter, m_parts.random);
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
    p.step(50145, [&] {
        m_oneMarbleOn = m_parts.settings.oneMarbleWarning();
        m_parts.view.setOneMarbleChecked(oneMarbleWarningOn());
    });
}

void GameSession::resetForResize(Procedure& p) {
    p.step(50040, [&] { PaintBoard(); });
    p.step(50050, [&] { m_model->setGameOver(true); });
}

void GameSession::finishResize(Procedure& p) {
    p.step(50150, [&] { imgLoff_Click(m_model->VariantNumber()); });
    p.step(50160, [&] { m_model->NewGame(); });
    p.step(50170, [&] { mnuMusic_Click(m_parts.settings.playMusic()); });
}

void GameSession::unload(Procedure& p) {
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
        if (index < 0 || index >= kButtons)
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
        for (int k = 0; k < kButtons; ++k)
            m_parts.view.setButtonHighlighted(k, false);
        m_parts.view.setButtonHighlighted(index, true);
    });
    p.step(50090, [&] { runCommand(index); });
}

void GameSession::runCommand(int index) {
    switch (index) {
    case 0:
        m_model->StartGame(now());
        break;
    case 1:
        if (!askQuit())
            m_parts.view.setButtonHighlighted(1, false);
        break;
    case 2:
        m_parts.windows.showRules();
        break;
    case 3:
        m_parts.windows.showHelp();
        break;
    case 4:
        m_model->setGameOver(true);
        m_loadedMarble = m_marblePicture;
        m_marblePicture = m_parts.windows.chooseMarble(m_marblePicture);
        NewKugel();
        break;
    case 5:
        m_model->setGameOver(true);
        m_paintedBoard = m_boardPicture;
        m_boardPicture = m_parts.windows.chooseBoard(m_boardPicture);
        NewBoard();
        break;
    case 6:
        m_parts.windows.openHomepage();
        break;
    case 7:
        m_parts.view.popupOptionsMenu();
        break;
    case 8:
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
        for (int i = 0; i <= 2; ++i)
            m_parts.view.setMusicChecked(i, false);
    });
    p.step(50040, [&] { m_music->setMode(index); });
    p.step(50050, [&] {
        if (index < 0 || index > 2)
            throw Failure(err::NoSuchElement, QString::number(index));
        m_parts.view.setMusicChecked(index, true);
    });
    p.step(50060, [&] { m_parts.settings.setPlayMusic(index); });
}

void GameSession::mnuOneMarble_Click() {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("mnuOneMarble_Click"));
    p.step(50030, [&] { m_oneMarbleOn = std::int16_t(~m_oneMarbleOn); });
    p.step(50040, [&] { m_parts.view.setOneMarbleChecked(oneMarbleWarningOn()); });
    p.step(50050, [&] { m_parts.settings.setOneMarbleWarning(m_oneMarbleOn); });
    p.step(50060, [&] {
        if (oneMarbleWarningOn()) {
            askOneMarble();
            return;
        }
        if (m_asked)
            questions().cancelReachOne();
        m_asked.reset();
        setCountWarning(false);
    });
}

void GameSession::mnuHint_Click() {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("mnuHint_Click"));
    p.step(50030, [&] {
        if (!m_model->clockRunning() || !firstJump(*m_model))
            p.leave();
    });
    p.step(50040, [&] {
        m_practice = true;
        // The hint is for the board as it lies, with a lifted marble in its place.
        m_model->putBackLifted();
    });
    p.step(50050, [&] {
        m_hintAsked = questions().askHint(maskOf(*m_model, false), maskOf(*m_model, true));
    });
}

void GameSession::hintAnswered(std::uint64_t ticket, std::optional<solver::Jump> jump) {
    if (!m_hintAsked || *m_hintAsked != ticket)
        return;
    m_hintAsked.reset();
    if (!jump || !m_model->marble(jump->from) || !m_model->canJump(jump->from, jump->to))
        jump = firstJump(*m_model);
    if (jump)
        m_parts.board.showHint(jump->from, jump->to);
}

void GameSession::mnuUndo_Click() {
    Procedure p(m_parts.reporter, kModule, QStringLiteral("mnuUndo_Click"));
    p.step(50030, [&] {
        if (!m_model->clockRunning())
            p.leave();
    });
    p.step(50040, [&] {
        if (m_model->undoJump())
            m_practice = true;
    });
}

// ------------------------------------------------------------------------------------------
// The warning that a single marble is out of reach

void GameSession::countShown() {
    // A hint asked for an earlier position would advise a jump that may no longer be there.
    if (m_hintAsked)
        questions().cancelHint();
    m_hintAsked.reset();
    if (maskOf(*m_model, true) == maskOf(*m_model, false)) {
        // A fresh board: nothing is lost yet, no jump is possible before Start, and the game
        // to come is played without help so far.
        if (m_asked)
            questions().cancelReachOne();
        m_asked.reset();
        setCountWarning(false);
        m_practice = false;
        return;
    }
    // Taken back beyond the position proven lost: the earlier one may still be won.
    if (m_countWarning && m_model->jumpsMade() < m_lostAtJumps)
        setCountWarning(false);
    if (oneMarbleWarningOn())
        askOneMarble();
}

void GameSession::askOneMarble() {
    const solver::Mask holes = maskOf(*m_model, false);
    const solver::Mask marbles = maskOf(*m_model, true);
    // Jumps only take marbles away: once lost, every later position of the board is lost too.
    if (m_countWarning || marbles == holes || marbles == 0)
        return;
    m_asked = questions().askReachOne(holes, marbles);
    m_askedAtJumps = m_model->jumpsMade();
}

void GameSession::oneMarbleAnswered(std::uint64_t ticket, solver::Reach reach) {
    if (!m_asked || *m_asked != ticket)
        return;
    m_asked.reset();
    if (reach == solver::Reach::No && oneMarbleWarningOn()) {
        m_lostAtJumps = m_askedAtJumps;
        setCountWarning(true);
    }
}

void GameSession::setCountWarning(bool warning) {
    if (warning == m_countWarning)
        return;
    m_countWarning = warning;
    m_parts.board.setCountWarning(warning);
}

void GameSession::setSolverQuestions(std::unique_ptr<SolverQuestions> questions) {
    m_asked.reset();
    m_hintAsked.reset();
    m_questions = std::move(questions);
}

SolverQuestions& GameSession::questions() {
    if (!m_questions) {
        std::weak_ptr<int> alive = m_alive;
        SessionView& view = m_parts.view;
        m_questions = std::make_unique<WorkerQuestions>(
            [this, alive, &view](std::uint64_t ticket, solver::Reach reach) {
                view.post([this, alive, ticket, reach] {
                    if (alive.lock())
                        oneMarbleAnswered(ticket, reach);
                });
            },
            [this, alive, &view](std::uint64_t ticket, std::optional<solver::Jump> jump) {
                view.post([this, alive, ticket, jump] {
                    if (alive.lock())
                        hintAnswered(ticket, jump);
                });
            });
    }
    return *m_questions;
}

bool GameSession::Form_KeyPress(int key) {
    if (key != Qt::Key_Escape)
        return false;
    Procedure p(m_parts.reporter, kModule, QStringLiteral("Form_KeyPress"));
    p.step(50030, [&] { askQuit(); });
    return true;
}

void GameSession::Timer1_Timer() {
    m_model->Timer1_Timer(now());
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
    m_parts.dialogs.inform(text(Text::GameOver), text(Text::NoMoreMoves));
}

void GameSession::resetButtonColours() {
    for (int k = 0; k < kButtons; ++k)
        m_parts.view.setButtonHighlighted(k, false);
}

void GameSession::showChampions() {
    if (m_practice) {
        // A game played with hints or jumps taken back never ranks beside one played without:
        // the list opens for viewing only.
        m_model->handover().NewResultPending = false;
        m_parts.dialogs.inform(kTitle, practiceMessage());
    }
    m_parts.windows.showChampions(m_model->handover(), m_model->VariantNumber());
}

QString GameSession::practiceMessage() {
    return QCoreApplication::translate("Marvolen",
                                       "This was a practice game: you asked for a hint or took "
                                       "back a jump. Practice games do not enter the champions "
                                       "list.");
}

void GameSession::setWatcherEnabled(bool enabled) {
    m_parts.view.setWatcherEnabled(enabled);
}

void GameSession::processPendingEvents() {
    m_parts.view.processEvents();
}

} // namespace marvolen::app
