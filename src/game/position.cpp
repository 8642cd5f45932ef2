// The board as a value, and the jump rule.
#include "position.h"

#include <QStringList>

#include <bit>
#include <cstdlib>

namespace marvolen::game {

Position::Position(const std::array<bool, kPositions>& hole,
                   const std::array<bool, kPositions>& marble) {
    for (int p = 0; p < kPositions; ++p) {
        setHole(p, hole[std::size_t(p)]);
        setMarble(p, marble[std::size_t(p)]);
    }
}

Position Position::fromText(const QString& text) {
    const QStringList rows = text.split(QLatin1Char('\n'));
    Position position;
    for (int r = 0; r < 7 && r < rows.size(); ++r)
        for (int q = 0; q < 7 && q < rows[r].size(); ++q) {
            const QChar c = rows[r][q];
            position.setHole(r * 7 + q, c != QLatin1Char(' '));
            position.setMarble(r * 7 + q, c == QLatin1Char('o'));
        }
    return position;
}

int Position::marbleCount() const {
    return std::popcount(m_marbles);
}

void Position::setHole(int p, bool hole) {
    if (!inside(p))
        return;
    const Mask bit = Mask{1} << p;
    m_holes = hole ? m_holes | bit : m_holes & ~bit;
    m_marbles &= m_holes;
}

void Position::setMarble(int p, bool marble) {
    if (!inside(p))
        return;
    const Mask bit = Mask{1} << p;
    m_marbles = marble ? m_marbles | (bit & m_holes) : m_marbles & ~bit;
}

bool Position::canJump(int s, int t) const {
    if (!inside(s) || !inside(t))
        return false;
    const int sr = s / 7, sc = s % 7, tr = t / 7, tc = t % 7;
    const bool shape = (std::abs(tr - sr) == 2 && tc == sc) || (std::abs(tc - sc) == 2 && tr == sr);
    return shape && marble((s + t) / 2) && hole(t) && !marble(t);
}

template <typename Visit> bool Position::forEachJump(Visit visit) const {
    for (int s = 0; s < kPositions; ++s) {
        if (!marble(s))
            continue;
        for (const int t : {s - 14, s - 2, s + 2, s + 14})
            if (canJump(s, t) && !visit(Jump{s, (s + t) / 2, t}))
                return false;
    }
    return true;
}

std::vector<Jump> Position::jumps() const {
    std::vector<Jump> out;
    forEachJump([&](const Jump& jump) {
        out.push_back(jump);
        return true;
    });
    return out;
}

std::optional<Jump> Position::firstJump() const {
    std::optional<Jump> first;
    forEachJump([&](const Jump& jump) {
        first = jump;
        return false;
    });
    return first;
}

Position Position::apply(const Jump& jump) const {
    Position next = *this;
    next.setMarble(jump.from, false);
    next.setMarble(jump.over, false);
    next.setMarble(jump.to, true);
    return next;
}

QString Position::text() const {
    QString out;
    for (int r = 0; r < 7; ++r) {
        if (r > 0)
            out += QLatin1Char('\n');
        for (int q = 0; q < 7; ++q) {
            const int p = r * 7 + q;
            out += !hole(p) ? QLatin1Char(' ') : marble(p) ? QLatin1Char('o') : QLatin1Char('.');
        }
    }
    return out;
}

} // namespace marvolen::game
