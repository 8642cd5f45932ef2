// The unfinished game's file and the statistics, kept as the session's game goes on.
#include "carry_over.h"

#include <QCoreApplication>

#include <utility>

namespace marvolen::app {

CarryOver::CarryOver(const QString& folder, game::NoteSink sink)
    : m_sink(sink), m_file(folder, sink), m_statistics(folder, sink) {
    game::SavedGameFile::Loaded loaded = m_file.load();
    m_offer = std::move(loaded.game);
    note(loaded.failure, Kept::Game);
}

void CarryOver::decline() {
    m_offer.reset();
    note(m_file.remove(), Kept::Game);
}

void CarryOver::takeUp(const game::SavedGame& game) {
    m_offer.reset();
    m_running = true;
    m_counted = game.seconds;
}

void CarryOver::started(int variant, bool practice) {
    // A game given up by this start is gone; it was counted up to its last second.
    if (m_running)
        left();
    m_running = true;
    m_counted = 0;
    note(m_statistics.gameStarted(variant, practice), Kept::Statistics);
}

void CarryOver::keep(const game::SavedGame& game) {
    if (!m_running)
        return;
    countTime(game);
    note(m_file.save(game), Kept::Game);
}

void CarryOver::finished(const game::SavedGame& game) {
    if (!m_running)
        return;
    countTime(game);
    note(m_statistics.gameFinished(game.variant, game.practice, game.position.marbleCount(),
                                   game.seconds),
         Kept::Statistics);
    note(m_file.remove(), Kept::Game);
    m_running = false;
}

void CarryOver::left() {
    if (!m_running)
        return;
    note(m_file.remove(), Kept::Game);
    m_running = false;
}

void CarryOver::countTime(const game::SavedGame& game) {
    if (game.seconds <= m_counted)
        return;
    note(m_statistics.addTimePlayed(game.variant, game.practice, game.seconds - m_counted),
         Kept::Statistics);
    m_counted = game.seconds;
}

void CarryOver::note(const std::optional<Failure>& failure, Kept what) {
    bool& failing = m_failing[what == Kept::Game ? 0 : 1];
    if (!failure) {
        failing = false;
        return;
    }
    if (std::exchange(failing, true))
        return;
    m_sink(
        what == Kept::Game
            ? QCoreApplication::translate("Marvolen", "The unfinished game could not be kept: %1")
                  .arg(failure->description())
            : QCoreApplication::translate("Marvolen", "The statistics could not be kept: %1")
                  .arg(failure->description()));
}

} // namespace marvolen::app
