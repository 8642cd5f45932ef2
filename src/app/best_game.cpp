// The best line from the board, found and played out.
#include "app/best_game.h"

#include "app/game_session.h"

#include <QCoreApplication>

namespace marvolen::app {

BestGame::BestGame(game::BoardModel& model, game::BoardView& board, SessionView& view,
                   assist::PracticeAids& aids, std::function<std::chrono::milliseconds()> now)
    : m_model(model), m_board(board), m_view(view), m_aids(aids), m_now(std::move(now)) {}

BestGame::~BestGame() = default;

void BestGame::show(bool inGame) {
    if (active())
        return;
    m_model.putBackLifted();
    game::Position from = m_model.position();
    if (!inGame) {
        // No game runs: the line from the variant's start, as Start lays it out.
        from = game::Position(from.holes(), from.holes());
        from.setMarble(game::kCentre, false);
    }
    if (!from.firstJump()) {
        m_view.announce(QCoreApplication::translate("Marvolen", "No jump is left on this board"));
        return;
    }
    // The clock stands while the player watches: the line is not the player's time.
    m_clockStood = m_model.clockRunning();
    if (m_clockStood)
        m_view.setClockRunning(false);
    m_looking = true;
    std::weak_ptr<int> alive = m_alive;
    m_aids.askBestLine(from, [this, alive](const assist::SolverAdvice& advice) {
        if (alive.lock())
            found(advice);
    });
    // Not answered at once: the solver looks, for at most two seconds.
    if (m_looking) {
        m_view.setBusy(true);
        m_view.announce(QCoreApplication::translate("Marvolen", "Looking for the best game"));
    }
}

void BestGame::found(const assist::SolverAdvice& advice) {
    if (!m_looking)
        return;
    m_looking = false;
    m_view.setBusy(false);
    std::vector<game::Jump> jumps = advice.line;
    game::Position end = advice.position;
    for (const game::Jump& jump : jumps)
        end = end.apply(jump);
    // A line the solver had no time to finish goes on with the first jump at hand to where none
    // is left: a whole game, though only the best found. The position asked about has a jump,
    // so the line is never empty.
    while (const std::optional<game::Jump> jump = end.firstJump()) {
        jumps.push_back(*jump);
        end = end.apply(*jump);
    }
    // Best when it leaves no more than the solver proved that any line must.
    m_playback.play({advice.position, std::move(jumps), end.marbleCount() <= advice.atLeast});
}

bool BestGame::key(int qtKey) {
    if (m_looking && qtKey == Qt::Key_Escape) {
        end();
        return true;
    }
    return m_playback.key(qtKey);
}

void BestGame::end() {
    if (m_looking) {
        m_looking = false;
        m_aids.cancelBestLine();
        m_view.setBusy(false);
        runClockOn();
    }
    m_playback.stop();
}

void BestGame::showLine(const game::Position& position, std::optional<game::Jump> jump,
                        const QString& status) {
    showMarbles(position);
    m_model.ShowNumber(game::Display::MarbleCount, position.marbleCount());
    if (jump)
        m_view.showTravel(jump->from, jump->to);
    m_view.setPlaybackStatus(status);
}

void BestGame::endLine() {
    showMarbles(m_model.position());
    m_model.ShowNumber(game::Display::MarbleCount, m_model.MarbleCount());
    m_view.setPlaybackStatus(QString());
    runClockOn();
}

void BestGame::showMarbles(const game::Position& position) {
    for (int p = 0; p < game::kPositions; ++p)
        if (m_model.hole(p))
            m_board.setMarbleShown(p, position.marble(p));
}

void BestGame::announce(const QString& text) {
    m_view.announce(text);
}

void BestGame::setStepTimer(bool running) {
    m_view.setPlaybackTimer(running);
}

void BestGame::runClockOn() {
    if (!std::exchange(m_clockStood, false))
        return;
    // On from the seconds it showed, as if the line had taken no time.
    m_model.resumeClock(m_now());
}

} // namespace marvolen::app
