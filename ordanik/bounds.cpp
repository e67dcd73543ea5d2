// Bounds of two elements a and b of a poset with its order closed.
//
// The common upper bounds of a and b are U = up[a] & up[b]. An element l of U
// is minimal in U exactly when the only element of U below or equal to l is l
// itself: down[l] & U == {l}. The pair has a join when exactly one element
// is minimal in U; with none (U empty) the pair has no upper bound at all,
// with two or more the pair has upper bounds but no least one. Lower bounds
// are the same with up and down exchanged. With rows of bits this is one
// word operation per element, so all pairs of a 60-element poset take well
// under a millisecond.
#include "ordanik/bounds.h"

namespace ordanik {

static Row extremal(const std::array<Row, maxsize + 1>& opposite, Row set) {
    Row result = 0;
    for (Row rest = set; rest; rest &= rest - 1) {
        int l = __builtin_ctzll(rest);
        if ((opposite[l] & set) == bit(l)) result |= bit(l);
    }
    return result;
}

Row minupperbounds(const Poset& p, int a, int b) { return extremal(p.down, p.up[a] & p.up[b]); }

Row maxlowerbounds(const Poset& p, int a, int b) { return extremal(p.up, p.down[a] & p.down[b]); }

int countof(Row r) { return __builtin_popcountll(r); }

}  // namespace ordanik
