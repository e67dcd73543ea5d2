// Sublattice generation: the block bl is closed under componentwise meet and
// join, starting from the distinct generator vectors x, y, z.
//
// The closure is semi-naive and works in passes: a pass pairs every vector
// (j = 1..n) with every vector that the previous pass added (k = old+1..n),
// meet before join, j outer and k inner. A new vector is appended to the
// block, so its index is its place in this order of discovery; that order
// shows in the trace lines, the vector listing and the atom lists, and must
// not change.
//
// Duplicates are found through a hash index over the rows of the block.
// It answers exactly what a search tree keyed by the lexicographic order
// would answer (is this vector in the block already?), and the least and
// greatest vectors in that order are kept as the rows are appended.
#include <algorithm>
#include <string>

#include "platform/checked.h"
#include "workspace.h"

namespace varnel {

using platform::add32;
using platform::mul32;

bool lexlesselemrows(const uint8_t* a, const uint8_t* b, int32_t n) {
    return n > 0 && std::memcmp(a, b, static_cast<size_t>(n)) < 0;
}

bool equelemrows(const uint8_t* a, const uint8_t* b, int32_t n) {
    return n <= 0 || std::memcmp(a, b, static_cast<size_t>(n)) == 0;
}

void selectall(const Factors& facts, Workspace& ws) {
    ws.numeffective = facts.numdirfacts;
    for (int32_t i = 1; i <= facts.numdirfacts; ++i) ws.effective[i] = true;
}

void prepareworkspace(Product& p) {
    Workspace& ws = p.ws;
    if (ws.prepared) return;
    const Store& st = p.store;
    const int32_t nf = p.facts.numdirfacts;
    ws.stride = nf;
    ws.meetflat.assign(static_cast<size_t>(nf + 1) * 1024, 0);
    ws.joinflat.assign(static_cast<size_t>(nf + 1) * 1024, 0);
    ws.heightflat.assign(static_cast<size_t>(nf + 1) * 32, 0);
    ws.ordersok = true;
    for (int32_t i = 1; i <= nf; ++i) {
        const int32_t l = p.facts.dirfacts[i].latwh;
        const int32_t n = st.latsize[l];
        // Factor i's tables sit at offset (i-1) so that component i-1 of a
        // row (rows are 0-based inside) finds them directly.
        uint8_t* mt = &ws.meetflat[static_cast<size_t>(i - 1) * 1024];
        uint8_t* jt = &ws.joinflat[static_cast<size_t>(i - 1) * 1024];
        for (int32_t a = 1; a <= n; ++a)
            for (int32_t b = 1; b <= n; ++b) {
                int32_t m = st.meettab[l][a][b], j = st.jointab[l][a][b];
                mt[a * 32 + b] = (m >= 1 && m <= n) ? static_cast<uint8_t>(m) : 0;
                jt[a * 32 + b] = (j >= 1 && j <= n) ? static_cast<uint8_t>(j) : 0;
            }
        // Height of an element: the number of elements below or equal to it.
        // In a partial order it grows strictly along every strict inequality.
        uint16_t* ht = &ws.heightflat[static_cast<size_t>(i - 1) * 32];
        for (int32_t e = 1; e <= n; ++e) {
            uint16_t h = 0;
            for (int32_t d = 1; d <= n; ++d) h = static_cast<uint16_t>(h + (st.leq[l][d][e] ? 1 : 0));
            ht[e] = h;
        }
        for (int32_t a = 1; a <= n && ws.ordersok; ++a) {
            if (!st.leq[l][a][a]) ws.ordersok = false;
            for (int32_t b = 1; b <= n; ++b) {
                if (a != b && st.leq[l][a][b] && st.leq[l][b][a]) ws.ordersok = false;
                for (int32_t c = 1; c <= n; ++c)
                    if (st.leq[l][a][b] && st.leq[l][b][c] && !st.leq[l][a][c]) ws.ordersok = false;
            }
        }
    }
    // The block: capacity rows of numdirfacts bytes (row 0 unused), and a
    // little room after the last row so that rows can be read by words.
    ws.blkbytes = (static_cast<size_t>(ws.capacity) + 2) * static_cast<size_t>(std::max(nf, 1)) + 16;
    ws.blk.reset(new uint8_t[ws.blkbytes]);
    std::memset(ws.blk.get(), 0, 64 < ws.blkbytes ? 64 : ws.blkbytes);
    ws.scratch.assign(static_cast<size_t>(std::max(nf, 1)) * 8 + 16, 0);
    ws.slots.assign(1024, 0);
    ws.slotmask = 1023;
    ws.blsize = 0;
    ws.prepared = true;
}

namespace {

inline uint64_t hashrow(const uint8_t* v, int32_t n) {
    uint64_t h = 0x9E3779B97F4A7C15ULL;
    int32_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        std::memcpy(&w, v + i, 8);
        h = (h ^ w) * 0xFF51AFD7ED558CCDULL;
        h ^= h >> 32;
    }
    if (i < n) {
        uint64_t w = 0;
        std::memcpy(&w, v + i, static_cast<size_t>(n - i));
        h = (h ^ w) * 0xC4CEB9FE1A85EC53ULL;
    }
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ULL;
    return h ^ (h >> 32);
}

// The slot that holds v, or the empty slot where v belongs.
inline uint32_t findslot(const Workspace& ws, const uint8_t* v, uint64_t h) {
    uint32_t s = static_cast<uint32_t>(h) & ws.slotmask;
    const size_t n = static_cast<size_t>(ws.stride);
    for (;;) {
        uint32_t e = ws.slots[s];
        if (e == 0 || std::memcmp(ws.row(static_cast<int32_t>(e)), v, n) == 0) return s;
        s = (s + 1) & ws.slotmask;
    }
}

void growindex(Workspace& ws) {
    size_t size = ws.slots.size() * 2;
    ws.slots.assign(size, 0);
    ws.slotmask = static_cast<uint32_t>(size - 1);
    for (int32_t i = 1; i <= ws.blsize; ++i) {
        uint32_t s = findslot(ws, ws.row(i), hashrow(ws.row(i), ws.stride));
        ws.slots[s] = static_cast<uint32_t>(i);
    }
}

// Empties the index. Rows are taken out in the reverse order of their
// insertion, so that every probe sequence is still whole when it is walked.
void clearindex(Workspace& ws) {
    if (static_cast<size_t>(ws.blsize) * 8 >= ws.slots.size()) {
        std::fill(ws.slots.begin(), ws.slots.end(), 0);
        return;
    }
    for (int32_t i = ws.blsize; i >= 1; --i) {
        uint32_t s = static_cast<uint32_t>(hashrow(ws.row(i), ws.stride)) & ws.slotmask;
        while (ws.slots[s] != static_cast<uint32_t>(i)) s = (s + 1) & ws.slotmask;
        ws.slots[s] = 0;
    }
}

// Appends v as a new row (the caller knows it is new and where its slot is).
void appendrow(Product& p, const uint8_t* v, uint32_t slot) {
    Workspace& ws = p.ws;
    ws.blsize = add32(ws.blsize, 1);
    if (ws.blsize > ws.capacity) errorstop("[\\vec x, \\vec y, \\vec z] is too large");
    uint8_t* r = ws.row(ws.blsize);
    std::memcpy(r, v, static_cast<size_t>(ws.stride));
    ws.slots[slot] = static_cast<uint32_t>(ws.blsize);
    if (ws.blsize == 1) {
        ws.lexmin = ws.lexmax = 1;
    } else {
        if (lexlesselemrows(r, ws.row(ws.lexmin), ws.stride)) ws.lexmin = ws.blsize;
        if (lexlesselemrows(ws.row(ws.lexmax), r, ws.stride)) ws.lexmax = ws.blsize;
    }
    if (static_cast<size_t>(ws.blsize) * 2 > ws.slots.size()) growindex(ws);
}

// The generation progress mark, after each vector that genbl adds.
void progressmark(Product& p) {
    Workspace& ws = p.ws;
    if (ws.proginterval <= 0 || ws.blsize < 2048) return;
    if (ws.proginterval == p.opts.progstep && ws.blsize > 4096) {
        ws.proginterval = p.opts.progstep / 16;
        if (ws.proginterval == 0) ws.proginterval = 1;
    }
    if (ws.blsize % mul32(4, ws.proginterval) == 0) p.rep.mark(" g" + std::to_string(ws.blsize) + " ");
}

// Inserts v unless it is in the block already; j and k name the vectors it
// was formed from (for the trace line).
inline void addelemrow(Product& p, const uint8_t* v, int32_t j, int32_t k) {
    Workspace& ws = p.ws;
    uint32_t s = findslot(ws, v, hashrow(v, ws.stride));
    if (ws.slots[s] != 0) return;
    appendrow(p, v, s);
    progressmark(p);
    if (p.opts.letter(3) == 'i')
        p.rep.fileline(std::to_string(ws.blsize) + "th = " + std::to_string(j) + "th   +or*   " +
                       std::to_string(k) + "th");
}

[[noreturn]] void incomplete(const Product& p, const uint8_t* v, const char* what) {
    int32_t i = 0;
    while (v[i] != 0) ++i;
    const int32_t l = p.facts.dirfacts[i + 1].latwh;
    errorstop(std::string("Incomplete ") + what + " table of " + p.store.latname[l]);
}

// Componentwise meet and join of rows a and b into m and j; false when some
// needed table entry is no element (the caller then stops the run).
inline void combine(const Workspace& ws, const uint8_t* a, const uint8_t* b, uint8_t* m, uint8_t* j) {
    const int32_t n = ws.stride;
    const uint8_t* mt = ws.meetflat.data();
    const uint8_t* jt = ws.joinflat.data();
    for (int32_t i = 0; i < n; ++i) {
        const unsigned idx = static_cast<unsigned>(i) * 1024u + a[i] * 32u + b[i];
        m[i] = mt[idx];
        j[i] = jt[idx];
    }
}

}  // namespace

