// The poset file reader.
#pragma once

#include "ordanik/store.h"

namespace ordanik {

// The 65 characters an element name may hold (the section sign is byte A7).
extern const std::string elemnamechars;

// Reads the next poset of the input into the store; false when the data end
// (a line beginning with "\enddata", or the end of the file) before another
// poset begins. Every syntax fault is an error stop.
bool readoneposet(RunState& run, PosetStore& store);

}  // namespace ordanik
