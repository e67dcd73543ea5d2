// Ordanik run as a program: console, report file and exit code.
#include <gtest/gtest.h>

#include "common/expect.h"

#include <filesystem>
#include <map>
#include <sstream>

#include "common/runner.h"

using lttest::crlf;
using lttest::maskclock;
using lttest::run;
using lttest::TempDir;

namespace {

const std::string exe = ORDANIK_EXE;
const std::string fixtures = std::string(LT_FIXTURES) + "/ordanik/fixtures/";

const std::string banner = "Ordanik version August 24, 2020: to decide if a poset is a lattice.";
const std::string attribution = "Checks which finite posets are lattices and writes their operation tables.";
const std::string consolehead = banner + "\n" + attribution + "\n\n";
const std::string reporthead = crlf("% " + banner + "\n% " + attribution + "\n%\n") +
                               crlf("%  Started (after inputting):  date is (DD/MM/YY)) D/M/Y, at H:M:S:MS\n");
const std::string prompt = "Enter the name of input file or enter \"help\" (without quotion marks): ";
const std::string closing = "Thank you for using this program.   Hit <enter> twice to abandon!\n";

std::string errorconsole(const std::string& message) {
    return "\a\nError in data; possibly/appeared at: \n" + message + "\n  Press <enter> to quit\n";
}

std::string errorreport(const std::string& message) {
    return crlf("Error in data; possibly/appeared at: \n" + message + "\n");
}

using lttest::endswith;

// A temporary folder holding the fixture as posets.txt.
struct Case {
    TempDir dir;
    explicit Case(const std::string& fixture) { dir.write("posets.txt", lttest::readfile(fixtures + fixture)); }
    lttest::RunResult go(std::vector<std::string> args = {"posets.txt"}, const std::string& input = "") {
        return run(exe, args, dir.path(), input);
    }
};

}  // namespace

TEST(OrdanikEndToEnd, BadPosetFilesStopWithTheirMessage) {
    const std::pair<const char*, std::string> cases[] = {
        {"nothing.txt", "The input file contains no poset"},
        {"nobeginposet.txt", "\\beginposet is not found in:   \\name"},
        {"nonamekeyword.txt", "\\name  is not found in:    \\size"},
        {"noname.txt", " The name of a poset is missing"},
        {"nosize.txt", "Command line \"\\size\" is missing"},
        {"size1.txt", "Invalid or too large size:    \\size"},
        {"size61.txt", "Invalid or too large size:    \\size"},
        {"noelements.txt", "Instead of \"\\elements\", the program found:  0-a,b-1"},
        {"longelement.txt", "Corrupt line (element names too long or too few?): abcdef,b,1"},
        {"tab.txt", "Invalid character in element name:  a\tb\tc"},
        {"badchar.txt", "Invalid character in element name:  l,1"},
        {"repeated.txt", "Repeated element name:  a"},
        {"morenames.txt", "More element names than expected in B2: 1"},
        {"toofew.txt", "Too few element names listed for B2"},
        {"toofewkeyword.txt", "Corrupt line (element names too long or too few?): \\edges"},
        {"noedges.txt", "Instead of \"\\edges\", the program found:  \\endposet"},
        {"edgenohyphen.txt", "Incorrect edge in:  b"},
        {"edgelonglower.txt", "Incorrect edge in:  aaaaaa-1"},
        {"edgelongupper.txt", "Incorrect edge of B2 ,  abcdef"},
        {"edgeunknown.txt", "Edge between unknown element(s) in B2"},
        {"edgeopposite.txt", "Opposite edge in  B2"},
        {"edgereflexive.txt", "\"Reflexivity edge\" in  B2"},
        {"edgeseof.txt", "Unexpected input line or no line: "},
        {"endposetlast.txt", "Unexpected end of file while processing B2"},
        {"neighbours.txt", "Neighbouring commas or hyphens in a line, leading to 0-,-a"},
        {"outsidetext.txt", "Neighbouring commas or hyphens in a line, leading to see-a,-,b"},
        {"toomany.txt", "Too many posets"},
        {"cycle.txt", "Incorrect edges (antisymmetry is violated): T"},
        {"noupper.txt", "No upper bound of two elements of V"},
        {"nolower.txt", "No lower bound of two elements of W"},
        {"cutoff.txt", "\\name  is not found in:    "},
    };
    for (const auto& [fixture, message] : cases) {
        Case c(fixture);
        auto r = c.go();
        EXPECT_EQ(r.exitcode, 1) << fixture;
        EXPECT_EQ(r.out, consolehead + "posets.txt has been opened.\n" + errorconsole(message)) << fixture;
        EXPECT_EQ(r.err, "") << fixture;
        std::string report = maskclock(c.dir.read("posets_r0.txt"));
        EXPECT_EQ(report.substr(0, reporthead.size()), reporthead) << fixture;
        EXPECT_TRUE(endswith(report, errorreport(message))) << fixture << "\n" << report;
    }
}

