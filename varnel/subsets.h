// Pieces of the all-subsets run that tests reach directly.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "state.h"

namespace varnel {

// The atom and coatom spectra (ascending, no value twice) and the pairs
// (atoms, coatoms) in the order of first insertion.
struct Spectra {
    std::vector<int32_t> atomspec, coatomspec;
    std::vector<std::pair<int32_t, int32_t>> acpairs;
};

bool nextsubset(int32_t numdirfacts, bool* effective, int32_t& numeffective);
bool anyeffective(int32_t numdirfacts, const bool* effective);
bool testconstraints(const Factors& facts, const bool* effective);
void seedpairs(Spectra& s);
void addpair(Spectra& s, int32_t numatoms, int32_t numcoatoms);
void addatomcount(Spectra& s, int32_t numatoms);
void addcoatomcount(Spectra& s, int32_t numcoatoms);
std::string statisticsline(int32_t steps, int32_t disregarded, int32_t elaborated);

}  // namespace varnel
