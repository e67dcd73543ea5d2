// The poset file reader.
//
// A poset is written as
//     \beginposet
//     \name
//     NAME
//     \size
//     N
//     \elements
//     names, over as many lines as needed
//     \edges
//     covering edges lower-upper, over as many lines as needed
//     \endposet
// with comments after '%' and any text between posets passed over. Each
// line is checked as it is read; the first fault stops the run with a
// message that quotes the line or names the poset. The size is taken as the
// next token of the file itself, not as a prepared line.
#include "ordanik/posetreader.h"

#include "ordanik/errorstop.h"
#include "ordanik/lineprep.h"
#include "platform/numconv.h"

namespace ordanik {

const std::string elemnamechars =
    "0123456789abcdefghijkmnopqrstuvwxyzABCDEFGHIJKLMNPQRSTUVWXYZ_'#\xA7@";

static bool holds(const std::string& line, const char* keyword) {
    return line.find(keyword) != std::string::npos;
}

static bool begins(const std::string& line, const char* keyword) { return line.rfind(keyword, 0) == 0; }

static void readelements(RunState& run, Poset& p) {
    p.names[0].assign(1, '!');
    SigLine sl = nextsigline(run);
    if (!sl.found || !holds(sl.text, "\\elements"))
        errorstop("Instead of \"\\elements\", the program found:  " + sl.text);
    int i = 0;
    do {
        sl = nextsigline(run);
        if (!sl.found) errorstop("Unexpected input line or no line: " + sl.text);
        std::string line = sl.text;
        for (char& c : line)
            if (c == '-') c = ',';
        while (!line.empty() && i < p.n) {
            size_t comma = line.find(',');
            std::string name = line.substr(0, comma);
            if (name.size() > maxelemname)
                errorstop("Corrupt line (element names too long or too few?): " + line);
            if (name.find_first_not_of(elemnamechars) != std::string::npos)
                errorstop("Invalid character in element name:  " + line);
            line.erase(0, comma == std::string::npos ? line.size() : comma + 1);
            for (int k = 1; k <= i; ++k)
                if (p.names[k] == name) errorstop("Repeated element name:  " + name);
            p.names[++i] = name;
        }
        if (line.find_first_not_of(", ") != std::string::npos)
            errorstop("More element names than expected in " + p.name + ": " + line);
    } while (i < p.n && !run.in.ateof());
    if (i < p.n) errorstop("Too few element names listed for " + p.name);
}

static int elementnumber(const Poset& p, const std::string& name) {
    for (int k = 1; k <= p.n; ++k)
        if (p.names[k] == name) return k;
    return 0;
}

static void readedges(RunState& run, Poset& p) {
    p.edges.fill(0);
    SigLine sl = nextsigline(run);
    if (!sl.found || !holds(sl.text, "\\edges"))
        errorstop("Instead of \"\\edges\", the program found:  " + sl.text);
    for (;;) {
        sl = nextsigline(run);
        if (!sl.found) errorstop("Unexpected input line or no line: " + sl.text);
        if (holds(sl.text, "\\endposet")) break;
        std::string line = sl.text;
        while (!line.empty()) {
            size_t hyphen = line.find('-');
            if (hyphen == std::string::npos || hyphen > maxelemname) errorstop("Incorrect edge in:  " + line);
            std::string lower = line.substr(0, hyphen);
            line.erase(0, hyphen + 1);
            size_t comma = line.find(',');
            size_t end = comma == std::string::npos ? line.size() : comma;
            if (end < 1 || end > maxelemname) errorstop("Incorrect edge of " + p.name + " ,  " + line);
            std::string upper = line.substr(0, end);
            line.erase(0, comma == std::string::npos ? line.size() : comma + 1);
            int a = elementnumber(p, lower);
            int b = a ? elementnumber(p, upper) : 0;
            if (!a || !b) errorstop("Edge between unknown element(s) in " + p.name);
            if (has(p.edges[b], a)) errorstop("Opposite edge in  " + p.name);
            if (a == b) errorstop("\"Reflexivity edge\" in  " + p.name);
            p.edges[a] |= bit(b);
        }
        if (run.in.ateof()) break;
    }
    if (run.in.ateof()) errorstop("Unexpected end of file while processing " + p.name);
}

bool readoneposet(RunState& run, PosetStore& store) {
    if (run.in.ateof()) return false;
    SigLine sl;
    do {
        sl = nextsigline(run);
    } while (!(sl.found && begins(sl.text, "\\")) && !run.in.ateof());
    // A "\beginposet" line that is the last line of the file starts a poset
    // that the file cuts off; it goes on below to the stop for its missing
    // name instead of being dropped without a word.
    bool cutoff = run.in.ateof() && sl.found && holds(sl.text, "\\beginposet");
    if ((run.in.ateof() && !cutoff) || begins(sl.text, "\\enddata")) {
        if (store.count() == 0) errorstop("The input file contains no poset");
        return false;
    }
    if (!holds(sl.text, "\\beginposet")) errorstop("\\beginposet is not found in:   " + sl.text);
    if (store.count() >= maxposets) errorstop("Too many posets");
    Poset& p = store.posets.emplace_back();

    sl = nextsigline(run);
    if (!sl.found || !holds(sl.text, "\\name")) errorstop("\\name  is not found in:    " + sl.text);
    sl = nextsigline(run);
    if (!sl.found || holds(sl.text, "\\")) errorstop(" The name of a poset is missing");
    p.name = sl.text.substr(0, maxposetname);

    SigLine sizeline = nextsigline(run);
    if (!sizeline.found || !holds(sizeline.text, "\\size")) errorstop("Command line \"\\size\" is missing");
    int32_t n = platform::toint32(run.in.readtoken());
    if (n < 2 || n > maxsize) errorstop("Invalid or too large size:    " + sizeline.text);
    p.n = n;

    readelements(run, p);
    readedges(run, p);
    return true;
}

}  // namespace ordanik