TEST(OrdanikEndToEnd, LongErrorMessagesAreCutTo255) {
    Case c("longline.txt");
    auto r = c.go();
    EXPECT_EQ(r.exitcode, 1);
    std::string prefix = "Neighbouring commas or hyphens in a line, leading to 0-a,0-b,a-1,b-1,x-y,";
    size_t at = r.out.find(prefix);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(r.out.find('\n', at) - at, 255u);
}

TEST(OrdanikEndToEnd, SizeThatIsNoNumberEndsTheRunAtOnce) {
    const std::pair<const char*, const char*> cases[] = {{"badsize.txt", "four"}, {"sizeateof.txt", ""}};
    for (const auto& [fixture, text] : cases) {
        Case c(fixture);
        auto r = c.go();
        EXPECT_EQ(r.exitcode, 1) << fixture;
        EXPECT_EQ(r.err, std::string("Error: \"") + text + "\" is not a valid integer\n");
        EXPECT_EQ(r.out, consolehead + "posets.txt has been opened.\n");
        EXPECT_EQ(maskclock(c.dir.read("posets_r0.txt")), reporthead);
    }
}

TEST(OrdanikEndToEnd, GoodRunInHumanMode) {
    Case c("two.txt");
    auto r = c.go();
    EXPECT_EQ(r.exitcode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, consolehead + "posets.txt has been opened.\n" + closing);
    std::string report = maskclock(c.dir.read("posets_r0.txt"));
    std::string body = crlf(
        "\\P two lattices\n"
        "% Terminated:  date is (DD/MM/YY)) D/M/Y, at H:M:S:MS\n"
        "\n"
        "\\Poset=B2, i.e., the 1-st/-nd/-rd/-th poset is a LATTICE:\n"
        "\\size=4\n"
        "\\elements:\n"
        " 0, a, b, 1,\n"
        "\\edges:\n"
        " 0-a, 0-b, a-1, b-1,\n"
        "\\ordering:\n"
        " 0<0, 0<a, 0<b, 0<1, a<a, a<1, b<b, b<1, 1<1,\n"
        "\\Join table for B2:\n"
        " 0+0=0, 0+a=a, 0+b=b, 0+1=1, a+0=a, a+a=a, a+b=1, a+1=1, b+0=b, b+a=1,\n"
        " b+b=b, b+1=1, 1+0=1, 1+a=1, 1+b=1, 1+1=1,\n"
        "\\Meet table for B2:\n"
        " 0*0=0, 0*a=0, 0*b=0, 0*1=0, a*0=0, a*a=a, a*b=0, a*1=a, b*0=0, b*a=0,\n"
        " b*b=b, b*1=b, 1*0=0, 1*a=a, 1*b=b, 1*1=1,\n"
        "\n"
        "\\Poset=N5-pentagon, i.e., the 2-st/-nd/-rd/-th poset is a LATTICE:\n");
    EXPECT_EQ(report.substr(0, reporthead.size() + body.size()), reporthead + body);
    EXPECT_TRUE(endswith(report, crlf("\n\nThank you for using this program!\n")));
}

TEST(OrdanikEndToEnd, EmptyInputGivesAReportWithoutPosets) {
    TempDir dir;
    dir.write("posets.txt", "");
    auto r = run(exe, {"posets.txt"}, dir.path());
    EXPECT_EQ(r.exitcode, 0);
    EXPECT_EQ(maskclock(dir.read("posets_r0.txt")),
              reporthead + crlf("% Terminated:  date is (DD/MM/YY)) D/M/Y, at H:M:S:MS\n\nThank you for using this program!\n"));
}

TEST(OrdanikEndToEnd, NumericModeOnlyForExactlynOrN) {
    const std::pair<const char*, bool> cases[] = {{"n", true}, {"N", true}, {"nn", false}, {"no", false},
                                                  {"-n", false}, {"", false}};
    for (const auto& [mode, numeric] : cases) {
        Case c("two.txt");
        auto r = c.go({"posets.txt", mode});
        EXPECT_EQ(r.exitcode, 0) << mode;
        EXPECT_EQ(r.out, consolehead + "posets.txt has been opened.\n" + (numeric ? "\\enddata\n" : "") + closing)
            << mode;
        std::string report = c.dir.read("posets_r0.txt");
        EXPECT_EQ(report.find("\\endlattice") != std::string::npos, numeric) << mode;
        EXPECT_EQ(report.find("\\P two lattices") != std::string::npos, !numeric) << mode;
        EXPECT_EQ(endswith(report, "Thank you for using this program!\r\n"), !numeric) << mode;
    }
}

