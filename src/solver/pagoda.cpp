// Pagoda functions: a dense simplex on the dual problem, then integral weights that hold exactly.
#include "solver/pagoda.h"

#include "solver/board_geometry.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <random>

namespace marvolen::solver {
namespace {

constexpr double kEpsilon = 1e-9;
// Weights are the real ones times this, rounded: the least functions' weights are mostly
// fractions of small denominators, which it keeps exact. Sums of 49 weights fit in 32 bits.
constexpr double kScale = 256.0 * 9 * 5 * 7;
constexpr std::int32_t kLargest = 1 << 24;
// Weights start at -kScale or above; a repair that sinks one below this runs away.
constexpr std::int32_t kLowest = -4 * std::int32_t(kScale);

/// One row of a problem min c.z subject to rows >= bound, z >= 0: coefficients by variable.
struct Row {
    std::vector<std::pair<std::size_t, double>> terms;
    double bound = 0.0;
};

/// The simplex tableau of the dual problem max bound.y subject to A^T y <= c, y >= 0. All costs c
/// are not negative, so the start (all y = 0) is feasible and no first phase is needed; at the
/// optimum the prices of the dual's rows are a least solution z of the problem itself.
class DualTableau {
  public:
    DualTableau(const std::vector<Row>& rows, const std::vector<double>& costs)
        : m_rows(costs.size()), m_columns(rows.size() + costs.size()),
          m_cells((m_rows + 1) * (m_columns + 1), 0.0), m_basis(m_rows), m_slackStart(rows.size()) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            for (const auto& [variable, coefficient] : rows[i].terms)
                at(variable, i) += coefficient;
            at(m_rows, i) = -rows[i].bound;
        }
        for (std::size_t r = 0; r < m_rows; ++r) {
            at(r, m_slackStart + r) = 1.0;
            m_basis[r] = m_slackStart + r;
            at(r, m_columns) = costs[r];
        }
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
    /// Variable r of the least solution: the price of the dual's row r.
    double solution(std::size_t r) const {
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
    std::size_t m_slackStart;
};

/// Lowers weights until w(a) + w(b) >= w(c) holds on every line. Rounding may leave a cycle of
/// lines that would lower weights for ever (negative weights); then it gives up: false.
bool repair(Pagoda& pagoda, const std::vector<std::array<int, 3>>& lines) {
    auto& w = pagoda.weights;
    for (int pass = 0;; ++pass) {
        if (pass == 64)
            return false;
        bool changed = false;
        for (const auto& line : lines) {
            const std::int32_t most = w[std::size_t(line[0])] + w[std::size_t(line[1])];
            if (w[std::size_t(line[2])] > most) {
                if (most < kLowest)
                    return false;
                w[std::size_t(line[2])] = most;
                changed = true;
            }
        }
        if (!changed)
            return true;
    }
}

std::vector<int> holeListOf(std::uint64_t holes) {
    std::vector<int> list;
    for (; holes != 0; holes &= holes - 1)
        list.push_back(std::countr_zero(holes));
    return list;
}

/// Per position, its place in the hole list.
std::array<std::size_t, 49> indexOf(const std::vector<int>& holeList) {
    std::array<std::size_t, 49> index{};
    for (std::size_t h = 0; h < holeList.size(); ++h)
        index[std::size_t(holeList[h])] = h;
    return index;
}

/// Positions of the middle of seeded random games: the ones a search meets by the million.
std::vector<std::uint64_t> samplePositions(std::uint64_t holes, std::uint64_t start) {
    const auto lines = jumpLinesOf(holes);
    const int holeCount = std::popcount(holes);
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

    return samples;
}

} // namespace

std::int32_t Pagoda::valueOf(std::uint64_t marbles) const {
    std::int32_t sum = 0;
    for (; marbles != 0; marbles &= marbles - 1)
        sum += weights[std::size_t(std::countr_zero(marbles))];
    return sum;
}

std::vector<std::array<int, 3>> jumpLinesOf(std::uint64_t holes) {
    return BoardGeometry(holes).jumpLines();
}

bool isPagoda(const Pagoda& pagoda, std::uint64_t holes) {
    for (int p = 0; p < kSide * kSide; ++p)
        if (!(holes & bit(p)) && pagoda.weights[std::size_t(p)] != 0)
            return false;
    for (const auto& line : jumpLinesOf(holes))
        if (std::int64_t{pagoda.weights[std::size_t(line[0])]} +
                pagoda.weights[std::size_t(line[1])] <
            pagoda.weights[std::size_t(line[2])])
            return false;
    return true;
}

Pagoda leastPagoda(std::uint64_t holes, int target, std::uint64_t marbles, double* minimum) {
    const std::vector<int> holeList = holeListOf(holes);
    const auto lines = jumpLinesOf(holes);
    const auto index = indexOf(holeList);
    // Variables: the weight of each hole. Rows: every jump line, and weight 1 at the target.
    std::vector<Row> rows;
    for (const auto& line : lines)
        rows.push_back({{{index[std::size_t(line[0])], 1.0},
                         {index[std::size_t(line[1])], 1.0},
                         {index[std::size_t(line[2])], -1.0}},
                        0.0});
    rows.push_back({{{index[std::size_t(target)], 1.0}}, 1.0});
    std::vector<double> costs(holeList.size());
    for (std::size_t h = 0; h < holeList.size(); ++h)
        costs[h] = (marbles & bit(holeList[h])) ? 1.0 : 0.0;
    DualTableau tableau(rows, costs);
    tableau.optimise();
    if (minimum)
        *minimum = tableau.value();
    Pagoda pagoda;
    for (std::size_t h = 0; h < holeList.size(); ++h) {
        const double w = std::clamp(tableau.solution(h) * kScale, 0.0, double(kLargest));
        pagoda.weights[std::size_t(holeList[h])] = std::int32_t(std::lround(w));
    }
    if (!repair(pagoda, lines))
        pagoda = Pagoda{};
    return pagoda;
}

std::int32_t leastOnFewMarbles(const Pagoda& pagoda, std::uint64_t holes, int count) {
    std::vector<std::int32_t> weights;
    for (std::uint64_t rest = holes; rest != 0; rest &= rest - 1)
        weights.push_back(pagoda.weights[std::size_t(std::countr_zero(rest))]);
    std::sort(weights.begin(), weights.end());
    if (weights.empty() || count < 1)
        return 0;
    std::int32_t least = weights.front();
    for (std::size_t i = 1; i < weights.size() && int(i) < count; ++i)
        least += std::min(weights[i], std::int32_t{0});
    return least;
}

Pagoda leastCountPagoda(std::uint64_t holes, std::uint64_t marbles, int count, double* minimum) {
    const std::vector<int> holeList = holeListOf(holes);
    const auto lines = jumpLinesOf(holes);
    const auto index = indexOf(holeList);
    const std::size_t n = holeList.size();
    // Weights u >= -1 as v = u + 1 >= 0; mu and nu_h price the most negative weights a few marbles
    // can carry: u_h >= -mu - nu_h, so no set of `count` holes weighs less than
    // -(count mu + sum nu). Variables: v_h (0..n-1), mu (n), nu_h (n+1..2n).
    std::vector<Row> rows;
    for (const auto& line : lines)
        rows.push_back({{{index[std::size_t(line[0])], 1.0},
                         {index[std::size_t(line[1])], 1.0},
                         {index[std::size_t(line[2])], -1.0}},
                        1.0});
    for (std::size_t h = 0; h < n; ++h)
        rows.push_back({{{h, 1.0}, {n, 1.0}, {n + 1 + h, 1.0}}, 1.0});
    std::vector<double> costs(2 * n + 1, 1.0);
    for (std::size_t h = 0; h < n; ++h)
        costs[h] = (marbles & bit(holeList[h])) ? 1.0 : 0.0;
    costs[n] = double(count);
    DualTableau tableau(rows, costs);
    tableau.optimise();
    // The least u(marbles) - least weight of `count` marbles is the optimum less the marbles.
    if (minimum)
        *minimum = tableau.value() - std::popcount(marbles & holes);
    Pagoda pagoda;
    for (std::size_t h = 0; h < n; ++h) {
        const double w =
            std::clamp((tableau.solution(h) - 1.0) * kScale, -kScale, double(kLargest));
        pagoda.weights[std::size_t(holeList[h])] = std::int32_t(std::lround(w));
    }
    if (!repair(pagoda, lines))
        pagoda = Pagoda{};
    return pagoda;
}

std::vector<std::vector<Pagoda>>
pagodasForEveryHole(std::uint64_t holes, std::uint64_t start,
                    const std::function<bool(std::uint64_t, int)>& worthRefuting, int perHole,
                    int triesPerHole) {
    const std::vector<std::uint64_t> samples = samplePositions(holes, start);
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
            if (minimum < 1.0 - 1e-6 && refutes(pagoda) && isPagoda(pagoda, holes))
                kept.push_back(pagoda);
        }
    }
    return found;
}

std::vector<Pagoda> pagodasForFewMarbles(std::uint64_t holes, std::uint64_t start, int mostCount,
                                         int perCount, int triesPerCount) {
    std::vector<std::uint64_t> samples = samplePositions(holes, start);
    samples.insert(samples.begin(), start & holes); // the position most asked about
    std::vector<Pagoda> kept;
    for (int count = 1; count <= mostCount; ++count) {
        int found = 0;
        int tries = 0;
        for (const std::uint64_t marbles : samples) {
            if (found >= perCount || tries >= triesPerCount)
                break;
            if (std::popcount(marbles) <= count + 1)
                continue;
            const auto refutes = [&](const Pagoda& pagoda) {
                return pagoda.valueOf(marbles) < leastOnFewMarbles(pagoda, holes, count);
            };
            if (std::any_of(kept.begin(), kept.end(), refutes))
                continue;
            ++tries;
            double gap = 0.0;
            const Pagoda pagoda = leastCountPagoda(holes, marbles, count, &gap);
            if (gap < -1e-6 && refutes(pagoda) && isPagoda(pagoda, holes)) {
                kept.push_back(pagoda);
                ++found;
            }
        }
    }
    return kept;
}

} // namespace marvolen::solver
