// The result writer.
//
// Each poset gets a block: its head line with the lattice verdict, its size,
// its elements, the edges the file gave, the whole order, and the join and
// meet tables. In human mode elements stand by name and a missing join or
// meet is "!"; in numeric mode elements stand by number, a missing join or
// meet is 0, and the block is one of a lattice table file. A poset that is
// not a lattice is followed by the pairs without a join or a meet, each with
// its minimal upper (maximal lower) bounds.
#include "ordanik/writer.h"

#include "ordanik/bounds.h"
#include "ordanik/stamp.h"

namespace ordanik {

std::vector<std::string> entrylines(const std::vector<std::string>& entries, size_t perline) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0 && i % perline == 0) {
            lines.push_back(line);
            line.clear();
        }
        line += entries[i];
    }
    lines.push_back(line);
    return lines;
}

namespace {

struct BlockWriter {
    const Poset& p;
    bool numeric;
    std::vector<std::string>& out;

    std::string el(int k) const { return numeric ? std::to_string(k) : p.names[k]; }

    // One entry: a blank, the text, and a comma.
    static std::string entry(std::initializer_list<std::string_view> parts) {
        std::string e(1, ' ');
        for (auto part : parts) e += part;
        e += ',';
        return e;
    }

    void list(const std::vector<std::string>& entries, size_t perline) {
        for (auto& l : entrylines(entries, perline)) out.push_back(std::move(l));
    }

    void table(const char* title, char op, const std::array<std::array<int32_t, maxsize + 1>, maxsize + 1>& t) {
        out.push_back(std::string(title) + p.name + ":");
        std::vector<std::string> entries;
        for (int j = 1; j <= p.n; ++j)
            for (int k = 1; k <= p.n; ++k)
                entries.push_back(entry({el(j), std::string_view(&op, 1), el(k), "=", el(t[j][k])}));
        list(entries, 10);
    }

    // Pairs j < k without a join (meet), five to a line; a full line is
    // ended and the next one begins with a blank.
    void missing(const char* title, char op, const std::array<std::array<int32_t, maxsize + 1>, maxsize + 1>& t,
                 Row (*bounds)(const Poset&, int, int)) {
        out.push_back(std::string(title) + p.name + ":");
        std::string line;
        int count = 0;
        for (int j = 1; j <= p.n; ++j)
            for (int k = j + 1; k <= p.n; ++k) {
                if (t[j][k] != 0) continue;
                ++count;
                line += " " + p.names[j] + op + p.names[k] + "=!=";
                Row b = bounds(p, j, k);
                for (int l = 1; l <= p.n; ++l)
                    if (has(b, l)) line += p.names[l] + ",";
                if (count == 5) {
                    count = 0;
                    out.push_back(line);
                    line.assign(1, ' ');
                }
            }
        out.push_back(line);
    }

    void write(int index) {
        out.push_back("\\Poset=" + p.name + ", i.e., the " + std::to_string(index) + "-st/-nd/-rd/-th poset" +
                      (p.islattice ? " is a LATTICE:" : " is, WARNING!, NOT a lattice:"));
        out.push_back("\\size=" + std::to_string(p.n));
        out.push_back(numeric ? "\\elements (1st, 2nd, ...):" : "\\elements:");
        std::vector<std::string> entries;
        for (int k = 1; k <= p.n; ++k) entries.push_back(entry({p.names[k]}));
        list(entries, 20);

        out.push_back("\\edges:");
        entries.clear();
        for (int j = 1; j <= p.n; ++j)
            for (int k = 1; k <= p.n; ++k)
                if (has(p.edges[j], k)) entries.push_back(entry({el(j), "-", el(k)}));
        list(entries, 10);

        out.push_back("\\ordering:");
        entries.clear();
        for (int j = 1; j <= p.n; ++j)
            for (int k = 1; k <= p.n; ++k)
                if (p.below(j, k)) entries.push_back(entry({el(j), "<", el(k)}));
        list(entries, 10);

        if (numeric) {
            table("\\Join table(with numbers) for ", '+', p.join);
            table("\\Meet table(with numbers) for ", '*', p.meet);
            out.push_back("          \\endlattice");
        } else {
            table("\\Join table for ", '+', p.join);
            table("\\Meet table for ", '*', p.meet);
        }
        if (!p.islattice) {
            missing("\\NON-existing joins for ", '+', p.join, minupperbounds);
            missing("\\NON-existing meets for ", '*', p.meet, maxlowerbounds);
            out.push_back("");
        }
        out.push_back("");
    }
};

}  // namespace

std::vector<std::string> posetblock(const Poset& p, int index, bool numeric) {
    std::vector<std::string> out;
    BlockWriter{p, numeric, out}.write(index);
    return out;
}

void writeresults(RunState& run, const PosetStore& store) {
    run.ended = platform::localnow();
    run.report.line(stampline(run.ended, "Terminated: "));
    run.report.line("");
    for (int i = 0; i < store.count(); ++i)
        for (const auto& line : posetblock(store.posets[i], i + 1, run.numeric)) run.report.line(line);
    if (run.numeric)
        run.con.writeline("\\enddata");
    else
        run.report.line("Thank you for using this program!");
}

}  // namespace ordanik
