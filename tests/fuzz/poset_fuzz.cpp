// Fuzz target: Ordanik's poset file reader with the order closure, the
// lattice test and the result writer behind it. The input is the whole poset
// file; it is run once in human mode and once in numeric mode, each time as
// the program runs it: every poset read, then examined, then written to the
// report file. An error stop or an abnormal end is an orderly end.
#include "fuzzcommon.h"
#include "ordanik/closure.h"
#include "ordanik/errorstop.h"
#include "ordanik/posetreader.h"
#include "ordanik/store.h"
#include "ordanik/writer.h"
#include "platform/abend.h"

namespace {

void runonce(const std::string& input, const std::string& report, bool numeric) {
    ordanik::RunState run(ltfuzz::nullconsole());
    ordanik::PosetStore store;
    run.numeric = numeric;
    if (!run.in.open(input)) std::abort();
    try {
        run.report.create(report);
        bool more = true;
        while (!run.in.ateof() && more) more = ordanik::readoneposet(run, store);
        ordanik::examine(run, store);
        ordanik::writeresults(run, store);
        run.report.close();
    } catch (const ordanik::ErrorStop&) {
    } catch (const platform::AbnormalEnd&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = ltfuzz::scratchpath("poset");
    static const std::string report = ltfuzz::scratchpath("report");
    ltfuzz::writefile(input, data, size);
    runonce(input, report, false);
    runonce(input, report, true);
    return 0;
}
