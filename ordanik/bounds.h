// Minimal upper bounds and maximal lower bounds of two elements.
#pragma once

#include "ordanik/store.h"

namespace ordanik {

// The minimal elements among the common upper bounds of a and b, as a row.
Row minupperbounds(const Poset& p, int a, int b);

// The maximal elements among the common lower bounds of a and b, as a row.
Row maxlowerbounds(const Poset& p, int a, int b);

int countof(Row r);

}  // namespace ordanik
