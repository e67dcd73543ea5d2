// The order closure and the lattice test.
#pragma once

#include "ordanik/store.h"

namespace ordanik {

// Writes the warning notice to the console and the report file, once a run.
void warningnotice(RunState& run);

// Closes the given edges of one poset into its order, stops on a cycle and
// writes a line for every given edge that is not a covering.
void closeorder(RunState& run, Poset& p);

// Fills the join and meet tables and the lattice flag of one poset whose
// order is closed; stops when a pair has no upper or no lower bound.
void joinsandmeets(RunState& run, Poset& p);

// Both of the above over the whole store: every order first, then every
// join and meet table.
void examine(RunState& run, PosetStore& store);

}  // namespace ordanik
