// The error stop: every data error of a run ends here. Readers and checks
// throw it; the driver catches it, writes the error lines to the console and
// the report file, pauses and ends the run with exit code 1.
#pragma once

#include <string>

namespace ordanik {

struct ErrorStop {
    std::string message;  // at most 255 characters
};

// Throws the error stop with message cut to 255 characters.
[[noreturn]] void errorstop(std::string message);

}  // namespace ordanik
