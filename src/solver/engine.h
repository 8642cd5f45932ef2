// The solver's tables and searches behind the public Solver: private to src/solver, and to the
// tests of its parts.
#pragma once

#include "solver/board_geometry.h"
#include "solver/pagoda.h"
#include "solver/position_set.h"
#include "solver/solver.h"
#include "solver/transposition_table.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace marvolen::solver {

/// What a Solver is made of: its tables (symmetries, bounds, pagoda functions, the table of
/// refuted positions, the known one-marble positions) and the searches over them. Not
/// thread-safe: one thread at a time.
class Engine {
  public:
    /// `tableBytes` is the most memory the table may take; it is allocated once, never grown. The
    /// first question about a single marble takes half of it for the positions known to leave one.
    Engine(Mask holes, std::size_t tableBytes);

    Mask holes() const { return m_board.holes(); }
    const BoardGeometry& board() const { return m_board; }
    /// How many of the eight symmetries of the square map the holes to themselves.
    int symmetryCount() const { return int(m_symmetries.size()); }
    std::size_t tableBytes() const { return m_table.bytes(); }
    /// Every position of up to this many marbles, of the position classes of the last question
    /// about a single marble, that can leave a single marble is known (0 before such a question).
    int knownOnesUpTo() const { return m_onesComplete; }

    /// Every legal jump of `marbles` (which must lie on holes).
    std::vector<Jump> legalJumps(Mask marbles) const { return m_board.legalJumps(marbles); }
    /// The same position under each symmetry of the holes, the smallest mask of them.
    Mask canonical(Mask marbles) const;
    /// A proven lower bound on the marbles that can be left, found without searching.
    int staticLowerBound(Mask marbles) const;
    /// Whether the bounds the search prunes with prove that `marbles` cannot come down to
    /// `target` or fewer: cheaper than the full static bound, and as strong where it matters.
    bool refutes(Mask marbles, int target) const;
    /// A pagoda function of the solver against few marbles: no position of the same position
    /// classes whose weights sum below `least` can come down to the count it was asked for.
    struct FewMarblesTest {
        std::array<std::int32_t, kPositionCount> weights{};
        std::int64_t least = 0;
    };
    /// The solver's pagoda functions against `marbles` coming down to `target` or fewer.
    std::vector<FewMarblesTest> fewMarblesTests(Mask marbles, int target) const;

    /// Fewest marbles: deepens the target count 1, 2, ... until one is reached; what is known
    /// when a limit stops it is returned with `best` above `lowerBound`.
    Result solve(Mask marbles, const Limits& limits = {});
    /// Whether a single marble can still be left.
    Reach canReachOne(Mask marbles, const Limits& limits = {});
    /// `canReachOne` for each of `positions`, the quick ones first: each is searched a small share
    /// of positions, and those left undecided four times as many on every round, until all are
    /// decided or the stop flag or deadline of `limits` ends it (its `maxNodes` holds for each
    /// search). `decided` is told of each position as it is decided.
    void decideEach(std::vector<Mask> positions, const Limits& limits,
                    const std::function<void(Mask, Reach)>& decided);
    /// What the warning is asked next, decided while the player thinks: `decideEach` for the
    /// positions after each jump of `marbles`, then for those after each jump of the ones of them
    /// that can still leave one marble. Positions `known` answers are not searched again;
    /// `decided` is told of every other as it is decided.
    void decideAhead(Mask marbles, const Limits& limits,
                     const std::function<std::optional<Reach>(Mask)>& known,
                     const std::function<void(Mask, Reach)>& decided);

  private:
    enum class Outcome { Reached, NotReached, Stopped };
    struct Symmetry {
        // Image of each row value: a row's seven bits map to scattered bits.
        RowTable<Mask> rows;
        // Image of the three positions of each jump, by jumpCode: a jump changes a position's
        // image by exactly these bits, so a search carries the images down instead of mapping
        // every position it meets afresh.
        std::array<Mask, 4 * kPositionCount> jumps;
    };
    // A position's image under each symmetry of the holes, in the order of their list.
    using Images = std::array<Mask, 8>;
    // A position's jumps, best first: each its score, its place and its code in one number.
    using JumpOrder = std::array<std::uint32_t, 4 * kPositionCount>;
    static std::size_t codeOf(const JumpOrder& order, int i) {
        return std::size_t(order[std::size_t(i)] & 0xFF);
    }
    struct Search;

