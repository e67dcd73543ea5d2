// The all-subsets run: the product over every non-empty subset of the
// direct factors that the constraints allow, in decreasing order of the
// subset read as a base-2 number (factor 1 the most significant digit), with
// the atom and coatom spectra, the (atoms, coatoms) pairs, the largest values
// and the subsets where they first occurred.
//
// The products of different subsets are independent. With more than one
// thread, workers compute them ahead, each in a workspace of its own, and
// record what each product writes; the main thread plays the records back
// strictly in step order and does all bookkeeping itself, so the output is
// byte for byte that of the sequential run.
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/abend.h"
#include "platform/checked.h"
#include "pairwise.h"
#include "subsets.h"
#include "varnel.h"

namespace varnel {

namespace {

std::string selection(const bool* effective, int32_t n) {
    std::string s;
    for (int32_t i = 1; i <= n; ++i) s += effective[i] ? 'y' : 'n';
    return s;
}

// Everything a step leaves for the bookkeeping of the main thread.
struct StepOutcome {
    bool allowed = false;
    int32_t blsize = 0, numatoms = 0, numcoatoms = 0, numeffective = 0;
    int32_t proginterval = 0;
    bool effective[maxdirfacts + 1] = {};
    Report first;   // generation, per-step line, atoms and coatoms
    Report second;  // the vector listing
    std::optional<ErrorStop> stop;
    std::optional<platform::AbnormalEnd> abend;
};

// Steps 2 to 6 of a step for the selection in p.ws.effective: initbl, the
// constraint test, and for an allowed subset genbl, the per-step line, the
// atoms and the coatoms.
void elaborate(Product& p, int32_t step, StepOutcome& out) {
    Workspace& ws = p.ws;
    initbl(p);
    out.allowed = testconstraints(p.facts, ws.effective);
    if (out.allowed) {
        genbl(p);
        out.blsize = ws.blsize;
        if (p.opts.on(5)) {
            const std::string line = "(Step " + std::to_string(step) + ") |L|=" + std::to_string(ws.blsize) + ". " +
                                     std::to_string(ws.numeffective) + " effective factors: [" +
                                     selection(ws.effective, p.facts.numdirfacts) + "]";
            p.rep.fileline("");
            p.rep.fileline("");
            p.rep.fileline(line);
            p.rep.conline("");
            p.rep.conline(line);
        }
        findatoms(p);
        out.numatoms = ws.numatoms;
        findcoatoms(p);
        out.numcoatoms = ws.numcoatoms;
    }
    out.proginterval = ws.proginterval;
}

// The selection of step s: the base-2 number 2^n - s.
void selectionofstep(int32_t n, int64_t s, bool* effective, int32_t& numeffective) {
    const uint64_t value = (uint64_t{1} << n) - static_cast<uint64_t>(s);
    numeffective = 0;
    for (int32_t i = 1; i <= n; ++i) {
        effective[i] = (value >> (n - i)) & 1;
        numeffective += effective[i] ? 1 : 0;
    }
}

struct Tally {
    int32_t step = 0, disregarded = 0, elaborated = 0;
    int32_t maxsize = 0, maxatoms = 0, maxcoatoms = 0;
    std::string maxsizesel, maxatomssel, maxcoatomssel;
    Spectra spectra;
};

// The bookkeeping of an allowed step, after its first record has been
// written: maxima, spectra, the pair, the echo.
void account(Varnel& v, Tally& t, const StepOutcome& o) {
    auto sel = [&] { return selection(o.effective, v.facts.numdirfacts); };
    if (o.blsize > t.maxsize) t.maxsize = o.blsize, t.maxsizesel = sel();
    if (o.numatoms > 0) addatomcount(t.spectra, o.numatoms);
    if (o.numatoms > t.maxatoms) t.maxatoms = o.numatoms, t.maxatomssel = sel();
    if (o.numcoatoms > 0) addcoatomcount(t.spectra, o.numcoatoms);
    if (o.numcoatoms > t.maxcoatoms) t.maxcoatoms = o.numcoatoms, t.maxcoatomssel = sel();
    addpair(t.spectra, o.numatoms, o.numcoatoms);
    if (v.opts.on(1)) prntinput(v);
}

void disregard(Varnel& v, Tally& t, const StepOutcome& o) {
    t.disregarded = platform::add32(t.disregarded, 1);
    if (v.opts.on(5)) {
        v.rep.fileline("");
        v.rep.fileline("");
        v.rep.fileline("(Step " + std::to_string(t.step) + ") Disregarded by constraints.  [" +
                       selection(o.effective, v.facts.numdirfacts) + "]");
    }
}

// Steps 7 and 8: the empty line and the step progress line.
void closestep(Varnel& v, const Tally& t, int32_t proginterval, int32_t numsubsets) {
    if (v.opts.on(5)) v.rep.fileline("");
    if (proginterval > 0 && t.step % proginterval == 0)
        v.rep.indentconline(std::to_string(t.step) + "th product out of " + std::to_string(numsubsets));
}

void runsequential(Varnel& v, Tally& t, int32_t numsubsets) {
    Product p = v.product();
    StepOutcome o;
    do {
        t.step = platform::add32(t.step, 1);
        o = StepOutcome();
        elaborate(p, t.step, o);
        std::copy(std::begin(v.ws.effective), std::end(v.ws.effective), std::begin(o.effective));
        if (o.allowed) {
            t.elaborated = platform::add32(t.elaborated, 1);
            account(v, t, o);
            if (v.opts.on(2)) prntbl(p);
        } else {
            disregard(v, t, o);
        }
        if (!nextsubset(v.facts.numdirfacts, v.ws.effective, v.ws.numeffective))
            errorstop("Internal program error, code=p7f3s9");
        closestep(v, t, o.proginterval, numsubsets);
    } while (anyeffective(v.facts.numdirfacts, v.ws.effective));
}

void runparallel(Varnel& v, Tally& t, int32_t numsubsets, int threads) {
    const int32_t n = v.facts.numdirfacts;
    const int64_t laststep = (int64_t{1} << n) - 1;
    const int64_t window = 64L * threads;
    std::mutex mu;
    std::condition_variable cv;
    std::deque<std::unique_ptr<StepOutcome>> ready;  // outcomes of steps from `base` on, or null
    int64_t base = 1;                                 // the next step for the main thread
    int64_t next = 1;                                 // the next step for a worker
    std::atomic<bool> quit{false};

    // Workers take the steps in batches, and hand in a batch's outcomes at
    // once, so that small products do not wait on the lock.
    constexpr int64_t batch = 8;
    auto worker = [&]() {
        auto ws = std::make_unique<Workspace>();
        ws->capacity = v.ws.capacity;
        std::vector<std::unique_ptr<StepOutcome>> done;
        for (;;) {
            int64_t first;
            {
                std::unique_lock<std::mutex> lock(mu);
                cv.wait(lock, [&] { return quit || next > laststep || next < base + window; });
                if (quit || next > laststep) return;
                first = next;
                next = std::min(next + batch, laststep + 1);
            }
            const int64_t last = std::min(first + batch - 1, laststep);
            done.clear();
            for (int64_t s = first; s <= last; ++s) {
                auto o = std::make_unique<StepOutcome>();
                selectionofstep(n, s, ws->effective, ws->numeffective);
                std::copy(std::begin(ws->effective), std::end(ws->effective), std::begin(o->effective));
                Product p{v.store, v.facts, v.opts, *ws, o->first};
                p.cancel = &quit;
                try {
                    elaborate(p, static_cast<int32_t>(s), *o);
                    if (o->allowed && v.opts.on(2)) {
                        Product q{v.store, v.facts, v.opts, *ws, o->second};
                        prntbl(q);
                    }
                } catch (const ErrorStop& e) {
                    o->stop = e;
                } catch (const platform::AbnormalEnd& e) {
                    o->abend = e;
                } catch (const std::bad_alloc&) {
                    o->abend = platform::AbnormalEnd{203, "Runtime error 203 (out of memory)"};
                } catch (const Abandoned&) {
                    return;
                }
                const bool ended = o->stop || o->abend;
                done.push_back(std::move(o));
                if (ended) break;  // the run ends there; later steps are not needed
            }
            std::lock_guard<std::mutex> lock(mu);
            for (size_t k = 0; k < done.size(); ++k) {
                const size_t at = static_cast<size_t>(first + static_cast<int64_t>(k) - base);
                if (ready.size() <= at) ready.resize(at + 1);
                ready[at] = std::move(done[k]);
            }
            cv.notify_all();
        }
    };

    std::vector<std::thread> pool;
    struct Joiner {
        std::vector<std::thread>& pool;
        std::atomic<bool>& quit;
        std::mutex& mu;
        std::condition_variable& cv;
        ~Joiner() {
            {
                std::lock_guard<std::mutex> lock(mu);
                quit = true;
            }
            cv.notify_all();
            for (auto& th : pool) th.join();
        }
    } joiner{pool, quit, mu, cv};
    for (int i = 0; i < threads; ++i) pool.emplace_back(worker);

    std::deque<std::unique_ptr<StepOutcome>> mine;  // taken from ready, in step order
    for (int64_t s = 1; s <= laststep; ++s) {
        if (mine.empty()) {
            std::unique_lock<std::mutex> lock(mu);
            cv.wait(lock, [&] { return !ready.empty() && ready.front(); });
            while (!ready.empty() && ready.front()) {
                mine.push_back(std::move(ready.front()));
                ready.pop_front();
                ++base;
            }
            cv.notify_all();
        }
        std::unique_ptr<StepOutcome> o = std::move(mine.front());
        mine.pop_front();
        t.step = platform::add32(t.step, 1);
        if (o->allowed || o->stop || o->abend) {
            if (o->allowed) t.elaborated = platform::add32(t.elaborated, 1);
            o->first.replay(v.rep);
            if (o->stop) throw *o->stop;
            if (o->abend) throw *o->abend;
            account(v, t, *o);
            o->second.replay(v.rep);
        } else {
            disregard(v, t, *o);
        }
        closestep(v, t, o->proginterval, numsubsets);
    }
}

// The all-subsets run when only counts are written (no per-step lines, no
// listings, no trace) and every lattice used is a true lattice: |L|, the
// atoms and the coatoms of each subset are counted from the pairwise
// projections (pairwise.cpp) instead of the closure, and everything that
// the closure would write or check along the way is reproduced from the
// counts: the growth marks and the block-full stop from |L|, the atom and
// coatom marks from |L| and the place of the least and greatest vectors in
// the order of discovery (the closure's first two passes always find both),
// the checks on the least and greatest vector from x^y^z and x+y+z.
//
// |L| shows only in the marks, the block-full stop and the largest |L|. A
// subset's product is a homomorphic image of the product of any superset,
// and every superset comes earlier in the run; so when there are no marks,
// |L| is counted only for subsets that no allowed subset contains.
void runpairwise(Varnel& v, Tally& t, int32_t numsubsets) {
    Pairwise pw;
    preparepairwise(v.store, v.facts, pw);
    Product p = v.product();
    Workspace& ws = v.ws;
    const int32_t n = v.facts.numdirfacts;
    const int32_t progstep = v.opts.progstep;
    const int64_t cap = static_cast<int64_t>(ws.capacity) + 1;
    const int64_t markfrom = progstep > 0 ? std::min<int64_t>(2048, int64_t{32} * progstep) : cap;
    // Per factor, as bit masks: the factors that a constraint keeps apart
    // from it; where x (y, z) is the least (greatest) element of the
    // projection; where that least element is not element 1; where the
    // greatest is neither element 1 nor the last.
    std::vector<uint64_t> apart(static_cast<size_t>(n) + 1, 0);
    for (int32_t c = 1; c <= v.facts.numconstraints; ++c) {
        const int32_t a = v.facts.constraints[c].iffact, b = v.facts.constraints[c].thennotfact;
        apart[a] |= uint64_t{1} << (b - 1);
        apart[b] |= uint64_t{1} << (a - 1);
    }
    uint64_t xlo = 0, xhi = 0, ylo = 0, yhi = 0, zlo = 0, zhi = 0, flat = 0, lowwrong = 0, highwrong = 0;
    for (int32_t i = 1; i <= n; ++i) {
        const DirFact& f = v.facts.dirfacts[i];
        const uint64_t bit = uint64_t{1} << (i - 1);
        if (f.x == pw.bottom[i]) xlo |= bit;
        if (f.x == pw.top[i]) xhi |= bit;
        if (f.y == pw.bottom[i]) ylo |= bit;
        if (f.y == pw.top[i]) yhi |= bit;
        if (f.z == pw.bottom[i]) zlo |= bit;
        if (f.z == pw.top[i]) zhi |= bit;
        if (pw.bottom[i] == pw.top[i]) flat |= bit;
        if (pw.bottom[i] != 1) lowwrong |= bit;
        if (pw.top[i] != 1 && pw.top[i] != v.store.latsize[f.latwh]) highwrong |= bit;
    }
    bool listsok = false;
    std::vector<uint8_t> B(static_cast<size_t>(n) + 8), T(static_cast<size_t>(n) + 8);
    do {
        t.step = platform::add32(t.step, 1);
        StepOutcome o;
        std::copy(std::begin(ws.effective), std::end(ws.effective), std::begin(o.effective));
        ws.proginterval = progstep;
        o.allowed = testconstraints(v.facts, ws.effective);
        if (o.allowed) {
            t.elaborated = platform::add32(t.elaborated, 1);
            uint64_t s = 0;
            for (int32_t i = 1; i <= n; ++i)
                if (ws.effective[i]) s |= uint64_t{1} << (i - 1);
            // No allowed subset holds s and one more factor f.
            bool maximal = true;
            for (int32_t f = 1; f <= n && maximal; ++f) {
                const uint64_t bit = uint64_t{1} << (f - 1);
                if (!(s & bit) && (apart[f] & (s | bit)) == 0) maximal = false;
            }
            // |L| is 1 when the least and greatest vectors coincide, 2 when
            // x, y and z are each one of them, and else at least 3.
            const auto is = [s](uint64_t where) { return (s & ~where) == 0; };
            int64_t size = is(flat) ? 1
                           : ((is(xlo) || is(xhi)) && (is(ylo) || is(yhi)) && (is(zlo) || is(zhi))) ? 2
                                                                                                    : 3;
            bool known = size < 3;
            if (!known && (maximal || progstep > 0)) {
                const int64_t first = maximal ? cap : std::max<int64_t>(4, markfrom);
                size = countelements(pw, s, first);
                known = maximal || size < first;
                if (!known) size = countelements(pw, s, cap), known = true;
            }
            if (known) {
                initbl(p);  // the one to three generators, as the closure starts
                emulategrowth(p, size);
                if (size > t.maxsize) t.maxsize = static_cast<int32_t>(size), t.maxsizesel = selection(ws.effective, n);
            }
            // Atoms, then coatoms, with their checks and marks.
            auto marks = [&](bool least, const char* tag) {
                if (progstep <= 0 || size < ws.proginterval) return;
                std::vector<uint8_t>& end = least ? B : T;
                for (int32_t i = 1; i <= n; ++i)
                    end[i - 1] = static_cast<uint8_t>(ws.effective[i] ? (least ? pw.bottom[i] : pw.top[i]) : 1);
                const int32_t interval = ws.proginterval;
                initbl(p);
                genblpasses(p, 2);
                const int32_t skip = rowindex(ws, end.data());
                ws.proginterval = interval;
                candidatemarks(p, size, skip, tag);
            };
            o.numatoms = o.numcoatoms = 0;
            if (size >= 2) {
                if (!listsok) liststartcheck(p);
                if (size > 2 && (s & lowwrong)) errorstop("Something is wrong, code = W3bT7s.");
                ws.proginterval = platform::mul32(32, progstep);
                marks(true, "a?:");
                o.numatoms = size == 2 ? 1 : countatoms(pw, s);
                if (!listsok) listendcheck(p);
                listsok = true;
                if (size > 2 && (s & highwrong)) errorstop("Something is wrong, code = W5bH7s.");
                ws.proginterval = platform::mul32(32, progstep);
                marks(false, "c?:");
                o.numcoatoms = size == 2 ? 1 : countcoatoms(pw, s);
            }
            o.blsize = 0;  // the largest |L| is kept above
            account(v, t, o);
        } else {
            disregard(v, t, o);
        }
        if (!nextsubset(n, ws.effective, ws.numeffective)) errorstop("Internal program error, code=p7f3s9");
        closestep(v, t, ws.proginterval, numsubsets);
    } while (anyeffective(n, ws.effective));
}

std::string spectrumtext(const std::vector<int32_t>& values) {
    std::string s;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) s += ',';
        s += ' ' + std::to_string(values[i]);
    }
    return s;
}

}  // namespace

