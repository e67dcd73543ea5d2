// The lattice table files that Ordanik writes in numeric mode: the shared
// benchmark reports reproduced, and the tables of the shipped examples
// checked against the lattice laws by a reader of their own.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "common/runner.h"

using lttest::maskclock;
using lttest::run;
using lttest::TempDir;

namespace {

const std::string exe = ORDANIK_EXE;

// One block of a lattice table file, read back from its text.
struct Table {
    std::string name;
    int n = 0;
    std::vector<std::string> elements;
    std::vector<std::vector<int>> le, join, meet;  // 1-based
};

// Reads "j<k," "j+k=v," or "j*k=v," entries from the lines up to the line
// that begins with stop.
void entries(std::istringstream& in, const std::string& stop, char op, std::vector<std::vector<int>>& t) {
    std::string line;
    while (std::getline(in, line) && line.rfind(stop, 0) != 0) {
        std::istringstream items(line);
        std::string item;
        while (items >> item) {
            int j = 0, k = 0, v = 1;
            char o = 0, eq = 0, comma = 0;
            std::istringstream e(item);
            e >> j >> o >> k;
            if (op != '<') e >> eq >> v;
            e >> comma;
            ASSERT_EQ(o, op) << item;
            ASSERT_EQ(comma, ',') << item;
            t.at(j).at(k) = v;
        }
    }
}

std::vector<Table> readtables(const std::string& text) {
    std::vector<Table> tables;
    std::istringstream in([&] {
        std::string s;
        for (char c : text)
            if (c != '\r') s += c;
        return s;
    }());
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("\\Poset=", 0) != 0) continue;
        Table t;
        t.name = line.substr(7, line.find(',') - 7);
        std::getline(in, line);
        t.n = std::stoi(line.substr(6));
        std::getline(in, line);  // \elements
        while (static_cast<int>(t.elements.size()) < t.n && std::getline(in, line)) {
            std::istringstream items(line);
            std::string item;
            while (items >> item) t.elements.push_back(item.substr(0, item.size() - 1));
        }
        auto square = [&] { return std::vector<std::vector<int>>(t.n + 1, std::vector<int>(t.n + 1, 0)); };
        t.le = square(), t.join = square(), t.meet = square();
        while (std::getline(in, line) && line != "\\ordering:") {
        }
        entries(in, "\\Join table", '<', t.le);
        entries(in, "\\Meet table", '+', t.join);
        entries(in, "          \\endlattice", '*', t.meet);
        tables.push_back(t);
    }
    return tables;
}

// The order is a partial order, join and meet are its least upper and
// greatest lower bounds, and they satisfy the lattice laws.
void checklattice(const Table& t) {
    const int n = t.n;
    auto le = [&](int a, int b) { return t.le[a][b] == 1; };
    for (int a = 1; a <= n; ++a) {
        EXPECT_TRUE(le(a, a)) << t.name;
        EXPECT_TRUE(le(1, a) && le(a, n)) << t.name << ": least first, greatest last";
        for (int b = 1; b <= n; ++b) {
            int j = t.join[a][b], m = t.meet[a][b];
            ASSERT_TRUE(j >= 1 && j <= n && m >= 1 && m <= n) << t.name;
            EXPECT_EQ(j, t.join[b][a]) << t.name;
            EXPECT_EQ(m, t.meet[b][a]) << t.name;
            EXPECT_EQ(t.join[a][m], a) << t.name << ": absorption";
            EXPECT_EQ(t.meet[a][j], a) << t.name << ": absorption";
            EXPECT_EQ(le(a, b), j == b) << t.name;
            EXPECT_EQ(le(a, b), m == a) << t.name;
            if (a != b) {
                EXPECT_FALSE(le(a, b) && le(b, a)) << t.name;
            }
            for (int c = 1; c <= n; ++c) {
                if (le(a, b) && le(b, c)) {
                    EXPECT_TRUE(le(a, c)) << t.name;
                }
                EXPECT_EQ(t.join[t.join[a][b]][c], t.join[a][t.join[b][c]]) << t.name;
                EXPECT_EQ(t.meet[t.meet[a][b]][c], t.meet[a][t.meet[b][c]]) << t.name;
            }
        }
    }
}

