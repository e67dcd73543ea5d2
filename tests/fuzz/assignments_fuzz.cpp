// Fuzz target: varnel's assignment file reader (factor lines and constraint
// lines) over a fixed lattice store holding the chain C2, the diamond M3 and
// the pentagon N5. The input is the whole assignment file; after it is read,
// the assignments are echoed as a run with the first option letter would.
// An error stop or an abnormal end is an orderly end.
#include <memory>

#include "fuzzcommon.h"
#include "platform/abend.h"
#include "varnel/varnel.h"

namespace {

const char* const lattices = R"(\Poset=C2, i.e., the 1-st/-nd/-rd/-th poset is a LATTICE:
\size=2
\elements (1st, 2nd, ...):
 0, 1,
\edges:
 1-2,
\ordering:
 1<1, 1<2, 2<2,
\Join table(with numbers) for C2:
 1+1=1, 1+2=2, 2+1=2, 2+2=2,
\Meet table(with numbers) for C2:
 1*1=1, 1*2=1, 2*1=1, 2*2=2,
          \endlattice

\Poset=M3, i.e., the 2-st/-nd/-rd/-th poset is a LATTICE:
\size=5
\elements (1st, 2nd, ...):
 0, a, b, c, 1,
\edges:
 1-2, 1-3, 1-4, 2-5, 3-5, 4-5,
\ordering:
 1<1, 1<2, 1<3, 1<4, 1<5, 2<2, 2<5, 3<3, 3<5, 4<4,
 4<5, 5<5,
\Join table(with numbers) for M3:
 1+1=1, 1+2=2, 1+3=3, 1+4=4, 1+5=5, 2+1=2, 2+2=2, 2+3=5, 2+4=5, 2+5=5,
 3+1=3, 3+2=5, 3+3=3, 3+4=5, 3+5=5, 4+1=4, 4+2=5, 4+3=5, 4+4=4, 4+5=5,
 5+1=5, 5+2=5, 5+3=5, 5+4=5, 5+5=5,
\Meet table(with numbers) for M3:
 1*1=1, 1*2=1, 1*3=1, 1*4=1, 1*5=1, 2*1=1, 2*2=2, 2*3=1, 2*4=1, 2*5=2,
 3*1=1, 3*2=1, 3*3=3, 3*4=1, 3*5=3, 4*1=1, 4*2=1, 4*3=1, 4*4=4, 4*5=4,
 5*1=1, 5*2=2, 5*3=3, 5*4=4, 5*5=5,
          \endlattice

\Poset=N5, i.e., the 3-st/-nd/-rd/-th poset is a LATTICE:
\size=5
\elements (1st, 2nd, ...):
 0, a, b, c, 1,
\edges:
 1-2, 1-3, 2-4, 3-5, 4-5,
\ordering:
 1<1, 1<2, 1<3, 1<4, 1<5, 2<2, 2<4, 2<5, 3<3, 3<5,
 4<4, 4<5, 5<5,
\Join table(with numbers) for N5:
 1+1=1, 1+2=2, 1+3=3, 1+4=4, 1+5=5, 2+1=2, 2+2=2, 2+3=5, 2+4=4, 2+5=5,
 3+1=3, 3+2=5, 3+3=3, 3+4=5, 3+5=5, 4+1=4, 4+2=4, 4+3=5, 4+4=4, 4+5=5,
 5+1=5, 5+2=5, 5+3=5, 5+4=5, 5+5=5,
\Meet table(with numbers) for N5:
 1*1=1, 1*2=1, 1*3=1, 1*4=1, 1*5=1, 2*1=1, 2*2=2, 2*3=1, 2*4=2, 2*5=2,
 3*1=1, 3*2=1, 3*3=3, 3*4=1, 3*5=3, 4*1=1, 4*2=2, 4*3=1, 4*4=4, 4*5=4,
 5*1=1, 5*2=2, 5*3=3, 5*4=4, 5*5=5,
          \endlattice

)";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string latpath = ltfuzz::scratchpath("store");
    static const std::string asgpath = ltfuzz::scratchpath("assign");
    static const bool written = (ltfuzz::writefile(latpath, lattices), true);
    (void)written;
    ltfuzz::writefile(asgpath, data, size);
    auto v = std::make_unique<varnel::Varnel>(ltfuzz::nullconsole());
    v->files.latfilename = "lat.txt";
    v->files.asgfilename = "asg.txt";
    if (!v->files.latfile.open(latpath) || !v->files.asgfile.open(asgpath)) std::abort();
    try {
        varnel::readassignments(*v);
        varnel::prntinput(*v);
    } catch (const varnel::ErrorStop&) {
    } catch (const platform::AbnormalEnd&) {
    }
    return 0;
}
