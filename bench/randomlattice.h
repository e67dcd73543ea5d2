// Small finite lattices for the differential tests and the benchmark: chains,
// the diamond M3, the pentagon N5, and random lattices made as families of
// subsets of a small set closed under union, with the empty set added.
//
// In such a family the join is the union, the order is inclusion, and the
// meet of two members is the union of all members inside their intersection
// (a member itself, since the empty set is one). Every finite lattice with at
// most k meet-irreducible elements arises this way over a k-element set.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "varnel/state.h"

namespace varnelref {

struct Lattice {
    std::string name;
    int n = 0;                           // elements 1..n
    std::vector<std::string> elements;   // names, [1..n]
    std::vector<std::vector<char>> leq;  // [1..n][1..n]
    std::vector<std::vector<int>> join, meet;
};

// A lattice (or poset) from its order on 1..n, with 1 least and n greatest;
// join and meet are the least upper and greatest lower bounds where they
// exist. Elements are named 0 (least), a, b, ... and 1 (greatest).
Lattice fromorder(const std::string& name, const std::vector<std::vector<char>>& leq, int n);

Lattice chain(const std::string& name, int n);
Lattice diamond(const std::string& name);   // M3
Lattice pentagon(const std::string& name);  // N5: 0 < a < c < 1, 0 < b < 1

// A random lattice of 2 to maxsize elements (maxsize at most 20) over subsets
// of a bits-element set (bits at most 6). Element 1 is the least and element
// n the greatest; the others are numbered in random order, so the numbering
// need not follow the order.
Lattice randomlattice(std::mt19937_64& rng, const std::string& name, int maxsize, int bits);

// A random poset of n elements (n at most 60) with a least element 1 and a
// greatest element n: a < b for a < b with the given probability, closed
// transitively. Usually not a lattice; its join and meet tables are not
// meaningful, only its order and element names.
Lattice randomposet(std::mt19937_64& rng, const std::string& name, int n, double density);

// Checks the lattice laws on the tables: leq a partial order with 1 least
// and n greatest, join and meet the least upper and greatest lower bounds.
bool islattice(const Lattice& l);

// Puts l into the next slot of the store (numlats grows by one).
void storelattice(varnel::Store& st, const Lattice& l);

// The lattice as a block of a lattice table file (numeric tables, CR LF),
// in the layout that varnel's reader takes.
std::string latticeblock(const Lattice& l, int number);

// The lattice as a poset block (element names and covering edges) for a
// poset file, CR LF.
std::string posetblock(const Lattice& l);

}  // namespace varnelref
