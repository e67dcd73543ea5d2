#include <gtest/gtest.h>

#include "ordanik/bounds.h"
#include "ordanik/harness.h"

using namespace ordanik;
using ordtest::Harness;
using ordtest::poset;

namespace {

const std::string notice = "\\WARNING    WARNING  (a poset is not a lattice or an edge is not a covering)";

// The names of the elements in a bound set.
std::string boundnames(const Poset& p, Row set) {
    std::string s;
    for (int l = 1; l <= p.n; ++l)
        if (has(set, l)) s += p.names[l] + ",";
    return s;
}

}  // namespace

TEST(OrdanikLattice, TwoElementChain) {
    Harness h(poset("C2", "a b", "a-b") + "\n");
    h.examine();
    const Poset& p = h.at(0);
    EXPECT_TRUE(p.islattice);
    EXPECT_EQ(p.join[1][2], 2);
    EXPECT_EQ(p.join[2][1], 2);
    EXPECT_EQ(p.meet[1][2], 1);
    EXPECT_EQ(p.meet[2][1], 1);
    EXPECT_EQ(h.console(), "");
    EXPECT_EQ(h.report(), "");
}

TEST(OrdanikLattice, OrderIsTheClosureOfTheEdges) {
    // A chain given from the top down: every pair is comparable.
    Harness h(poset("chain", "e d c b a", "d-e c-d b-c a-b") + "\n");
    h.examine();
    const Poset& p = h.at(0);
    for (int j = 1; j <= 5; ++j)
        for (int k = 1; k <= 5; ++k) {
            EXPECT_EQ(p.below(j, k), j >= k) << j << " " << k;
            EXPECT_EQ(p.join[j][k], std::min(j, k));
            EXPECT_EQ(p.meet[j][k], std::max(j, k));
        }
}

TEST(OrdanikLattice, EdgesThatAreNotCoverings) {
    struct Case {
        std::string text;
        std::string lines;  // the covering lines, one per element strictly between
    } cases[] = {
        {poset("T", "a b c", "a-b b-c a-c"), "In T, a is NOT covered by c\n"},
        {poset("Q", "a b c d", "a-b b-c c-d a-d"), "In Q, a is NOT covered by d\nIn Q, a is NOT covered by d\n"},
        {poset("R", "a b c d", "a-b b-c c-d a-c b-d"),
         "In R, a is NOT covered by c\nIn R, b is NOT covered by d\n"},
    };
    for (const auto& c : cases) {
        Harness h(c.text + "\n");
        h.examine();
        EXPECT_TRUE(h.at(0).islattice);
        EXPECT_EQ(h.console(), notice + "\n" + c.lines);
        EXPECT_EQ(h.report(), lttest::crlf("\n" + notice + "\n\n" + c.lines));
    }
}

TEST(OrdanikLattice, StopsOnCyclesAndMissingBounds) {
    struct Case {
        std::string text;
        std::string message;
    } cases[] = {
        {poset("cyc", "a b c", "a-b b-c c-a"), "Incorrect edges (antisymmetry is violated): cyc"},
        {poset("cyc", "c a b", "a-b b-c c-a"), "Incorrect edges (antisymmetry is violated): cyc"},
        {poset("V", "0 a b", "0-a 0-b"), "No upper bound of two elements of V"},
        {poset("W", "a b 1", "a-1 b-1"), "No lower bound of two elements of W"},
        {poset("two", "a b c d", "a-b c-d"), "No upper bound of two elements of two"},
    };
    for (const auto& c : cases) {
        Harness h(c.text + "\n");
        h.readall();
        EXPECT_EQ(h.stopof([&] { examine(h.run, h.store); }), c.message);
    }
}

TEST(OrdanikLattice, EveryOrderIsClosedBeforeAnyTable) {
    // The covering line of the first poset comes before the stop for the
    // second, and the stop for the third never comes.
    Harness h(poset("A", "a b c", "a-b b-c a-c") + poset("B", "a b c", "a-b b-c c-a") +
              poset("C", "a b c", "a-b a-c") + "\n");
    h.readall();
    EXPECT_EQ(h.stopof([&] { examine(h.run, h.store); }), "Incorrect edges (antisymmetry is violated): B");
    EXPECT_EQ(h.console(), notice + "\nIn A, a is NOT covered by c\n");
}

TEST(OrdanikLattice, SixElementPosetThatIsNotALattice) {
    Harness h(poset("M", "0 a b c d 1", "0-a 0-b a-c a-d b-c b-d c-1 d-1") + "\n");
    h.examine();
    const Poset& p = h.at(0);
    EXPECT_FALSE(p.islattice);
    EXPECT_EQ(p.join[2][3], 0);
    EXPECT_EQ(p.join[3][2], 0);
    EXPECT_EQ(p.meet[4][5], 0);
    EXPECT_EQ(p.meet[5][4], 0);
    EXPECT_EQ(p.join[4][5], 6);
    EXPECT_EQ(p.meet[2][3], 1);
    EXPECT_EQ(boundnames(p, minupperbounds(p, 2, 3)), "c,d,");
    EXPECT_EQ(boundnames(p, maxlowerbounds(p, 4, 5)), "a,b,");
    EXPECT_EQ(boundnames(p, minupperbounds(p, 1, 2)), "a,");
    EXPECT_EQ(boundnames(p, maxlowerbounds(p, 6, 6)), "1,");
    EXPECT_EQ(h.console(), notice + "\n");
}

TEST(OrdanikLattice, WarningNoticeOncePerRun) {
    Harness h(poset("T", "a b c", "a-b b-c a-c") + poset("M", "0 a b c d 1", "0-a 0-b a-c a-d b-c b-d c-1 d-1") +
              poset("M2", "0 a b c d 1", "0-a 0-b a-c a-d b-c b-d c-1 d-1") + "\n");
    h.examine();
    EXPECT_EQ(h.console(), notice + "\nIn T, a is NOT covered by c\n");
    EXPECT_FALSE(h.at(1).islattice);
    EXPECT_FALSE(h.at(2).islattice);
}

TEST(OrdanikLattice, BoundsAgreeWithTheirDefinition) {
    // Minimal upper bounds checked against a direct search on a poset with
    // several incomparable bounds.
    Harness h(poset("X", "0 a b c d e f 1", "0-a 0-b 0-c a-d a-e b-d b-e b-f c-f d-1 e-1 f-1") + "\n");
    h.examine();
    const Poset& p = h.at(0);
    for (int a = 1; a <= p.n; ++a)
        for (int b = 1; b <= p.n; ++b) {
            Row expected = 0;
            for (int l = 1; l <= p.n; ++l) {
                if (!p.below(a, l) || !p.below(b, l)) continue;
                bool minimal = true;
                for (int m = 1; m <= p.n; ++m)
                    if (m != l && p.below(a, m) && p.below(b, m) && p.below(m, l)) minimal = false;
                if (minimal) expected |= bit(l);
            }
            EXPECT_EQ(minupperbounds(p, a, b), expected) << a << " " << b;
        }
    EXPECT_EQ(boundnames(p, minupperbounds(p, 2, 3)), "d,e,");
    EXPECT_EQ(boundnames(p, maxlowerbounds(p, 6, 7)), "b,");
}
