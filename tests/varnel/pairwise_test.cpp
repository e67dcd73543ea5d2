// Spectrum runs counted through the projections onto pairs of factors must
// write exactly what the closure writes: random lattices (numbered in random
// order), random factors and constraints, every option that leaves the
// counting path open, progress steps, small blocks, and factors that stop
// the run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "bench/randomlattice.h"
#include "harness.h"
#include "varnel/pairwise.h"
#include "varnel/subsets.h"

namespace {

int pick(std::mt19937_64& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

struct RunCase {
    std::string lattices, factors, options;
    int32_t step = 0;
    int32_t capacity = 1500000;
};

RunCase randomcase(std::mt19937_64& rng) {
    RunCase c;
    std::vector<varnelref::Lattice> lats;
    const int nl = pick(rng, 1, 3);
    for (int i = 0; i < nl; ++i) {
        const std::string name = "L" + std::to_string(i + 1);
        switch (pick(rng, 0, 5)) {
            case 0: lats.push_back(varnelref::diamond(name)); break;
            case 1: lats.push_back(varnelref::pentagon(name)); break;
            case 2: lats.push_back(varnelref::chain(name, pick(rng, 1, 4))); break;
            default: lats.push_back(varnelref::randomlattice(rng, name, pick(rng, 3, 12), pick(rng, 2, 4)));
        }
        c.lattices += varnelref::latticeblock(lats.back(), i + 1);
    }
    const int nf = pick(rng, 1, 7);
    std::vector<std::string> sides;
    for (int f = 0; f < nf; ++f) {
        const varnelref::Lattice& l = lats[static_cast<size_t>(pick(rng, 0, nl - 1))];
        // Mostly choices whose meet is the least and whose join the greatest
        // element (others stop the run at their first product).
        int xi = 1, yi = 1, zi = 1;
        for (int tries = 0; tries < 30; ++tries) {
            xi = pick(rng, 1, l.n), yi = pick(rng, 1, l.n), zi = pick(rng, 1, l.n);
            const int lo = l.meet[static_cast<size_t>(l.meet[xi][yi])][zi];
            const int hi = l.join[static_cast<size_t>(l.join[xi][yi])][zi];
            if ((lo == 1 && hi == l.n) || pick(rng, 0, 9) == 0) break;
        }
        if (pick(rng, 0, 19) == 0) yi = zi = xi;  // a single-element factor stops the run
        auto el = [&](int e) { return l.elements[static_cast<size_t>(e)]; };
        const std::string x = el(xi), y = el(yi), z = el(zi);
        sides.push_back(l.name + " \\with x=" + x + " y=" + y + " z=" + z);
        c.factors += "\\lattice=" + sides.back() + "\r\n";
    }
    const int nc = pick(rng, 0, 3);
    if (nc == 0) c.factors += "% end\r\n";
    for (int k = 0; k < nc; ++k) {
        c.factors += "\\if " + sides[static_cast<size_t>(pick(rng, 0, nf - 1))] + " \\ThenNot " +
                     sides[static_cast<size_t>(pick(rng, 0, nf - 1))];
        if (k + 1 < nc) c.factors += "\r\n";
    }
    const char* const options[] = {"nnni", "nnnin", "innin", "nnnix", "nnnnin"};
    c.options = options[pick(rng, 0, 3)];
    const int32_t steps[] = {0, 0, 1, 2, 5};
    c.step = steps[pick(rng, 0, 4)];
    if (pick(rng, 0, 7) == 0) c.capacity = pick(rng, 3, 40);
    return c;
}

struct Written {
    std::string console, result, stop;
};

Written runcase(const RunCase& c, bool pairwise) {
    vtest::Rig rig;
    rig.latfile(c.lattices);
    rig.asgfile(c.factors);
    rig.openresult();
    varnel::Varnel& v = rig.v();
    v.args = {"lat.txt", "asg.txt", c.options, std::to_string(c.step)};
    varnel::readoptions(v);
    v.threads = 1;
    v.pairwise = pairwise;
    v.ws.capacity = c.capacity;
    Written w;
    w.stop = vtest::outcome([&] {
        varnel::readassignments(v);
        varnel::selectall(v.facts, v.ws);
        varnel::runsubsets(v);
    });
    w.console = rig.console();
    w.result = rig.result();
    return w;
}

// Rounds of random runs: LT_PAIRWISE_ROUNDS in the environment sets more
// for a long check by hand.
int rounds() {
    const char* r = std::getenv("LT_PAIRWISE_ROUNDS");
    return r ? std::atoi(r) : 500;
}

TEST(Pairwise, SameBytesAsTheClosure) {
    std::mt19937_64 rng(1211);
    int counted = 0, stopped = 0;
    const int total = rounds();
    for (int round = 0; round < total; ++round) {
        const RunCase c = randomcase(rng);
        const Written fast = runcase(c, true), slow = runcase(c, false);
        const std::string what = "round " + std::to_string(round) + " options " + c.options + " step " +
                                 std::to_string(c.step) + " capacity " + std::to_string(c.capacity) + "\n" +
                                 c.factors;
        ASSERT_EQ(fast.stop, slow.stop) << what;
        ASSERT_EQ(fast.console, slow.console) << what;
        ASSERT_EQ(fast.result, slow.result) << what;
        (slow.stop.empty() ? counted : stopped)++;
    }
    // Both kinds of run must be well represented.
    EXPECT_GT(counted, total / 2);
    EXPECT_GT(stopped, total / 20);
}

// A product too large for the closure to be run over all its subsets in a
// test: 27 factors of the seven-element case, 5272 vectors. Each piece that
// the counting run puts in the closure's place is compared with the closure
// on it: the count, the atoms and coatoms, the places of the least and
// greatest vectors in the order of discovery (found from the first two
// passes), and the growth marks and block-full stop.
TEST(Pairwise, PiecesOnALargeProduct) {
    const std::string bench = LT_SHARED_BENCH;
    const std::string lat = lttest::readfile(bench + "/small7/lattices.txt");
    const std::string asg = lttest::readfile(bench + "/small7/assign.txt");
    if (lat.empty() || asg.empty()) GTEST_SKIP() << "shared inputs not found";
    std::string first;
    size_t pos = 0;
    for (int n = 0; n < 27;) {
        const size_t e = asg.find('\n', pos);
        const std::string line = asg.substr(pos, e - pos + 1);
        pos = e + 1;
        if (line.rfind("\\lattice=", 0) == 0) first += line, ++n;
    }
    for (int32_t step : {10, 100, 1000}) {
        for (int32_t capacity : {1500000, 3000}) {
            vtest::Rig closure, counting;
            for (vtest::Rig* r : {&closure, &counting}) {
                r->latfile(lat);
                r->asgfile(first + "% end\r\n");
                r->v().opts.runopts = "nnnin";
                r->v().opts.progstep = step;
                r->v().ws.capacity = capacity;
                ASSERT_EQ(vtest::outcome([&] { varnel::readassignments(r->v()); }), "");
                varnel::selectall(r->v().facts, r->v().ws);
            }
            varnel::Varnel& c = closure.v();
            varnel::Product pc = c.product();
            varnel::initbl(pc);
            const std::string stop = vtest::outcome([&] { varnel::genbl(pc); });

            varnel::Varnel& f = counting.v();
            ASSERT_TRUE(varnel::pairwiseapplies(f.store, f.facts));
            varnel::Pairwise pw;
            varnel::preparepairwise(f.store, f.facts, pw);
            const uint64_t all = (uint64_t{1} << 27) - 1;
            const int64_t size = varnel::countelements(pw, all, int64_t{capacity} + 1);
            varnel::Product pf = f.product();
            varnel::initbl(pf);
            EXPECT_EQ(vtest::outcome([&] { varnel::emulategrowth(pf, size); }), stop);
            EXPECT_EQ(counting.console(), closure.console()) << step;
            EXPECT_EQ(pf.ws.proginterval, pc.ws.proginterval);
            if (!stop.empty()) continue;
            EXPECT_EQ(size, 5272);
            EXPECT_EQ(varnel::countatoms(pw, all), 3);
            EXPECT_EQ(varnel::countcoatoms(pw, all), 3);
            // The least and greatest vectors are found by the first two passes,
            // at the places where the whole closure has them.
            std::vector<uint8_t> bottom(28), top(28);
            for (int32_t i = 1; i <= 27; ++i) bottom[i - 1] = pw.bottom[i], top[i - 1] = pw.top[i];
            varnel::initbl(pf);
            varnel::genblpasses(pf, 2);
            EXPECT_EQ(varnel::rowindex(pf.ws, bottom.data()), pc.ws.lexmin);
            EXPECT_EQ(varnel::rowindex(pf.ws, top.data()), pc.ws.lexmax);
            EXPECT_TRUE(varnel::equelemrows(pc.ws.row(pc.ws.lexmin), bottom.data(), 27));
        }
    }
}

// The counts themselves against the closure, for every subset of a few
// random products of up to six factors.
TEST(Pairwise, CountsOfEverySubset) {
    std::mt19937_64 rng(77);
    for (int round = 0; round < 40; ++round) {
        RunCase c = randomcase(rng);
        vtest::Rig rig;
        rig.latfile(c.lattices);
        rig.asgfile(c.factors);
        rig.openresult();
        varnel::Varnel& v = rig.v();
        v.opts.runopts = "nnnin";
        ASSERT_EQ(vtest::outcome([&] { varnel::readassignments(v); }), "");
        if (!varnel::pairwiseapplies(v.store, v.facts)) continue;
        varnel::Pairwise pw;
        varnel::preparepairwise(v.store, v.facts, pw);
        const int32_t n = v.facts.numdirfacts;
        for (uint64_t s = 1; s < (uint64_t{1} << n); ++s) {
            for (int32_t i = 1; i <= n; ++i) v.ws.effective[i] = s >> (i - 1) & 1;
            varnel::Product p = v.product();
            varnel::initbl(p);
            varnel::genbl(p);
            ASSERT_EQ(varnel::countelements(pw, s, 1 << 30), v.ws.blsize) << round << " " << s;
            if (v.ws.blsize < 3) continue;
            const std::string stop = vtest::outcome([&] {
                varnel::findatoms(p);
                varnel::findcoatoms(p);
            });
            if (!stop.empty()) continue;  // a least or greatest vector of the wrong form
            EXPECT_EQ(varnel::countatoms(pw, s), v.ws.numatoms) << round << " " << s;
            EXPECT_EQ(varnel::countcoatoms(pw, s), v.ws.numcoatoms) << round << " " << s;
        }
    }
}

}  // namespace
