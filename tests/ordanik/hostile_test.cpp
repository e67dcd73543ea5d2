// Ordanik run as a program on hostile input: very long lines, every kind of
// line end, sizes beyond 32 bits or out of range, NUL bytes and binary
// garbage, files cut off after any line, a report file that cannot be
// created, and the console at its end at every pause. Each run must end in
// order: exit code 0, or exit code 1 with the error stop (its lines on the
// console and at the end of the report file) or the conversion failure on
// standard error, or exit code 2 for the I/O failure; never a signal.
#include <gtest/gtest.h>

#include "common/expect.h"

#include <regex>
#include <sys/stat.h>
#include <unistd.h>

#include "common/runner.h"

using lttest::crlf;
using lttest::endswith;
using lttest::replaced;
using lttest::maskclock;
using lttest::RunResult;

namespace {

const std::string exe = ORDANIK_EXE;
const std::string fixtures = std::string(LT_FIXTURES) + "/ordanik/fixtures/";
const std::string m3n5 = lttest::readfile(fixtures + "m3n5.txt");

struct Outcome {
    RunResult r;
    std::string report;  // the report file, clock masked; "" when none was written
};

Outcome go(const std::string& posets, bool numeric = false, const std::string& input = "") {
    lttest::TempDir dir;
    dir.write("posets.txt", posets);
    std::vector<std::string> args{"posets.txt"};
    if (numeric) args.push_back("n");
    Outcome o{lttest::run(exe, args, dir.path(), input), ""};
    if (dir.exists("posets_r0.txt")) o.report = maskclock(dir.read("posets_r0.txt"));
    return o;
}

void expectstop(const Outcome& o, const std::string& message, const std::string& what) {
    lttest::expectstop(o.r, o.report, message, what);
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
        EXPECT_TRUE(endswith(o.r.out, "Thank you for using this program.   Hit <enter> twice to abandon!\n")) << what;
        return;
    }
    lttest::expectorderlyfailure(o.r, o.report, what);
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

TEST(OrdanikHostile, LongLinesAreReadWhole) {
    // Each changed line is 100,000 characters or more; what stands at its end
    // still counts, so the report is that of the base file in both modes.
    const std::string blanks(100000, ' ');
    std::string edges;
    for (int i = 0; i < 25000; ++i) edges += "0-a ";
    const std::pair<const char*, std::string> cases[] = {
        {"element line", replaced(m3n5, "0 a b c 1", "0" + blanks + "a b c 1")},
        {"edge line", replaced(m3n5, "0-a 0-b", edges + "0-a 0-b")},
        {"comment line", replaced(m3n5, "% The diamond", "%" + blanks + "x The diamond")},
    };
    for (bool numeric : {false, true}) {
        const std::string base = go(m3n5, numeric).report;
        for (const auto& [what, posets] : cases) {
            const Outcome o = go(posets, numeric);
            EXPECT_EQ(o.r.exitcode, 0) << what;
            EXPECT_EQ(o.report, base) << what;
        }
    }
    // A print line goes to the report whole.
    const std::string print = "\\P " + blanks + "end of the print line";
    const Outcome o = go(print + "\n" + m3n5);
    EXPECT_EQ(o.r.exitcode, 0);
    EXPECT_NE(o.report.find(crlf(print + "\n")), std::string::npos);
    // A poset name is cut to 30 characters.
    const Outcome named = go(replaced(m3n5, "\nM3\r\n", "\nM3" + std::string(100000, 'x') + "\r\n"));
    EXPECT_EQ(named.r.exitcode, 0);
    EXPECT_NE(named.report.find("\\Poset=M3" + std::string(28, 'x') + ", i.e.,"), std::string::npos);
}

TEST(OrdanikHostile, EveryKindOfLineEnd) {
    // In the mixed kinds a lone CR is never followed by a lone LF, which
    // would make one CR LF line end of the two around an empty line.
    const std::vector<std::vector<std::string>> kinds = {
        {"\n"}, {"\r"}, {"\r\n"}, {"\r\n", "\n", "\r"}, {"\n", "\r", "\r\n"}};
    for (bool numeric : {false, true}) {
        const std::string base = go(m3n5, numeric).report;
        for (const auto& ends : kinds) {
            const Outcome o = go(withlineends(m3n5, ends), numeric);
            EXPECT_EQ(o.r.exitcode, 0) << ends.size() << ends[0].size();
            EXPECT_EQ(o.report, base) << ends.size() << ends[0].size();
        }
    }
}

TEST(OrdanikHostile, SizesAndNames) {
    const std::string size = "Invalid or too large size:    \\size";
    struct Case {
        std::string from, to;
        std::string stop;        // the error stop's message, or
        std::string conversion;  // the text of the conversion failure
    } cases[] = {
        {"\\size\r\n5", "\\size\r\n1", size, ""},
        {"\\size\r\n5", "\\size\r\n61", size, ""},
        {"\\size\r\n5", "\\size\r\n-5", size, ""},
        {"\\size\r\n5", "\\size\r\n4294967301", "", "4294967301"},
        {"\\size\r\n5", "\\size\r\n-2147483649", "", "-2147483649"},
        {"\\size\r\n5", std::string("\\size\r\n5\0", 9), "", std::string("5\0", 2)},
        {"\\size\r\n5", std::string("\\size\r\n\0", 8), "", std::string("\0", 1)},
        {"0 a b c 1", std::string("0 a\0 b c 1", 10), std::string("Invalid character in element name:  a\0,b,c,1", 44),
         ""},
        {"0 a b c 1", "0 a b c 1 d", "More element names than expected in M3: d", ""},
        {"0-a 0-b", "0-a 0-z", "Edge between unknown element(s) in M3", ""},
    };
    for (const auto& c : cases) {
        const Outcome o = go(replaced(m3n5, c.from, c.to));
        if (c.conversion.empty())
            expectstop(o, c.stop, c.to);
        else
            expectconversion(o, c.conversion, c.to);
    }
}

TEST(OrdanikHostile, BinaryGarbage) {
    // Bytes of every value, NUL, CR and LF among them, with the keywords of
    // a poset buried in them.
    const std::string garbage = lttest::readfile(fixtures + "hostile/garbage.bin");
    ASSERT_EQ(garbage.size(), 545u);
    for (bool numeric : {false, true}) {
        expectorderly(go(garbage, numeric), "garbage");
        expectorderly(go(m3n5 + garbage, numeric), "garbage after the posets");
        expectorderly(go(replaced(m3n5, "\\enddata", garbage), numeric), "garbage instead of \\enddata");
    }
}

TEST(OrdanikHostile, FileCutOffAfterAnyLine) {
    for (bool numeric : {false, true})
        for (size_t i = 0; i <= m3n5.size(); ++i)
            if (i == 0 || m3n5[i - 1] == '\n')
                expectorderly(go(m3n5.substr(0, i), numeric), "cut after " + std::to_string(i));
}

TEST(OrdanikHostile, ReportFileThatCannotBeCreated) {
    // The report goes beside the input file: nothing can be created in /proc,
    // not even by root. The I/O failure ends the run before any poset is read.
    const RunResult r = lttest::run(exe, {"/proc/self/status"}, "/");
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitcode, 2);
    EXPECT_TRUE(std::regex_match(r.err, std::regex("I/O error on \"/proc/self/status_r0\": .+\n"))) << r.err;
    EXPECT_TRUE(endswith(r.out, "/proc/self/status has been opened.\n")) << r.out;
}

