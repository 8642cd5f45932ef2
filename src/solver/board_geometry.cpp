// The board's jumps, lines and symmetries, worked out once per hole pattern.
#include "solver/board_geometry.h"

#include <bit>

namespace marvolen::solver {

RowTable<Mask> holeBitRows(Mask holes) {
    std::array<Mask, kPositionCount> packed{};
    Mask index = 0;
    for (int p = 0; p < kPositionCount; ++p)
        if (holes & bit(p))
            packed[std::size_t(p)] = Mask{1} << index++;
    return rowTable<Mask>([&](int p) { return packed[std::size_t(p)]; });
}

BoardGeometry::BoardGeometry(Mask holes) : m_holes(holes & kAllPositions) {
    for (int p = 0; p < kPositionCount; ++p) {
        const int row = p / kSide;
        const int column = p % kSide;
        const bool inside[4] = {column + 2 < kSide, column >= 2, row + 2 < kSide, row >= 2};
        for (int d = East; d <= North; ++d) {
            if (!inside[d])
                continue;
            const std::array<int, 3> line = {p, p + kSteps[std::size_t(d)],
                                             p + 2 * kSteps[std::size_t(d)]};
            if ((m_holes & bit(line[0])) && (m_holes & bit(line[1])) && (m_holes & bit(line[2]))) {
                m_startsOf[std::size_t(d)] |= bit(p);
                m_lines.push_back(line);
            }
        }
    }
    for (int s = 0; s < 8; ++s) {
        Mask image = 0;
        for (Mask rest = m_holes; rest != 0; rest &= rest - 1)
            image |= bit(mapped(s, std::countr_zero(rest)));
        if (image == m_holes)
            m_symmetries.push_back(s);
    }
}

std::vector<Jump> BoardGeometry::legalJumps(Mask marbles) const {
    std::vector<Jump> jumps;
    const std::array<Mask, 4> starts = jumpStarts(marbles);
    for (std::size_t d = 0; d < 4; ++d)
        for (Mask rest = starts[d]; rest != 0; rest &= rest - 1)
            jumps.push_back(jumpAt(jumpCode(std::countr_zero(rest), int(d))));
    return jumps;
}

} // namespace marvolen::solver