bool nextsubset(int32_t numdirfacts, bool* effective, int32_t& numeffective) {
    int32_t n = numdirfacts;
    while (n >= 1 && !effective[n]) --n;
    if (n < 1) return false;
    effective[n] = false;
    for (int32_t i = n + 1; i <= numdirfacts; ++i) effective[i] = true;
    numeffective = 0;
    for (int32_t i = 1; i <= numdirfacts; ++i) numeffective += effective[i] ? 1 : 0;
    return true;
}

bool anyeffective(int32_t numdirfacts, const bool* effective) {
    for (int32_t i = 1; i <= numdirfacts; ++i)
        if (effective[i]) return true;
    return false;
}

bool testconstraints(const Factors& facts, const bool* effective) {
    for (int32_t c = 1; c <= facts.numconstraints; ++c)
        if (effective[facts.constraints[c].iffact] && effective[facts.constraints[c].thennotfact]) return false;
    return true;
}

void seedpairs(Spectra& s) {
    s.acpairs = {{1, 1}, {1, 2}, {2, 1}, {2, 2}, {2, 3}, {3, 3}};
}

void addpair(Spectra& s, int32_t a, int32_t c) {
    if (a == 0 || c == 0) errorstop("Error code: gWm9x");
    for (const auto& pr : s.acpairs)
        if (pr.first == a && pr.second == c) return;
    if (s.acpairs.size() + 1 > 4000) errorstop("Error: two many pairs of (#atoms, #coatoms)");
    s.acpairs.emplace_back(a, c);
}

