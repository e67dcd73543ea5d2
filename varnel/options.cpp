// Run options: parameter 3 gives the five option letters, parameter 4 the
// progress step k.
#include "platform/numconv.h"
#include "varnel.h"

namespace varnel {

void readoptions(Varnel& v) {
    std::string r = v.args.size() < 3 ? std::string("nnnnn") : v.args[2].substr(0, 33);
    if (r.size() < 4) r.resize(4, ' ');
    for (int i = 0; i < 4; ++i)
        if (r[i] != 'i' && r[i] != 'n') r[i] = 'n';
    if (r.size() < 5) r.resize(5, ' ');
    if (r[3] == 'n') r[4] = 'i';
    if (r[2] == 'i') r[1] = 'i';
    if (r[1] == 'i') r[0] = 'i';
    v.opts.runopts = r;
    v.opts.progstep = v.args.size() > 3 ? platform::toint32(v.args[3]) : 0;
    v.ws.proginterval = v.opts.progstep;
}

}  // namespace varnel
