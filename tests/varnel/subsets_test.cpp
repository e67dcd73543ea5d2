// The all-subsets run: the order of the subsets, constraints, spectra and
// pairs, the statistics line, a whole run byte for byte, and the same bytes
// from one thread and from two.
#include <gtest/gtest.h>

#include "common/runner.h"
#include "harness.h"
#include "varnel/subsets.h"

namespace {

const std::string products = std::string(LT_FIXTURES) + "/varnel/fixtures/products/";

std::string sel(const bool* e, int n) {
    std::string s;
    for (int i = 1; i <= n; ++i) s += e[i] ? 'y' : 'n';
    return s;
}

TEST(Subsets, OrderOfThreeFactors) {
    bool e[4] = {false, true, true, true};
    int32_t num = 3;
    std::vector<std::string> seen;
    do {
        seen.push_back(sel(e, 3) + std::to_string(num));
        ASSERT_TRUE(varnel::nextsubset(3, e, num));
    } while (varnel::anyeffective(3, e));
    EXPECT_EQ(seen, (std::vector<std::string>{"yyy3", "yyn2", "yny2", "ynn1", "nyy2", "nyn1", "nny1"}));
    EXPECT_FALSE(varnel::nextsubset(3, e, num));
}

TEST(Subsets, Constraints) {
    varnel::Factors f;
    f.numdirfacts = 3;
    f.numconstraints = 2;
    f.constraints[1] = {1, 3};  // not 1 and 3 together
    f.constraints[2] = {2, 2};  // never 2
    struct Case {
        std::array<bool, 4> e;
        bool allowed;
    } cases[] = {
        {{false, true, true, true}, false}, {{false, true, false, true}, false}, {{false, true, false, false}, true},
        {{false, false, false, true}, true}, {{false, false, true, false}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(varnel::testconstraints(f, c.e.data()), c.allowed) << sel(c.e.data(), 3);
    f.numconstraints = 0;
    EXPECT_TRUE(varnel::testconstraints(f, cases[0].e.data()));
}

TEST(Subsets, StatisticsLine) {
    EXPECT_EQ(varnel::statisticsline(7, 0, 7), ":: 7 steps: 0 (  0.00%) disregarded, 7 elaborated");
    EXPECT_EQ(varnel::statisticsline(7, 4, 3), ":: 7 steps: 4 ( 57.14%) disregarded, 3 elaborated");
    EXPECT_EQ(varnel::statisticsline(3, 3, 0), ":: 3 steps: 3 (100.00%) disregarded, 0 elaborated");
    // 100 times the disregarded count is 32-bit arithmetic.
    EXPECT_EQ(vtest::outcome([] { varnel::statisticsline(30000000, 21474837, 0); }), "abend 215: Runtime error 215");
}

TEST(Subsets, SpectraAndPairs) {
    varnel::Spectra s;
    s.atomspec = {1, 2, 3, 7};
    for (int v : {5, 7, 1, 9, 5}) varnel::addatomcount(s, v);
    EXPECT_EQ(s.atomspec, (std::vector<int32_t>{1, 2, 3, 5, 7, 9}));
    varnel::seedpairs(s);
    varnel::addpair(s, 3, 2);
    varnel::addpair(s, 2, 3);
    varnel::addpair(s, 1, 4);
    EXPECT_EQ(s.acpairs, (std::vector<std::pair<int32_t, int32_t>>{
                             {1, 1}, {1, 2}, {2, 1}, {2, 2}, {2, 3}, {3, 3}, {3, 2}, {1, 4}}));
    EXPECT_EQ(vtest::outcome([&] { varnel::addpair(s, 0, 0); }), "Error code: gWm9x");
    for (int a = 10; s.acpairs.size() < 4000; ++a) varnel::addpair(s, a, 1);
    EXPECT_EQ(vtest::outcome([&] { varnel::addpair(s, 1, 99); }), "Error: two many pairs of (#atoms, #coatoms)");
}

// Three chains whose generators are the atoms of the cube, the first and the
// third never together; every step worked out by hand.
TEST(Subsets, WholeRunByHand) {
    lttest::TempDir dir;
    dir.write("lat.txt", lttest::readfile(products + "c2m3.txt"));
    dir.write("asg.txt", lttest::readfile(products + "cube-if.txt"));
    auto r = lttest::run(VARNEL_EXE, {"lat.txt", "asg.txt", "nnnii", "1"}, dir.path());
    ASSERT_EQ(r.exitcode, 0) << r.err;
    auto step = [](int n, int size, const char* s, int eff) {
        return "(Step " + std::to_string(n) + ") |L|=" + std::to_string(size) + ". " + std::to_string(eff) +
               " effective factors: [" + s + "]";
    };
    auto counts = [](int a, int c, bool file) {
        return file ? "(WARNING at the end!) The number of atoms is " + std::to_string(a) +
                          ".  The atoms are as follows:\n"
                    : "(WARNING at the end!) The number of atoms is " + std::to_string(a) + "\n" +
                          "(WARNING at the end!)  The number of coatoms is " + std::to_string(c) + "\n";
    };
    auto coatoms = [](int c) {
        return "(WARNING at the end!) The number of coatoms is " + std::to_string(c) + ".  The coatoms are as follows:\n";
    };
    const std::string warning =
        "!!!!Warning: the information below about ATOMS is complete iff the variety is\n"
        " nontrivial and, up to automorphisms, the input contains ALL x*z=y*z=0\n"
        " assigments. Similarly for COATOMS: all x+z=y+z=1 are needed. For DOUBLE\n"
        " spectra, all assignments are needed up to automorphisms. For all spectra,\n"
        " 2- and 1-valued assignments can (and should) be omitted, except for C_2.\n";
    const std::string stats = ":: 7 steps: 2 ( 28.57%) disregarded, 5 elaborated\n";
    const std::string atomslines =
        ">>:: Largest |{atoms}|=2; occured at, say, [yyn]\n\n>>:: Atom spectrum = { 1, 2, 3}\n\n";
    const std::string coatomslines =
        ">>:: Largest |{coatoms}|=2; occured at, say, [yyn]\n\n>>:: Coatom spectrum = { 1, 2, 3}\n\n";
    const std::string sizeline = ">>:: Largest |L| = 4; occurred at, say, [yyn]\n\n";
    const std::string pairs =
        "The number of pairs (|{atoms}|,|{atoms}|) (including those obtained by\n"
        "theoretical considerations) is 6; these pairs are:\n"
        " (1,1), (1,2), (2,1), (2,2), (2,3), (3,3)\n\n";
    const std::string console =
        "varnel, v. Oct 17, 2020: for the number of atoms of a 3-generated lattice.\n"
        "Computes subdirect products of finite lattices generated by three vectors.\n\n"
        "lat.txt has been opened.\nasg.txt has been opened.\n"
        "      Started (DD/MM/YY:) D/M/Y, at H:M:S:MS\n"
        " 1th product out of 8\n"
        "\n" + step(2, 4, "yyn", 2) + "\n" + counts(2, 2, false) +
        " 3th product out of 8\n"
        "\n" + step(4, 2, "ynn", 1) + "\n" + counts(1, 1, false) +
        "\n" + step(5, 4, "nyy", 2) + "\n" + counts(2, 2, false) +
        "\n" + step(6, 2, "nyn", 1) + "\n" + counts(1, 1, false) +
        "\n" + step(7, 2, "nny", 1) + "\n" + counts(1, 1, false) +
        "\n" + stats + "\n" + warning + "\n" + atomslines + coatomslines + sizeline + pairs +
        "      Terminated (DD/MM/YY:) D/M/Y, at H:M:S:MS\n"
        "Assuming that it is shorter than four weeks, the time elapsed is: \n  ELAPSED\n"
        "Thank you for using this program! Hit <enter> twice to quit.\n";
    EXPECT_EQ(lttest::maskclock(r.out), console);

    auto allowed = [&](int n, int size, const char* s, int eff, const std::string& atoms, const std::string& coats) {
        int na = static_cast<int>(std::count(atoms.begin(), atoms.end(), '\n'));
        int nc = static_cast<int>(std::count(coats.begin(), coats.end(), '\n'));
        return "\n\n" + step(n, size, s, eff) + "\n" + counts(na, nc, true) + atoms + "\n" + coatoms(nc) + coats +
               "\n\n";
    };
    auto disregarded = [](int n, const char* s) {
        return "\n\n(Step " + std::to_string(n) + ") Disregarded by constraints.  [" + s + "]\n\n";
    };
    const std::string file =
        "% varnel, v. Oct 17, 2020: for the number of atoms of a 3-generated lattice.\n"
        " Computes subdirect products of finite lattices generated by three vectors.\n%\n"
        " The subdirect factors are taken from   lat.txt\n The assignments are taken from   asg.txt\n"
        "      Started (DD/MM/YY:) D/M/Y, at H:M:S:MS\n"
        "\n--->  The assingments are the following <----\n"
        "\\lattice=C2 \\with x=0 y=0 z=1\n\\lattice=C2 \\with x=0 y=1 z=0\n\\lattice=C2 \\with x=1 y=0 z=0\n"
        "\n--->  The constraints are as follows <----\n"
        "\\if C2 \\with x=0 y=0 z=1 \\ThenNot C2 \\with x=1 y=0 z=0\n\n" +
        disregarded(1, "yyy") + allowed(2, 4, "yyn", 2, "[0,1,0,];\n[1,0,0,];\n", "[0,1,0,];\n[1,0,0,];\n") +
        disregarded(3, "yny") + allowed(4, 2, "ynn", 1, "[1,0,0,];\n", "[0,0,0,];\n") +
        allowed(5, 4, "nyy", 2, "[0,0,1,];\n[0,1,0,];\n", "[0,0,1,];\n[0,1,0,];\n") +
        allowed(6, 2, "nyn", 1, "[0,1,0,];\n", "[0,0,0,];\n") + allowed(7, 2, "nny", 1, "[0,0,1,];\n", "[0,0,0,];\n") +
        "\n" + stats + "\n" + warning + "\n" + atomslines + coatomslines + sizeline + pairs +
        "      Terminated (DD/MM/YY:) D/M/Y, at H:M:S:MS\n"
        "Assuming that it is shorter than four weeks, the time elapsed is: \n  ELAPSED\n"
        "Thank you for using this program!\n";
    auto names = dir.list("_result");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(lttest::maskclock(dir.read(names[0])), lttest::crlf(file));
}

// Runs the all-subsets run in memory and gives console and result file.
std::pair<std::string, std::string> subsetsrun(const std::string& lat, const std::string& asg, const std::string& opts,
                                               int32_t step, int threads, std::string* stop = nullptr) {
    vtest::Rig rig;
    rig.latfile(lat);
    rig.asgfile(asg);
    rig.openresult();
    varnel::Varnel& v = rig.v();
    v.args = {"lat.txt", "asg.txt", opts, std::to_string(step)};
    varnel::readoptions(v);
    v.threads = threads;
    std::string out = vtest::outcome([&] {
        varnel::readassignments(v);
        varnel::selectall(v.facts, v.ws);
        varnel::runsubsets(v);
    });
    if (stop) *stop = out;
    return {rig.console(), rig.result()};
}

TEST(Subsets, Stops) {
    const std::string lat = lttest::readfile(products + "c2m3.txt");
    std::string stop;
    // A factor whose x, y and z coincide: its single-factor subset has one
    // element; the step's line is written before the stop.
    auto [con, file] = subsetsrun(lat, "\\lattice=M3 \\with x=a y=b z=c\r\n\\lattice=C2 \\with x=0 y=0 z=0\r\n",
                                  "nnnii", 0, 1, &stop);
    EXPECT_EQ(stop, "Error code: gWm9x");
    EXPECT_NE(file.find("(Step 3) |L|=1. 1 effective factors: [ny]\r\n"), std::string::npos);
    EXPECT_EQ(file.find("::"), std::string::npos);

    std::string many;
    for (int i = 0; i < 31; ++i) many += "\\lattice=C2 \\with x=0 y=1 z=1\r\n";
    subsetsrun(lat, many + "% end\r\n", "nnni", 0, 1, &stop);
    EXPECT_EQ(stop, "Too many direct factors for the all-subsets run (at most 30)");
}

TEST(Subsets, NothingElaborated) {
    const std::string lat = lttest::readfile(products + "c2m3.txt");
    auto [con, file] = subsetsrun(lat, "\\lattice=C2 \\with x=0 y=1 z=1\r\n"
                                       "\\if C2 \\with x=0 y=1 z=1 \\ThenNot C2 \\with x=0 y=1 z=1",
                                  "nnni", 1, 1);
    EXPECT_NE(con.find(":: 1 steps: 1 (100.00%) disregarded, 0 elaborated\n"), std::string::npos) << con;
    EXPECT_NE(con.find(">>:: Largest |{atoms}|=0; occured at, say, [n]\n"), std::string::npos);
    EXPECT_NE(con.find(">>:: Largest |L| = 0; occurred at, say, [n]\n"), std::string::npos);
    EXPECT_NE(con.find(" 1th product out of 2\n"), std::string::npos);
}

// The products of different subsets may be computed on two threads; what
// is written must not change by a byte.
TEST(Subsets, SameBytesOnOneAndTwoThreads) {
    const std::string bench = LT_SHARED_BENCH;
    std::string lat = lttest::readfile(bench + "/fm3n5/lattices.txt");
    std::string asg = lttest::readfile(bench + "/fm3n5/assign.txt");
    if (lat.empty() || asg.empty()) GTEST_SKIP() << "shared inputs not found";
    // Drop the closing comment and add two constraints between factors.
    asg = asg.substr(0, asg.rfind("% end"));
    size_t a = asg.find("\\lattice=");
    size_t b = asg.find("\\lattice=", asg.find("\\lattice=N5"));
    auto side = [&](size_t at) {
        std::string line = asg.substr(at + 9, asg.find('\r', at) - at - 9);
        return line;
    };
    asg += "\\if " + side(a) + " \\ThenNot " + side(b) + "\r\n";
    asg += "\\if " + side(b) + " \\ThenNot " + side(b);
    const std::pair<const char*, int32_t> runs[] = {{"nnnii", 1}, {"iiiii", 0}, {"nnnin", 3}};
    for (auto [opts, step] : runs) {
        auto one = subsetsrun(lat, asg, opts, step, 1);
        auto two = subsetsrun(lat, asg, opts, step, 2);
        EXPECT_EQ(one.first, two.first) << opts << " " << step;
        EXPECT_EQ(one.second, two.second) << opts << " " << step;
    }
}

}  // namespace
