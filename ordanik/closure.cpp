// Order closure and lattice test.
//
// The order of a poset is the reflexive and transitive closure of its given
// covering edges. It is computed by Warshall's method on rows of bits: for
// each element k in turn, every element j below k gets everything above k.
// After step k, up[j] holds every element reachable from j through
// intermediate elements numbered at most k, so after the last step it holds
// the whole closure.
//
// The edges are the covering relation of a partial order when the closure is
// antisymmetric (no two different elements below each other) and no given
// edge j-l has an element k strictly between j and l. A cycle stops the run;
// an edge that is not a covering only gives a warning, once for every element
// strictly between its ends, and stays in the poset.
//
// A poset is a lattice when every pair has exactly one minimal upper bound
// and exactly one maximal lower bound. A pair without any upper (lower) bound
// means the poset has no greatest (least) element, which stops the run; a
// pair with several gives 0 in the table and marks the poset as not a
// lattice.
#include "ordanik/closure.h"

#include "ordanik/bounds.h"
#include "ordanik/errorstop.h"

namespace ordanik {

static const char* const warningline =
    "\\WARNING    WARNING  (a poset is not a lattice or an edge is not a covering)";

void warningnotice(RunState& run) {
    if (run.warned) return;
    run.warned = true;
    run.con.writeline(warningline);
    run.report.line("");
    run.report.line(warningline);
    run.report.line("");
}

void closeorder(RunState& run, Poset& p) {
    const int n = p.n;
    for (int j = 1; j <= n; ++j) p.up[j] = p.edges[j] | bit(j);
    for (int k = 1; k <= n; ++k)
        for (int j = 1; j <= n; ++j)
            if (has(p.up[j], k)) p.up[j] |= p.up[k];
    for (int k = 1; k <= n; ++k) {
        p.down[k] = 0;
        for (int j = 1; j <= n; ++j)
            if (has(p.up[j], k)) p.down[k] |= bit(j);
    }
    for (int j = 1; j <= n; ++j)
        for (int k = j + 1; k <= n; ++k)
            if (p.below(j, k) && p.below(k, j)) errorstop("Incorrect edges (antisymmetry is violated): " + p.name);
    for (int j = 1; j <= n; ++j)
        for (int k = 1; k <= n; ++k) {
            if (j == k || !p.below(j, k)) continue;
            for (int l = 1; l <= n; ++l) {
                if (k == l || !p.below(k, l) || !has(p.edges[j], l)) continue;
                warningnotice(run);
                std::string line = "In " + p.name + ", " + p.names[j] + " is NOT covered by " + p.names[l];
                run.con.writeline(line);
                run.report.line(line);
            }
        }
}

void joinsandmeets(RunState& run, Poset& p) {
    p.islattice = true;
    for (auto& row : p.join) row.fill(0);
    for (auto& row : p.meet) row.fill(0);
    for (int j = 1; j <= p.n; ++j)
        for (int k = 1; k <= p.n; ++k) {
            Row ub = minupperbounds(p, j, k);
            if (ub == 0) errorstop("No upper bound of two elements of " + p.name);
            if (countof(ub) > 1) {
                p.islattice = false;
                warningnotice(run);
            } else {
                p.join[j][k] = __builtin_ctzll(ub);
            }
            Row lb = maxlowerbounds(p, j, k);
            if (lb == 0) errorstop("No lower bound of two elements of " + p.name);
            if (countof(lb) > 1) {
                p.islattice = false;
                warningnotice(run);
            } else {
                p.meet[j][k] = __builtin_ctzll(lb);
            }
        }
}

void examine(RunState& run, PosetStore& store) {
    for (Poset& p : store.posets) closeorder(run, p);
    for (Poset& p : store.posets) joinsandmeets(run, p);
}

}  // namespace ordanik
