// The lattice table file reader: bad files stop with their exact message,
// good files fill the lattice store.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using vtest::fixtures;

TEST(LatticeFile, BadFilesStopWithTheirMessage) {
    const std::pair<const char*, std::string> cases[] = {
        {"nosize.txt", "Missing or corrupt \"\\size=\" line at the right place"},
        {"noelements.txt", "Missing \"\\elements ...\" line where expected"},
        // An entry without its comma, and a blank after the comma of a line before the last.
        {"elemnocomma.txt", "Corrupt list of elements of B2/ 1/"},
        {"elemblankmid.txt", "Corrupt list of elements of B2/ /"},
        // Fewer names than the size: the "\edges" line is taken as a list line.
        {"elemshort.txt", "Corrupt list of elements of B2/\\edges:/"},
        // Text after the last comma of the list.
        {"elemtrailing.txt", "Corrupt  list of elements of B2"},
        {"noedges.txt", "Missing \"\\edges\" line where expected "},
        // The "\endlattice" line is the file's last line.
        {"endlatlast.txt", "Unexpected end of lat.txt"},
        {"size21.txt", "Invalid size of lattice B2 (1 to 20 elements allowed)"},
        {"size0.txt", "Invalid size of lattice B2 (1 to 20 elements allowed)"},
        {"sizenegative.txt", "Invalid size of lattice B2 (1 to 20 elements allowed)"},
        {"ordrange.txt", "Invalid element number in the tables of B2"},
        {"joinrange.txt", "Invalid element number in the tables of B2"},
        {"meetrange.txt", "Invalid element number in the tables of B2"},
        // Numbers that do not convert end the run without the error stop.
        {"sizenotnumber.txt", "abend 1: Error: \"4a\" is not a valid integer"},
        {"sizeblank.txt", "abend 1: Error: \" 4\" is not a valid integer"},
        {"entrynotnumber.txt", "abend 1: Error: \"x\" is not a valid integer"},
        {"blankinorder.txt", "abend 1: Error: \"\" is not a valid integer"},
        // "\Join table" must start its line: the join entries are then read
        // as order entries, which lack their '<'.
        {"jointableindented.txt", "abend 1: Error: \"\" is not a valid integer"},
    };
    for (const auto& [file, message] : cases) {
        vtest::Rig rig;
        rig.latfile(lttest::readfile(fixtures + "lat/" + file));
        EXPECT_EQ(vtest::readalllattices(rig.v()), message) << file;
    }
}

TEST(LatticeFile, FileEndsInsideABlock) {
    // Cut the good block after each of its lines: every cut inside the block
    // is an unexpected end; a file ending at the "\Poset=" line holds no lattice.
    const std::string whole = lttest::readfile(fixtures + "lat/b2.txt");
    std::vector<size_t> ends;
    for (size_t p = whole.find('\n'); p != std::string::npos; p = whole.find('\n', p + 1)) ends.push_back(p + 1);
    const size_t headend = whole.find('\n', whole.find("\\Poset=")) + 1;
    for (size_t end : ends) {
        const std::string text = whole.substr(0, end);
        vtest::Rig rig;
        rig.latfile(text);
        const bool inside = end > headend && end < whole.size();
        EXPECT_EQ(vtest::readalllattices(rig.v()), inside ? "Unexpected end of lat.txt" : "") << text;
    }
}

TEST(LatticeFile, NoLatticeAtAll) {
    for (const char* text : {"", "% only comments\r\n%\r\n\r\n", "\\Poset=B2, i.e., the 1-st", "\\enddata\r\n"}) {
        vtest::Rig rig;
        rig.latfile(text);
        EXPECT_EQ(vtest::readalllattices(rig.v()), "") << text;
        EXPECT_EQ(rig.v().store.numlats, 0) << text;
    }
}

// The B2 fixture with its line ends written as ending (LF, CR LF or lone CR).
std::string b2with(const std::string& ending) {
    std::string text;
    for (char c : lttest::readfile(fixtures + "lat/b2.txt")) text += c == '\n' ? ending : std::string(1, c);
    return text;
}

