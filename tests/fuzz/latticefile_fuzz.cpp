// Fuzz target: varnel's lattice table file reader. The input is the whole
// file; every lattice it holds is read into the store, and when the file is
// read to its end each lattice is echoed as a direct factor, which walks its
// tables by element numbers. An error stop or an abnormal end is an orderly
// end.
#include <memory>

#include "fuzzcommon.h"
#include "platform/abend.h"
#include "varnel/varnel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = ltfuzz::scratchpath("lattice");
    ltfuzz::writefile(path, data, size);
    auto v = std::make_unique<varnel::Varnel>(ltfuzz::nullconsole());
    v->files.latfilename = "lat.txt";
    if (!v->files.latfile.open(path)) std::abort();
    try {
        while (varnel::readlattice(*v)) {
        }
    } catch (const varnel::ErrorStop&) {
        return 0;
    } catch (const platform::AbnormalEnd&) {
        return 0;
    }
    // Every lattice of a file read to its end becomes a factor.
    for (int32_t l = 1; l <= v->store.numlats && l <= varnel::maxdirfacts; ++l) {
        varnel::DirFact& f = v->facts.dirfacts[l];
        f.factname = v->store.latname[l];
        f.latwh = l;
        f.x = f.y = f.z = 1;
        v->facts.numdirfacts = l;
    }
    varnel::prntinput(*v);
    return 0;
}
