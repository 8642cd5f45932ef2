// Board model, moves, end test and clock.
#include "board_model.h"

#include "core/numbers.h"
#include "ids/sound_ids.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace marvolen::game {
namespace {
const QString kModule = QStringLiteral("frmMarvolen");

Procedure procedure(Reporter& reporter, const char* name) {
    return Procedure(reporter, kModule, QString::fromLatin1(name));
}
} // namespace

Geometry geometryFor(int variantNumber, double boardHeight) {
    const Variant& v = variant(variantNumber);
    return {numbers::toInt16(boardHeight * 0.7 / v.divisor),
            numbers::toInt16(boardHeight * v.marginFactor)};
}

BoardModel::BoardModel(BoardView& view, BoardEvents& events, Reporter& reporter, Random& random)
    : m_view(view), m_events(events), m_reporter(reporter), m_random(random) {}

void BoardModel::showMarble(int p, bool shown) {
    if (p < 0 || p >= kPositions)
        throw Failure(err::NoSuchElement, QString::number(p));
    m_shown.setMarble(p, shown);
    m_view.setMarbleShown(p, shown);
}

void BoardModel::showHole(int p, bool shown) {
    if (p < 0 || p >= kPositions)
        throw Failure(err::NoSuchElement, QString::number(p));
    m_shown.setHole(p, shown);
    m_view.setHoleShown(p, shown);
}

void BoardModel::setClock(bool running) {
    m_clockRunning = running;
    m_events.setClockRunning(running);
}

int nextHole(const std::array<bool, kPositions>& hole, int from, int rowStep, int columnStep) {
    int row = from / 7 + rowStep, column = from % 7 + columnStep;
    for (; row >= 0 && row < 7 && column >= 0 && column < 7; row += rowStep, column += columnStep)
        if (hole[std::size_t(row * 7 + column)])
            return row * 7 + column;
    return from;
}

Position BoardModel::position() const {
    Position position = m_shown;
    if (m_lifted)
        position.setMarble(*m_lifted, true);
    return position;
}

void BoardModel::setText(const QString& text) {
    const Position position = Position::fromText(text);
    for (int p = 0; p < kPositions; ++p) {
        showHole(p, position.hole(p));
        showMarble(p, position.marble(p));
    }
    m_marbleCount = position.marbleCount();
    m_lifted.reset();
    m_jumps.clear();
    m_undone.clear();
    m_events.positionChanged();
}

void BoardModel::Coordinates() {
    Procedure p = procedure(m_reporter, "Coordinates");
    int n = 1;
    p.step(50030, [&] { n = 1; });
    for (int i = 1; i <= 7; ++i)
        for (int j = 1; j <= 7; ++j) {
            p.step(50050, [&] { m_coordTable[std::size_t(i)][std::size_t(j)] = n; });
            p.step(50060, [&] { ++n; });
        }
}

void BoardModel::Layout(double boardHeight) {
    Procedure p = procedure(m_reporter, "Layout");
    p.step(50040, [&] { m_geometry = geometryFor(m_variantNumber, boardHeight); });
    for (int r = 0; r < 7 && p.running(); ++r)
        for (int q = 0; q < 7; ++q) {
            const int pos = r * 7 + q;
            const int spacing = m_geometry.holeSpacing, margin = m_geometry.margin;
            p.step(50070,
                   [&] { m_view.moveHole(pos, margin + spacing * q, margin + spacing * r); });
            p.step(50080, [&] {
                m_view.moveMarble(pos, margin + 5 + spacing * q, margin + 5 + spacing * r);
            });
        }
    p.step(50100, [&] { m_currentLayout = layoutOf(m_variantNumber); });
    for (int pos = 0; pos < kPositions; ++pos)
        p.step(50120,
               [&] { showHole(pos, m_currentLayout.size() > pos && m_currentLayout[pos] == '1'); });
}

void BoardModel::NewGame() {
    Procedure p = procedure(m_reporter, "NewGame");
    p.step(50030, [&] {
        m_marbleCount = variant(m_variantNumber).startCount;
        m_jumps.clear();
        m_undone.clear();
    });
    for (int pos = 0; pos < kPositions; ++pos)
        p.step(50050, [&] {
            showMarble(pos, m_currentLayout.size() > pos && m_currentLayout[pos] == '1');
        });
    p.step(50070, [&] { m_lifted.reset(); });
    p.step(50080, [&] {
        ShowNumber(Display::MarbleCount, m_marbleCount);
        m_events.positionChanged();
    });
    p.step(50090, [&] { m_elapsedSeconds = 0; });
    p.step(50100, [&] { ShowNumber(Display::Time, m_elapsedSeconds); });
    p.step(50110, [&] { setClock(false); });
}

