// Small lattices for tests and the benchmark: see randomlattice.h.
#include "bench/randomlattice.h"

#include <algorithm>
#include <set>

namespace varnelref {

Lattice fromorder(const std::string& name, const std::vector<std::vector<char>>& leq, int n) {
    Lattice l;
    l.name = name;
    l.n = n;
    l.leq = leq;
    l.join.assign(n + 1, std::vector<int>(n + 1, 0));
    l.meet.assign(n + 1, std::vector<int>(n + 1, 0));
    for (int a = 1; a <= n; ++a)
        for (int b = 1; b <= n; ++b) {
            int j = 0, m = 0;
            for (int c = 1; c <= n; ++c) {
                if (leq[a][c] && leq[b][c] && (j == 0 || leq[c][j])) j = c;
                if (leq[c][a] && leq[c][b] && (m == 0 || leq[m][c])) m = c;
            }
            l.join[a][b] = j;
            l.meet[a][b] = m;
        }
    // (Names are built from characters: assigning short literals here trips a
    // false -Wrestrict warning of GCC 12.)
    l.elements.assign(n + 1, std::string());
    l.elements[1] = std::string(1, '0');
    if (n > 1) l.elements[n] = std::string(1, '1');
    for (int e = 2; e < n; ++e) {
        // a, b, ..., z without l, then a2, b2, ... (at most 5 characters,
        // all of them allowed in element names of poset files)
        static const std::string letters = "abcdefghijkmnopqrstuvwxyz";
        const int k = e - 2;
        const int nl = static_cast<int>(letters.size());
        std::string name(1, letters[static_cast<size_t>(k % nl)]);
        if (k >= nl) name.append(std::to_string(k / nl + 1));
        l.elements[e].swap(name);
    }
    return l;
}

Lattice chain(const std::string& name, int n) {
    std::vector<std::vector<char>> leq(n + 1, std::vector<char>(n + 1, 0));
    for (int a = 1; a <= n; ++a)
        for (int b = a; b <= n; ++b) leq[a][b] = 1;
    return fromorder(name, leq, n);
}

Lattice diamond(const std::string& name) {
    std::vector<std::vector<char>> leq(6, std::vector<char>(6, 0));
    for (int a = 1; a <= 5; ++a) {
        leq[a][a] = 1;
        leq[1][a] = 1;
        leq[a][5] = 1;
    }
    return fromorder(name, leq, 5);
}

Lattice pentagon(const std::string& name) {
    std::vector<std::vector<char>> leq(6, std::vector<char>(6, 0));
    for (int a = 1; a <= 5; ++a) {
        leq[a][a] = 1;
        leq[1][a] = 1;
        leq[a][5] = 1;
    }
    leq[2][4] = 1;  // a < c
    return fromorder(name, leq, 5);
}

Lattice randomlattice(std::mt19937_64& rng, const std::string& name, int maxsize, int bits) {
    maxsize = std::clamp(maxsize, 2, 20);
    bits = std::clamp(bits, 1, 6);
    const unsigned full = (1u << bits) - 1;
    for (;;) {
        std::set<unsigned> fam{0};
        const int gens = 1 + static_cast<int>(rng() % static_cast<unsigned>(2 * bits + 2));
        for (int g = 0; g < gens && static_cast<int>(fam.size()) <= maxsize; ++g) {
            const unsigned s = 1 + static_cast<unsigned>(rng() % full);
            std::vector<unsigned> add;
            for (unsigned t : fam) add.push_back(t | s);
            fam.insert(add.begin(), add.end());
        }
        const int n = static_cast<int>(fam.size());
        if (n < 2 || n > maxsize) continue;
        // Element 1 is the empty set, element n the union of all; the rest
        // in random order.
        std::vector<unsigned> sets(fam.begin(), fam.end());  // ascending: 0 first
        unsigned top = 0;
        for (unsigned t : sets) top |= t;
        sets.erase(std::find(sets.begin(), sets.end(), top));
        std::shuffle(sets.begin() + 1, sets.end(), rng);
        sets.push_back(top);
        std::vector<std::vector<char>> leq(n + 1, std::vector<char>(n + 1, 0));
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b) leq[a][b] = (sets[a - 1] & ~sets[b - 1]) == 0;
        return fromorder(name, leq, n);
    }
}

Lattice randomposet(std::mt19937_64& rng, const std::string& name, int n, double density) {
    std::vector<std::vector<char>> leq(n + 1, std::vector<char>(n + 1, 0));
    std::bernoulli_distribution edge(density);
    for (int a = 1; a <= n; ++a) {
        leq[a][a] = 1;
        leq[1][a] = 1;
        leq[a][n] = 1;
        for (int b = a + 1; b < n; ++b)
            if (a > 1 && edge(rng)) leq[a][b] = 1;
    }
    for (int c = 1; c <= n; ++c)  // transitive closure
        for (int a = 1; a <= n; ++a)
            if (leq[a][c])
                for (int b = 1; b <= n; ++b)
                    if (leq[c][b]) leq[a][b] = 1;
    return fromorder(name, leq, n);
}

