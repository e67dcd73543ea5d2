// The single product run: the product of all direct factors, its size, its
// atoms and coatoms, and on request the input echo and the vector listing.
// Constraint lines play no part here.
#include <string>
#include <thread>

#include "varnel.h"

namespace varnel {

int Varnel::threadcount() const {
    if (threads > 0) return threads;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores >= 2 ? 2 : 1;
}

void runsingle(Varnel& v) {
    Product p = v.product();
    v.ws.genthreads = v.threadcount();
    initbl(p);
    genbl(p);
    v.rep.fileline("");
    v.rep.conline("");
    const std::string line = "For the subdirect product L of " + std::to_string(v.facts.numdirfacts) +
                             " factors, |L|=" + std::to_string(v.ws.blsize) + ";";
    v.rep.fileline(line);
    v.rep.conline(line);
    findatoms(p);
    findcoatoms(p);
    v.rep.fileline("");
    v.rep.conline("");
    if (v.opts.on(1)) prntinput(v);
    if (v.opts.on(2)) prntbl(p);
}

}  // namespace varnel
