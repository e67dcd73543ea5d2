// The name of the report file, chosen beside the input file.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace ordanik {

// The 35 characters that tell report files of one input apart.
extern const std::string reportchars;

// The first of base + "_r" + c + extension, for c in reportchars, that taken
// says is free; nullopt when all 35 are taken. The extension is the text from
// the last '.' of the input name, unless a '/', ':' or backslash follows it.
std::optional<std::string> reportname(const std::string& input,
                                      const std::function<bool(const std::string&)>& taken);

}  // namespace ordanik
