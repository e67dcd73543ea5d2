// The input echo: everything the products used as input (the factors with
// their chosen elements, orders and operation tables), by element names.
#include <string>

#include "varnel.h"

namespace varnel {

void prntinput(Varnel& v) {
    const Store& st = v.store;
    Report& r = v.rep;
    r.fileline("");
    r.fileline("  (&&) The following input data have been used:");
    r.fileline(std::to_string(st.numlats) + "(used+unused) inital lattices; computation in " +
               std::to_string(v.facts.numdirfacts) + "-fold direct product");
    std::string line;
    for (int32_t i = 1; i <= v.facts.numdirfacts; ++i) {
        const DirFact& f = v.facts.dirfacts[i];
        const int32_t l = f.latwh;
        const int32_t n = st.latsize[l];
        const std::string num = std::to_string(i);
        r.fileline("");
        r.fileline("The " + num + "-th direct factor=" + f.factname + ";  x=" + st.elemname(l, f.x) +
                   ",  y=" + st.elemname(l, f.y) + ",  z=" + st.elemname(l, f.z) + ":");
        line.clear();
        for (int32_t e = 1; e <= n; ++e) line += " " + st.elements[l][e] + ",";
        r.fileline(line);
        r.fileline("The ordering:");
        line.clear();
        for (int32_t a = 1; a <= n; ++a)
            for (int32_t b = 1; b <= n; ++b)
                if (st.leq[l][a][b]) line += " " + st.elements[l][a] + "<=" + st.elements[l][b] + ",";
        r.fileline(line);
        r.fileline("The join table of the " + num + "-th direct factor:");
        for (int32_t a = 1; a <= n; ++a) {
            line.clear();
            for (int32_t b = 1; b <= n; ++b)
                line += " " + st.elements[l][a] + "+" + st.elements[l][b] + "=" + st.elemname(l, st.jointab[l][a][b]) + ",";
            r.fileline(line);
        }
        r.fileline("");
        r.fileline("The meet table of the " + num + "-th direct factor:");
        for (int32_t a = 1; a <= n; ++a) {
            line.clear();
            for (int32_t b = 1; b <= n; ++b)
                line += " " + st.elements[l][a] + "*" + st.elements[l][b] + "=" + st.elemname(l, st.meettab[l][a][b]) + ",";
            r.fileline(line);
        }
    }
    r.fileline("");
    r.fileline("");
}

}  // namespace varnel
