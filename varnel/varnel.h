// One varnel run: its options, files, lattice store, direct factors, clock,
// product workspace and report, and the procedures of the main sequence.
#pragma once

#include <string>
#include <vector>

#include "report.h"
#include "state.h"
#include "workspace.h"

namespace varnel {

struct Varnel {
    explicit Varnel(platform::Console& c) : con(c), rep(c, files.result) {}
    Varnel(const Varnel&) = delete;
    Varnel& operator=(const Varnel&) = delete;

    platform::Console& con;
    std::vector<std::string> args;  // parameters 1..4 (args[0] is parameter 1)
    Options opts;
    Files files;
    Store store;
    Factors facts;
    Clock clock;
    std::string stamptext;
    Workspace ws;
    Report rep;
    int threads = 0;  // worker threads for the all-subsets run; 0: as many as cores
    // Count the products of a spectrum run pairwise where that gives the
    // same output (tests and the benchmark switch it off to compare).
    bool pairwise = true;

    Product product() { return Product{store, facts, opts, ws, rep}; }
    // The threads to use: threads, or as many as there are cores.
    int threadcount() const;
};

// Run options (options.cpp).
void readoptions(Varnel& v);

// Clock stamps (runclock.cpp).
void recordtime(Varnel& v, int i);
std::string starttext(const platform::Stamp& s);
std::string stampline(const platform::Stamp& s, const std::string& label);
std::string elapsedline(const platform::Stamp& a, const platform::Stamp& b);
void prnttime(Varnel& v, int i, const std::string& label);
void prntelapsed(Varnel& v);

// Lattice table file (latticefile.cpp).
bool readlattice(Varnel& v);
void checkeof(Varnel& v, int which);
void trimleadblanks(std::string& s);
void trimtrailblanks(std::string& s);

// Assignment file (assignments.cpp).
void readassignments(Varnel& v);
std::string nextdataline(Varnel& v);
void readconstraints(Varnel& v);
int32_t findfactor(const Varnel& v, const std::string& name, std::string x, std::string y, std::string z);
void prntassignments(Varnel& v);

// Input echo (echo.cpp).
void prntinput(Varnel& v);

// The two runs (single.cpp, subsets.cpp).
void runsingle(Varnel& v);
void runsubsets(Varnel& v);

// Driver (driver.cpp).
void initrun(Varnel& v);
void setup(Varnel& v);
void goodbye(Varnel& v);
void showerrorstop(Varnel& v, const std::string& message);
int varnelmain(Varnel& v);

}  // namespace varnel
