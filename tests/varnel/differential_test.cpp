// The fast product workspace against the plain reference: on random
// products of random lattices, on the shared benchmark inputs and on the
// ways the generators can coincide, both must build the same vectors in the
// same order, take the same least and greatest vectors, find the same atoms
// and coatoms, and stop with the same message where they stop.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>

#include "bench/randomlattice.h"
#include "bench/reference.h"
#include "harness.h"

namespace {

using varnelref::Lattice;

// What one implementation made of one product.
struct Outcome {
    std::string stop;  // the error stop's message, "" when the product completed
    int32_t blsize = 0;
    std::vector<std::vector<int32_t>> rows;  // rows 1..blsize (as far as they were built)
    int32_t least = 0, greatest = 0;         // block indices
    std::vector<int32_t> atoms, coatoms;
};

// A product: lattices in the store, factors, which of them take part, and
// the block capacity.
struct ProductCase {
    std::unique_ptr<varnel::Store> store = std::make_unique<varnel::Store>();
    varnel::Factors facts;
    bool effective[varnel::maxdirfacts + 1] = {};
    int32_t capacity = 4000;
};

std::vector<std::vector<int32_t>> rowsof(int32_t count, const std::function<int32_t(int32_t, int32_t)>& comp,
                                         int32_t nf) {
    std::vector<std::vector<int32_t>> rows;
    for (int32_t i = 1; i <= count; ++i) {
        std::vector<int32_t> r;
        for (int32_t c = 0; c < nf; ++c) r.push_back(comp(i, c));
        rows.push_back(r);
    }
    return rows;
}

Outcome runfast(const ProductCase& s, int genthreads) {
    Outcome o;
    varnel::Workspace ws;
    ws.capacity = s.capacity;
    ws.genthreads = genthreads;
    varnel::Options opts;
    varnel::Report rep;  // records, so nothing is written
    varnel::Product p{*s.store, s.facts, opts, ws, rep};
    std::copy(std::begin(s.effective), std::end(s.effective), std::begin(ws.effective));
    const int32_t nf = s.facts.numdirfacts;
    try {
        varnel::initbl(p);
        varnel::genbl(p);
        o.least = ws.lexmin;
        o.greatest = ws.lexmax;
        varnel::findatoms(p);
        varnel::findcoatoms(p);
    } catch (const varnel::ErrorStop& e) {
        o.stop = e.message;
    }
    o.blsize = ws.blsize;
    const int32_t built = std::min(ws.blsize, ws.capacity);
    o.rows = rowsof(built, [&](int32_t i, int32_t c) { return ws.row(i)[c]; }, nf);
    o.atoms = ws.atoms;
    o.coatoms = ws.coatoms;
    return o;
}

Outcome runreference(const ProductCase& s, varnelref::Reference* keep = nullptr) {
    Outcome o;
    varnelref::Reference local(*s.store, s.facts, s.capacity);
    varnelref::Reference& r = keep ? *keep : local;
    try {
        r.initbl(s.effective);
        r.genbl();
        // The leftmost and rightmost nodes of the search tree.
        o.least = o.greatest = 1;
        while (r.lf[static_cast<size_t>(o.least)] != 0) o.least = r.lf[static_cast<size_t>(o.least)];
        while (r.rg[static_cast<size_t>(o.greatest)] != 0) o.greatest = r.rg[static_cast<size_t>(o.greatest)];
        r.findatoms();
        r.findcoatoms();
    } catch (const varnel::ErrorStop& e) {
        o.stop = e.message;
    }
    o.blsize = r.blsize;
    const int32_t built = std::min(r.blsize, s.capacity);
    o.rows = rowsof(built, [&](int32_t i, int32_t c) { return r.row(i)[static_cast<size_t>(c)]; },
                    s.facts.numdirfacts);
    o.atoms = r.atoms;
    o.coatoms = r.coatoms;
    return o;
}

std::string describe(const ProductCase& s) {
    std::ostringstream out;
    for (int32_t l = 1; l <= s.store->numlats; ++l) {
        const int32_t n = s.store->latsize[l];
        out << "lattice " << l << " (" << n << " elements) leq:";
        for (int32_t a = 1; a <= n; ++a)
            for (int32_t b = 1; b <= n; ++b)
                if (s.store->leq[l][a][b]) out << ' ' << a << '<' << b;
        out << "\n";
    }
    for (int32_t i = 1; i <= s.facts.numdirfacts; ++i) {
        const auto& f = s.facts.dirfacts[i];
        out << "factor " << i << ": lattice " << f.latwh << " x=" << f.x << " y=" << f.y << " z=" << f.z
            << (s.effective[i] ? "" : " (not effective)") << "\n";
    }
    return out.str();
}

// Compares fast and reference; with rows true also every vector.
void expectsame(const Outcome& fast, const Outcome& ref, const std::string& what) {
    EXPECT_EQ(fast.stop, ref.stop) << what;
    EXPECT_EQ(fast.blsize, ref.blsize) << what;
    ASSERT_EQ(fast.rows.size(), ref.rows.size()) << what;
    for (size_t i = 0; i < ref.rows.size(); ++i)
        if (fast.rows[i] != ref.rows[i]) {
            ADD_FAILURE() << "first differing vector: " << i + 1 << "\n" << what;
            break;
        }
    EXPECT_EQ(fast.least, ref.least) << what;
    EXPECT_EQ(fast.greatest, ref.greatest) << what;
    EXPECT_EQ(fast.atoms, ref.atoms) << what;
    EXPECT_EQ(fast.coatoms, ref.coatoms) << what;
}

int pick(std::mt19937_64& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// The number of elements of l generated by x, y and z.
int generated(const Lattice& l, int x, int y, int z) {
    std::vector<char> in(static_cast<size_t>(l.n) + 1, 0);
    in[static_cast<size_t>(x)] = in[static_cast<size_t>(y)] = in[static_cast<size_t>(z)] = 1;
    for (bool grew = true; grew;) {
        grew = false;
        for (int a = 1; a <= l.n; ++a)
            for (int b = 1; b <= l.n; ++b)
                if (in[static_cast<size_t>(a)] && in[static_cast<size_t>(b)])
                    for (int c : {l.meet[a][b], l.join[a][b]})
                        if (!in[static_cast<size_t>(c)]) {
                            in[static_cast<size_t>(c)] = 1;
                            grew = true;
                        }
    }
    int count = 0;
    for (int a = 1; a <= l.n; ++a) count += in[static_cast<size_t>(a)];
    return count;
}

// Three elements of l, of several random tries the ones that generate the
// most elements; with spanning, only triples that meet in the least and join
// to the greatest element count (so the product's least and greatest vectors
// have the form the atom search checks), unless none turns up.
void choosegenerators(std::mt19937_64& rng, const Lattice& l, bool spanning, varnel::DirFact& f) {
    int best = -1;
    for (int tries = 0; tries < 40; ++tries) {
        const int x = pick(rng, 1, l.n), y = pick(rng, 1, l.n), z = pick(rng, 1, l.n);
        const bool spans = l.meet[l.meet[x][y]][z] == 1 && l.join[l.join[x][y]][z] == l.n;
        const int score = generated(l, x, y, z) + (spans || !spanning ? 100 : 0);
        if (score > best) {
            best = score;
            f.x = x;
            f.y = y;
            f.z = z;
        }
    }
}

// A random product: 1..4 random lattices, 1..maxfacts factors over them,
// random generators (mostly spanning each factor from least to greatest
// element), a random subset of the factors effective.
ProductCase randomsetup(std::mt19937_64& rng, int minfacts, int maxfacts, int maxsize, int maxlats = 4) {
    ProductCase s;
    const int numlats = pick(rng, 1, maxlats);
    std::vector<Lattice> lats;
    for (int l = 1; l <= numlats; ++l) {
        const int kind = pick(rng, 0, 9);
        Lattice lat = kind == 0   ? varnelref::chain("C" + std::to_string(l), pick(rng, 2, 6))
                      : kind == 1 ? varnelref::diamond("M" + std::to_string(l))
                      : kind == 2 ? varnelref::pentagon("N" + std::to_string(l))
                                  : varnelref::randomlattice(rng, "R" + std::to_string(l), pick(rng, 2, maxsize),
                                                             pick(rng, 2, 5));
        varnelref::storelattice(*s.store, lat);
        lats.push_back(lat);
    }
    s.facts.numdirfacts = pick(rng, minfacts, maxfacts);
    const bool spanning = pick(rng, 0, 7) != 0;
    for (int32_t i = 1; i <= s.facts.numdirfacts; ++i) {
        varnel::DirFact& f = s.facts.dirfacts[i];
        f.latwh = pick(rng, 1, numlats);
        choosegenerators(rng, lats[static_cast<size_t>(f.latwh - 1)], spanning, f);
        s.effective[i] = pick(rng, 0, 4) != 0;
    }
    return s;
}

TEST(Differential, LatticeMakerGivesLattices) {
    std::mt19937_64 rng(7);
    for (int i = 0; i < 200; ++i) {
        const Lattice l = varnelref::randomlattice(rng, "R", pick(rng, 2, 20), pick(rng, 1, 6));
        EXPECT_TRUE(varnelref::islattice(l)) << i;
        EXPECT_LE(l.n, 20);
    }
    EXPECT_TRUE(varnelref::islattice(varnelref::diamond("M3")));
    EXPECT_TRUE(varnelref::islattice(varnelref::pentagon("N5")));
    EXPECT_TRUE(varnelref::islattice(varnelref::chain("C7", 7)));
}

TEST(Differential, RandomProducts) {
    std::mt19937_64 rng(20261211);
    int completed = 0;
    for (int round = 0; round < 1500; ++round) {
        ProductCase s = randomsetup(rng, 1, 8, round % 4 == 0 ? 20 : 10);
        s.capacity = 2500;
        const Outcome ref = runreference(s);
        expectsame(runfast(s, 1), ref, "round " + std::to_string(round) + "\n" + describe(s));
        if (ref.stop.empty()) ++completed;
        if (HasFailure()) break;
    }
    // Most products must get through to their atoms, or the atom search
    // would hardly be compared at all.
    EXPECT_GT(completed, 1000);
}

// The lattices and factors of a shared benchmark input, read by the
// program's own readers.
struct SharedInput {
    explicit SharedInput(const std::string& name) {
        const std::string dir = std::string(LT_SHARED_BENCH) + "/" + name + "/";
        rig.latfile(lttest::readfile(dir + "lattices.txt"));
        rig.asgfile(lttest::readfile(dir + "assign.txt"));
        error = vtest::outcome([&] { varnel::readassignments(rig.v()); });
    }
    vtest::Rig rig;
    std::string error;
};

TEST(Differential, ProductsLargeEnoughToShareAPassBetweenThreads) {
    // Variations of the small6 product (one factor left out, the roles of
    // x, y and z exchanged in every factor alike) have a few thousand vectors, so that their passes of
    // millions of pairs are split between two threads.
    SharedInput in("small6");
    ASSERT_EQ(in.error, "");
    std::mt19937_64 rng(99);
    for (int round = 0; round < 2; ++round) {
        ProductCase s;
        *s.store = in.rig.v().store;
        s.facts = in.rig.v().facts;
        s.capacity = 5000;
        const int32_t out = pick(rng, 1, s.facts.numdirfacts);
        int roles[3] = {0, 1, 2};
        std::shuffle(roles, roles + 3, rng);
        for (int32_t i = 1; i <= s.facts.numdirfacts; ++i) {
            s.effective[i] = i != out;
            varnel::DirFact& f = s.facts.dirfacts[i];
            const int g[3] = {f.x, f.y, f.z};
            f.x = g[roles[0]];
            f.y = g[roles[1]];
            f.z = g[roles[2]];
        }
        const Outcome ref = runreference(s);
        EXPECT_GT(ref.blsize, 1000);
        const std::string what = "round " + std::to_string(round) + "\n" + describe(s);
        expectsame(runfast(s, 1), ref, what);
        expectsame(runfast(s, 2), ref, what);
    }
}

TEST(Differential, BlockFullStopsAtTheSameVector) {
    std::mt19937_64 rng(5);
    int full = 0;
    for (int round = 0; round < 300 && full < 5; ++round) {
        ProductCase s = randomsetup(rng, 1, 8, 20);
        s.capacity = pick(rng, 3, 30);
        const Outcome ref = runreference(s);
        if (ref.stop != "[\\vec x, \\vec y, \\vec z] is too large") continue;
        ++full;
        expectsame(runfast(s, 1), ref, describe(s));
    }
    EXPECT_EQ(full, 5);
}

TEST(Differential, OrdersThatAreNotPartialOrders) {
    // The order tables of a factor are changed so that they are not a
    // partial order any more (the list checks on the least and the greatest
    // element still pass): the fast atom search must fall back to the scan.
    enum Fault { notreflexive, notantisymmetric, nottransitive };
    std::mt19937_64 rng(314);
    int tried[3] = {};
    for (int round = 0; round < 1500; ++round) {
        const Fault fault = static_cast<Fault>(round % 3);
        ProductCase s = randomsetup(rng, 1, 5, 20);
        const int32_t l = s.facts.dirfacts[1].latwh;
        const int32_t n = s.store->latsize[l];
        auto& leq = s.store->leq[l];
        bool changed = false;
        if (fault == notreflexive && n >= 3) {
            const int32_t a = pick(rng, 2, n - 1);
            leq[a][a] = false;
            changed = true;
        } else if (fault == notantisymmetric && n >= 3) {
            for (int32_t a = 2; a < n && !changed; ++a)
                for (int32_t b = 2; b < n && !changed; ++b)
                    if (a != b && leq[a][b]) {
                        leq[b][a] = true;
                        changed = true;
                    }
        } else if (fault == nottransitive) {
            for (int32_t a = 2; a < n && !changed; ++a)
                for (int32_t b = 2; b < n && !changed; ++b)
                    for (int32_t c = 2; c < n && !changed; ++c)
                        if (a != b && b != c && a != c && leq[a][b] && leq[b][c]) {
                            leq[a][c] = false;
                            changed = true;
                        }
        }
        if (!changed) continue;
        const Outcome ref = runreference(s);
        if (!ref.stop.empty()) continue;
        ++tried[fault];
        expectsame(runfast(s, 1), ref, "fault " + std::to_string(fault) + "\n" + describe(s));
        if (HasFailure()) break;
    }
    for (int f = 0; f < 3; ++f) EXPECT_GT(tried[f], 10) << f;
}

TEST(Differential, StartingVectors) {
    // Three factors over the chain 1 < 2 < ... < 5; the generators are
    // given by their components. bl lists the starting vectors in block
    // order, with the links of vector 1.
    struct Case {
        const char* what;
        int x[3], y[3], z[3];
        std::vector<std::vector<int32_t>> bl;
        int32_t lf1, rg1;
    };
    const Case cases[] = {
        {"all equal", {2, 3, 4}, {2, 3, 4}, {2, 3, 4}, {{2, 3, 4}}, 0, 0},
        {"x = y", {2, 3, 4}, {2, 3, 4}, {2, 1, 5}, {{2, 3, 4}, {2, 1, 5}}, 2, 0},
        {"x = z", {1, 3, 4}, {2, 1, 5}, {1, 3, 4}, {{2, 1, 5}, {1, 3, 4}}, 2, 0},
        {"y = z", {5, 5, 1}, {1, 2, 3}, {1, 2, 3}, {{5, 5, 1}, {1, 2, 3}}, 2, 0},
        {"x < y < z", {1, 2, 3}, {1, 3, 1}, {4, 1, 1}, {{1, 3, 1}, {1, 2, 3}, {4, 1, 1}}, 2, 3},
        {"z < x < y", {2, 2, 2}, {2, 2, 3}, {2, 1, 5}, {{2, 2, 2}, {2, 1, 5}, {2, 2, 3}}, 2, 3},
        {"y < z < x", {3, 1, 1}, {1, 1, 1}, {1, 5, 5}, {{1, 5, 5}, {1, 1, 1}, {3, 1, 1}}, 2, 3},
    };
    for (const Case& c : cases) {
        ProductCase s;
        varnelref::storelattice(*s.store, varnelref::chain("C5", 5));
        s.facts.numdirfacts = 3;
        for (int i = 1; i <= 3; ++i) {
            s.facts.dirfacts[i] = varnel::DirFact{"", 1, c.x[i - 1], c.y[i - 1], c.z[i - 1]};
            s.effective[i] = true;
        }
        varnelref::Reference r(*s.store, s.facts, 100);
        r.initbl(s.effective);
        ASSERT_EQ(r.blsize, static_cast<int32_t>(c.bl.size())) << c.what;
        for (int32_t i = 1; i <= r.blsize; ++i) {
            EXPECT_EQ(std::vector<int32_t>(r.row(i).begin(), r.row(i).begin() + 3), c.bl[static_cast<size_t>(i - 1)])
                << c.what << " vector " << i;
            if (i > 1) {
                EXPECT_EQ(r.lf[static_cast<size_t>(i)], 0) << c.what;
                EXPECT_EQ(r.rg[static_cast<size_t>(i)], 0) << c.what;
            }
        }
        EXPECT_EQ(r.lf[1], c.lf1) << c.what;
        EXPECT_EQ(r.rg[1], c.rg1) << c.what;
        // The whole product, the fast block's first vectors included.
        expectsame(runfast(s, 1), runreference(s), c.what);
    }
}

TEST(Differential, StartingVectorsOfFactorsThatDoNotTakePart) {
    // A factor that is not effective has element 1 in all three generators,
    // so generators that differ only there coincide.
    ProductCase s;
    varnelref::storelattice(*s.store, varnelref::pentagon("N5"));
    s.facts.numdirfacts = 2;
    s.facts.dirfacts[1] = varnel::DirFact{"", 1, 2, 3, 4};
    s.facts.dirfacts[2] = varnel::DirFact{"", 1, 2, 2, 2};
    s.effective[2] = true;
    varnelref::Reference r(*s.store, s.facts, 100);
    r.initbl(s.effective);
    EXPECT_EQ(r.blsize, 1);
    EXPECT_EQ(r.row(1)[0], 1);
    EXPECT_EQ(r.row(1)[1], 2);
    expectsame(runfast(s, 1), runreference(s), "one factor effective");
}

TEST(Differential, SharedBenchmarkInputs) {
    // The realistic inputs, read by the program's own readers.
    struct Case {
        const char* name;
        int32_t size;
        int genthreads;
    };
    const Case cases[] = {
        {"fd3", 18, 1}, {"fm3", 28, 1}, {"fn5", 99, 1}, {"fm3n5", 379, 1}, {"small6", 2603, 2},
    };
    for (const Case& c : cases) {
        SharedInput in(c.name);
        ASSERT_EQ(in.error, "") << c.name;
        varnel::Varnel& v = in.rig.v();
        varnel::selectall(v.facts, v.ws);
        v.ws.genthreads = c.genthreads;
        varnel::Product p = v.product();
        varnel::initbl(p);
        varnel::genbl(p);
        varnel::findatoms(p);
        varnel::findcoatoms(p);

        varnelref::Reference r(v.store, v.facts, 10000);
        r.run(v.ws.effective);
        EXPECT_EQ(r.blsize, c.size) << c.name;
        EXPECT_EQ(v.ws.blsize, r.blsize) << c.name;
        EXPECT_EQ(r.numatoms, 3) << c.name;
        EXPECT_EQ(r.numcoatoms, 3) << c.name;
        EXPECT_EQ(v.ws.atoms, r.atoms) << c.name;
        EXPECT_EQ(v.ws.coatoms, r.coatoms) << c.name;
        EXPECT_EQ(v.ws.lexmin, r.bottomrow) << c.name;
        EXPECT_EQ(v.ws.lexmax, r.toprow) << c.name;
        bool same = true;
        for (int32_t i = 1; i <= r.blsize && same; ++i)
            for (int32_t k = 0; k < v.facts.numdirfacts && same; ++k)
                same = v.ws.row(i)[k] == r.row(i)[static_cast<size_t>(k)];
        EXPECT_TRUE(same) << c.name;
    }
}

}  // namespace
