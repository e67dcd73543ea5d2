#include "ordanik/stamp.h"

namespace ordanik {

std::string stampline(const platform::Stamp& s, std::string label) {
    if (label.size() > 30) label.resize(30);
    using std::to_string;
    return "% " + label + " date is (DD/MM/YY)) " + to_string(s.day) + "/" + to_string(s.month) + "/" +
           to_string(s.year) + ", at " + to_string(s.hour) + ":" + to_string(s.minute) + ":" +
           to_string(s.second) + ":" + to_string(s.millisecond);
}

}  // namespace ordanik
