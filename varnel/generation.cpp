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
#include <climits>
#include <functional>
#include <semaphore>
#include <thread>
#include <vector>
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
    ws.opflat.assign(static_cast<size_t>(nf + 1) * 1024, 0);
    ws.leqbits.assign(static_cast<size_t>(nf + 1) * 32, 0);
    ws.ordersok = true;
    ws.tablescomplete = true;
    ws.tablessymmetric = true;
    for (int32_t i = 1; i <= nf; ++i) {
        const int32_t l = p.facts.dirfacts[i].latwh;
        const int32_t n = st.latsize[l];
        uint16_t* t = &ws.opflat[static_cast<size_t>(i - 1) * 1024];
        for (int32_t a = 1; a <= n; ++a)
            for (int32_t b = 1; b <= n; ++b) {
                const int32_t m = st.meettab[l][a][b], j = st.jointab[l][a][b];
                const bool mok = m >= 1 && m <= n, jok = j >= 1 && j <= n;
                t[a * 32 + b] = static_cast<uint16_t>((mok ? m : 0) | (jok ? j : 0) << 8);
                if (!mok || !jok) ws.tablescomplete = false;
                if (m != st.meettab[l][b][a] || j != st.jointab[l][b][a]) ws.tablessymmetric = false;
            }
        for (int32_t a = 1; a <= n; ++a)
            if (st.meettab[l][a][a] != a || st.jointab[l][a][a] != a) ws.tablessymmetric = false;
        uint32_t* lb = &ws.leqbits[static_cast<size_t>(i - 1) * 32];
        for (int32_t a = 1; a <= n; ++a)
            for (int32_t b = 1; b <= n; ++b)
                if (st.leq[l][a][b]) lb[a] |= 1u << b;
        for (int32_t a = 1; a <= n && ws.ordersok; ++a) {
            if (!st.leq[l][a][a]) ws.ordersok = false;
            for (int32_t b = 1; b <= n; ++b) {
                if (a != b && st.leq[l][a][b] && st.leq[l][b][a]) ws.ordersok = false;
                for (int32_t c = 1; c <= n; ++c)
                    if (st.leq[l][a][b] && st.leq[l][b][c] && !st.leq[l][a][c]) ws.ordersok = false;
            }
        }
    }
    // The block: capacity rows of numdirfacts bytes (row 0 unused), and room
    // after the last row so that rows can be read by 8-byte words.
    ws.blkbytes = (static_cast<size_t>(ws.capacity) + 2) * static_cast<size_t>(std::max(nf, 1)) + 16;
    ws.blk.reset(new uint8_t[ws.blkbytes]);
    std::memset(ws.blk.get(), 0, std::min<size_t>(ws.blkbytes, 64));
    ws.scratch.assign(static_cast<size_t>(std::max(nf, 1)) * 8 + 64, 0);
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

