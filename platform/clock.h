// Local date and time to the millisecond, behind a seam that tests can set.
#pragma once

#include <cstdint>
#include <functional>

namespace platform {

struct Stamp {
    uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

Stamp localnow();

// Replaces the clock (tests); an empty function restores the real one.
void setclock(std::function<Stamp()> source);

}  // namespace platform
