// The driver: set-up, the run, and the two early ends (help screen, error
// stop).
//
// Set-up finds the poset file (from the command line or at a prompt), picks
// the first free report file name beside it, writes the report head and the
// start stamp. The run reads every poset, examines them all, and writes the
// results. Any data error is an ErrorStop thrown from below; it is caught
// here, written to the console and to the report file when it is open, and
// ends the run with exit code 1.
#include "ordanik/driver.h"

#include "ordanik/closure.h"
#include "ordanik/errorstop.h"
#include "ordanik/posetreader.h"
#include "ordanik/reportname.h"
#include "ordanik/stamp.h"
#include "ordanik/store.h"
#include "ordanik/writer.h"

namespace ordanik {

const char* const banner = "Ordanik version August 24, 2020: to decide if a poset is a lattice.";
const char* const attribution = "Checks which finite posets are lattices and writes their operation tables.";

static const char* const helplines[] = {
    "The progam uses two parameters. The first one is the name of the input file;",
    "it is compulsory.  The second one is optional. If the second parameter is \"n\"",
    "then the output file consists of command lines and Numbers, so the output file",
    "is very appropriate to be the input of another program. Otherwise, the output",
    "file is for humans to read.  The input file is a txt file and follows a strict",
    "syntax; see the 0-sample-input.txt  file that goes with the program.  The",
    "the input file should be in the same folder as the program itself.",
    "   If you want an output readable by humans, then no second parameter is",
    "needed and you can simply drag the output file onto the program.",
    "   If you want an output file with numbers, then you can type ",
    "ordanik TheNameOfTheInputFile.txt n        in Windows Command Prompt but it",
    "is more convenient to create a shortcut (and modify it from time to time).",
    "   Although many features of the input posets are verified, an improper input",
    "file can cause a runtime error. The program is as is, nothing is guaranteed!",
};

namespace {

// How the set-up ends early without an error stop.
struct EarlyEnd {
    int exitcode;
};

void openinput(RunState& run, const std::string& given) {
    if (!given.empty() && run.in.open(given)) return;
    for (;;) {
        run.con.write("Enter the name of input file or enter \"help\" (without quotion marks): ");
        auto answer = run.con.readline();
        if (!answer) {
            run.con.writeline("No file name was given.");
            throw EarlyEnd{1};
        }
        if (*answer == "help") {
            for (const char* line : helplines) run.con.writeline(line);
            run.con.writeline("   Hit the <enter> key twice to abandon.");
            run.con.pause(2);
            throw EarlyEnd{0};
        }
        if (answer->empty()) continue;
        if (run.in.open(*answer)) return;
        run.con.writeline("This file does not exist!\a");
    }
}

void setup(RunState& run, const std::vector<std::string>& args) {
    run.con.writeline(banner);
    run.con.writeline(attribution);
    run.con.writeline("");
    run.numeric = args.size() >= 2 && (args[1] == "n" || args[1] == "N");
    openinput(run, args.empty() ? "" : args[0]);
    const std::string& input = run.in.name();
    run.con.writeline(input + " has been opened.");
    auto name = reportname(input, platform::nametaken);
    if (!name) errorstop("Error: delete some of the " + input + "_r? files!");
    run.report.create(*name);
    run.report.line(std::string("% ") + banner);
    run.report.line(std::string("% ") + attribution);
    run.report.line("%");
}

void errorlines(RunState& run, const std::string& message) {
    run.con.writeline("\a");
    run.con.writeline("Error in data; possibly/appeared at: ");
    run.con.writeline(message);
    if (run.report.isopen()) {
        run.report.line("Error in data; possibly/appeared at: ");
        run.report.line(message);
    }
    run.con.writeline("  Press <enter> to quit");
    run.con.pause(1);
}

}  // namespace

int run(const std::vector<std::string>& args, platform::Console& con) {
    RunState run(con);
    PosetStore store;
    try {
        setup(run, args);
        run.started = platform::localnow();
        run.report.line(stampline(run.started, " Started (after inputting): "));
        run.warned = false;
        bool more = true;
        while (!run.in.ateof() && more) more = readoneposet(run, store);
        examine(run, store);
        writeresults(run, store);
    } catch (const EarlyEnd& e) {
        return e.exitcode;
    } catch (const ErrorStop& e) {
        errorlines(run, e.message);
        run.report.close();
        return 1;
    }
    con.writeline("Thank you for using this program.   Hit <enter> twice to abandon!");
    con.pause(2);
    run.report.close();
    return 0;
}

}  // namespace ordanik
