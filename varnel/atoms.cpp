// Atoms and coatoms of the generated sublattice L.
//
// The least and greatest elements of L are taken to be the lexicographically
// least and greatest vectors of the block, and their form is checked. A vector
// i is an atom when no vector of the block other than i and the least one lies
// below or equal to it; coatoms dually.
//
// When every factor's order is a partial order (checked once per run), the
// atoms are exactly the minimal vectors of L without its least element, and
// they can be found in one pass over the block without comparing every pair:
// keep the minimal vectors among those seen so far; a vector above one of
// them is not minimal, and otherwise it is, for now, and replaces the ones
// above it. The set stays small (the low vectors of a product are found
// early), so the pass costs about |L| times a few comparisons, most of them
// decided by the first component. Coatoms the same way from the top.
// Otherwise the literal pairwise scan is used. Both give the same atoms in
// the same (block) order.
#include <algorithm>
#include <string>

#include "platform/checked.h"
#include "workspace.h"

namespace varnel {

bool lesseqelemrows(const Product& p, int32_t a, int32_t b) {
    const uint8_t* ra = p.ws.row(a);
    const uint8_t* rb = p.ws.row(b);
    for (int32_t i = 0; i < p.facts.numdirfacts; ++i)
        if (!p.store.leq[p.facts.dirfacts[i + 1].latwh][ra[i]][rb[i]]) return false;
    return true;
}

std::string elemrowtext(const Product& p, const uint8_t* v) {
    std::string s = "[";
    for (int32_t i = 0; i < p.facts.numdirfacts; ++i) {
        s += p.store.elemname(p.facts.dirfacts[i + 1].latwh, v[i]);
        s += ',';
    }
    s += "];";
    return s;
}

namespace {

// Is row a below or at row b, by the factors' orders as bits?
inline bool rowbelow(const Workspace& ws, const uint8_t* a, const uint8_t* b) {
    const uint32_t* lb = ws.leqbits.data();
    for (int32_t i = 0; i < ws.stride; ++i)
        if (!(lb[i * 32 + a[i]] >> b[i] & 1)) return false;
    return true;
}

// Minimal (up = false) or maximal (up = true) vectors of the block without
// the row skip, in ascending block order.
std::vector<int32_t> extremal(const Product& p, int32_t skip, bool up) {
    const Workspace& ws = p.ws;
    std::vector<int32_t> found;
    if (ws.ordersok) {
        // The minimal (maximal) vectors among those seen so far: a vector
        // above (below) one of them is passed over; otherwise it takes the
        // place of those above (below) it.
        for (int32_t i = 1; i <= ws.blsize; ++i) {
            if (i == skip) continue;
            const uint8_t* r = ws.row(i);
            bool passed = false;
            for (int32_t a : found)
                if (up ? rowbelow(ws, r, ws.row(a)) : rowbelow(ws, ws.row(a), r)) {
                    passed = true;
                    break;
                }
            if (passed) continue;
            size_t kept = 0;
            for (int32_t a : found)
                if (!(up ? rowbelow(ws, ws.row(a), r) : rowbelow(ws, r, ws.row(a)))) found[kept++] = a;
            found.resize(kept);
            found.push_back(i);
        }
        std::sort(found.begin(), found.end());
        return found;
    }
    for (int32_t i = 1; i <= ws.blsize; ++i) {
        if (i == skip) continue;
        bool extreme = true;
        for (int32_t j = 1; j <= ws.blsize; ++j) {
            if (j == skip || j == i) continue;
            if (up ? lesseqelemrows(p, i, j) : lesseqelemrows(p, j, i)) {
                extreme = false;
                break;
            }
        }
        if (extreme) found.push_back(i);
    }
    return found;
}

// The count line of the atoms (coatoms) to the result file, then to the
// console (whose line has its own head), and the vectors to the result file.
void writefound(Product& p, const std::vector<int32_t>& found, const char* what, const char* consolehead) {
    const std::string count = std::to_string(found.size());
    p.rep.fileline(std::string("(WARNING at the end!) The number of ") + what + " is " + count + ".  The " + what +
                   " are as follows:");
    p.rep.conline(std::string(consolehead) + "The number of " + what + " is " + count);
    for (int32_t a : found) p.rep.fileline(elemrowtext(p, p.ws.row(a)));
    p.rep.fileline("");
}

bool reports(const Product& p) { return p.opts.letter(4) == 'n' || p.opts.letter(5) == 'i'; }

}  // namespace

// The candidate progress marks: every candidate index that is a multiple of
// the interval, except the skipped row.
void candidatemarks(Product& p, int64_t size, int32_t skip, const char* tag) {
    if (p.opts.progstep <= 0) return;
    const int64_t iv = p.ws.proginterval;
    for (int64_t i = iv; i <= size; i += iv)
        if (i != skip) p.rep.indentmark(tag + std::to_string(i));
}

void liststartcheck(const Product& p) {
    const Store& st = p.store;
    for (int32_t l = 1; l <= st.numlats; ++l)
        for (int32_t j = 2; j <= st.latsize[l]; ++j)
            if (!st.leq[l][1][j])
                errorstop("Wrong input: the list of elements of " + st.latname[l] +
                          " should start with the smallest element!");
}

void listendcheck(const Product& p) {
    const Store& st = p.store;
    for (int32_t l = 1; l <= st.numlats; ++l)
        for (int32_t j = 1; j <= st.latsize[l] - 1; ++j)
            if (!st.leq[l][j][st.latsize[l]])
                errorstop("Wrong input: the list of elements of " + st.latname[l] +
                          " should end with the largest element!");
}

void findatoms(Product& p) {
    Workspace& ws = p.ws;
    ws.numatoms = 0;
    ws.atoms.clear();
    if (ws.blsize < 2) return;
    liststartcheck(p);
    ws.bottomrow = ws.lexmin;
    const uint8_t* b = ws.row(ws.bottomrow);
    for (int32_t i = 0; i < p.facts.numdirfacts; ++i)
        if (b[i] != 1 && ws.blsize > 2) errorstop("Something is wrong, code = W3bT7s.");
    ws.proginterval = platform::mul32(32, p.opts.progstep);
    candidatemarks(p, ws.blsize, ws.bottomrow, "a?:");
    ws.atoms = extremal(p, ws.bottomrow, false);
    ws.numatoms = static_cast<int32_t>(ws.atoms.size());
    if (ws.numatoms == 0) errorstop("Error: no atom is found!");
    if (reports(p)) writefound(p, ws.atoms, "atoms", "(WARNING at the end!) ");
}

void findcoatoms(Product& p) {
    Workspace& ws = p.ws;
    const Store& st = p.store;
    ws.numcoatoms = 0;
    ws.coatoms.clear();
    if (ws.blsize < 2) return;
    listendcheck(p);
    ws.toprow = ws.lexmax;
    const uint8_t* t = ws.row(ws.toprow);
    for (int32_t i = 0; i < p.facts.numdirfacts; ++i) {
        const int32_t c = t[i];
        if (c != st.latsize[p.facts.dirfacts[i + 1].latwh] && c != 1 && ws.blsize > 2)
            errorstop("Something is wrong, code = W5bH7s.");
    }
    ws.proginterval = platform::mul32(32, p.opts.progstep);
    candidatemarks(p, ws.blsize, ws.toprow, "c?:");
    ws.coatoms = extremal(p, ws.toprow, true);
    ws.numcoatoms = static_cast<int32_t>(ws.coatoms.size());
    if (ws.numcoatoms == 0) errorstop("Error: no coatom is found!");
    if (reports(p)) writefound(p, ws.coatoms, "coatoms", "(WARNING at the end!)  ");
}

}  // namespace varnel
