// Fuzz target: varnel's generation of the sublattice of a small direct
// product, with its atoms, coatoms and vector listing. The input bytes are
// decoded into a few lattices (chains, diamonds, or tables at random, then
// with some entries overwritten: 0 and -1 in a table, orders that are no
// partial orders), the direct factors with their x, y, z, the effective
// factors, the run option letters and the progress step. The block holds at
// most 2000 vectors: a pass costs up to the square of that, and near 5000 a
// single input took over ten seconds under the sanitizers. The report only
// records. An error stop or an abnormal end is an orderly end.
#include <climits>
#include <memory>

#include "platform/abend.h"
#include "varnel/workspace.h"

namespace {

// The input as a stream of bytes; zeros once it is used up.
struct Bytes {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    uint32_t next() { return pos < size ? data[pos++] : 0; }
    int32_t below(int32_t n) { return static_cast<int32_t>(next() % static_cast<uint32_t>(n)); }
};

const int32_t progsteps[] = {0, 1, 2, 3, 5, 16, 100, -1, -7, 1 << 29, INT32_MAX};

void makelattice(Bytes& in, varnel::Store& st, int32_t l) {
    const int32_t n = 1 + in.below(7);
    st.latname[l] = "L" + std::to_string(l);
    st.latsize[l] = n;
    for (int32_t e = 1; e <= n; ++e) st.elements[l][e] = "e" + std::to_string(e);
    const int32_t kind = in.below(3);
    for (int32_t a = 1; a <= n; ++a)
        for (int32_t b = 1; b <= n; ++b) {
            bool leq;
            int32_t join, meet;
            if (kind == 0 || n < 3) {  // the chain 1 < 2 < ... < n
                leq = a <= b;
                join = a > b ? a : b;
                meet = a < b ? a : b;
            } else if (kind == 1) {  // bottom 1, atoms 2..n-1, top n
                leq = a == b || a == 1 || b == n;
                join = a == b ? a : a == 1 ? b : b == 1 ? a : n;
                meet = a == b ? a : a == n ? b : b == n ? a : 1;
            } else {  // anything
                leq = in.next() & 1;
                join = in.below(n + 2) - 1;
                meet = in.below(n + 2) - 1;
            }
            st.leq[l][a][b] = leq;
            st.jointab[l][a][b] = join;
            st.meettab[l][a][b] = meet;
        }
    for (int32_t m = in.below(4); m > 0; --m) {
        const int32_t which = in.below(3);
        const int32_t a = 1 + in.below(n), b = 1 + in.below(n);
        const int32_t value = in.below(n + 2) - 1;
        if (which == 0)
            st.leq[l][a][b] = !st.leq[l][a][b];
        else if (which == 1)
            st.jointab[l][a][b] = value;
        else
            st.meettab[l][a][b] = value;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes in{data, size};
    auto st = std::make_unique<varnel::Store>();
    st->numlats = 1 + in.below(3);
    for (int32_t l = 1; l <= st->numlats; ++l) makelattice(in, *st, l);

    auto facts = std::make_unique<varnel::Factors>();
    facts->numdirfacts = 1 + in.below(6);
    for (int32_t i = 1; i <= facts->numdirfacts; ++i) {
        varnel::DirFact& f = facts->dirfacts[i];
        f.latwh = 1 + in.below(st->numlats);
        f.factname = st->latname[f.latwh];
        const int32_t n = st->latsize[f.latwh];
        f.x = 1 + in.below(n);
        f.y = 1 + in.below(n);
        f.z = 1 + in.below(n);
    }

    auto ws = std::make_unique<varnel::Workspace>();
    ws->capacity = 2000;
    const uint32_t flags = in.next();
    for (int32_t i = 1; i <= facts->numdirfacts; ++i) {
        ws->effective[i] = (flags >> (i - 1)) & 1;
        ws->numeffective += ws->effective[i];
    }
    if (ws->numeffective == 0) {  // every selection holds a factor
        ws->effective[1] = true;
        ws->numeffective = 1;
    }
    ws->genthreads = 1 + in.below(2);

    varnel::Options opts;
    const uint32_t letters = in.next();
    for (int i = 0; i < 5; ++i) opts.runopts[i] = (letters >> i) & 1 ? 'i' : 'n';
    opts.progstep = progsteps[in.below(sizeof progsteps / sizeof progsteps[0])];

    varnel::Report rep;
    varnel::Product p{*st, *facts, opts, *ws, rep};
    try {
        varnel::initbl(p);
        varnel::genbl(p);
        varnel::findatoms(p);
        varnel::findcoatoms(p);
        if (opts.on(2)) varnel::prntbl(p);
    } catch (const varnel::ErrorStop&) {
    } catch (const platform::AbnormalEnd&) {
    }
    return 0;
}