TEST(OrdanikHostile, ReportFileInAReadOnlyFolder) {
    if (geteuid() == 0) GTEST_SKIP() << "root can write into a read-only folder";
    lttest::TempDir dir;
    dir.write("posets.txt", m3n5);
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    const RunResult r = lttest::run(exe, {"posets.txt"}, dir.path());
    chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(r.exitcode, 2);
    EXPECT_TRUE(std::regex_match(r.err, std::regex("I/O error on \"posets_r0.txt\": .+\n"))) << r.err;
}

TEST(OrdanikHostile, ConsoleAtItsEndAtEveryPause) {
    // Each pause returns at once when the console input is at its end: the
    // help screen's, the closing one and the error stop's. (The file-name
    // prompt at the end of the console input is in endtoend_test.cpp.)
    struct Case {
        std::string posets, input;
        std::vector<std::string> args;
        int exitcode;
        std::string tail;
    } cases[] = {
        {m3n5, "help", {}, 0, "   Hit the <enter> key twice to abandon.\n"},
        {m3n5, "help\n", {}, 0, "   Hit the <enter> key twice to abandon.\n"},
        {m3n5, "", {"posets.txt"}, 0, "Thank you for using this program.   Hit <enter> twice to abandon!\n"},
        {m3n5, "\n", {"posets.txt"}, 0, "Thank you for using this program.   Hit <enter> twice to abandon!\n"},
        {"% nothing", "", {"posets.txt"}, 1, "  Press <enter> to quit\n"},
    };
    for (const auto& c : cases) {
        lttest::TempDir dir;
        dir.write("posets.txt", c.posets);
        const RunResult r = lttest::run(exe, c.args, dir.path(), c.input);
        EXPECT_EQ(r.signal, 0) << c.input;
        EXPECT_EQ(r.exitcode, c.exitcode) << c.input;
        EXPECT_TRUE(endswith(r.out, c.tail)) << c.input << "\n" << r.out;
    }
}

}  // namespace
