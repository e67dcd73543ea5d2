// The plain product workspace: see reference.h.
#include "bench/reference.h"

#include <string>
#include <utility>

namespace varnelref {

using varnel::errorstop;

Reference::Reference(const varnel::Store& store, const varnel::Factors& facts, int32_t capacity)
    : store_(store), facts_(facts), n_(facts.numdirfacts), capacity_(capacity) {
    // Reserved once: the block never moves, so references to its vectors
    // stay valid while it grows.
    const size_t rows = static_cast<size_t>(capacity) + 1;
    bl.reserve(rows);
    lf.reserve(rows);
    rg.reserve(rows);
}

bool Reference::equelemrows(const Vec& a, const Vec& b) const {
    for (int32_t i = 0; i < n_; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

bool Reference::lexlesselemrows(const Vec& a, const Vec& b) const {
    for (int32_t i = 0; i < n_; ++i) {
        if (a[i] < b[i]) return true;
        if (a[i] > b[i]) return false;
    }
    return false;
}

// Component i of a vector is an element of the lattice of factor i + 1.
Vec Reference::meetelemrows(const Vec& a, const Vec& b) const {
    Vec v{};
    for (int32_t i = 0; i < n_; ++i) {
        const int32_t l = facts_.dirfacts[i + 1].latwh;
        const int32_t e = store_.meettab[l][a[i]][b[i]];
        if (e < 1 || e > store_.latsize[l]) errorstop("Incomplete meet table of " + store_.latname[l]);
        v[i] = e;
    }
    return v;
}

Vec Reference::joinelemrows(const Vec& a, const Vec& b) const {
    Vec v{};
    for (int32_t i = 0; i < n_; ++i) {
        const int32_t l = facts_.dirfacts[i + 1].latwh;
        const int32_t e = store_.jointab[l][a[i]][b[i]];
        if (e < 1 || e > store_.latsize[l]) errorstop("Incomplete join table of " + store_.latname[l]);
        v[i] = e;
    }
    return v;
}

bool Reference::lesseqelemrows(int32_t a, int32_t b) const {
    const Vec& ra = row(a);
    const Vec& rb = row(b);
    for (int32_t i = 0; i < n_; ++i)
        if (!store_.leq[facts_.dirfacts[i + 1].latwh][ra[i]][rb[i]]) return false;
    return true;
}

// Appends v as vector blsize + 1 with no children.
void Reference::putrow(const Vec& v) {
    ++blsize;
    if (blsize > capacity_) errorstop("[\\vec x, \\vec y, \\vec z] is too large");
    bl.resize(static_cast<size_t>(blsize) + 1);
    lf.resize(static_cast<size_t>(blsize) + 1);
    rg.resize(static_cast<size_t>(blsize) + 1);
    bl[static_cast<size_t>(blsize)] = v;
    lf[static_cast<size_t>(blsize)] = 0;
    rg[static_cast<size_t>(blsize)] = 0;
}

void Reference::initbl(const bool* effective) {
    Vec x{}, y{}, z{};
    for (int32_t i = 1; i <= n_; ++i) {
        const varnel::DirFact& f = facts_.dirfacts[i];
        x[i - 1] = effective[i] ? f.x : 1;
        y[i - 1] = effective[i] ? f.y : 1;
        z[i - 1] = effective[i] ? f.z : 1;
    }
    blsize = 0;
    bl.assign(1, Vec{});
    lf.assign(1, 0);
    rg.assign(1, 0);
    const bool xy = equelemrows(x, y), xz = equelemrows(x, z), yz = equelemrows(y, z);
    if (xy && xz) {
        putrow(x);
    } else if (xy || xz || yz) {
        // Two distinct generators: x and whichever of y, z differs from it.
        const Vec& other = xy ? z : y;
        const bool xless = lexlesselemrows(x, other);
        putrow(xless ? other : x);  // the larger one is the root
        putrow(xless ? x : other);
        lf[1] = 2;
    } else {
        // Three distinct generators: the median is the root.
        const Vec* s = &x;
        const Vec* m = &y;
        const Vec* t = &z;
        if (lexlesselemrows(*m, *s)) std::swap(s, m);
        if (lexlesselemrows(*t, *m)) std::swap(m, t);
        if (lexlesselemrows(*m, *s)) std::swap(s, m);
        putrow(*m);
        putrow(*s);
        putrow(*t);
        lf[1] = 2;
        rg[1] = 3;
    }
    passes = 0;
    pairs = 0;
    bottomrow = toprow = 0;
    numatoms = numcoatoms = 0;
    atoms.clear();
    coatoms.clear();
}

// Walks the tree from the root: equal means v is there already; otherwise
// v hangs under the node where the walk falls off the tree.
void Reference::addelemrow(const Vec& v) {
    int32_t hwa = 1;
    for (;;) {
        const Vec& node = bl[static_cast<size_t>(hwa)];
        if (equelemrows(v, node)) return;
        if (lexlesselemrows(v, node)) {
            if (lf[static_cast<size_t>(hwa)] > 0) {
                hwa = lf[static_cast<size_t>(hwa)];
                continue;
            }
            putrow(v);
            lf[static_cast<size_t>(hwa)] = blsize;
            return;
        }
        if (rg[static_cast<size_t>(hwa)] > 0) {
            hwa = rg[static_cast<size_t>(hwa)];
            continue;
        }
        putrow(v);
        rg[static_cast<size_t>(hwa)] = blsize;
        return;
    }
}

// Pass by pass: every vector j = 1..n with every vector k that the previous
// pass added, meet before join; stops after a pass that adds nothing.
void Reference::genbl() {
    int32_t old = 0;
    for (;;) {
        const int32_t n = blsize;
        ++passes;
        for (int32_t j = 1; j <= n; ++j)
            for (int32_t k = old + 1; k <= n; ++k) {
                addelemrow(meetelemrows(row(j), row(k)));
                addelemrow(joinelemrows(row(j), row(k)));
            }
        pairs += static_cast<int64_t>(n) * (n - old);
        old = n;
        if (blsize == n) break;
    }
}

void Reference::findatoms() {
    numatoms = 0;
    atoms.clear();
    if (blsize < 2) return;
    for (int32_t l = 1; l <= store_.numlats; ++l)
        for (int32_t j = 2; j <= store_.latsize[l]; ++j)
            if (!store_.leq[l][1][j])
                errorstop("Wrong input: the list of elements of " + store_.latname[l] +
                          " should start with the smallest element!");
    bottomrow = 1;
    while (lf[static_cast<size_t>(bottomrow)] != 0) bottomrow = lf[static_cast<size_t>(bottomrow)];
    for (int32_t i = 0; i < n_; ++i)
        if (row(bottomrow)[i] != 1 && blsize > 2) errorstop("Something is wrong, code = W3bT7s.");
    for (int32_t i = 1; i <= blsize; ++i) {
        if (i == bottomrow) continue;
        bool atom = true;
        for (int32_t j = 1; j <= blsize; ++j) {
            if (j == bottomrow || j == i) continue;
            if (lesseqelemrows(j, i)) {
                atom = false;
                break;
            }
        }
        if (atom) {
            ++numatoms;
            atoms.push_back(i);
        }
    }
    if (numatoms == 0) errorstop("Error: no atom is found!");
}

void Reference::findcoatoms() {
    numcoatoms = 0;
    coatoms.clear();
    if (blsize < 2) return;
    for (int32_t l = 1; l <= store_.numlats; ++l)
        for (int32_t j = 1; j <= store_.latsize[l] - 1; ++j)
            if (!store_.leq[l][j][store_.latsize[l]])
                errorstop("Wrong input: the list of elements of " + store_.latname[l] +
                          " should end with the largest element!");
    toprow = 1;
    while (rg[static_cast<size_t>(toprow)] != 0) toprow = rg[static_cast<size_t>(toprow)];
    for (int32_t i = 0; i < n_; ++i) {
        const int32_t c = row(toprow)[i];
        if (c != store_.latsize[facts_.dirfacts[i + 1].latwh] && c != 1 && blsize > 2)
            errorstop("Something is wrong, code = W5bH7s.");
    }
    for (int32_t i = 1; i <= blsize; ++i) {
        if (i == toprow) continue;
        bool coatom = true;
        for (int32_t j = 1; j <= blsize; ++j) {
            if (j == toprow || j == i) continue;
            if (lesseqelemrows(i, j)) {
                coatom = false;
                break;
            }
        }
        if (coatom) {
            ++numcoatoms;
            coatoms.push_back(i);
        }
    }
    if (numcoatoms == 0) errorstop("Error: no coatom is found!");
}

void Reference::run(const bool* effective) {
    initbl(effective);
    genbl();
    findatoms();
    findcoatoms();
}

}  // namespace varnelref