TEST(LatticeFile, ReadsB2) {
    for (const char* ending : {"\n", "\r\n", "\r"}) {
        SCOPED_TRACE(ending[0] == '\r' ? (ending[1] ? "CR LF" : "CR") : "LF");
        vtest::Rig rig;
        rig.latfile(b2with(ending));
        auto& v = rig.v();
        ASSERT_TRUE(varnel::readlattice(v));
        EXPECT_FALSE(varnel::readlattice(v));
        const auto& st = v.store;
        ASSERT_EQ(st.numlats, 1);
        EXPECT_EQ(st.latname[1], "B2");
        ASSERT_EQ(st.latsize[1], 4);
        EXPECT_EQ(st.elements[1][1], "0");
        EXPECT_EQ(st.elements[1][2], "a");
        EXPECT_EQ(st.elements[1][3], "b");
        EXPECT_EQ(st.elements[1][4], "1");
        std::string order;
        for (int a = 1; a <= 4; ++a)
            for (int b = 1; b <= 4; ++b) order += st.leq[1][a][b] ? '1' : '0';
        EXPECT_EQ(order, "1111" "0101" "0011" "0001");
        const int join[4][4] = {{1, 2, 3, 4}, {2, 2, 4, 4}, {3, 4, 3, 4}, {4, 4, 4, 4}};
        const int meet[4][4] = {{1, 1, 1, 1}, {1, 2, 1, 2}, {1, 1, 3, 3}, {1, 2, 3, 4}};
        for (int a = 1; a <= 4; ++a)
            for (int b = 1; b <= 4; ++b) {
                EXPECT_EQ(st.jointab[1][a][b], join[a - 1][b - 1]) << a << "+" << b;
                EXPECT_EQ(st.meettab[1][a][b], meet[a - 1][b - 1]) << a << "*" << b;
            }
    }
}

TEST(LatticeFile, GoodFileWithNamesSpreadListsAndANonLattice) {
    vtest::Rig rig;
    rig.latfile(lttest::readfile(fixtures + "lat/good.txt"));
    auto& v = rig.v();
    ASSERT_EQ(vtest::readalllattices(v), "");
    const auto& st = v.store;
    ASSERT_EQ(st.numlats, 3);

    // A name longer than 33 characters is cut; the element list spreads over
    // three lines and names longer than 5 characters are cut.
    EXPECT_EQ(st.latname[1], "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefg");
    ASSERT_EQ(st.latsize[1], 3);
    EXPECT_EQ(st.elements[1][1], "botto");
    EXPECT_EQ(st.elements[1][2], "middl");
    EXPECT_EQ(st.elements[1][3], "top");
    EXPECT_TRUE(st.leq[1][1][3]);
    EXPECT_FALSE(st.leq[1][3][1]);
    EXPECT_EQ(st.jointab[1][2][3], 3);
    EXPECT_EQ(st.meettab[1][2][3], 2);

    // A head line without a comma gives an empty name.
    EXPECT_EQ(st.latname[2], "");
    ASSERT_EQ(st.latsize[2], 1);
    EXPECT_EQ(st.elements[2][1], "e");
    EXPECT_TRUE(st.leq[2][1][1]);
    EXPECT_EQ(st.jointab[2][1][1], 1);
    EXPECT_EQ(st.meettab[2][1][1], 1);

    // A block that is not a lattice is read like any other: 0 where the
    // join does not exist, -1 for the entries that the file leaves out.
    EXPECT_EQ(st.latname[3], "V");
    ASSERT_EQ(st.latsize[3], 3);
    EXPECT_EQ(st.jointab[3][2][3], 0);
    EXPECT_EQ(st.jointab[3][3][2], 0);
    EXPECT_EQ(st.jointab[3][1][2], -1);
    EXPECT_EQ(st.jointab[3][2][1], 2);
    EXPECT_EQ(st.meettab[3][3][3], -1);
    EXPECT_EQ(st.meettab[3][3][2], 1);
    EXPECT_FALSE(st.leq[3][2][3]);
}

TEST(LatticeFile, ElementListForms) {
    // The first character of each entry is dropped whatever it is; the list
    // may spread over any number of lines.
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {" 0, a, b, 1,\n", {"0", "a", "b", "1"}},
        {" 0,\n a,\n b,\n 1,\n", {"0", "a", "b", "1"}},
        {" 0, a,\n b, 1,\n", {"0", "a", "b", "1"}},
        {"0x,ay,bz,1w,\n", {"x", "y", "z", "w"}},
        {" 0,,b,1,\n", {"0", "", "", ""}},
        {" bottom, left5x, right, topmost,\n", {"botto", "left5", "right", "topmo"}},
        {" 0, a, b, 1,\r\n", {"0", "a", "b", "1"}},
    };
    const std::string whole = lttest::readfile(fixtures + "lat/b2.txt");
    const std::string list = " 0, a, b, 1,\n";
    for (const auto& [lines, names] : cases) {
        std::string text = whole;
        text.replace(text.find(list), list.size(), lines);
        vtest::Rig rig;
        rig.latfile(text);
        ASSERT_EQ(vtest::readalllattices(rig.v()), "") << lines;
        for (int i = 1; i <= 4; ++i) EXPECT_EQ(rig.v().store.elements[1][i], names[i - 1]) << lines;
    }
}

