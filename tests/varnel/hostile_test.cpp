// varnel run as a program on hostile input: very long lines, every kind of
// line end, numbers beyond 32 bits, sizes and element numbers out of range,
// holes in a needed join or meet, binary garbage, files cut off after any
// line, and the console at its end at every pause. Each run must end in
// order: exit code 0, or exit code 1 with the error stop (its lines on the
// console and at the end of the result file) or the conversion failure on
// standard error; never a signal.
#include <gtest/gtest.h>

#include "common/expect.h"


#include "harness.h"

using lttest::crlf;
using lttest::endswith;
using lttest::replaced;
using lttest::RunResult;

namespace {

const std::string exe = VARNEL_EXE;
const std::string lat = lttest::readfile(vtest::fixtures + "b2c3.txt");
const std::string asg = lttest::readfile(vtest::fixtures + "b2c3asg.txt");

struct Outcome {
    RunResult r;
    std::string result;  // the result file, or "" when none was written
};

Outcome go(const std::string& latfile, const std::string& asgfile, std::vector<std::string> args = {},
           const std::string& input = "") {
    lttest::TempDir dir;
    dir.write("lat.txt", latfile);
    dir.write("asg.txt", asgfile);
    args.insert(args.begin(), {"lat.txt", "asg.txt"});
    Outcome o{lttest::run(exe, args, dir.path(), input), ""};
    const auto names = dir.list("_result");
    if (names.size() == 1) o.result = dir.read(names[0]);
    return o;
}

// The line that gives the size of the product, or "" when there is none.
std::string productline(const std::string& out) {
    const size_t at = out.find("For the subdirect product L of ");
    return at == std::string::npos ? std::string() : out.substr(at, out.find('\n', at) - at);
}

void expectstop(const Outcome& o, const std::string& message, const std::string& what) {
    lttest::expectstop(o.r, o.result, message, what);
}

void expectconversion(const Outcome& o, const std::string& text, const std::string& what) {
    lttest::expectconversion(o.r, text, what);
}

// Any orderly end: the normal end with its closing line, the error stop with
// the same message on the console and in the written file, or the conversion
// failure.
void expectorderly(const Outcome& o, const std::string& what) {
    ASSERT_EQ(o.r.signal, 0) << what;
    if (o.r.exitcode == 0) {
        EXPECT_TRUE(endswith(o.result, crlf("Thank you for using this program!\n"))) << what;
        return;
    }
    lttest::expectorderlyfailure(o.r, o.result, what);
}

// text with every line end (LF, CR LF or CR) replaced by the next of ends, in turn.
std::string withlineends(const std::string& text, const std::vector<std::string>& ends) {
    std::string out;
    size_t k = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += ends[k++ % ends.size()];
        } else {
            out += text[i];
        }
    }
    return out;
}

// Every prefix of text that ends at a line end, the empty one included.
std::vector<std::string> linecuts(const std::string& text) {
    std::vector<std::string> cuts{""};
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') cuts.push_back(text.substr(0, i + 1));
    return cuts;
}

TEST(Hostile, BaseRun) {
    const Outcome o = go(lat, asg);
    EXPECT_EQ(o.r.exitcode, 0);
    EXPECT_EQ(productline(o.r.out), "For the subdirect product L of 2 factors, |L|=10;");
}