void initbl(Product& p) {
    Workspace& ws = p.ws;
    prepareworkspace(p);
    const int32_t nf = p.facts.numdirfacts;
    clearindex(ws);
    ws.blsize = 0;
    uint8_t* X = ws.scratch.data();
    uint8_t* Y = X + nf;
    uint8_t* Z = Y + nf;
    for (int32_t i = 1; i <= nf; ++i) {
        const DirFact& f = p.facts.dirfacts[i];
        bool e = ws.effective[i];
        X[i - 1] = static_cast<uint8_t>(e ? f.x : 1);
        Y[i - 1] = static_cast<uint8_t>(e ? f.y : 1);
        Z[i - 1] = static_cast<uint8_t>(e ? f.z : 1);
    }
    const bool xy = equelemrows(X, Y, nf), xz = equelemrows(X, Z, nf), yz = equelemrows(Y, Z, nf);
    auto put = [&](const uint8_t* v) { appendrow(p, v, findslot(ws, v, hashrow(v, nf))); };
    if (xy && xz) {
        put(X);
    } else if (xy || xz || yz) {
        const uint8_t* a = X;
        const uint8_t* b = xy ? Z : Y;
        if (lexlesselemrows(a, b, nf)) std::swap(a, b);
        put(a);  // the larger one is the root
        put(b);
    } else {
        const uint8_t* v[3] = {X, Y, Z};
        std::sort(v, v + 3, [nf](const uint8_t* a, const uint8_t* b) { return lexlesselemrows(a, b, nf); });
        put(v[1]);  // the median is the root
        put(v[0]);
        put(v[2]);
    }
    ws.proginterval = p.opts.progstep;
}

void genbl(Product& p) {
    Workspace& ws = p.ws;
    const int32_t nf = ws.stride;
    uint8_t* m = ws.scratch.data() + static_cast<size_t>(nf) * 3;
    uint8_t* j = m + nf;
    int32_t old = 0;
    for (;;) {
        const int32_t n = ws.blsize;
        for (int32_t a = 1; a <= n; ++a) {
            if (p.cancel && p.cancel->load(std::memory_order_relaxed)) throw Abandoned{};
            for (int32_t b = old + 1; b <= n; ++b) {
                combine(ws, ws.row(a), ws.row(b), m, j);
                if (nf > 0 && std::memchr(m, 0, static_cast<size_t>(nf))) incomplete(p, m, "meet");
                addelemrow(p, m, a, b);
                if (nf > 0 && std::memchr(j, 0, static_cast<size_t>(nf))) incomplete(p, j, "join");
                addelemrow(p, j, a, b);
            }
        }
        old = n;
        if (ws.blsize == n) break;
    }
}

}  // namespace varnel
