#include "ordanik/reportname.h"

namespace ordanik {

const std::string reportchars = "0123456789abcdefghijkmnopqrstuvwxyz";

std::optional<std::string> reportname(const std::string& input,
                                      const std::function<bool(const std::string&)>& taken) {
    size_t dot = input.rfind('.');
    if (dot != std::string::npos && input.find_first_of("/:\\", dot) != std::string::npos) dot = std::string::npos;
    std::string base = input.substr(0, dot);
    std::string ext = dot == std::string::npos ? "" : input.substr(dot);
    for (char c : reportchars) {
        std::string name = base + "_r" + c + ext;
        if (!taken(name)) return name;
    }
    return std::nullopt;
}

}  // namespace ordanik