namespace {
void addcount(std::vector<int32_t>& values, int32_t value) {
    size_t i = 0;
    while (i < values.size() && values[i] < value) ++i;
    if (i < values.size() && values[i] == value) return;
    values.insert(values.begin() + static_cast<std::ptrdiff_t>(i), value);
}
}  // namespace

void addatomcount(Spectra& s, int32_t numatoms) { addcount(s.atomspec, numatoms); }
void addcoatomcount(Spectra& s, int32_t numcoatoms) { addcount(s.coatomspec, numcoatoms); }

std::string statisticsline(int32_t steps, int32_t disregarded, int32_t elaborated) {
    const int32_t hundredfold = platform::mul32(100, disregarded);
    char pct[64];
    std::snprintf(pct, sizeof pct, "%6.2f", steps == 0 ? 0.0 : static_cast<double>(hundredfold) / steps);
    return ":: " + std::to_string(steps) + " steps: " + std::to_string(disregarded) + " (" + pct + "%) disregarded, " +
           std::to_string(elaborated) + " elaborated";
}

void runsubsets(Varnel& v) {
    const int32_t n = v.facts.numdirfacts;
    if (n > 30) errorstop("Too many direct factors for the all-subsets run (at most 30)");
    Tally t;
    t.spectra.atomspec = {1, 2, 3};
    t.spectra.coatomspec = {1, 2, 3};
    seedpairs(t.spectra);
    const int32_t numsubsets = static_cast<int32_t>(int64_t{1} << n);
    const std::string none(static_cast<size_t>(n), 'n');
    t.maxsizesel = t.maxatomssel = t.maxcoatomssel = none;

    const int threads = v.threadcount();
    v.ws.genthreads = threads;
    if (v.pairwise && !v.opts.on(2) && !v.opts.on(3) && !v.opts.on(5) && pairwiseapplies(v.store, v.facts))
        runpairwise(v, t, numsubsets);
    else if (threads >= 2 && n >= 2)
        runparallel(v, t, numsubsets, threads);
    else
        runsequential(v, t, numsubsets);

    Report& r = v.rep;
    const std::string stats = statisticsline(t.step, t.disregarded, t.elaborated);
    const char* const warning[5] = {
        "!!!!Warning: the information below about ATOMS is complete iff the variety is",
        " nontrivial and, up to automorphisms, the input contains ALL x*z=y*z=0",
        " assigments. Similarly for COATOMS: all x+z=y+z=1 are needed. For DOUBLE",
        " spectra, all assignments are needed up to automorphisms. For all spectra,",
        " 2- and 1-valued assignments can (and should) be omitted, except for C_2.",
    };
    auto block = [&](auto line) {
        line("");
        line(stats);
        line("");
        for (const char* w : warning) line(w);
        line("");
    };
    block([&](const std::string& s) { r.conline(s); });
    block([&](const std::string& s) { r.fileline(s); });
    const std::string atomsline = ">>:: Largest |{atoms}|=" + std::to_string(t.maxatoms) + "; occured at, say, [" +
                                  t.maxatomssel + "]";
    const std::string atomspec = ">>:: Atom spectrum = {" + spectrumtext(t.spectra.atomspec) + "}";
    const std::string coatomsline = ">>:: Largest |{coatoms}|=" + std::to_string(t.maxcoatoms) +
                                    "; occured at, say, [" + t.maxcoatomssel + "]";
    const std::string coatomspec = ">>:: Coatom spectrum = {" + spectrumtext(t.spectra.coatomspec) + "}";
    for (const std::string& s : {atomsline, std::string(), atomspec, std::string()}) r.fileline(s);
    for (const std::string& s : {atomsline, std::string(), atomspec, std::string()}) r.conline(s);
    for (const std::string& s : {coatomsline, std::string(), coatomspec, std::string()}) r.fileline(s);
    for (const std::string& s : {coatomsline, std::string(), coatomspec, std::string()}) r.conline(s);
    const std::string sizeline =
        ">>:: Largest |L| = " + std::to_string(t.maxsize) + "; occurred at, say, [" + t.maxsizesel + "]";
    r.conline(sizeline);
    r.conline("");
    r.fileline(sizeline);
    r.fileline("");
    const std::string head1 = "The number of pairs (|{atoms}|,|{atoms}|) (including those obtained by";
    const std::string head2 = "theoretical considerations) is " + std::to_string(t.spectra.acpairs.size()) +
                              "; these pairs are:";
    r.fileline(head1);
    r.fileline(head2);
    r.conline(head1);
    r.conline(head2);
    std::string pairs;
    for (size_t i = 0; i < t.spectra.acpairs.size(); ++i) {
        if (i > 0) pairs += ',';
        pairs += " (" + std::to_string(t.spectra.acpairs[i].first) + "," + std::to_string(t.spectra.acpairs[i].second) + ")";
    }
    r.fileline(pairs);
    r.fileline("");
    r.conline(pairs);
    r.conline("");
}

}  // namespace varnel