// The numeric report of posets, run in a fresh folder.
std::string numericreport(const std::string& posets) {
    TempDir dir;
    dir.write("posets.txt", lttest::readfile(posets));
    auto r = run(exe, {"posets.txt", "n"}, dir.path());
    EXPECT_EQ(r.exitcode, 0) << posets << r.out;
    return dir.read("posets_r0.txt");
}

}  // namespace

TEST(OrdanikTableFile, SharedBenchReportsAreReproduced) {
    const std::filesystem::path bench = LT_SHARED_BENCH;
    if (!std::filesystem::is_directory(bench)) GTEST_SKIP() << "no shared bench inputs at " << bench;
    int cases = 0;
    for (const auto& entry : std::filesystem::directory_iterator(bench)) {
        auto posets = entry.path() / "posets.txt", lattices = entry.path() / "lattices.txt";
        if (!std::filesystem::exists(posets) || !std::filesystem::exists(lattices)) continue;
        ++cases;
        std::string report = numericreport(posets);
        EXPECT_EQ(maskclock(report), maskclock(lttest::readfile(lattices))) << entry.path();
        for (const auto& t : readtables(report)) checklattice(t);
    }
    EXPECT_GT(cases, 0);
}

TEST(OrdanikTableFile, ExamplesAreLatticesWithTheirLeastElementFirst) {
    std::string report = numericreport(std::string(LT_EXAMPLES) + "/posets.txt");
    auto tables = readtables(report);
    ASSERT_EQ(tables.size(), 4u);
    const std::pair<std::string, int> expected[] = {{"C2", 2}, {"M3", 5}, {"N5", 5}, {"B3", 8}};
    for (size_t i = 0; i < tables.size(); ++i) {
        EXPECT_EQ(tables[i].name, expected[i].first);
        EXPECT_EQ(tables[i].n, expected[i].second);
        EXPECT_EQ(tables[i].elements.front(), "0");
        EXPECT_EQ(tables[i].elements.back(), "1");
        checklattice(tables[i]);
    }
    EXPECT_EQ(report.find("NOT"), std::string::npos);
    EXPECT_EQ(report.find("WARNING"), std::string::npos);
}

TEST(OrdanikTableFile, TwentyPosetsOfSixtyElements) {
    // Each poset: 0, a chain of 29 elements beside a chain of 29 others, 1.
    std::string text;
    for (int p = 1; p <= 20; ++p) {
        std::string names = "0", edges = "0-a1 0-b1 a29-1 b29-1";
        for (char side : {'a', 'b'})
            for (int i = 1; i <= 29; ++i) {
                std::string e = side + std::to_string(i);
                names += " " + e;
                if (i < 29) edges += " " + e + "-" + side + std::to_string(i + 1);
            }
        text += "\\beginposet\n\\name\nL" + std::to_string(p) + "\n\\size\n60\n\\elements\n" + names + " 1\n\\edges\n" +
                edges + "\n\\endposet\n";
    }
    TempDir dir;
    dir.write("big.txt", text + "\\enddata\n");
    auto r = run(exe, {"big.txt", "n"}, dir.path());
    ASSERT_EQ(r.exitcode, 0);
    auto tables = readtables(dir.read("big_r0.txt"));
    ASSERT_EQ(tables.size(), 20u);
    checklattice(tables.back());
}

#ifdef VARNEL_EXE
TEST(OrdanikTableFile, VarnelReadsTheReportLikeHandWrittenTables) {
    // The sublattice of M3 x N5 generated by (a, a), (b, b), (c, c) has 15
    // elements; varnel must find that from Ordanik's report and from tables
    // written out by hand alike.
    const std::string fixtures = std::string(LT_FIXTURES) + "/ordanik/fixtures/";
    TempDir dir;
    dir.write("m3n5.txt", lttest::readfile(fixtures + "m3n5.txt"));
    dir.write("hand.txt", lttest::readfile(fixtures + "handtables.txt"));
    dir.write("assign.txt", lttest::readfile(fixtures + "m3n5assign.txt"));
    ASSERT_EQ(run(exe, {"m3n5.txt", "n"}, dir.path()).exitcode, 0);
    for (const char* tables : {"m3n5_r0.txt", "hand.txt"}) {
        auto r = run(VARNEL_EXE, {tables, "assign.txt", "nnnnn"}, dir.path());
        EXPECT_EQ(r.exitcode, 0) << tables << r.out;
        EXPECT_NE(r.out.find("|L|=15;"), std::string::npos) << tables << r.out;
    }
}
#endif
