// The straightforward implementation of varnel's product workspace, kept as
// the yardstick for the fast one in varnel/: the differential tests compare
// the two on many products, and the benchmark times the fast code against it.
//
// Everything is done the plain way: a vector is an array of 50 components of
// 32 bits (only the first numdirfacts are used), duplicates are found through
// an unbalanced binary search tree keyed by the lexicographic order of the
// vectors (links lf and rg, root at vector 1, equality tested before order at
// each node), the closure is the semi-naive pass loop, and atoms and coatoms
// are found by the quadratic scan over the block. It writes nothing: no
// progress marks, no trace lines, no reports. A data error ends through
// varnel::errorstop with the same message as the program.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "varnel/state.h"

namespace varnelref {

constexpr int32_t room = 50;  // components a vector has room for
using Vec = std::array<int32_t, room>;

class Reference {
public:
    // The lattices and factors must outlive the Reference. capacity is the
    // largest number of vectors the block accepts.
    Reference(const varnel::Store& store, const varnel::Factors& facts, int32_t capacity = 1500000);

    // Starts the block with the distinct generator vectors of the product
    // of the factors i with effective[i] true (effective[1..numdirfacts]).
    void initbl(const bool* effective);
    // Closes the block under componentwise meet and join.
    void genbl();
    // The atoms and coatoms of the finished block.
    void findatoms();
    void findcoatoms();
    // All four in order.
    void run(const bool* effective);

    // Inserts v into the block unless it is there already. Inserting the
    // vectors of a finished block in block order, after initbl, rebuilds
    // that block with the same indices and the same tree.
    void addelemrow(const Vec& v);

    const Vec& row(int32_t i) const { return bl[static_cast<size_t>(i)]; }

    // The block, 1-based: bl[1..blsize], with the tree links of each vector.
    std::vector<Vec> bl;
    std::vector<int32_t> lf, rg;
    int32_t blsize = 0;

    // Leftmost and rightmost tree nodes (the lexicographically least and
    // greatest vectors), set by findatoms and findcoatoms.
    int32_t bottomrow = 0, toprow = 0;
    int32_t numatoms = 0, numcoatoms = 0;
    std::vector<int32_t> atoms, coatoms;  // ascending block indices

    // Work done by the last genbl: passes run, and (j, k) combinations
    // visited by the pass loop.
    int32_t passes = 0;
    int64_t pairs = 0;

    // The plain vector operations.
    bool equelemrows(const Vec& a, const Vec& b) const;
    bool lexlesselemrows(const Vec& a, const Vec& b) const;
    bool lesseqelemrows(int32_t a, int32_t b) const;
    Vec meetelemrows(const Vec& a, const Vec& b) const;
    Vec joinelemrows(const Vec& a, const Vec& b) const;

private:
    void putrow(const Vec& v);

    const varnel::Store& store_;
    const varnel::Factors& facts_;
    int32_t n_;  // numdirfacts
    int32_t capacity_;
};

}  // namespace varnelref
