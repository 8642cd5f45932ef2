// Pagoda functions: a dense simplex on the dual problem, then integral weights that hold exactly.
#include "solver/pagoda.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <random>

namespace marvolen::solver {
namespace {

constexpr int kSide = 7;
constexpr double kEpsilon = 1e-9;
// Weights are the real ones times this, rounded; fine enough to keep nearly all of their power.
constexpr double kScale = 4096.0;
constexpr std::int32_t kLargest = 1 << 20;

constexpr std::uint64_t bit(int position) {
    return std::uint64_t{1} << position;
}

/// The simplex tableau of max y_T subject to, per hole i, the sum over jump lines of
/// y_line * (+1 if i is from or over, -1 if i is to) + y_T [i is the target] <= [i holds a marble],
/// y >= 0. Its dual is the least pagoda function; the start (all y = 0) is feasible since the
/// right-hand sides are not negative, so no first phase is needed.
class DualTableau {
  public:
    DualTableau(const std::vector<int>& holeList, const std::vector<std::array<int, 3>>& lines,
                int target, std::uint64_t marbles)
        : m_rows(holeList.size()), m_columns(lines.size() + 1 + holeList.size()),
          m_cells((m_rows + 1) * (m_columns + 1), 0.0), m_basis(m_rows) {
        std::array<int, 49> rowOf{};
        rowOf.fill(-1);
        for (std::size_t r = 0; r < m_rows; ++r)
            rowOf[std::size_t(holeList[r])] = int(r);
        for (std::size_t j = 0; j < lines.size(); ++j) {
            at(std::size_t(rowOf[std::size_t(lines[j][0])]), j) += 1.0;
            at(std::size_t(rowOf[std::size_t(lines[j][1])]), j) += 1.0;
            at(std::size_t(rowOf[std::size_t(lines[j][2])]), j) -= 1.0;
        }
        const std::size_t targetColumn = lines.size();
        at(std::size_t(rowOf[std::size_t(target)]), targetColumn) = 1.0;
        for (std::size_t r = 0; r < m_rows; ++r) {
            const std::size_t slack = lines.size() + 1 + r;
            at(r, slack) = 1.0;
            m_basis[r] = slack;
            at(r, m_columns) = (marbles & bit(holeList[r])) ? 1.0 : 0.0;
        }
        at(m_rows, targetColumn) = -1.0;
        m_slackStart = lines.size() + 1;
    }

    /// Pivots until optimal, by Bland's rule (the problem is very degenerate: it must not cycle).
    void optimise() {
        for (;;) {
            std::size_t entering = m_columns;
            for (std::size_t j = 0; j < m_columns; ++j)
                if (at(m_rows, j) < -kEpsilon) {
                    entering = j;
                    break;
                }
            if (entering == m_columns)
                return;
            std::size_t leaving = m_rows;
            double bestRatio = 0.0;
            for (std::size_t r = 0; r < m_rows; ++r) {
                const double a = at(r, entering);
                if (a <= kEpsilon)
                    continue;
                const double ratio = at(r, m_columns) / a;
                if (leaving == m_rows || ratio < bestRatio - kEpsilon ||
                    (ratio <= bestRatio + kEpsilon && m_basis[r] < m_basis[leaving])) {
                    leaving = r;
                    bestRatio = ratio;
                }
            }
            if (leaving == m_rows)
                return; // unbounded cannot happen: all ones is a pagoda function
            pivot(leaving, entering);
        }
    }

    double value() const { return m_cells[m_rows * (m_columns + 1) + m_columns]; }
    /// The least pagoda function's weight on hole row r: the price of that row's constraint.
    double weight(std::size_t r) const {
        return m_cells[m_rows * (m_columns + 1) + m_slackStart + r];
    }

  private:
    double& at(std::size_t r, std::size_t c) { return m_cells[r * (m_columns + 1) + c]; }

    void pivot(std::size_t row, std::size_t column) {
        const std::size_t width = m_columns + 1;
        double* pivotRow = &m_cells[row * width];
        const double scale = 1.0 / pivotRow[column];
        for (std::size_t c = 0; c < width; ++c)
            pivotRow[c] *= scale;
        pivotRow[column] = 1.0;
        for (std::size_t r = 0; r <= m_rows; ++r) {
            if (r == row)
                continue;
            double* other = &m_cells[r * width];
            const double factor = other[column];
            if (factor == 0.0)
                continue;
            for (std::size_t c = 0; c < width; ++c)
                other[c] -= factor * pivotRow[c];
            other[column] = 0.0;
        }
        m_basis[row] = column;
    }

