// Date stamp lines of the report file.
#pragma once

#include <string>

#include "platform/clock.h"

namespace ordanik {

// "% " + label (cut to 30 characters) + " date is (DD/MM/YY)) D/M/YYYY, at H:M:S:MS".
std::string stampline(const platform::Stamp& s, std::string label);

}  // namespace ordanik
