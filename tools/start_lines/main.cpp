// Prints the table of src/app/assist/start_lines.cpp: per variant, the best line the solver finds
// from the start within 10 s of processor time on boards of up to 37 holes and 60 s on larger
// ones, what it leaves and what is proven. Run by hand when the solver or the variants change:
//
//     build/tools/marvolen_print_start_lines
#include "game/variants.h"
#include "solver/solver.h"

#include <bit>
#include <cstdio>
#include <ctime>
#include <string>

using namespace marvolen;
using namespace marvolen::solver;

namespace {

constexpr std::size_t kTableBytes = std::size_t{32} << 20; // what the game gives each solver
constexpr int kSmallSeconds = 10;
constexpr int kLargeSeconds = 60;

/// The processor time of the thread that reads it: on a shared machine the wall clock would
/// count others' work, and the lines would depend on it.
class ThreadTime : public Clock {
  public:
    std::chrono::nanoseconds now() const override {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
    }
};

} // namespace

int main() {
    const ThreadTime threadTime;
    for (int v = 0; v < game::kVariants; ++v) {
        const Mask holes = maskFromPattern(game::variant(v).pattern);
        const Mask start = holes & ~(Mask{1} << game::kCentre);
        Solver solver(holes, kTableBytes);
        const int seconds = std::popcount(holes) <= 37 ? kSmallSeconds : kLargeSeconds;
        const Result result =
            solver.solve(start, Limits::within(std::chrono::seconds(seconds), threadTime));
        std::string line;
        for (const Jump& jump : result.moves) {
            if (!line.empty())
                line += ' ';
            line += std::to_string(jump.from) + '>' + std::to_string(jump.to);
        }
        std::printf("    {%d, %d, \"%s\"}, // %d\n", result.best, result.lowerBound, line.c_str(),
                    v);
        std::fflush(stdout);
    }
    return 0;
}
