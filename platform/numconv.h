// Decimal integer conversion: an optional '+' or '-', then one or more digits,
// nothing else, within the 32-bit signed range. Anything else ends the run
// with the conversion failure naming the text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

std::optional<int32_t> parseint32(const std::string& text);
int32_t toint32(const std::string& text);

}  // namespace platform