    Mask transform(const Symmetry& symmetry, Mask marbles) const;
    int classBound(Mask marbles) const;
    struct Reachability {
        int stranded = 0;  // marbles that can never move nor be removed
        Mask fillable = 0; // positions that may ever hold a marble
    };
    Reachability reachability(Mask marbles) const;
    /// Whether a pagoda function proves that `marbles`, of position-class signature `signature`,
    /// cannot come down to `count` or fewer.
    bool fewMarblesRefuted(Mask marbles, int count, int signature) const;
    Mask lastHoles(Mask marbles) const;
    /// Whether pagoda functions prove that none of `ends` can hold a last single marble.
    bool pagodasRefute(Mask marbles, Mask ends) const;
    /// `key` is the position's canonical mask under the symmetries of the holes, or 0 when the
    /// caller has not worked it out; `images` its images under them, or null.
    Outcome reach(Search& search, Mask marbles, int count, int depth, Mask key = 0,
                  const Images* images = nullptr);
    /// Whether the table or a bound refutes `marbles` (canonical `key`) for the search's target;
    /// what a bound proves goes into the table.
    bool refuted(Search& search, Mask marbles, int count, Mask key);
    /// The jumps of `marbles`, best first: those that clear the outside, shuffled a little on
    /// a new start; returns how many.
    int orderJumps(Search& search, Mask marbles, JumpOrder& order) const;
    /// The canonical mask after the jump `code`, from the position's images.
    Mask keyAfter(const Images& images, std::size_t code) const;
    /// `reach` on every jump of `order`, into the known one-marble positions.
    Outcome intoKnownOnes(Search& search, Mask marbles, int count, int depth,
                          const JumpOrder& order, int n, const Images& images);
    /// `reach` on every jump of `order`, one marble fewer.
    Outcome descend(Search& search, Mask marbles, int count, int depth, const JumpOrder& order,
                    int n, const Images& images);
    /// `reach` from the position asked about, starting over when it churns.
    Outcome searchFrom(Search& search, Mask marbles, int count);
    /// A search for a line down to `search.probe` marbles within `budget` positions, recorded
    /// as the best when it leaves fewer than the best so far; false when a limit of the question
    /// stopped it.
    bool probeFor(Search& search, Mask marbles, int count, std::uint64_t budget);
    /// A search for a line down to `target` marbles or fewer that keeps, at each count, only the
    /// `width` positions whose marbles lie nearest the middle. Finding none proves nothing, but it
    /// cannot get stuck in one corner of the tree the way a depth-first search can: on the large
    /// boards it finds in a tenth of a second lines the depth-first search takes many seconds for.
    /// A line found is recorded when it leaves fewer than the best so far.
    Outcome beamFor(Search& search, Mask marbles, int count, int target, std::size_t width);
    struct Beam;
    /// The positions one jump below those the beam keeps, as candidates; Reached when one of
    /// them is the target's or a known one-marble position.
    Outcome widenBeam(Search& search, Beam& beam, int level, int target);
    /// Keeps the `width` candidates nearest the middle that no bound refutes; false when none.
    bool narrowBeam(Search& search, Beam& beam, int target, std::size_t width);
    /// `searchFrom` for more than one marble, handed to a search level by level when it churns.
    Outcome searchByLevels(Search& search, Mask marbles, int count);
    /// Grows the known one-marble positions of position-class signature `signature` level by
    /// level, backward from every single marble of it, up to `upTo` marbles as far as memory and
    /// half the time the limits leave allow; a later call for the same signature goes on where
    /// this one stopped.
    void growOnes(int signature, int upTo, const Limits& limits);
    /// The known one-marble positions set out for `signature`, its single marbles in it; false
    /// when they can grow no more.
    bool startOnes(int signature);
    /// Adds the positions one jump before `marbles` to the known one-marble positions; false
    /// once they are full.
    bool addOnesAbove(Mask marbles);
    /// A position of no more marbles than the known one-marble positions, canonical `key`: found
    /// there (its jumps down in the path) or not.
    Outcome knownOne(Search& search, Mask marbles, Mask key, int count, int depth);
    /// The fewest marbles found within `budget` positions below one that cannot leave one marble,
    /// recorded as the best when fewer than the best so far.
    void lookBelow(Search& search, Mask marbles, int count, int depth, std::uint64_t& budget) const;
    /// From a known one-marble position: the jumps down to its single marble into the path.
    void descendOnes(Search& search, Mask marbles, int count, int depth) const;

    BoardGeometry m_board;
    std::vector<Symmetry> m_symmetries;
    std::array<int, kPositionCount> m_score{};
    // Per row value, the sum over its marbles of the squared distance from the centre.
    RowTable<std::uint16_t> m_spreadRows{};
    // Per position-class signature, the fewest marbles that can have it (0: none can).
    std::array<int, 16> m_fewestOfClass{};
    // Per hole, pagoda functions that refute a single last marble there for many positions.
    std::vector<std::vector<Pagoda>> m_pagodas;
    // Pagoda functions (some weights negative) against coming down to few marbles: per row value
    // its weight sum, and per count and class signature the least sum that that many marbles
    // (or fewer, at least one) of that signature can have; no jump changes the signature.
    struct FewMarblesBound {
        RowTable<std::int32_t> rows;
        std::array<std::array<std::int32_t, 16>, kPositionCount + 1> least;
    };
    FewMarblesBound fewMarblesBound(const Pagoda& pagoda) const;
    std::vector<FewMarblesBound> m_fewMarblesBounds;
    TranspositionTable m_table;
    // Canonical positions of signature m_onesSignature that can leave a single marble: all of
    // them up to m_onesComplete marbles, some of the next level. No jump changes the signature,
    // so one game only ever needs one.
    PackedPositionSet m_ones;
    bool m_onesLent = false;
    int m_onesSignature = -1;
    int m_onesComplete = 0;
    bool m_onesFull = false;
    std::size_t m_lastLevelSize = 0; // positions of the last complete level
    std::size_t m_levelBeforeLast = 0;
    std::size_t m_onesResume = 0;     // where a stopped pass over the set goes on
    std::size_t m_onesLevelStart = 0; // positions when the level being grown was begun
    bool m_onesGrown = false;         // the level being grown has had a position
};

} // namespace marvolen::solver
