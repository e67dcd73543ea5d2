// Line preparation: how the poset reader sees the lines of a poset file.
#pragma once

#include <string>

#include "ordanik/store.h"

namespace ordanik {

// Drops the comment (from the first '%') and the blanks at both ends.
std::string stripline(const std::string& raw);

// Prepares a stripped, non-empty line: a data line (one that does not begin
// with a backslash) has its blanks turned into commas and every run of commas
// shortened to one; then, in every line, the commas and hyphens become
// hyphen, comma, hyphen, ... from left to right. Two separators side by side
// after that are an error stop.
std::string prepareline(const std::string& stripped);

struct SigLine {
    std::string text;
    bool found = false;  // false only when the file ended before a significant line
};

// Reads lines up to the next one that is not empty after stripping and
// returns it prepared. Print lines (holding "\P") go to the report file in
// human mode as they stand and are otherwise empty.
SigLine nextsigline(RunState& run);

}  // namespace ordanik
