// The best line played out, jump by jump.
#include "app/line_playback.h"

#include <QCoreApplication>

namespace marvolen::app {

namespace {
QString tr(const char* text) {
    return QCoreApplication::translate("Marvolen", text);
}
} // namespace

QString jumpPlaces(int from, int to) {
    return tr("from row %1, column %2 to row %3, column %4")
        .arg(from / 7 + 1)
        .arg(from % 7 + 1)
        .arg(to / 7 + 1)
        .arg(to % 7 + 1);
}

game::Position LinePlayback::position() const {
    if (!m_line)
        return {};
    game::Position position = m_line->start;
    for (int k = 0; k < m_shown; ++k)
        position = position.apply(m_line->jumps[std::size_t(k)]);
    return position;
}

int LinePlayback::leaves() const {
    game::Position position = m_line->start;
    for (const game::Jump& jump : m_line->jumps)
        position = position.apply(jump);
    return position.marbleCount();
}

void LinePlayback::play(BestLine line) {
    m_line = std::move(line);
    m_shown = 0;
    m_paused = false;
    show(false);
    m_screen.announce(
        (m_line->proven ? tr("The best game: %1 jumps, marbles left at the end: %2. Space pauses, "
                             "Left and Right step, Escape returns to your game.")
                        : tr("The best game found: %1 jumps, marbles left at the end: %2. No "
                             "game with fewer was found, but none is ruled out. Space pauses, "
                             "Left and Right step, Escape returns to your game."))
            .arg(count())
            .arg(leaves()));
    m_screen.setStepTimer(count() > 0);
}

void LinePlayback::tick() {
    if (!m_line || m_paused || atEnd())
        return;
    ++m_shown;
    show(true);
    m_screen.announce(jumpWords(m_shown - 1));
    if (atEnd()) {
        m_screen.setStepTimer(false);
        m_screen.announce((m_line->proven ? tr("End of the best game. Marbles left: %1. Escape "
                                               "returns to your game.")
                                          : tr("End of the best game found. Marbles left: %1. "
                                               "Escape returns to your game."))
                              .arg(leaves()));
    }
}

void LinePlayback::pauseOrContinue() {
    if (!m_line)
        return;
    if (atEnd()) {
        // Played to its end: Space plays it again from the start.
        m_shown = 0;
        setPaused(false);
        show(false);
        m_screen.announce(tr("Playing on"));
        return;
    }
    setPaused(!m_paused);
    show(false);
    if (m_paused)
        m_screen.announce(tr("Paused at jump %1 of %2").arg(m_shown).arg(count()));
    else
        m_screen.announce(tr("Playing on"));
}

void LinePlayback::forward() {
    if (!m_line)
        return;
    setPaused(true);
    if (atEnd()) {
        show(false);
        return;
    }
    ++m_shown;
    show(true);
    m_screen.announce(jumpWords(m_shown - 1));
    if (atEnd())
        m_screen.announce(tr("Marbles left: %1").arg(leaves()));
}

void LinePlayback::back() {
    if (!m_line)
        return;
    setPaused(true);
    if (m_shown == 0) {
        show(false);
        return;
    }
    --m_shown;
    show(false);
    m_screen.announce(tr("Jump %1 of %2 taken back").arg(m_shown + 1).arg(count()));
}

void LinePlayback::stop() {
    if (!m_line)
        return;
    m_screen.setStepTimer(false);
    m_line.reset();
    m_shown = 0;
    m_paused = false;
    m_screen.endLine();
    m_screen.announce(tr("Back to your game"));
}

bool LinePlayback::key(int qtKey) {
    if (!m_line)
        return false;
    switch (qtKey) {
    case Qt::Key_Space:
        pauseOrContinue();
        return true;
    case Qt::Key_Right:
        forward();
        return true;
    case Qt::Key_Left:
        back();
        return true;
    case Qt::Key_Escape:
        stop();
        return true;
    default:
        return false;
    }
}

void LinePlayback::show(bool arriving) {
    std::optional<game::Jump> jump;
    if (arriving && m_shown > 0)
        jump = m_line->jumps[std::size_t(m_shown - 1)];
    QString status =
        (m_line->proven ? tr("Best game: jump %1 of %2") : tr("Best game found: jump %1 of %2"))
            .arg(m_shown)
            .arg(count());
    if (m_paused)
        status = tr("%1, paused").arg(status);
    m_screen.showLine(position(), jump, status);
}

void LinePlayback::setPaused(bool paused) {
    m_paused = paused;
    m_screen.setStepTimer(!paused && !atEnd());
}

QString LinePlayback::jumpWords(int index) const {
    const game::Jump& jump = m_line->jumps[std::size_t(index)];
    return tr("Jump %1 of %2: %3").arg(index + 1).arg(count()).arg(jumpPlaces(jump.from, jump.to));
}

} // namespace marvolen::app
