// The lattice table file reader: one lattice block per call into the next
// slot of the lattice store. Everything before a "\Poset=" line is passed
// over; from there on the block must follow its layout line by line, and
// every departure ends the run with a message naming the lattice or file.
#include <string>

#include "platform/numconv.h"
#include "varnel.h"

namespace varnel {

namespace {

bool startswith(const std::string& s, const char* k) { return s.rfind(k, 0) == 0; }
bool contains(const std::string& s, const char* k) { return s.find(k) != std::string::npos; }

// One number of an entry: the text before sep, removed with sep.
int32_t takenumber(std::string& rest, char sep) {
    size_t p = rest.find(sep);
    std::string text = p == std::string::npos ? std::string() : rest.substr(0, p);
    int32_t value = platform::toint32(text);
    rest.erase(0, p == std::string::npos ? 0 : p + 1);
    return value;
}

// Parses the entries of one section line: "a<b," (three == false) or
// "a+b=c," / "a*b=c," (three == true, op the operation sign). Runs at least
// once, so an empty line fails on its empty number.
template <typename Store3>
void parseentries(std::string rest, char op, bool three, int32_t n, const std::string& name, Store3 put) {
    do {
        trimleadblanks(rest);
        int32_t a = takenumber(rest, op);
        int32_t b = takenumber(rest, three ? '=' : ',');
        int32_t c = three ? takenumber(rest, ',') : 0;
        if (a < 1 || a > n || b < 1 || b > n || c < 0 || c > n)
            errorstop("Invalid element number in the tables of " + name);
        put(a, b, c);
    } while (!rest.empty());
}

}  // namespace

void trimleadblanks(std::string& s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    s.erase(0, i);
}

void trimtrailblanks(std::string& s) {
    size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    s.resize(n);
}

void checkeof(Varnel& v, int which) {
    platform::InFile& f = which == 1 ? v.files.latfile : v.files.asgfile;
    if (f.ateof()) errorstop("Unexpected end of " + (which == 1 ? v.files.latfilename : v.files.asgfilename));
}

bool readlattice(Varnel& v) {
    Store& st = v.store;
    platform::InFile& f = v.files.latfile;
    if (st.numlats >= maxlats) errorstop("Too many input lattices are given.");
    std::string line;
    do {
        line = f.readline();
    } while (!startswith(line, "\\Poset=") && !f.ateof());
    if (f.ateof()) return false;
    const int32_t l = ++st.numlats;

    size_t comma = line.find(',');
    std::string name = comma == std::string::npos ? std::string() : line.substr(7, comma - 7);
    if (name.size() > 33) name.resize(33);
    st.latname[l] = name;

    checkeof(v, 1);
    line = f.readline();
    if (!startswith(line, "\\size=")) errorstop("Missing or corrupt \"\\size=\" line at the right place");
    const int32_t n = platform::toint32(line.substr(6));
    if (n < 1 || n > maxlatsize) errorstop("Invalid size of lattice " + name + " (1 to 20 elements allowed)");
    st.latsize[l] = n;

    checkeof(v, 1);
    line = f.readline();
    if (!startswith(line, "\\elements")) errorstop("Missing \"\\elements ...\" line where expected");

    checkeof(v, 1);
    std::string cur;
    for (int32_t i = 1; i <= n; ++i) {
        if (cur.empty()) {
            checkeof(v, 1);
            cur = f.readline();
        }
        size_t c = cur.find(',');
        if (c == std::string::npos) errorstop("Corrupt list of elements of " + name + "/" + cur + "/");
        std::string el = c >= 1 ? cur.substr(1, c - 1) : std::string();
        if (el.size() > 5) el.resize(5);
        st.elements[l][i] = el;
        cur.erase(0, c + 1);
    }
    if (!cur.empty()) errorstop("Corrupt  list of elements of " + name);

    checkeof(v, 1);
    line = f.readline();
    if (!startswith(line, "\\edges")) errorstop("Missing \"\\edges\" line where expected ");
    do {
        checkeof(v, 1);
        line = f.readline();
    } while (!startswith(line, "\\ordering:"));

    checkeof(v, 1);
    for (int32_t i = 1; i <= n; ++i)
        for (int32_t j = 1; j <= n; ++j) st.leq[l][i][j] = false;
    do {
        line = f.readline();
        if (!contains(line, "\\Join table"))
            parseentries(line, '<', false, n, name, [&](int32_t a, int32_t b, int32_t) { st.leq[l][a][b] = true; });
        checkeof(v, 1);
    } while (!startswith(line, "\\Join table"));

    checkeof(v, 1);
    for (int32_t i = 1; i <= n; ++i)
        for (int32_t j = 1; j <= n; ++j) st.jointab[l][i][j] = st.meettab[l][i][j] = -1;
    do {
        line = f.readline();
        if (!contains(line, "\\Meet table"))
            parseentries(line, '+', true, n, name, [&](int32_t a, int32_t b, int32_t c) { st.jointab[l][a][b] = c; });
        checkeof(v, 1);
    } while (!startswith(line, "\\Meet table"));

    do {
        line = f.readline();
        if (!contains(line, "\\endlattice"))
            parseentries(line, '*', true, n, name, [&](int32_t a, int32_t b, int32_t c) { st.meettab[l][a][b] = c; });
        checkeof(v, 1);
    } while (!contains(line, "\\endlattice"));
    return true;
}

const std::string& Store::elemname(int32_t l, int32_t e) const {
    static const std::string none = "!";
    if (l < 1 || l > maxlats || e < 1 || e > latsize[l]) return none;
    return elements[l][e];
}

}  // namespace varnel