void BoardModel::StartGame(std::chrono::milliseconds now) {
    Procedure p = procedure(m_reporter, "StartGame");
    p.step(50030, [&] {
        if (m_clockRunning || m_gameOver || !m_shown.fresh())
            NewGame();
    });
    p.step(50040, [&] { m_events.playSound(Sound::Start); });
    p.step(50050, [&] { showMarble(kCentre, false); });
    p.step(50060, [&] { --m_marbleCount; });
    p.step(50070, [&] {
        ShowNumber(Display::MarbleCount, m_marbleCount);
        m_events.positionChanged();
    });
    p.step(50080, [&] { setClock(true); });
    p.step(50090, [&] { m_gameStart = now; });
}

void BoardModel::setUp(const Position& position, std::vector<JumpMove> made,
                       std::vector<JumpMove> undone, std::int32_t seconds) {
    Procedure p = procedure(m_reporter, "setUp");
    p.step(50030, [&] {
        setClock(false);
        m_gameOver = false;
        m_lifted.reset();
        for (int pos = 0; pos < kPositions; ++pos)
            showMarble(pos, m_shown.hole(pos) && position.marble(pos));
        m_jumps = std::move(made);
        m_undone = std::move(undone);
        m_marbleCount = m_shown.marbleCount();
        m_elapsedSeconds = std::max<std::int32_t>(seconds, 0);
    });
    p.step(50040, [&] {
        ShowNumber(Display::Time, m_elapsedSeconds);
        ShowNumber(Display::MarbleCount, m_marbleCount);
        m_events.positionChanged();
    });
}

void BoardModel::resumeClock(std::chrono::milliseconds now) {
    m_gameStart = now - std::chrono::seconds(m_elapsedSeconds);
    setClock(true);
}

void BoardModel::hideAll() {
    Procedure p = procedure(m_reporter, "imgLoff_Click");
    for (int pos = 0; pos < kPositions; ++pos) {
        p.step(50080, [&] { showMarble(pos, false); });
        p.step(50090, [&] { showHole(pos, false); });
    }
}

void BoardModel::lift(int dragged) {
    Procedure p = procedure(m_reporter, "imgKugel_DragOver");
    p.step(50030, [&] { showMarble(dragged, false); });
    p.step(50040, [&] { m_lifted = dragged; });
}

void BoardModel::dropOnMarble(int /*target*/, int dragged) {
    Procedure p = procedure(m_reporter, "imgKugel_DragDrop");
    p.step(50030, [&] { m_lifted.reset(); });
    p.step(50040, [&] { showMarble(dragged, true); });
}

void BoardModel::dropOnBoard(int dragged) {
    Procedure p = procedure(m_reporter, "picBrett_DragDrop");
    p.step(50030, [&] { m_lifted.reset(); });
    p.step(50040, [&] { showMarble(dragged, true); });
}

void BoardModel::pointerOverBoard() {
    Procedure p = procedure(m_reporter, "picBrett_MouseMove");
    p.step(50030, [&] {
        if (m_lifted) {
            showMarble(*m_lifted, true);
            m_lifted.reset();
        }
    });
}

void BoardModel::dropOnHole(int t, int s) {
    Procedure p = procedure(m_reporter, "imgLoch_DragDrop");
    p.step(50030, [&] {
        if (s < 0 || s >= kPositions || t < 0 || t >= kPositions)
            throw Failure(err::NoSuchElement, QString::number(s < 0 || s >= kPositions ? s : t));
    });
    p.step(50040, [&] { m_lifted.reset(); });
    p.step(50050, [&] {
        if (!canJump(s, t)) {
            showMarble(s, true);
            p.leave();
        }
    });
    p.step(50060,
           [&] { m_events.playSound(m_random.Zufallszahl(Sound::FirstJump, Sound::LastJump)); });
    p.step(50070, [&] { showMarble(s, false); });
    p.step(50080, [&] { showMarble((s + t) / 2, false); });
    p.step(50090, [&] {
        showMarble(t, true);
        m_jumps.push_back({s, t});
        // A new jump: the jumps taken back before it are gone for good.
        m_undone.clear();
    });
    p.step(50100, [&] { --m_marbleCount; });
    p.step(50110, [&] {
        ShowNumber(Display::MarbleCount, m_marbleCount);
        m_events.positionChanged();
    });
    p.step(50120, [&] { CheckEnd(); });
}