inline bool rowequal(const uint8_t* a, const uint8_t* b, int32_t n) {
    int32_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) return false;
    }
    for (; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

inline uint64_t slotkey(uint64_t h) { return h & 0xFFFFFFFF00000000ULL; }

// The slot that holds v, or the empty slot where v belongs.
inline uint32_t findslot(const Workspace& ws, const uint8_t* v, uint64_t h) {
    uint32_t s = static_cast<uint32_t>(h) & ws.slotmask;
    const uint64_t key = slotkey(h);
    for (;;) {
        const uint64_t e = ws.slots[s];
        if (e == 0) return s;
        if ((e & 0xFFFFFFFF00000000ULL) == key && rowequal(ws.row(static_cast<int32_t>(e & 0xFFFFFFFFu)), v, ws.stride))
            return s;
        s = (s + 1) & ws.slotmask;
    }
}

void growindex(Workspace& ws) {
    const size_t size = ws.slots.size() * 2;
    ws.slots.assign(size, 0);
    ws.slotmask = static_cast<uint32_t>(size - 1);
    for (int32_t i = 1; i <= ws.blsize; ++i) {
        const uint64_t h = hashrow(ws.row(i), ws.stride);
        ws.slots[findslot(ws, ws.row(i), h)] = slotkey(h) | static_cast<uint32_t>(i);
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
        while ((ws.slots[s] & 0xFFFFFFFFu) != static_cast<uint32_t>(i)) {
            if (ws.slots[s] == 0) {  // not where it should be: start afresh
                std::fill(ws.slots.begin(), ws.slots.end(), 0);
                return;
            }
            s = (s + 1) & ws.slotmask;
        }
        ws.slots[s] = 0;
    }
}

// Appends v as a new row into its empty slot.
void appendrow(Product& p, const uint8_t* v, uint32_t slot, uint64_t h) {
    Workspace& ws = p.ws;
    ws.blsize = add32(ws.blsize, 1);
    if (ws.blsize > ws.capacity) errorstop("[\\vec x, \\vec y, \\vec z] is too large");
    uint8_t* r = ws.row(ws.blsize);
    std::memcpy(r, v, static_cast<size_t>(ws.stride));
    ws.slots[slot] = slotkey(h) | static_cast<uint32_t>(ws.blsize);
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
    const uint64_t h = hashrow(v, ws.stride);
    const uint32_t s = findslot(ws, v, h);
    if (ws.slots[s] != 0) return;
    appendrow(p, v, s, h);
    progressmark(p);
    if (p.opts.letter(3) == 'i')
        p.rep.fileline(std::to_string(ws.blsize) + "th = " + std::to_string(j) + "th   +or*   " +
                       std::to_string(k) + "th");
}

// Stops the run on the first component of v that names no element.
void checkcomplete(const Product& p, const uint8_t* v, const char* what) {
    for (int32_t i = 0; i < p.ws.stride; ++i)
        if (v[i] == 0)
            errorstop(std::string("Incomplete ") + what + " table of " +
                      p.store.latname[p.facts.dirfacts[i + 1].latwh]);
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
    auto put = [&](const uint8_t* v) {
        const uint64_t h = hashrow(v, nf);
        appendrow(p, v, findslot(ws, v, h), h);
    };
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

namespace {

// Combines rows a and b into m (meet) and jn (join) through the flat tables;
// base holds row a's table offsets.
inline void combine(const uint16_t* t, const uint32_t* base, const uint8_t* rb, int32_t nf, uint8_t* m, uint8_t* jn) {
    for (int32_t i = 0; i < nf; ++i) {
        const uint16_t e = t[base[i] + rb[i]];
        m[i] = static_cast<uint8_t>(e);
        jn[i] = static_cast<uint8_t>(e >> 8);
    }
}

inline void rowbase(const uint8_t* ra, int32_t nf, uint32_t* base) {
    for (int32_t i = 0; i < nf; ++i) base[i] = static_cast<uint32_t>(i) * 1024u + ra[i] * 32u;
}

// The first partner of row a in a pass: with symmetric tables a pair of two
// new vectors was combined already when the smaller index was the outer one,
// and a vector met or joined with itself gives itself.
inline int32_t firstpartner(bool symmetric, int32_t a, int32_t old) { return (symmetric && a > old) ? a + 1 : old + 1; }

// One helper thread that takes jobs from genbl, one at a time.
class PassHelper {
public:
    PassHelper() : th_([this] { loop(); }) {}
    ~PassHelper() {
        stop_ = true;
        go_.release();
        th_.join();
    }
    void start(std::function<void()> job) {
        job_ = std::move(job);
        go_.release();
    }
    void wait() { done_.acquire(); }

private:
    void loop() {
        for (;;) {
            go_.acquire();
            if (stop_) return;
            job_();
            done_.release();
        }
    }
    std::binary_semaphore go_{0}, done_{0};
    std::function<void()> job_;
    std::atomic<bool> stop_{false};
    std::thread th_;
};

// The pairs (a, b) of rows a in [a0, a1) of a pass whose meet or join is not
// in the block yet, in pass order, each as a << 32 | b << 1 | (1 for join).
// The index is only read here.
void findnew(const Workspace& ws, int32_t a0, int32_t a1, int32_t old, int32_t n, std::vector<uint64_t>& out) {
    const int32_t nf = ws.stride;
    std::vector<uint32_t> base(static_cast<size_t>(nf) + 1);
    std::vector<uint8_t> buf(static_cast<size_t>(nf) * 2 + 32, 0);
    uint8_t* m = buf.data();
    uint8_t* jn = m + nf + 8;
    const uint16_t* t = ws.opflat.data();
    out.clear();
    for (int32_t a = a0; a < a1; ++a) {
        rowbase(ws.row(a), nf, base.data());
        for (int32_t b = firstpartner(ws.tablessymmetric, a, old); b <= n; ++b) {
            combine(t, base.data(), ws.row(b), nf, m, jn);
            const uint64_t key = static_cast<uint64_t>(a) << 32 | static_cast<uint64_t>(b) << 1;
            if (ws.slots[findslot(ws, m, hashrow(m, nf))] == 0) out.push_back(key);
            if (ws.slots[findslot(ws, jn, hashrow(jn, nf))] == 0) out.push_back(key | 1);
        }
    }
}

}  // namespace

// Closes the block under meet and join, pass by pass. A large pass with
// complete tables is shared out: both threads combine their part of the
// pairs against the block as it stands and note the results that are not
// in it; then the noted results are inserted one by one in pass order, which
// is exactly what the plain loop would insert, in the same order.
void genbl(Product& p) { genblpasses(p, INT32_MAX); }

int32_t rowindex(const Workspace& ws, const uint8_t* v) {
    const uint64_t e = ws.slots[findslot(ws, v, hashrow(v, ws.stride))];
    return static_cast<int32_t>(e & 0xFFFFFFFFu);
}

void emulategrowth(Product& p, int64_t size) {
    Workspace& ws = p.ws;
    const int32_t rows = ws.blsize;
    const int64_t cap = ws.capacity;
    // Below 2048 vectors an insertion writes nothing: only the block-full
    // stop could come there.
    int64_t k = std::max<int64_t>(rows + 1, std::min<int64_t>({2048, size + 1, cap + 1}));
    for (; k <= size; ++k) {
        if (k > cap) errorstop("[\\vec x, \\vec y, \\vec z] is too large");
        ws.blsize = static_cast<int32_t>(k);
        progressmark(p);
    }
    ws.blsize = rows;  // the block itself holds what it held
}

void genblpasses(Product& p, int32_t maxpasses) {
    Workspace& ws = p.ws;
    const int32_t nf = ws.stride;
    uint8_t* m = ws.scratch.data() + static_cast<size_t>(nf) * 3 + 8;
    uint8_t* jn = m + nf + 8;
    std::vector<uint32_t> base(static_cast<size_t>(nf) + 1);
    const uint16_t* t = ws.opflat.data();
    const bool symmetric = ws.tablessymmetric;
    std::unique_ptr<PassHelper> helper;
    struct Part {
        int32_t a0 = 0, a1 = 0;
        std::vector<uint64_t> noted;
    };
    constexpr int32_t maxparts = 16;
    constexpr int64_t chunkpairs = int64_t{1} << 18;
    std::vector<Part> parts(maxparts);
    int32_t old = 0;
    for (;;) {
        const int32_t n = ws.blsize;
        const int64_t passpairs = static_cast<int64_t>(n) * (n - old);
        if (ws.genthreads >= 2 && ws.tablescomplete && passpairs >= (int64_t{1} << 21)) {
            if (!helper) helper = std::make_unique<PassHelper>();
            int32_t a = 1;
            while (a <= n) {
                if (p.cancel && p.cancel->load(std::memory_order_relaxed)) throw Abandoned{};
                // A chunk of rows with about chunkpairs pairs, cut into parts
                // of about equal work that the two threads take in turn, so
                // that a thread slowed down by other work takes fewer.
                int32_t nparts = 0;
                while (a <= n && nparts < maxparts) {
                    int64_t pairs = 0;
                    const int32_t a0 = a;
                    while (a <= n && pairs < chunkpairs / maxparts) pairs += n - firstpartner(symmetric, a++, old) + 1;
                    parts[nparts].a0 = a0;
                    parts[nparts].a1 = a;
                    ++nparts;
                }
                std::atomic<int32_t> nextpart{0};
                std::atomic<bool> failed{false};
                auto work = [&] {
                    for (int32_t k; (k = nextpart.fetch_add(1)) < nparts;) {
                        try {
                            findnew(ws, parts[k].a0, parts[k].a1, old, n, parts[k].noted);
                        } catch (...) {
                            failed = true;
                        }
                    }
                };
                helper->start(work);
                work();
                helper->wait();
                if (failed) throw std::bad_alloc();
                for (int32_t k = 0; k < nparts; ++k)
                    for (uint64_t key : parts[k].noted) {
                        const int32_t ra = static_cast<int32_t>(key >> 32);
                        const int32_t rb = static_cast<int32_t>((key >> 1) & 0x7FFFFFFF);
                        rowbase(ws.row(ra), nf, base.data());
                        combine(t, base.data(), ws.row(rb), nf, m, jn);
                        addelemrow(p, (key & 1) ? jn : m, ra, rb);
                    }
            }
        } else {
            for (int32_t a = 1; a <= n; ++a) {
                if (p.cancel && p.cancel->load(std::memory_order_relaxed)) throw Abandoned{};
                rowbase(ws.row(a), nf, base.data());
                for (int32_t b = firstpartner(symmetric, a, old); b <= n; ++b) {
                    combine(t, base.data(), ws.row(b), nf, m, jn);
                    if (!ws.tablescomplete) checkcomplete(p, m, "meet");
                    addelemrow(p, m, a, b);
                    if (!ws.tablescomplete) checkcomplete(p, jn, "join");
                    addelemrow(p, jn, a, b);
                }
            }
        }
        old = n;
        if (ws.blsize == n || --maxpasses == 0) break;
    }
}

}  // namespace varnel