TEST(Hostile, LongLinesAreReadWhole) {
    // Each line below is 100,000 characters or more; what stands at its end
    // still counts, so every run gives the product of the base files.
    const std::string base = productline(go(lat, asg).r.out);
    const std::string zeros(100000, '0'), blanks(100000, ' ');
    std::string ordering, joins;
    for (int i = 0; i < 20000; ++i) ordering += " 1<1,";
    for (int i = 0; i < 15000; ++i) joins += " 1+1=1,";
    struct Case {
        const char* what;
        std::string lat, asg;
    } cases[] = {
        // The first element's name is cut to five characters, the rest of the line is read on.
        {"element line", replaced(lat, "\n 0, a, b, 1,", "\n " + zeros + ", a, b, 1,"),
         replaced(replaced(asg, "B2 \\with x=a y=b z=0", "B2 \\with x=a y=b z=00000"), "B2 \\with x=a y=b z=0 ",
                  "B2 \\with x=a y=b z=00000 ")},
        {"ordering line", replaced(lat, "\n 1<1, 1<2, 1<3, 1<4,", "\n" + ordering + " 1<1, 1<2, 1<3, 1<4,"), asg},
        {"join line", replaced(lat, "\n 1+1=1, 1+2=2, 1+3=3, 1+4=4,", "\n" + joins + " 1+1=1, 1+2=2, 1+3=3, 1+4=4,"),
         asg},
        {"edge line", replaced(lat, "\n 1-2, 1-3, 2-4, 3-4,", "\n" + blanks + "1-2,"), asg},
        {"factor line", lat,
         replaced(asg, "\\lattice=C3 \\with x=0 y=c z=1", "\\lattice=C3 \\with x=0 y=c z=1" + blanks)},
        {"comment line", lat, "%" + zeros + "\r\n" + asg},
    };
    for (const auto& c : cases) {
        const Outcome o = go(c.lat, c.asg);
        EXPECT_EQ(o.r.exitcode, 0) << c.what << "\n" << o.r.out.substr(0, 2000);
        EXPECT_EQ(productline(o.r.out), base) << c.what;
    }
}

TEST(Hostile, EveryKindOfLineEnd) {
    const std::string base = productline(go(lat, asg).r.out);
    // In the mixed kinds a lone CR is never followed by a lone LF, which
    // would make one CR LF line end of the two around an empty line.
    const std::vector<std::vector<std::string>> kinds = {
        {"\n"}, {"\r"}, {"\r\n"}, {"\r\n", "\n", "\r"}, {"\n", "\r", "\r\n"}};
    for (const auto& ends : kinds) {
        const Outcome o = go(withlineends(lat, ends), withlineends(asg, ends));
        EXPECT_EQ(o.r.exitcode, 0) << ends.size() << ends[0].size();
        EXPECT_EQ(productline(o.r.out), base) << ends.size() << ends[0].size();
    }
}

TEST(Hostile, NumbersAndElementNumbersOutOfRange) {
    const std::string size = "Invalid size of lattice B2 (1 to 20 elements allowed)";
    const std::string element = "Invalid element number in the tables of B2";
    struct Case {
        std::string from, to;
        std::string stop;        // the error stop's message, or
        std::string conversion;  // the text of the conversion failure
    } cases[] = {
        {"\\size=4", "\\size=0", size, ""},
        {"\\size=4", "\\size=21", size, ""},
        {"\\size=4", "\\size=-4294967296", "", "-4294967296"},
        {"\\size=4", "\\size=4294967300", "", "4294967300"},
        {"\\size=4", "\\size=2147483648", "", "2147483648"},
        {"\\size=4", std::string("\\size=\0" "4", 8), "", std::string("\0" "4", 2)},
        {" 1<1, 1<2,", " 0<1, 1<2,", element, ""},
        {" 1<1, 1<2,", " 1<1, 1<21,", element, ""},
        {" 1<1, 1<2,", " 1<1, 1<99999999999,", "", "99999999999"},
        {"4+4=4,", "4+4=21,", element, ""},
        {"4+4=4,", "4+4=-1,", element, ""},
        {" 1*1=1,", " 21*1=1,", element, ""},
        {" 1*1=1,", " 1*0=1,", element, ""},
    };
    for (const auto& c : cases) {
        const Outcome o = go(replaced(lat, c.from, c.to), asg);
        if (c.conversion.empty())
            expectstop(o, c.stop, c.to);
        else
            expectconversion(o, c.conversion, c.to);
    }
}