bool islattice(const Lattice& l) {
    const int n = l.n;
    for (int a = 1; a <= n; ++a) {
        if (!l.leq[a][a] || !l.leq[1][a] || !l.leq[a][n]) return false;
        for (int b = 1; b <= n; ++b) {
            if (a != b && l.leq[a][b] && l.leq[b][a]) return false;
            for (int c = 1; c <= n; ++c)
                if (l.leq[a][b] && l.leq[b][c] && !l.leq[a][c]) return false;
            const int j = l.join[a][b], m = l.meet[a][b];
            if (j < 1 || j > n || m < 1 || m > n) return false;
            if (!l.leq[a][j] || !l.leq[b][j] || !l.leq[m][a] || !l.leq[m][b]) return false;
            for (int c = 1; c <= n; ++c) {
                if (l.leq[a][c] && l.leq[b][c] && !l.leq[j][c]) return false;
                if (l.leq[c][a] && l.leq[c][b] && !l.leq[c][m]) return false;
            }
        }
    }
    return true;
}

void storelattice(varnel::Store& st, const Lattice& l) {
    const int32_t s = ++st.numlats;
    st.latname[s] = l.name;
    st.latsize[s] = l.n;
    for (int a = 1; a <= varnel::maxlatsize; ++a)
        for (int b = 1; b <= varnel::maxlatsize; ++b) {
            const bool in = a <= l.n && b <= l.n;
            st.leq[s][a][b] = in && l.leq[a][b];
            st.jointab[s][a][b] = in ? l.join[a][b] : -1;
            st.meettab[s][a][b] = in ? l.meet[a][b] : -1;
        }
    for (int e = 1; e <= varnel::maxlatsize; ++e) st.elements[s][e] = e <= l.n ? l.elements[e] : "";
}

namespace {

// Entries ", "-separated, ten to a line, each line starting with a blank.
std::string entries(const std::vector<std::string>& items) {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) {
        out += " " + items[i] + ",";
        if ((i + 1) % 10 == 0 || i + 1 == items.size()) out += "\r\n";
    }
    return out;
}

// The covering pairs (a, b): a < b with nothing strictly between.
std::vector<std::pair<int, int>> coverings(const Lattice& l) {
    std::vector<std::pair<int, int>> out;
    for (int a = 1; a <= l.n; ++a)
        for (int b = 1; b <= l.n; ++b) {
            if (a == b || !l.leq[a][b]) continue;
            bool cover = true;
            for (int c = 1; c <= l.n && cover; ++c)
                if (c != a && c != b && l.leq[a][c] && l.leq[c][b]) cover = false;
            if (cover) out.emplace_back(a, b);
        }
    return out;
}

}  // namespace

std::string latticeblock(const Lattice& l, int number) {
    std::vector<std::string> names(l.elements.begin() + 1, l.elements.end());
    std::vector<std::string> edges, order, joins, meets;
    for (auto [a, b] : coverings(l)) edges.push_back(std::to_string(a) + "-" + std::to_string(b));
    for (int a = 1; a <= l.n; ++a)
        for (int b = 1; b <= l.n; ++b) {
            const std::string pa = std::to_string(a), pb = std::to_string(b);
            if (l.leq[a][b]) order.push_back(pa + "<" + pb);
            joins.push_back(pa + "+" + pb + "=" + std::to_string(l.join[a][b]));
            meets.push_back(pa + "*" + pb + "=" + std::to_string(l.meet[a][b]));
        }
    return "\\Poset=" + l.name + ", i.e., the " + std::to_string(number) +
           "-st/-nd/-rd/-th poset is a LATTICE:\r\n\\size=" + std::to_string(l.n) +
           "\r\n\\elements (1st, 2nd, ...):\r\n" + entries(names) + "\\edges:\r\n" + entries(edges) +
           "\\ordering:\r\n" + entries(order) + "\\Join table(with numbers) for " + l.name + ":\r\n" +
           entries(joins) + "\\Meet table(with numbers) for " + l.name + ":\r\n" + entries(meets) +
           "          \\endlattice\r\n\r\n";
}

std::string posetblock(const Lattice& l) {
    std::string out = "\\beginposet\r\n\\name\r\n" + l.name + "\r\n\\size\r\n" + std::to_string(l.n) +
                      "\r\n\\elements\r\n";
    for (int e = 1; e <= l.n; ++e) out += l.elements[e] + ((e % 12 == 0 || e == l.n) ? "\r\n" : " ");
    out += "\\edges\r\n";
    const auto cov = coverings(l);
    for (size_t i = 0; i < cov.size(); ++i)
        out += l.elements[cov[i].first] + "-" + l.elements[cov[i].second] +
               ((i + 1) % 10 == 0 || i + 1 == cov.size() ? "\r\n" : " ");
    return out + "\\endposet\r\n\r\n";
}

}  // namespace varnelref
