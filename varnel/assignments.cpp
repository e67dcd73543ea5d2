// The assignment file: factor lines "\lattice=NAME \with x=X y=Y z=Z" name
// the direct factors and their chosen elements; constraint lines
// "\if ... \ThenNot ..." say that two factors must not take part together.
// Factor lines are read in a first pass; when a constraint line was seen the
// file is read again from its start for the constraints.
#include <string>

#include "varnel.h"

namespace varnel {

namespace {

bool startswith(const std::string& s, const char* k) { return s.rfind(k, 0) == 0; }

void cut(std::string& s, size_t n) {
    if (s.size() > n) s.resize(n);
}

// The index of the last element of lattice l named name, or 0.
int32_t findelement(const Store& st, int32_t l, const std::string& name) {
    int32_t found = 0;
    for (int32_t e = 1; e <= st.latsize[l]; ++e)
        if (st.elements[l][e] == name) found = e;
    return found;
}

// The text before the first blank, removed with that blank; without a blank
// the text is empty and nothing is removed.
std::string takeword(std::string& rest) {
    size_t p = rest.find(' ');
    if (p == std::string::npos) return std::string();
    std::string w = rest.substr(0, p);
    rest.erase(0, p + 1);
    return w;
}

void readfactor(Varnel& v, const std::string& line) {
    const Store& st = v.store;
    const std::string& asg = v.files.asgfilename;
    DirFact& f = v.facts.dirfacts[++v.facts.numdirfacts];
    std::string rest = line.substr(9);
    f.factname = takeword(rest);
    cut(f.factname, 33);
    f.latwh = 0;
    for (int32_t l = 1; l <= st.numlats; ++l)
        if (st.latname[l] == f.factname) f.latwh = l;
    if (f.latwh == 0)
        errorstop("\"\\lattice=\" in " + asg + " refers to a name not in " + v.files.latfilename);
    const std::string wrong = "Wrong \\lattice= ... line in " + asg;
    if (!startswith(rest, "\\with x=")) errorstop(wrong);
    rest.erase(0, 8);
    std::string name = takeword(rest);
    cut(name, 5);
    f.x = findelement(st, f.latwh, name);
    if (f.x == 0) errorstop("Invalid \"\\lattice=... line (wrong x) in " + asg);
    if (!startswith(rest, "y=")) errorstop(wrong);
    rest.erase(0, 2);
    name = takeword(rest);
    cut(name, 5);
    f.y = findelement(st, f.latwh, name);
    if (f.y == 0) errorstop("Invalid \"\\lattice=... line (wrong y) in " + asg);
    if (!startswith(rest, "z=")) errorstop(wrong);
    rest.erase(0, 2);
    trimtrailblanks(rest);
    f.z = rest.size() > 5 ? 0 : findelement(st, f.latwh, rest);
    if (f.z == 0) errorstop("Invalid \"\\lattice=... line (wrong z) in " + asg);
}

// One constraint line, parsed step by step; each failing step stops the run
// with its own message prefix, the rest of the line and the whole line.
void readconstraint(Varnel& v, const std::string& whole) {
    std::string rest = whole.substr(whole.size() < 3 ? whole.size() : 3);
    auto fail = [&](const char* prefix) { errorstop(prefix + rest + "|of|" + whole); };
    auto word = [&](const char* prefix) {
        if (rest.find(' ') == std::string::npos) fail(prefix);
        return takeword(rest);
    };
    auto expect = [&](const char* key, const char* prefix) {
        if (!startswith(rest, key)) fail(prefix);
        rest.erase(0, std::string(key).size());
    };
    trimleadblanks(rest);
    std::string name1 = word("(-1)Wrong constraint line ending with ");
    trimleadblanks(rest);
    expect("\\with x=", "(1)Wrong constraint  line ending with ");
    std::string x1 = word("(2)Wrong constraint line ending with ");
    expect("y=", "(3)Wrong constraint  line ending with ");
    std::string y1 = word("(4)Wrong constraint line ending with ");
    expect("z=", "(5)Wrong constraint  line ending with ");
    std::string z1 = word("(6)Wrong constraint line ending with ");
    trimleadblanks(rest);
    expect("\\ThenNot", "(7)Wrong constraint  line ending with ");
    trimleadblanks(rest);
    std::string name2 = word("(8)Wrong constraint line ending with ");
    trimleadblanks(rest);
    expect("\\with x=", "(10)Wrong constraint  line ending with ");
    std::string x2 = word("(11)Wrong constraint line ending with ");
    expect("y=", "(12)Wrong constraint  line ending with ");
    std::string y2 = word("(13)Wrong constraint line ending with ");
    expect("z=", "(14)Wrong constraint  line ending with ");
    std::string z2 = rest.substr(0, rest.find(' '));
    cut(name1, 33);
    cut(name2, 33);
    Constraint& c = v.facts.constraints[v.facts.numconstraints];
    c.iffact = findfactor(v, name1, x1, y1, z1);
    c.thennotfact = findfactor(v, name2, x2, y2, z2);
    if (c.iffact == 0 || c.thennotfact == 0) errorstop("(0)Wrong  constraint line:|" + whole);
}

}  // namespace

std::string nextdataline(Varnel& v) {
    platform::InFile& f = v.files.asgfile;
    for (;;) {
        std::string line = f.readline();
        if (f.ateof()) return line;
        if (!line.empty() && line[0] != '%') return line;
    }
}

int32_t findfactor(const Varnel& v, const std::string& name, std::string x, std::string y, std::string z) {
    cut(x, 5);
    cut(y, 5);
    cut(z, 5);
    const Store& st = v.store;
    for (int32_t i = 1; i <= v.facts.numdirfacts; ++i) {
        const DirFact& f = v.facts.dirfacts[i];
        if (st.latname[f.latwh] == name && st.elements[f.latwh][f.x] == x && st.elements[f.latwh][f.y] == y &&
            st.elements[f.latwh][f.z] == z)
            return i;
    }
    return 0;
}

void readconstraints(Varnel& v) {
    platform::InFile& f = v.files.asgfile;
    std::string line;
    do {
        line = nextdataline(v);
    } while (!startswith(line, "\\if") && !f.ateof());
    if (!startswith(line, "\\if")) errorstop("Data error around constraint lines");
    for (;;) {
        if (++v.facts.numconstraints > maxconstraints) errorstop("Too many constraints!");
        readconstraint(v, line);
        if (f.ateof()) return;
        line = nextdataline(v);
    }
}

void readassignments(Varnel& v) {
    while (readlattice(v)) {
    }
    platform::InFile& f = v.files.asgfile;
    bool first = true;
    bool constraints = false;
    while (!f.ateof() && v.facts.numdirfacts < maxdirfacts) {
        std::string line;
        do {
            line = nextdataline(v);
        } while (!f.ateof() && !startswith(line, "\\lattice=") && !startswith(line, "\\if"));
        if (first && f.ateof()) checkeof(v, 2);
        first = false;
        if (startswith(line, "\\if")) {
            constraints = true;
            continue;
        }
        if (!startswith(line, "\\lattice=")) continue;
        readfactor(v, line);
    }
    if (constraints) {
        v.facts.numconstraints = 0;
        f.rewind();
        readconstraints(v);
    }
    prntassignments(v);
}

void prntassignments(Varnel& v) {
    const Store& st = v.store;
    auto side = [&](int32_t i) {
        const DirFact& f = v.facts.dirfacts[i];
        return st.latname[f.latwh] + " \\with x=" + st.elements[f.latwh][f.x] + " y=" + st.elements[f.latwh][f.y] +
               " z=" + st.elements[f.latwh][f.z];
    };
    Report& r = v.rep;
    r.fileline("");
    r.fileline("--->  The assingments are the following <----");
    for (int32_t i = 1; i <= v.facts.numdirfacts; ++i) {
        const DirFact& f = v.facts.dirfacts[i];
        r.fileline("\\lattice=" + f.factname + " \\with x=" + st.elements[f.latwh][f.x] + " y=" +
                   st.elements[f.latwh][f.y] + " z=" + st.elements[f.latwh][f.z]);
    }
    r.fileline("");
    r.fileline("--->  The constraints are as follows <----");
    for (int32_t i = 1; i <= v.facts.numconstraints; ++i)
        r.fileline("\\if " + side(v.facts.constraints[i].iffact) + " \\ThenNot " +
                   side(v.facts.constraints[i].thennotfact));
    r.fileline("");
}

}  // namespace varnel
