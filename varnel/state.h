// varnel's run-long state, grouped in a few plain structs: the run options,
// the lattice store, the direct factors with their constraints, and the
// files of the run. The product workspace lives in workspace.h.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/textfile.h"

namespace varnel {

constexpr int32_t maxlats = 20;      // store slots; a file may hold 19 lattices
constexpr int32_t maxlatsize = 20;   // elements of one lattice
constexpr int32_t maxdirfacts = 50;  // direct factors
constexpr int32_t maxconstraints = 50;

// A data error: ends the run through the error stop with this message.
struct ErrorStop {
    std::string message;
};
[[noreturn]] void errorstop(const std::string& message);

// An orderly end of the run with an exit code (help screen, no file name).
struct EndRun {
    int exitcode;
};

// Run options: letters 1..5 of runopts ('i' yes, 'n' no) and the progress step k.
struct Options {
    std::string runopts = "nnnni";
    int32_t progstep = 0;

    char letter(int i) const { return i <= static_cast<int>(runopts.size()) ? runopts[i - 1] : ' '; }
    bool on(int i) const { return letter(i) == 'i'; }
};

// Finite lattices by element index 1..latsize; -1 marks a table entry that
// the lattice table file did not give.
struct Store {
    int32_t numlats = 0;
    std::array<std::string, maxlats + 1> latname;
    std::array<int32_t, maxlats + 1> latsize{};
    std::string elements[maxlats + 1][maxlatsize + 1];
    bool leq[maxlats + 1][maxlatsize + 1][maxlatsize + 1] = {};
    int32_t jointab[maxlats + 1][maxlatsize + 1][maxlatsize + 1] = {};
    int32_t meettab[maxlats + 1][maxlatsize + 1][maxlatsize + 1] = {};

    // The name of element e of lattice l, or "!" when e names no element.
    const std::string& elemname(int32_t l, int32_t e) const;
};

struct DirFact {
    std::string factname;
    int32_t latwh = 0;
    int32_t x = 0, y = 0, z = 0;
};

struct Constraint {
    int32_t iffact = 0;
    int32_t thennotfact = 0;
};

struct Factors {
    int32_t numdirfacts = 0;
    std::array<DirFact, maxdirfacts + 1> dirfacts;
    int32_t numconstraints = 0;
    std::array<Constraint, maxconstraints + 1> constraints;
};

// The two input files and the result file, with the names as typed.
struct Files {
    std::string latfilename, asgfilename, resultname;
    platform::InFile latfile, asgfile;
    platform::OutFile result;
};

// The two clock stamps of the run.
struct Clock {
    platform::Stamp stamps[3];
};

}  // namespace varnel
