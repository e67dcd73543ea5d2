// The vector listing: every vector of the block, in block order (the order of
// discovery), with the element names of its components.
#include <string>

#include "workspace.h"

namespace varnel {

void prntbl(Product& p) {
    const Workspace& ws = p.ws;
    p.rep.fileline("!!! The subdirect product of " + std::to_string(p.facts.numdirfacts) +
                   " lattices consists of the following " + std::to_string(ws.blsize) + " vectors:");
    std::string line;
    for (int32_t i = 1; i <= ws.blsize; ++i) {
        line = "bl[" + std::to_string(i) + "]=[";
        const uint8_t* r = ws.row(i);
        for (int32_t c = 0; c < p.facts.numdirfacts; ++c) {
            line += p.store.elemname(p.facts.dirfacts[c + 1].latwh, r[c]);
            line += ';';
        }
        line += "];&;";
        p.rep.fileline(line);
    }
    p.rep.fileline("");
}

}  // namespace varnel
