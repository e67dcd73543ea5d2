// The result writer: the body of the report file.
#pragma once

#include <string>
#include <vector>

#include "ordanik/store.h"

namespace ordanik {

// The lines of the block of poset p, the index-th poset of the file (from 1),
// in human mode or numeric mode.
std::vector<std::string> posetblock(const Poset& p, int index, bool numeric);

// Entries laid out perline to a line: full lines and a last line with the
// rest (one empty line for no entry).
std::vector<std::string> entrylines(const std::vector<std::string>& entries, size_t perline);

// Writes the end stamp, every block and the closing of the report; in
// numeric mode "\enddata" goes to the console instead of a closing line.
void writeresults(RunState& run, const PosetStore& store);

}  // namespace ordanik
