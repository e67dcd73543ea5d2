// Ordanik's run from start to end.
#pragma once

#include <string>
#include <vector>

#include "platform/console.h"

namespace ordanik {

extern const char* const banner;
extern const char* const attribution;

// Runs Ordanik with the command-line parameters args (without the program
// name) and returns the exit code: 0 after a normal end or the help screen,
// 1 after an error stop or when no file name is given at the prompt.
int run(const std::vector<std::string>& args, platform::Console& con);

}  // namespace ordanik