void BoardModel::putBackLifted() {
    if (m_lifted) {
        showMarble(*m_lifted, true);
        m_lifted.reset();
    }
}

bool BoardModel::undoJump() {
    return replayJump(m_jumps, m_undone, "undoJump");
}

bool BoardModel::redoJump() {
    return replayJump(m_undone, m_jumps, "redoJump");
}

bool BoardModel::replayJump(std::vector<JumpMove>& from, std::vector<JumpMove>& to,
                            const char* name) {
    Procedure p = procedure(m_reporter, name);
    const bool back = &from == &m_jumps;
    bool moved = false;
    p.step(50030, [&] { putBackLifted(); });
    p.step(50040, [&] {
        if (from.empty())
            return;
        const JumpMove jump = from.back();
        from.pop_back();
        to.push_back(jump);
        // Taken back, the jumping marble returns and the one jumped over comes back; put back,
        // the jump is made again. Only positions of a game still running are taken back, so
        // no jump put back can end the game.
        showMarble(jump.to, !back);
        showMarble((jump.from + jump.to) / 2, back);
        showMarble(jump.from, back);
        m_marbleCount += back ? 1 : -1;
        moved = true;
    });
    p.step(50050, [&] {
        if (moved) {
            ShowNumber(Display::MarbleCount, m_marbleCount);
            m_events.positionChanged();
        }
    });
    return moved;
}

void BoardModel::CheckEnd() {
    Procedure p = procedure(m_reporter, "CheckEnd");
    bool jumpLeft = false;
    p.step(50030, [&] { m_gameOver = true; });
    p.step(50040, [&] { jumpLeft = m_shown.firstJump().has_value(); });
    p.step(50050, [&] {
        if (jumpLeft) {
            m_gameOver = false;
            p.leave();
        }
    });
    p.step(50070, [&] { setClock(false); });
    p.step(50080, [&] { m_events.playSound(Sound::GameOver); });
    p.step(50090, [&] { m_events.showGameOver(); });
    p.step(50100, [&] { m_events.resetButtonColours(); });
    p.step(50110, [&] { WriteHighScore(); });
}

void BoardModel::WriteHighScore() {
    Procedure p = procedure(m_reporter, "WriteHighScore");
    // Five digits each: a game of 100000 s or more is stored as 99999 so the name keeps its place.
    p.step(50030, [&] {
        const std::int32_t seconds = std::min<std::int32_t>(std::max(m_elapsedSeconds, 0), 99999);
        m_handover.NewResult =
            (numbers::zeroPadded(m_marbleCount, 5) + numbers::zeroPadded(seconds, 5)).toLatin1();
    });
    p.step(50040, [&] { m_handover.NewResultPending = true; });
    p.step(50050, [&] { m_events.showChampions(); });
}

void BoardModel::Timer1_Timer(std::chrono::milliseconds now) {
    Procedure p = procedure(m_reporter, "Timer1_Timer");
    std::chrono::milliseconds played{0};
    p.step(50030, [&] { played = now - m_gameStart; });
    p.step(50040, [&] {
        // Whole seconds played: the steady clock neither stands still nor jumps when the
        // wall clock is set or changes to or from daylight-saving time.
        const auto seconds = std::chrono::floor<std::chrono::seconds>(played).count();
        if (seconds > std::numeric_limits<std::int32_t>::max())
            throw Failure(err::Overflow);
        m_elapsedSeconds = seconds < 0 ? 0 : std::int32_t(seconds);
    });
    p.step(50050, [&] { ShowNumber(Display::Time, m_elapsedSeconds); });
}

void BoardModel::ShowNumber(Display display, std::int32_t value) {
    Procedure p = procedure(m_reporter, "ShowNumber");
    QString digits;
    p.step(50030, [&] { digits = numbers::zeroPadded(std::max(value, 0), 4); });
    std::array<int, 4> cells{10, 10, 10, 10};
    p.step(50040, [&] {
        for (int k = 0; k < 4; ++k)
            cells[std::size_t(k)] = digits[k].unicode() - '0';
    });
    p.step(50050, [&] { m_view.showDigits(display, cells); });
}

} // namespace marvolen::game
