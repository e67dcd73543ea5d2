// varnelbench: times varnel's fast product workspace against the reference
// implementation (bench/reference.h), in the same run, on five cases:
//   (a) a generation-heavy single product,
//   (b) an atom-heavy single product (many vectors, three atoms, three coatoms),
//   (c) an all-subsets run of 13 factors with constraints, one thread and two,
//   (d) Ordanik on 20 posets of 60 elements,
//   (e) a spectrum run over 20 factors, counted pairwise and by the closure.
// Every product that both implementations build is checked to come out the
// same (vectors in the same order, atoms, coatoms).
//
// Usage: varnelbench [--quick] [--full] [--case a|b|c|d|e]...
//   --quick  smaller inputs, for a smoke run of a minute or so
//   --full   also the reference generation of (b), and (a) at its full size
//            (see README.md for the times this takes)
//   --case   run only the named cases (repeatable, or a list such as a,c)
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench/randomlattice.h"
#include "bench/reference.h"
#include "varnel/subsets.h"
#include "varnel/varnel.h"

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

const std::string sharedinputs = LT_SHARED_BENCH;

struct Settings {
    bool quick = false;
    bool full = false;
    std::string cases = "abcde";
};

// A scratch folder, removed at the end.
struct TempDir {
    TempDir() {
        char tmpl[] = "/tmp/varnelbench.XXXXXX";
        const char* p = mkdtemp(tmpl);
        if (!p) {
            std::perror("mkdtemp");
            std::exit(2);
        }
        path = p;
    }
    ~TempDir() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string path;
};