    std::size_t m_rows;
    std::size_t m_columns;
    std::vector<double> m_cells;
    std::vector<std::size_t> m_basis;
    std::size_t m_slackStart = 0;
};

/// Lowers weights until w(a) + w(b) >= w(c) holds on every line; only lowering, so it ends.
void repair(Pagoda& pagoda, const std::vector<std::array<int, 3>>& lines) {
    auto& w = pagoda.weights;
    for (bool changed = true; changed;) {
        changed = false;
        for (const auto& line : lines) {
            const std::int32_t most = w[std::size_t(line[0])] + w[std::size_t(line[1])];
            if (w[std::size_t(line[2])] > most) {
                w[std::size_t(line[2])] = most;
                changed = true;
            }
        }
    }
}

} // namespace

std::int32_t Pagoda::valueOf(std::uint64_t marbles) const {
    std::int32_t sum = 0;
    for (; marbles != 0; marbles &= marbles - 1)
        sum += weights[std::size_t(std::countr_zero(marbles))];
    return sum;
}

std::vector<std::array<int, 3>> jumpLinesOf(std::uint64_t holes) {
    std::vector<std::array<int, 3>> lines;
    const auto hole = [&](int r, int c) {
        return r >= 0 && r < kSide && c >= 0 && c < kSide && (holes & bit(r * kSide + c));
    };
    const int dr[4] = {0, 0, 1, -1};
    const int dc[4] = {1, -1, 0, 0};
    for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c)
            for (int d = 0; d < 4; ++d)
                if (hole(r, c) && hole(r + dr[d], c + dc[d]) && hole(r + 2 * dr[d], c + 2 * dc[d]))
                    lines.push_back({r * kSide + c, (r + dr[d]) * kSide + c + dc[d],
                                     (r + 2 * dr[d]) * kSide + c + 2 * dc[d]});
    return lines;
}

bool isPagoda(const Pagoda& pagoda, std::uint64_t holes) {
    for (int p = 0; p < kSide * kSide; ++p)
        if (pagoda.weights[std::size_t(p)] < 0 ||
            (!(holes & bit(p)) && pagoda.weights[std::size_t(p)] != 0))
            return false;
    for (const auto& line : jumpLinesOf(holes))
        if (pagoda.weights[std::size_t(line[0])] + pagoda.weights[std::size_t(line[1])] <
            pagoda.weights[std::size_t(line[2])])
            return false;
    return true;
}

Pagoda leastPagoda(std::uint64_t holes, int target, std::uint64_t marbles, double* minimum) {
    std::vector<int> holeList;
    for (std::uint64_t rest = holes; rest != 0; rest &= rest - 1)
        holeList.push_back(std::countr_zero(rest));
    const auto lines = jumpLinesOf(holes);
    DualTableau tableau(holeList, lines, target, marbles & holes);
    tableau.optimise();
    if (minimum)
        *minimum = tableau.value();
    Pagoda pagoda;
    for (std::size_t r = 0; r < holeList.size(); ++r) {
        const double w = std::clamp(tableau.weight(r) * kScale, 0.0, double(kLargest));
        pagoda.weights[std::size_t(holeList[r])] = std::int32_t(std::lround(w));
    }
    repair(pagoda, lines);
    return pagoda;
}

std::vector<std::vector<Pagoda>>
pagodasForEveryHole(std::uint64_t holes, std::uint64_t start,
                    const std::function<bool(std::uint64_t, int)>& worthRefuting, int perHole,
                    int triesPerHole) {
    const auto lines = jumpLinesOf(holes);
    const int holeCount = std::popcount(holes);
    // Positions of the middle of random games: the ones a search meets by the million.
    std::mt19937 random(20261207u);
    std::vector<std::uint64_t> samples;
    for (int game = 0; game < 48; ++game) {
        std::uint64_t marbles = start & holes;
        for (;;) {
            const int count = std::popcount(marbles);
            if (count >= 5 && count <= holeCount * 2 / 3)
                samples.push_back(marbles);
            std::vector<const std::array<int, 3>*> open;
            for (const auto& line : lines)
                if ((marbles & bit(line[0])) && (marbles & bit(line[1])) &&
                    !(marbles & bit(line[2])))
                    open.push_back(&line);
            if (open.empty())
                break;
            const auto& line = *open[random() % open.size()];
            marbles = (marbles & ~bit(line[0]) & ~bit(line[1])) | bit(line[2]);
        }
    }
    std::sort(samples.begin(), samples.end());
    samples.erase(std::unique(samples.begin(), samples.end()), samples.end());
    std::shuffle(samples.begin(), samples.end(), random);

    std::vector<std::vector<Pagoda>> found(std::size_t(kSide * kSide));
    for (std::uint64_t rest = holes; rest != 0; rest &= rest - 1) {
        const int target = std::countr_zero(rest);
        auto& kept = found[std::size_t(target)];
        int tries = 0;
        for (const std::uint64_t marbles : samples) {
            if (int(kept.size()) >= perHole || tries >= triesPerHole)
                break;
            if (!worthRefuting(marbles, target))
                continue;
            const auto refutes = [&](const Pagoda& pagoda) {
                return pagoda.valueOf(marbles) < pagoda.weights[std::size_t(target)];
            };
            if (std::any_of(kept.begin(), kept.end(), refutes))
                continue;
            ++tries;
            double minimum = 0.0;
            const Pagoda pagoda = leastPagoda(holes, target, marbles, &minimum);
            if (minimum < 1.0 - 1e-6 && refutes(pagoda))
                kept.push_back(pagoda);
        }
    }
    return found;
}

} // namespace marvolen::solver
