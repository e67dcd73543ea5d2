// Line preparation for the poset file.
//
// A poset file separates names by blanks, commas and hyphens in any mix. The
// reader sees every line after two rewritings: on data lines blanks become
// commas and comma runs shrink to one comma; then the separators alternate,
// the first becoming a hyphen, the second a comma, and so on. On an edge line
// the names therefore pair off left to right as lower-upper, whatever
// separators the user wrote; on an element line the reader turns hyphens back
// into commas. A blank standing between two other separators ("a - b") would
// leave two separators side by side after the rewriting, and stops the run.
#include "ordanik/lineprep.h"

#include "ordanik/errorstop.h"

namespace ordanik {

std::string stripline(const std::string& raw) {
    std::string s = raw.substr(0, raw.find('%'));
    size_t end = s.find_last_not_of(' ');
    if (end == std::string::npos) return "";
    size_t start = s.find_first_not_of(' ');
    return s.substr(start, end + 1 - start);
}

static bool issep(char c) { return c == ',' || c == '-'; }

std::string prepareline(const std::string& stripped) {
    std::string s;
    s.reserve(stripped.size());
    if (!stripped.empty() && stripped[0] != '\\') {
        for (char c : stripped) {
            if (c == ' ') c = ',';
            if (c == ',' && !s.empty() && s.back() == ',') continue;
            s.push_back(c);
        }
    } else {
        s = stripped;
    }
    size_t end = s.find_last_not_of(' ');
    s.resize(end == std::string::npos ? 0 : end + 1);
    bool hyphen = true;
    for (char& c : s) {
        if (!issep(c)) continue;
        c = hyphen ? '-' : ',';
        hyphen = !hyphen;
    }
    for (size_t i = 0; i + 1 < s.size(); ++i)
        if (issep(s[i]) && issep(s[i + 1]))
            errorstop("Neighbouring commas or hyphens in a line, leading to " + s);
    return s;
}

SigLine nextsigline(RunState& run) {
    std::string line;
    bool found = false;
    do {
        if (run.in.ateof()) break;
        line = run.in.readline();
        if (line.find("\\P") != std::string::npos) {
            if (!run.numeric) run.report.line(line);
            line.clear();
        }
        line = stripline(line);
        found = !line.empty();
    } while (!found);
    if (!found) return {"", false};
    return {prepareline(line), true};
}

}  // namespace ordanik