std::string readfile(const std::string& name) {
    std::ifstream f(name, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void writefile(const std::string& name, const std::string& text) {
    std::ofstream f(name, std::ios::binary);
    f << text;
}

// A varnel run held in memory: no console input, console output discarded.
struct Session {
    Session() : in(std::fopen("/dev/null", "r")), out(std::fopen("/dev/null", "w")), con(in, out), v(con) {}
    ~Session() {
        std::fclose(in);
        std::fclose(out);
    }
    std::FILE* in;
    std::FILE* out;
    platform::Console con;
    varnel::Varnel v;
};

// Reads a lattice table file and an assignment file into s, through the
// program's own readers.
void readinput(Session& s, const std::string& latfile, const std::string& asgfile) {
    s.v.files.latfilename = latfile;
    s.v.files.asgfilename = asgfile;
    if (!s.v.files.latfile.open(latfile) || !s.v.files.asgfile.open(asgfile)) {
        std::fprintf(stderr, "cannot read %s or %s\n", latfile.c_str(), asgfile.c_str());
        std::exit(2);
    }
    try {
        varnel::readassignments(s.v);
    } catch (const varnel::ErrorStop& e) {
        std::fprintf(stderr, "%s: %s\n", asgfile.c_str(), e.message.c_str());
        std::exit(2);
    }
}

// Times of one product.
struct Times {
    double gen = 0, atoms = 0, whole = 0;
    int64_t pairs = 0;
    bool ran = false;
};

// What a product came to, for the comparison of the two implementations.
struct Result {
    int32_t blsize = 0;
    std::vector<int32_t> atoms, coatoms;
    std::vector<uint8_t> rows;  // components of rows 1..blsize, one byte each
};

// The (j, k) combinations that the pass loop visits, from the trace lines
// "N th = j th +or* k th" of the vectors added, in order: a pass that starts
// with n vectors after a pass that started with old visits n * (n - old)
// pairs and adds vectors whose k lies in old+1..n, so the next pass starts
// before the first vector whose k is above n.
int64_t pairsfromtrace(const std::string& trace, int32_t start, int32_t blsize) {
    std::vector<std::pair<int32_t, int32_t>> made;  // (N, k)
    std::istringstream in(trace);
    std::string line;
    while (std::getline(in, line)) {
        int32_t n = 0, j = 0, k = 0;
        if (std::sscanf(line.c_str(), "%dth = %dth   +or*   %dth", &n, &j, &k) == 3) made.emplace_back(n, k);
    }
    int64_t pairs = 0;
    int32_t old = 0, n = start;
    size_t next = 0;
    for (;;) {
        pairs += static_cast<int64_t>(n) * (n - old);
        // Vectors of this pass: those up to the first one formed with a
        // vector of the pass itself.
        int32_t end = n;
        while (next < made.size() && made[next].second <= n) end = made[next++].first;
        if (end == n) break;
        old = n;
        n = end;
    }
    return n == blsize ? pairs : -1;
}

// The fast workspace on one product; genthreads threads per pass.
Times runfast(const varnel::Store& st, const varnel::Factors& facts, const bool* effective, int genthreads,
              Result& res, const std::string& tracefile) {
    Times t;
    auto ws = std::make_unique<varnel::Workspace>();
    ws->genthreads = genthreads;
    varnel::Options opts;
    opts.runopts = "nnini";  // trace lines for the pair count; no reports
    varnel::Report rec;
    varnel::Product p{st, facts, opts, *ws, rec};
    std::copy(effective, effective + varnel::maxdirfacts + 1, ws->effective);
    const auto t0 = Clock::now();
    varnel::initbl(p);
    const int32_t start = ws->blsize;
    varnel::genbl(p);
    t.gen = since(t0);
    const auto t1 = Clock::now();
    varnel::findatoms(p);
    varnel::findcoatoms(p);
    t.atoms = since(t1);
    t.whole = since(t0);
    t.ran = true;
    {
        std::FILE* null = std::fopen("/dev/null", "w");
        platform::Console con(null, null);
        platform::OutFile file;
        file.create(tracefile);
        varnel::Report direct(con, file);
        rec.replay(direct);
        file.close();
        std::fclose(null);
        t.pairs = pairsfromtrace(readfile(tracefile), start, ws->blsize);
    }
    res.blsize = ws->blsize;
    res.atoms = ws->atoms;
    res.coatoms = ws->coatoms;
    res.rows.assign(ws->row(1), ws->row(1) + static_cast<size_t>(ws->blsize) * ws->stride);
    return t;
}

Result resultof(const varnelref::Reference& r, int32_t nf) {
    Result res;
    res.blsize = r.blsize;
    res.atoms = r.atoms;
    res.coatoms = r.coatoms;
    for (int32_t i = 1; i <= r.blsize; ++i)
        for (int32_t c = 0; c < nf; ++c) res.rows.push_back(static_cast<uint8_t>(r.row(i)[static_cast<size_t>(c)]));
    return res;
}

bool same(const Result& a, const Result& b) {
    return a.blsize == b.blsize && a.atoms == b.atoms && a.coatoms == b.coatoms && a.rows == b.rows;
}

// The reference on one product, all phases.
Times runreference(const varnel::Store& st, const varnel::Factors& facts, const bool* effective, Result& res) {
    Times t;
    varnelref::Reference r(st, facts);
    const auto t0 = Clock::now();
    r.initbl(effective);
    r.genbl();
    t.gen = since(t0);
    const auto t1 = Clock::now();
    r.findatoms();
    r.findcoatoms();
    t.atoms = since(t1);
    t.whole = since(t0);
    t.pairs = r.pairs;
    t.ran = true;
    res = resultof(r, facts.numdirfacts);
    return t;
}

// The reference's atom search alone, on a block given as rows (built by
// the fast code): the rows are inserted in block order, which rebuilds the
// block and its search tree exactly as the reference's generation would.
Times referenceatoms(const varnel::Store& st, const varnel::Factors& facts, const bool* effective,
                     const Result& block, Result& res) {
    Times t;
    varnelref::Reference r(st, facts);
    r.initbl(effective);
    const int32_t nf = facts.numdirfacts;
    for (int32_t i = r.blsize + 1; i <= block.blsize; ++i) {
        varnelref::Vec v{};
        for (int32_t c = 0; c < nf; ++c) v[static_cast<size_t>(c)] = block.rows[static_cast<size_t>(i - 1) * nf + c];
        r.addelemrow(v);
    }
    const auto t1 = Clock::now();
    r.findatoms();
    r.findcoatoms();
    t.atoms = since(t1);
    res = resultof(r, nf);
    return t;
}

std::string secs(double s) {
    char b[32];
    std::snprintf(b, sizeof b, s < 10 ? "%.3f" : "%.1f", s);
    return b;
}

std::string rate(int64_t pairs, double s) {
    if (pairs <= 0 || s <= 0) return "-";
    char b[32];
    std::snprintf(b, sizeof b, "%.3g", static_cast<double>(pairs) / s);
    return b;
}

std::string ratio(double ref, double fast) {
    if (ref <= 0 || fast <= 0) return "-";
    char b[32];
    std::snprintf(b, sizeof b, "%.1fx", ref / fast);
    return b;
}

void header() {
    std::printf("  %-26s %12s %14s %10s %14s %12s\n", "", "generation s", "atoms+coatoms s", "whole s", "pairs",
                "pairs/s");
}

void row(const std::string& label, const Times& t, bool genran = true) {
    std::printf("  %-26s %12s %14s %10s %14s %12s\n", label.c_str(), genran ? secs(t.gen).c_str() : "not run",
                secs(t.atoms).c_str(), genran ? secs(t.whole).c_str() : "-",
                t.pairs > 0 ? std::to_string(t.pairs).c_str() : "-", genran ? rate(t.pairs, t.gen).c_str() : "-");
}

void speedups(const std::string& label, const Times& ref, const Times& fast, bool genran = true) {
    std::printf("  %-26s %12s %14s %10s\n", label.c_str(), genran ? ratio(ref.gen, fast.gen).c_str() : "-",
                ratio(ref.atoms, fast.atoms).c_str(), genran ? ratio(ref.whole, fast.whole).c_str() : "-");
}

void check(bool ok, const std::string& what) {
    std::printf("  check: %s %s\n", what.c_str(), ok ? "agree" : "DIFFER");
    if (!ok) std::fflush(stdout);
}

// A single product case: the fast code with one and two threads, the
// reference (or only its atom search), the table.
void singlecase(const std::string& title, const varnel::Store& st, const varnel::Factors& facts,
                const bool* effective, bool refgen, const std::string& dir) {
    std::printf("\n%s\n", title.c_str());
    std::fflush(stdout);
    Result f1, f2, rr;
    const Times tf1 = runfast(st, facts, effective, 1, f1, dir + "/trace1.txt");
    const Times tf2 = runfast(st, facts, effective, 2, f2, dir + "/trace2.txt");
    std::printf("  |L| = %d, %d components, %zu atoms, %zu coatoms\n", f1.blsize, facts.numdirfacts,
                f1.atoms.size(), f1.coatoms.size());
    Times tr;
    if (refgen)
        tr = runreference(st, facts, effective, rr);
    else
        tr = referenceatoms(st, facts, effective, f1, rr);
    header();
    row("reference", tr, refgen);
    row("fast, 1 thread", tf1);
    row("fast, 2 threads", tf2);
    std::printf("  speed-up (reference time / fast time):\n");
    speedups("fast, 1 thread", tr, tf1, refgen);
    speedups("fast, 2 threads", tr, tf2, refgen);
    if (!refgen)
        std::printf("  (reference generation not run: about %.2g pairs; --full runs it)\n",
                    static_cast<double>(tf1.pairs));
    check(same(f1, f2), "fast 1 thread and fast 2 threads");
    check(same(f1, rr), refgen ? "fast and reference" : "fast and reference atom search");
    if (refgen) check(tf1.pairs == tr.pairs, "pair counts");
    std::fflush(stdout);
}

// Case (a): the first 29 factors of small7 (|L| = 18,089), or
// all 45 (|L| = 33,959) with --full, 25 (|L| = 1,995) with --quick.
void casea(const Settings& s, const std::string& dir) {
    Session in;
    readinput(in, sharedinputs + "/small7/lattices.txt", sharedinputs + "/small7/assign.txt");
    const int32_t keep = s.quick ? 25 : s.full ? 45 : 29;
    bool effective[varnel::maxdirfacts + 1] = {};
    for (int32_t i = 1; i <= std::min(keep, in.v.facts.numdirfacts); ++i) effective[i] = true;
    singlecase("(a) generation-heavy single product: small7, factors 1.." + std::to_string(keep) +
                   " effective (" + std::to_string(in.v.facts.numdirfacts) + " components)",
               in.v.store, in.v.facts, effective, true, dir);
}

// Case (b): all of small7 (|L| = 33,959), or small6 (|L| = 2,603) with
// --quick. The reference's atom search runs on the block the fast code
// built; its generation only with --full.
void caseb(const Settings& s, const std::string& dir) {
    Session in;
    const std::string name = s.quick ? "small6" : "small7";
    readinput(in, sharedinputs + "/" + name + "/lattices.txt", sharedinputs + "/" + name + "/assign.txt");
    bool effective[varnel::maxdirfacts + 1] = {};
    for (int32_t i = 1; i <= in.v.facts.numdirfacts; ++i) effective[i] = true;
    singlecase("(b) atom-heavy single product: " + name + ", all factors", in.v.store, in.v.facts, effective,
               s.full || s.quick, dir);
}

// Case (c): fm3n5 (13 factors), or fn5 (12) with --quick, with two
// constraint lines, as an all-subsets run.
// One whole varnel run (varnelmain, options nnnin) in a folder of its own,
// timed; keeps the result file without its clock lines.
struct WholeRun {
    const char* label;
    bool pairwise;
    int threads;
    double time = 0;
    std::string result;
};

void wholerun(WholeRun& w, const std::string& lat, const std::string& asg, const std::string& run) {
    mkdir(run.c_str(), 0700);
    char here[4096];
    if (!getcwd(here, sizeof here) || chdir(run.c_str()) != 0) {
        std::perror("chdir");
        std::exit(2);
    }
    {
        Session ses;
        ses.v.args = {lat, asg, "nnnin"};
        ses.v.threads = w.threads;
        ses.v.pairwise = w.pairwise;
        const auto t0 = Clock::now();
        const int rc = varnel::varnelmain(ses.v);
        w.time = since(t0);
        if (rc != 0) std::printf("  varnel ended with exit code %d\n", rc);
    }
    if (chdir(here) != 0) std::perror("chdir");
    // The one file in the folder is the result file.
    std::string text;
    std::FILE* ls = popen(("ls '" + run + "'").c_str(), "r");
    char nameb[512];
    while (ls && std::fgets(nameb, sizeof nameb, ls)) {
        std::string f = nameb;
        f.erase(f.find_last_not_of('\n') + 1);
        text = readfile(run + "/" + f);
    }
    if (ls) pclose(ls);
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        if (line.find("(DD/MM/YY") == std::string::npos && line.find("second(s)") == std::string::npos &&
            line.find("_result") == std::string::npos)
            w.result += line + "\n";
}

void casec(const Settings& s, const std::string& dir) {
    const std::string name = s.quick ? "fn5" : "fm3n5";
    const std::string lat = dir + "/c_lattices.txt", asg = dir + "/c_assign.txt";
    writefile(lat, readfile(sharedinputs + "/" + name + "/lattices.txt"));
    std::string constraints =
        "% Never the first two chains together, nor the first and the last pentagon.\r\n"
        "\\if C2 \\with x=0 y=0 z=1 \\ThenNot C2 \\with x=0 y=1 z=0\r\n"
        "\\if N5 \\with x=a y=b z=c \\ThenNot N5 \\with x=c y=b z=a\r\n";
    writefile(asg, readfile(sharedinputs + "/" + name + "/assign.txt") + constraints);
    std::printf("\n(c) all-subsets run: %s with two constraint lines\n", name.c_str());
    std::fflush(stdout);

    // The whole run as the program does it: by default (where the counts
    // come from the projections onto pairs of factors, when the run writes
    // only counts), and through the closure of every product with one
    // thread and with two.
    WholeRun runs[3] = {{"default (pairwise counts)", true, 0, 0, {}},
                        {"closure, threads = 1", false, 1, 0, {}},
                        {"closure, threads = 2", false, 2, 0, {}}};
    for (int k = 0; k < 3; ++k) wholerun(runs[k], lat, asg, dir + "/c_run" + std::to_string(k));

    // The same products one by one, timed by phase, fast and reference.
    Session in;
    readinput(in, lat, asg);
    const varnel::Factors& facts = in.v.facts;
    bool effective[varnel::maxdirfacts + 1] = {};
    int32_t numeffective = 0;
    varnel::selectall(facts, in.v.ws);
    std::copy(std::begin(in.v.ws.effective), std::end(in.v.ws.effective), effective);
    numeffective = in.v.ws.numeffective;
    Times fast, ref;
    fast.ran = ref.ran = true;
    int32_t elaborated = 0, disregarded = 0;
    bool agree = true;
    auto ws = std::make_unique<varnel::Workspace>();
    varnel::Options opts;
    opts.runopts = "nnnin";
    varnel::Report rec;
    varnel::Product p{in.v.store, facts, opts, *ws, rec};
    varnelref::Reference r(in.v.store, facts);
    do {
        if (!varnel::testconstraints(facts, effective)) {
            ++disregarded;
        } else {
            ++elaborated;
            std::copy(std::begin(effective), std::end(effective), ws->effective);
            auto t0 = Clock::now();
            varnel::initbl(p);
            varnel::genbl(p);
            fast.gen += since(t0);
            auto t1 = Clock::now();
            varnel::findatoms(p);
            varnel::findcoatoms(p);
            fast.atoms += since(t1);
            rec.clear();
            t0 = Clock::now();
            r.initbl(effective);
            r.genbl();
            ref.gen += since(t0);
            t1 = Clock::now();
            r.findatoms();
            r.findcoatoms();
            ref.atoms += since(t1);
            ref.pairs += r.pairs;
            agree = agree && ws->blsize == r.blsize && ws->atoms == r.atoms && ws->coatoms == r.coatoms;
        }
    } while (varnel::nextsubset(facts.numdirfacts, effective, numeffective) &&
             varnel::anyeffective(facts.numdirfacts, effective));
    fast.pairs = ref.pairs;
    fast.whole = fast.gen + fast.atoms;
    ref.whole = ref.gen + ref.atoms;
    std::printf("  %d subsets: %d elaborated, %d disregarded by the constraints\n", elaborated + disregarded,
                elaborated, disregarded);
    std::printf("  products one by one, summed by phase (pairs of all products):\n");
    header();
    row("reference", ref);
    row("fast, 1 thread", fast);
    std::printf("  speed-up (reference time / fast time):\n");
    speedups("fast, 1 thread", ref, fast);
    std::printf("  the whole run (varnelmain, options nnnin):\n");
    for (const WholeRun& w : runs) std::printf("  %-26s %12s\n", w.label, (secs(w.time) + " s").c_str());
    std::printf("  %-26s %12s\n", "closure threads=1 / threads=2", ratio(runs[1].time, runs[2].time).c_str());
    check(agree, "fast and reference on every product");
    check(!runs[1].result.empty() && runs[1].result == runs[2].result,
          "result files of the closure with threads = 1 and threads = 2");
    check(runs[0].result == runs[1].result, "result files of the default run and the closure");
    std::fflush(stdout);
}

// Case (e): the spectrum run (options nnnin) over 20 factors (16 with
// --quick): the twelve factors of fn5 and eight more choices in the
// pentagon, every 2^20 - 1 subsets, counted pairwise (the default) and
// through the closure of every product.
void casee(const Settings& s, const std::string& dir) {
    const std::string lat = dir + "/e_lattices.txt", asg = dir + "/e_assign.txt";
    writefile(lat, readfile(sharedinputs + "/fn5/lattices.txt"));
    std::string factors = readfile(sharedinputs + "/fn5/assign.txt");
    factors = factors.substr(0, factors.rfind("% end"));
    const char* const more[8] = {"a y=b z=b", "b y=a z=a", "c y=b z=b", "b y=c z=c",
                                 "a y=a z=b", "c y=c z=b", "0 y=1 z=a", "b y=0 z=1"};
    const int extra = s.quick ? 4 : 8;
    for (int k = 0; k < extra; ++k) factors += std::string("\\lattice=N5 \\with x=") + more[k] + "\r\n";
    writefile(asg, factors + "% end\r\n");
    std::printf("\n(e) spectrum run (nnnin) over %d factors: fn5 and %d more choices in N5\n", 12 + extra, extra);
    std::fflush(stdout);
    WholeRun runs[2] = {{"pairwise counts (default)", true, 0, 0, {}}, {"closure of every product", false, 0, 0, {}}};
    for (int k = 0; k < 2; ++k) {
        wholerun(runs[k], lat, asg, dir + "/e_run" + std::to_string(k));
        std::printf("  %-26s %12s\n", runs[k].label, (secs(runs[k].time) + " s").c_str());
        std::fflush(stdout);
    }
    std::printf("  %-26s %12s\n", "closure / pairwise", ratio(runs[1].time, runs[0].time).c_str());
    check(!runs[0].result.empty() && runs[0].result == runs[1].result, "result files of both runs");
    std::fflush(stdout);
}

// Case (d): Ordanik on a file of 20 posets of 60 elements (lattices and
// random posets), in both output modes.
void cased(const Settings& s, const std::string& dir) {
    std::printf("\n(d) Ordanik: 20 posets of 60 elements\n");
#ifndef ORDANIK_EXE
    std::printf("  skipped: the ordanik program is not part of this build\n");
    (void)s;
    (void)dir;
#else
    const std::string exe = ORDANIK_EXE;
    if (access(exe.c_str(), X_OK) != 0) {
        std::printf("  skipped: %s is not built yet\n", exe.c_str());
        return;
    }
    std::mt19937_64 rng(60);
    std::string text = "% 20 posets of 60 elements: chains, grids and random posets with bounds.\r\n";
    for (int i = 1; i <= 20; ++i) {
        std::string name(1, 'P');
        name.append(std::to_string(i));
        varnelref::Lattice l;
        if (i == 1) {
            l = varnelref::chain(name, 60);
        } else if (i <= 4) {
            // The grid 3 x 4 x 5 of triples ordered componentwise.
            std::vector<std::array<int, 3>> pts;
            for (int a = 0; a < 3; ++a)
                for (int b = 0; b < 4; ++b)
                    for (int c = 0; c < 5; ++c) pts.push_back({a, b, c});
            std::vector<std::vector<char>> leq(61, std::vector<char>(61, 0));
            for (int x = 1; x <= 60; ++x)
                for (int y = 1; y <= 60; ++y)
                    leq[x][y] = pts[x - 1][0] <= pts[y - 1][0] && pts[x - 1][1] <= pts[y - 1][1] &&
                                pts[x - 1][2] <= pts[y - 1][2];
            l = varnelref::fromorder(name, leq, 60);
        } else {
            l = varnelref::randomposet(rng, name, 60, 0.02 + 0.01 * (i % 5));
        }
        text += varnelref::posetblock(l);
    }
    text += "\\enddata\r\n";
    const std::string file = dir + "/posets.txt";
    writefile(file, text);
    const int repeats = s.quick ? 3 : 10;
    for (const char* mode : {"", "n"}) {
        double best = 1e9, total = 0;
        for (int k = 0; k < repeats; ++k) {
            // A fresh report file each time: remove the earlier ones.
            std::system(("rm -f '" + dir + "'/posets_r*").c_str());
            std::fflush(nullptr);
            const auto t0 = Clock::now();
            const pid_t pid = fork();
            if (pid == 0) {
                if (!freopen("/dev/null", "r", stdin) || !freopen("/dev/null", "w", stdout)) _exit(127);
                if (*mode)
                    execl(exe.c_str(), exe.c_str(), file.c_str(), mode, static_cast<char*>(nullptr));
                else
                    execl(exe.c_str(), exe.c_str(), file.c_str(), static_cast<char*>(nullptr));
                _exit(127);
            }
            int status = 0;
            waitpid(pid, &status, 0);
            const double t = since(t0);
            best = std::min(best, t);
            total += t;
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
                std::printf("  ordanik ended with status %d\n", status);
                break;
            }
        }
        std::printf("  %-26s whole run: best %s s, mean %s s of %d runs\n",
                    *mode ? "numeric mode (n)" : "text mode", secs(best).c_str(), secs(total / repeats).c_str(),
                    repeats);
    }
#endif
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Settings s;
    std::string chosen;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--quick") {
            s.quick = true;
        } else if (a == "--full") {
            s.full = true;
        } else if (a == "--case" && i + 1 < argc) {
            chosen += argv[++i];
        } else if (a.rfind("--case=", 0) == 0) {
            chosen += a.substr(7);
        } else {
            std::fprintf(stderr, "usage: varnelbench [--quick] [--full] [--case a|b|c|d|e]...\n");
            return 2;
        }
    }
    if (!chosen.empty()) s.cases = chosen;
    TempDir dir;
    std::printf("varnelbench%s%s: times in seconds (wall clock); pairs = (j, k) combinations of the pass loop\n",
                s.quick ? " --quick" : "", s.full ? " --full" : "");
    const auto t0 = Clock::now();
    try {
        if (s.cases.find('a') != std::string::npos) casea(s, dir.path);
        if (s.cases.find('b') != std::string::npos) caseb(s, dir.path);
        if (s.cases.find('c') != std::string::npos) casec(s, dir.path);
        if (s.cases.find('d') != std::string::npos) cased(s, dir.path);
        if (s.cases.find('e') != std::string::npos) casee(s, dir.path);
    } catch (const varnel::ErrorStop& e) {
        std::printf("error stop: %s\n", e.message.c_str());
        return 1;
    }
    std::printf("\nbenchmark total: %s s\n", secs(since(t0)).c_str());
    return 0;
}