std::string lattices(int count) {
    std::string text = "% generated\r\n";
    for (int i = 1; i <= count; ++i) {
        const std::string name = std::string(1, 'L').append(std::to_string(i));
        text += vtest::chainblock(name, {"0", "m", "1"});
    }
    return text;
}

TEST(LatticeFile, NineteenLatticesAtMost) {
    {
        vtest::Rig rig;
        rig.latfile(lattices(19));
        ASSERT_EQ(vtest::readalllattices(rig.v()), "");
        EXPECT_EQ(rig.v().store.numlats, 19);
        EXPECT_EQ(rig.v().store.latname[19], "L19");
        EXPECT_EQ(rig.v().store.jointab[19][2][3], 3);
    }
    {
        vtest::Rig rig;
        rig.latfile(lattices(20));
        EXPECT_EQ(vtest::readalllattices(rig.v()), "Too many input lattices are given.");
        EXPECT_EQ(rig.v().store.numlats, 20);
    }
}

TEST(LatticeFile, TwentyElementsFitTheStore) {
    std::vector<std::string> names;
    for (int i = 1; i <= 20; ++i) names.push_back(std::string(1, 'e').append(std::to_string(i)));
    vtest::Rig rig;
    rig.latfile(vtest::chainblock("C20", names));
    ASSERT_EQ(vtest::readalllattices(rig.v()), "");
    const auto& st = rig.v().store;
    ASSERT_EQ(st.latsize[1], 20);
    EXPECT_EQ(st.elements[1][20], "e20");
    EXPECT_EQ(st.jointab[1][20][19], 20);
    EXPECT_EQ(st.meettab[1][20][19], 19);
}

TEST(LatticeFile, BlankTrimming) {
    std::string s = "  a b  ";
    varnel::trimleadblanks(s);
    EXPECT_EQ(s, "a b  ");
    varnel::trimtrailblanks(s);
    EXPECT_EQ(s, "a b");
    std::string t = "\t x \t";
    varnel::trimleadblanks(t);
    varnel::trimtrailblanks(t);
    EXPECT_EQ(t, "\t x \t");
    std::string blank = "   ";
    varnel::trimtrailblanks(blank);
    EXPECT_EQ(blank, "");
}

}  // namespace

namespace {

// Every way of reading a damaged file ends in the store, in the error stop or
// in the conversion failure; never outside the store.
bool cleanend(const std::string& outcome) {
    static const char* const known[] = {
        "Missing or corrupt \"\\size=\" line at the right place",
        "Missing \"\\elements ...\" line where expected",
        "Corrupt list of elements of ",
        "Corrupt  list of elements of ",
        "Missing \"\\edges\" line where expected ",
        "Unexpected end of lat.txt",
        "Invalid size of lattice ",
        "Invalid element number in the tables of ",
        "abend 1: Error: \"",
    };
    if (outcome.empty()) return true;
    for (const char* k : known)
        if (outcome.rfind(k, 0) == 0) return true;
    return false;
}

TEST(LatticeFile, DamagedFilesEndCleanly) {
    const std::string whole = lttest::readfile(fixtures + "b2c3.txt");
    vtest::Rig rig;
    auto& v = rig.v();
    auto attempt = [&](const std::string& text) {
        rig.latfile(text);
        v.store.numlats = 0;
        const std::string got = vtest::readalllattices(v);
        EXPECT_TRUE(cleanend(got)) << got << "\n" << text;
        EXPECT_LE(v.store.numlats, 2);
    };
    // The file cut at every line end and inside lines.
    for (size_t end = 0; end <= whole.size(); ++end)
        if (end % 5 == 0 || whole[end - 1] == '\n') attempt(whole.substr(0, end));
    // Every number replaced by one outside the element numbers (one of four
    // in turn), and every comma dropped.
    const char* const numbers[] = {"0", "21", "-1", "99999999999"};
    for (size_t p = 0; p < whole.size(); ++p) {
        if (whole[p] >= '0' && whole[p] <= '9') attempt(whole.substr(0, p) + numbers[p % 4] + whole.substr(p + 1));
        if (whole[p] == ',') attempt(whole.substr(0, p) + whole.substr(p + 1));
    }
}

}  // namespace
