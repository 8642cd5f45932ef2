// Hint, undo, the practice game and the one-marble warning.
#include "practice_aids.h"

#include "app/line_playback.h"

#include <QCoreApplication>

#include <bit>
#include <cstdlib>
#include <utility>

namespace marvolen::app::assist {

namespace {
const QString kModule = QStringLiteral("frmMarvolen");

/// The jump that turned `before` into `after`, as a screen reader tells it: "from row 2,
/// column 4 to row 4, column 4".
QString jumpWords(const game::Position& before, const game::Position& after) {
    const game::Position::Mask left = before.marbles() & ~after.marbles();
    const game::Position::Mask arrived = after.marbles() & ~before.marbles();
    if (std::popcount(left) != 2 || std::popcount(arrived) != 1)
        return {};
    const int to = std::countr_zero(arrived);
    // Of the two places left, the one beside the target is the marble jumped over.
    const int first = std::countr_zero(left), second = 63 - std::countl_zero(left);
    const int from = std::abs(first - to) == 7 || std::abs(first - to) == 1 ? second : first;
    return jumpPlaces(from, to);
}
} // namespace

PracticeAids::PracticeAids(AssistedGame& game, AidsView& view, Dialogs& dialogs,
                           game::SettingsStore& settings, Reporter& reporter)
    : m_game(game), m_view(view), m_dialogs(dialogs), m_settings(settings), m_reporter(reporter) {}

PracticeAids::~PracticeAids() = default;

void PracticeAids::loadWarningSetting() {
    m_oneMarbleOn = m_settings.oneMarbleWarning();
    m_view.setOneMarbleChecked(oneMarbleWarningOn());
}

void PracticeAids::positionChanged(const game::Position& position, int jumpsMade) {
    m_jumpsMade = jumpsMade;
    // A hint asked for an earlier position would advise a jump that may no longer be there.
    if (m_hintAsked)
        questions().cancelHint();
    m_hintAsked.reset();
    cancelBestLine();
    if (position.fresh()) {
        // A fresh board: nothing is lost yet, no jump is possible before Start, and the game
        // to come is played without help so far. Nothing needs the solvers' tables until the
        // next question: a game without aids holds none.
        if (m_questions) {
            m_questions->releaseReachOne();
            m_questions->releaseWork();
        }
        m_asked.reset();
        m_working = false;
        setCountWarning(false);
        setPractice(false);
        return;
    }
    workOn(position);
    // Taken back beyond the position proven lost: the earlier one may still be won.
    if (m_countWarning && jumpsMade < m_lostAtJumps)
        setCountWarning(false);
    if (oneMarbleWarningOn())
        askOneMarble(position, jumpsMade);
}

void PracticeAids::mnuOneMarble_Click() {
    Procedure p(m_reporter, kModule, QStringLiteral("mnuOneMarble_Click"));
    p.step(50030, [&] { m_oneMarbleOn = std::int16_t(~m_oneMarbleOn); });
    p.step(50040, [&] { m_view.setOneMarbleChecked(oneMarbleWarningOn()); });
    p.step(50050, [&] { m_settings.setOneMarbleWarning(m_oneMarbleOn); });
    p.step(50060, [&] {
        if (oneMarbleWarningOn()) {
            askOneMarble(m_game.position(), m_jumpsMade);
            return;
        }
        if (m_questions)
            m_questions->releaseReachOne();
        m_asked.reset();
        setCountWarning(false);
    });
}

void PracticeAids::mnuHint_Click() {
    Procedure p(m_reporter, kModule, QStringLiteral("mnuHint_Click"));
    p.step(50030, [&] {
        if (!m_game.gameInProgress() || !m_game.position().firstJump())
            p.leave();
    });
    p.step(50040, [&] {
        if (!agreedToPractice())
            p.leave();
    });
    // The hint is for the board as it lies, with a lifted marble in its place.
    p.step(50050, [&] { m_game.putBackLifted(); });
    p.step(50060, [&] {
        // From the first hint on, the solver works on every position of this game, so that
        // the next hint is ready when it is asked.
        m_working = true;
        const game::Position position = m_game.position();
        learnStartLine(position.holes());
        cancelBestLine();
        const std::optional<KnownJumps::Known> known = m_known.find(position);
        if (known && known->settled()) {
            if (m_hintAsked)
                questions().cancelHint();
            m_hintAsked.reset();
            m_view.showHint(known->jump.from, known->jump.to);
            workOn(position);
            return;
        }
        m_hintAsked = questions().askHint(position);
    });
}

void PracticeAids::askBestLine(const game::Position& position,
                               std::function<void(const SolverAdvice&)> answer) {
    cancelBestLine();
    if (m_hintAsked)
        questions().cancelHint();
    m_hintAsked.reset();
    learnStartLine(position.holes());
    if (const std::optional<SolverAdvice> known = m_known.line(position)) {
        answer(*known);
        return;
    }
    m_lineAnswer = std::move(answer);
    m_lineAsked = questions().askBestLine(position);
}

void PracticeAids::cancelBestLine() {
    if (!m_lineAsked)
        return;
    questions().cancelHint();
    m_lineAsked.reset();
    m_lineAnswer = nullptr;
}

void PracticeAids::hintAnswered(std::uint64_t ticket, const SolverAdvice& advice) {
    m_known.learn(advice);
    if (m_lineAsked && *m_lineAsked == ticket) {
        m_lineAsked.reset();
        const auto answer = std::exchange(m_lineAnswer, nullptr);
        // What is known now is the answer's line at least, perhaps completed by others.
        const std::optional<SolverAdvice> known = m_known.line(advice.position);
        answer(known ? *known : advice);
        return;
    }
    if (!m_hintAsked || *m_hintAsked != ticket)
        return;
    m_hintAsked.reset();
    const game::Position position = m_game.position();
    const std::optional<KnownJumps::Known> known = m_known.find(position);
    std::optional<game::Jump> jump;
    if (known)
        jump = known->jump;
    else
        jump = position.firstJump();
    if (jump)
        m_view.showHint(jump->from, jump->to);
}

void PracticeAids::workLearned(const SolverAdvice& advice) {
    m_known.learn(advice);
}

void PracticeAids::workOn(const game::Position& position) {
    if (!m_working)
        return;
    // The game ends with its last jump: nothing more to work on, and the next game is played
    // without help until help is asked for.
    if (!position.firstJump()) {
        questions().stopWork();
        m_working = false;
        return;
    }
    const std::optional<KnownJumps::Known> known = m_known.find(position);
    if (known && known->proven())
        questions().stopWork();
    else
        questions().workOn(position);
}

void PracticeAids::mnuUndo_Click() {
    replay(QStringLiteral("mnuUndo_Click"), m_jumpsMade, [this] {
        const game::Position before = m_game.position();
        m_game.takeBackJump();
        m_view.announce(QCoreApplication::translate("Marvolen", "Jump taken back: %1")
                            .arg(jumpWords(m_game.position(), before)));
    });
}

void PracticeAids::mnuRedo_Click() {
    replay(QStringLiteral("mnuRedo_Click"), m_game.jumpsUndone(), [this] {
        const game::Position before = m_game.position();
        m_game.putBackJump();
        m_view.announce(QCoreApplication::translate("Marvolen", "Jump made again: %1")
                            .arg(jumpWords(before, m_game.position())));
    });
}

void PracticeAids::replay(const QString& handler, int jumps, const std::function<void()>& move) {
    Procedure p(m_reporter, kModule, handler);
    p.step(50030, [&] {
        if (!m_game.gameInProgress() || jumps == 0)
            p.leave();
    });
    p.step(50040, [&] {
        if (!agreedToPractice())
            p.leave();
    });
    p.step(50050, move);
}

bool PracticeAids::agreedToPractice() {
    if (m_practice)
        return true;
    if (!m_dialogs.askYesNoDefaultNo(QStringLiteral("Marvolen"), practiceQuestion()))
        return false;
    setPractice(true);
    return true;
}

void PracticeAids::setPractice(bool practice) {
    if (practice == m_practice)
        return;
    m_practice = practice;
    m_view.showPracticeMark(practice);
}

void PracticeAids::askOneMarble(const game::Position& position, int jumpsMade) {
    // Jumps only take marbles away: once lost, every later position of the board is lost too.
    if (m_countWarning || position.fresh() || position.marbles() == 0)
        return;
    // The warning answers from the line known from the start too.
    learnStartLine(position.holes());
    m_asked = questions().askReachOne(position);
    m_askedAtJumps = jumpsMade;
}

void PracticeAids::learnStartLine(game::Position::Mask holes) {
    if (holes == m_startLineOf)
        return;
    m_startLineOf = holes;
    if (const std::optional<SolverAdvice> line = questions().lineFromStart(holes))
        m_known.learn(*line);
}

void PracticeAids::oneMarbleAnswered(std::uint64_t ticket, solver::Reach reach) {
    if (!m_asked || *m_asked != ticket)
        return;
    m_asked.reset();
    if (reach == solver::Reach::No && oneMarbleWarningOn()) {
        m_lostAtJumps = m_askedAtJumps;
        setCountWarning(true);
    }
}

void PracticeAids::setCountWarning(bool warning) {
    if (warning == m_countWarning)
        return;
    m_countWarning = warning;
    m_view.setCountWarning(warning);
}

void PracticeAids::setSolverQuestions(std::unique_ptr<SolverQuestions> questions) {
    m_asked.reset();
    m_hintAsked.reset();
    m_working = false;
    m_questions = std::move(questions);
}

SolverQuestions& PracticeAids::questions() {
    if (!m_questions) {
        std::weak_ptr<int> alive = m_alive;
        AidsView& view = m_view;
        m_questions = solverOnThreads(
            m_known.lines(),
            [this, alive, &view](std::uint64_t ticket, solver::Reach reach) {
                view.post([this, alive, ticket, reach] {
                    if (alive.lock())
                        oneMarbleAnswered(ticket, reach);
                });
            },
            [this, alive, &view](std::uint64_t ticket, const SolverAdvice& advice) {
                view.post([this, alive, ticket, advice] {
                    if (alive.lock())
                        hintAnswered(ticket, advice);
                });
            },
            [this, alive, &view](const SolverAdvice& advice) {
                view.post([this, alive, advice] {
                    if (alive.lock())
                        workLearned(advice);
                });
            });
    }
    return *m_questions;
}

QString PracticeAids::practiceMessage() {
    return QCoreApplication::translate("Marvolen",
                                       "This was a practice game: you asked for a hint or took "
                                       "back a jump. Practice games do not enter the champions "
                                       "list.");
}

QString PracticeAids::practiceQuestion() {
    return QCoreApplication::translate("Marvolen",
                                       "This makes the game a practice game, which does not "
                                       "enter the champions list. Go on?");
}

QString PracticeAids::practiceMark() {
    return QCoreApplication::translate("Marvolen", "Practice game");
}

} // namespace marvolen::app::assist