TEST(OrdanikEndToEnd, ReportNamesFollowTheTakenOnes) {
    Case c("two.txt");
    EXPECT_EQ(c.go().exitcode, 0);
    EXPECT_EQ(c.go().exitcode, 0);
    EXPECT_EQ(c.dir.list("posets_r"), (std::vector<std::string>{"posets_r0.txt", "posets_r1.txt"}));
    // Any entry takes a name, a folder too.
    std::filesystem::create_directory(c.dir.file("posets_r2.txt"));
    EXPECT_EQ(c.go().exitcode, 0);
    EXPECT_TRUE(c.dir.exists("posets_r3.txt"));

    // An input without extension, in a folder with a dot in its name.
    std::filesystem::create_directory(c.dir.file("a.b"));
    c.dir.write("a.b/posets", c.dir.read("posets.txt"));
    EXPECT_EQ(c.go({"a.b/posets"}).exitcode, 0);
    EXPECT_TRUE(c.dir.exists("a.b/posets_r0"));
}

TEST(OrdanikEndToEnd, AllThirtyFiveNamesTaken) {
    Case c("two.txt");
    for (char ch : std::string("0123456789abcdefghijkmnopqrstuvwxyz")) c.dir.write(std::string("posets_r") + ch + ".txt", "");
    auto r = c.go();
    EXPECT_EQ(r.exitcode, 1);
    EXPECT_EQ(r.out, consolehead + "posets.txt has been opened.\n" +
                         errorconsole("Error: delete some of the posets.txt_r? files!"));
    EXPECT_EQ(c.dir.list("posets_r").size(), 35u);
    for (const auto& name : c.dir.list("posets_r")) EXPECT_EQ(c.dir.read(name), "") << name;
}

TEST(OrdanikEndToEnd, FileNamePrompt) {
    Case c("two.txt");
    std::filesystem::create_directory(c.dir.file("folder"));
    struct Prompted {
        std::vector<std::string> args;
        std::string input, out;
        int exitcode;
    } cases[] = {
        {{}, "", prompt + "No file name was given.\n", 1},
        {{"missing.txt"}, "", prompt + "No file name was given.\n", 1},
        {{"folder"}, "\n\nHelp\nfolder\n", prompt + prompt + prompt + "This file does not exist!\a\n" + prompt +
                                             "This file does not exist!\a\n" + prompt + "No file name was given.\n", 1},
        {{}, "missing.txt\nposets.txt\n", prompt + "This file does not exist!\a\n" + prompt +
                                              "posets.txt has been opened.\n" + closing, 0},
    };
    for (const auto& p : cases) {
        auto r = c.go(p.args, p.input);
        EXPECT_EQ(r.exitcode, p.exitcode) << p.input;
        EXPECT_EQ(r.out, consolehead + p.out) << p.input;
    }
}

TEST(OrdanikEndToEnd, HelpScreen) {
    TempDir dir;
    auto r = run(exe, {}, dir.path(), "help\n");
    EXPECT_EQ(r.exitcode, 0);
    std::string expected =
        consolehead + prompt +
        "The progam uses two parameters. The first one is the name of the input file;\n"
        "it is compulsory.  The second one is optional. If the second parameter is \"n\"\n"
        "then the output file consists of command lines and Numbers, so the output file\n"
        "is very appropriate to be the input of another program. Otherwise, the output\n"
        "file is for humans to read.  The input file is a txt file and follows a strict\n"
        "syntax; see the 0-sample-input.txt  file that goes with the program.  The\n"
        "the input file should be in the same folder as the program itself.\n"
        "   If you want an output readable by humans, then no second parameter is\n"
        "needed and you can simply drag the output file onto the program.\n"
        "   If you want an output file with numbers, then you can type \n"
        "ordanik TheNameOfTheInputFile.txt n        in Windows Command Prompt but it\n"
        "is more convenient to create a shortcut (and modify it from time to time).\n"
        "   Although many features of the input posets are verified, an improper input\n"
        "file can cause a runtime error. The program is as is, nothing is guaranteed!\n"
        "   Hit the <enter> key twice to abandon.\n";
    EXPECT_EQ(r.out, expected);
    EXPECT_TRUE(dir.list().empty());
}