TEST(Hostile, HoleInANeededJoinOrMeet) {
    // The factor B2 with x=a, y=b needs a+b and a*b: Ordanik writes 0 for a
    // join or meet that does not exist, and an entry the file leaves out is
    // missing too (both orders of the pair are changed alike).
    struct Case {
        std::string first, second, to1, to2, message;
    } cases[] = {
        {" 2+3=4,", " 3+2=4,", " 2+3=0,", " 3+2=0,", "Incomplete join table of B2"},
        {" 2+3=4,", " 3+2=4,", "", "", "Incomplete join table of B2"},
        {" 2*3=1,", " 3*2=1,", " 2*3=0,", " 3*2=0,", "Incomplete meet table of B2"},
        {" 2*3=1,", " 3*2=1,", "", "", "Incomplete meet table of B2"},
    };
    for (const auto& c : cases)
        expectstop(go(replaced(replaced(lat, c.first, c.to1), c.second, c.to2), asg), c.message, c.first + c.to1);
}

TEST(Hostile, BinaryGarbage) {
    // Bytes of every value, NUL, CR and LF among them, with keywords of both
    // files buried in them.
    const std::string garbage = lttest::readfile(vtest::fixtures + "hostile/garbage.bin");
    ASSERT_EQ(garbage.size(), 555u);
    expectorderly(go(garbage, asg), "garbage as lattice table file");
    expectorderly(go(lat, garbage), "garbage as assignment file");
    expectorderly(go(garbage, garbage), "garbage as both");
}

TEST(Hostile, FilesCutOffAfterAnyLine) {
    for (const auto& cut : linecuts(lat)) expectorderly(go(cut, asg), "lattice table file of " + std::to_string(cut.size()));
    for (const auto& cut : linecuts(asg)) {
        expectorderly(go(lat, cut), "assignment file of " + std::to_string(cut.size()));
        expectorderly(go(lat, cut, {"nnnii"}), "all subsets, assignment file of " + std::to_string(cut.size()));
    }
}

TEST(Hostile, EmptyFiles) {
    expectstop(go("", asg), "\"\\lattice=\" in asg.txt refers to a name not in lat.txt", "empty lattice table file");
    // An empty assignment file names no factor: the product of no factors.
    const Outcome o = go(lat, "");
    EXPECT_EQ(o.r.exitcode, 0);
    EXPECT_EQ(productline(o.r.out), "For the subdirect product L of 0 factors, |L|=1;");
}

TEST(Hostile, ConsoleAtItsEndAtEveryPause) {
    // Each pause returns at once when the console input is at its end: the
    // two pauses inside the help screen and the one after it, the closing
    // pause and the pause of the error stop. (The file-name prompts at the
    // end of the console input are in frame_test.cpp.)
    struct Case {
        std::string input;
        std::vector<std::string> args;
        int exitcode;
        std::string tail;
    } cases[] = {
        {"help", {}, 0, "Hit the <enter> key twice to abandon.\n"},
        {"help\n", {}, 0, "Hit the <enter> key twice to abandon.\n"},
        {"help\n\n", {}, 0, "Hit the <enter> key twice to abandon.\n"},
        {"help\n\n\n", {}, 0, "Hit the <enter> key twice to abandon.\n"},
        {"", {"lat.txt", "asg.txt"}, 0, "Thank you for using this program! Hit <enter> twice to quit.\n"},
        {"\n", {"lat.txt", "asg.txt"}, 0, "Thank you for using this program! Hit <enter> twice to quit.\n"},
        {"", {"lat.txt", "lat.txt"}, 1, "  Press <enter> to quit\n"},
    };
    for (const auto& c : cases) {
        lttest::TempDir dir;
        dir.write("lat.txt", lat);
        dir.write("asg.txt", asg);
        const RunResult r = lttest::run(exe, c.args, dir.path(), c.input);
        EXPECT_EQ(r.signal, 0) << c.input;
        EXPECT_EQ(r.exitcode, c.exitcode) << c.input;
        EXPECT_TRUE(endswith(r.out, c.tail)) << c.input << "\n" << r.out;
    }
}

}  // namespace
