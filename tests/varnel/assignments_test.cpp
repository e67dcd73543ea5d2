// The assignment file: factor lines, constraint lines, their faults with the
// exact messages, and the limits.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

// B2 (0 a b 1), the chain C3 (0 c 1), Dup with two elements named p, and the
// chain Long whose middle element has a five-character name.
std::string lats() {
    return "% lattices\r\n" + vtest::b2block("B2", {"0", "a", "b", "1"}) + vtest::chainblock("C3", {"0", "c", "1"}) +
           vtest::b2block("Dup", {"0", "p", "p", "1"}) + vtest::chainblock("Long", {"0", "alpha", "1"});
}

const std::string f1 = "\\lattice=B2 \\with x=a y=b z=0\n";
const std::string f2 = "\\lattice=C3 \\with x=0 y=c z=1\n";
const std::string good = "\\if B2 \\with x=a y=b z=0 \\ThenNot C3 \\with x=0 y=c z=1";

// Reads the lattices and the assignment file asg; gives the outcome.
struct Read {
    vtest::Rig rig;
    std::string message;
    explicit Read(const std::string& asg) {
        rig.latfile(lats());
        rig.asgfile(asg);
        rig.openresult();
        message = vtest::outcome([&] { varnel::readassignments(rig.v()); });
    }
    const varnel::Factors& facts() { return rig.v().facts; }
};

TEST(Assignments, FactorLineFaults) {
    const std::pair<std::string, std::string> cases[] = {
        {"\\lattice=B3 \\with x=a y=b z=0\n%\n", "\"\\lattice=\" in asg.txt refers to a name not in lat.txt"},
        {"\\lattice=b2 \\with x=a y=b z=0\n%\n", "\"\\lattice=\" in asg.txt refers to a name not in lat.txt"},
        {"\\lattice=B2\n%\n", "\"\\lattice=\" in asg.txt refers to a name not in lat.txt"},
        {"\\lattice=B2  \\with x=a y=b z=0\n%\n", "Wrong \\lattice= ... line in asg.txt"},
        {"\\lattice=B2 \\With x=a y=b z=0\n%\n", "Wrong \\lattice= ... line in asg.txt"},
        {"\\lattice=B2 \\with x=a  y=b z=0\n%\n", "Wrong \\lattice= ... line in asg.txt"},
        {"\\lattice=B2 \\with x=a y=b  z=0\n%\n", "Wrong \\lattice= ... line in asg.txt"},
        {"\\lattice=B2 \\with x=a y=b Z=0\n%\n", "Wrong \\lattice= ... line in asg.txt"},
        {"\\lattice=B2 \\with x=q y=b z=0\n%\n", "Invalid \"\\lattice=... line (wrong x) in asg.txt"},
        {"\\lattice=B2 \\with x=c y=b z=0\n%\n", "Invalid \"\\lattice=... line (wrong x) in asg.txt"},
        {"\\lattice=B2 \\with x=a y=B z=0\n%\n", "Invalid \"\\lattice=... line (wrong y) in asg.txt"},
        {"\\lattice=B2 \\with x=a y=b z=2\n%\n", "Invalid \"\\lattice=... line (wrong z) in asg.txt"},
        {"\\lattice=B2 \\with x=a y=b z=0 1\n%\n", "Invalid \"\\lattice=... line (wrong z) in asg.txt"},
        // Names after "x=" and "y=" are cut to 5 characters and then match;
        // the text after "z=" is taken whole and never matches.
        {"\\lattice=Long \\with x=alphabet y=0 z=alphabet\n%\n",
         "Invalid \"\\lattice=... line (wrong z) in asg.txt"},
        // The second factor line is checked like the first.
        {f1 + "\\lattice=C3 \\with x=0 y=c z=b\n%\n", "Invalid \"\\lattice=... line (wrong z) in asg.txt"},
    };
    for (const auto& [asg, message] : cases) EXPECT_EQ(Read(asg).message, message) << asg;
}

TEST(Assignments, FactorLinesThatAreRead) {
    // Blanks after the z name are allowed; names longer than 5 after x= and y= are cut.
    Read r("% factors\n\n" + f1 + "\\lattice=Long \\with x=alphabet y=alphas z=1   \n" +
           "\\lattice=Dup \\with x=p y=0 z=p\n% the end\n");
    ASSERT_EQ(r.message, "");
    ASSERT_EQ(r.facts().numdirfacts, 3);
    const auto& d = r.facts().dirfacts;
    EXPECT_EQ(d[1].factname, "B2");
    EXPECT_EQ(d[1].latwh, 1);
    EXPECT_EQ(d[1].x, 2);
    EXPECT_EQ(d[1].y, 3);
    EXPECT_EQ(d[1].z, 1);
    EXPECT_EQ(d[2].latwh, 4);
    EXPECT_EQ(d[2].x, 2);
    EXPECT_EQ(d[2].y, 2);
    EXPECT_EQ(d[2].z, 3);
    // Two elements of the same name: the later one is chosen.
    EXPECT_EQ(d[3].latwh, 3);
    EXPECT_EQ(d[3].x, 3);
    EXPECT_EQ(d[3].z, 3);
    EXPECT_EQ(r.facts().numconstraints, 0);
}

TEST(Assignments, LinesThatAreNoFactorLinesArePassedOver) {
    // A leading blank or another letter case: not a factor line, no message.
    Read r(" \\lattice=B2 \\with x=a y=b z=0\n\\Lattice=B2 \\with x=a y=b z=0\nsome text\n" + f2 + "%\n");
    ASSERT_EQ(r.message, "");
    ASSERT_EQ(r.facts().numdirfacts, 1);
    EXPECT_EQ(r.facts().dirfacts[1].factname, "C3");
}

TEST(Assignments, EmptyFileAndFilesThatEndTooSoon) {
    {
        Read r("");
        EXPECT_EQ(r.message, "");
        EXPECT_EQ(r.facts().numdirfacts, 0);
        EXPECT_EQ(r.facts().numconstraints, 0);
    }
    // The first factor or constraint line may not be the last line of the file.
    const std::string cases[] = {
        f1,
        "\\lattice=B2 \\with x=a y=b z=0",
        "% comment\n\n" + f1,
        good + "\n",
        "% nothing but comments\n%\n",
        "\n",
    };
    for (const auto& asg : cases) EXPECT_EQ(Read(asg).message, "Unexpected end of asg.txt") << asg;
    // A second line of any kind after the first factor line avoids it.
    for (const std::string tail : {"%", "\n", "text"}) {
        Read r(f1 + tail);
        EXPECT_EQ(r.message, "") << tail;
        EXPECT_EQ(r.facts().numdirfacts, 1) << tail;
    }
}

TEST(Assignments, ConstraintLineFaults) {
    const std::string head = f1 + f2;
    const std::string left = "\\if B2 \\with x=a y=b z=0 ";
    const std::pair<std::string, std::string> lines[] = {
        {"\\if B2", "(-1)Wrong constraint line ending with B2|of|"},
        {"\\if B2 \\width x=a y=b z=0", "(1)Wrong constraint  line ending with \\width x=a y=b z=0|of|"},
        {"\\if B2 \\with x=a", "(2)Wrong constraint line ending with a|of|"},
        {"\\if B2 \\with x=a  y=b z=0", "(3)Wrong constraint  line ending with  y=b z=0|of|"},
        {"\\if B2 \\with x=a y=b", "(4)Wrong constraint line ending with b|of|"},
        {"\\if B2 \\with x=a y=b Z=0", "(5)Wrong constraint  line ending with Z=0|of|"},
        {"\\if B2 \\with x=a y=b z=0", "(6)Wrong constraint line ending with 0|of|"},
        {left + "\\Thennot C3", "(7)Wrong constraint  line ending with \\Thennot C3|of|"},
        {left + "\\ThenNot C3", "(8)Wrong constraint line ending with C3|of|"},
        {left + "\\ThenNot C3 \\with  x=0 y=c z=1", "(10)Wrong constraint  line ending with \\with  x=0 y=c z=1|of|"},
        {left + "\\ThenNot C3 \\with x=0", "(11)Wrong constraint line ending with 0|of|"},
        {left + "\\ThenNot C3 \\with x=0 q=c z=1", "(12)Wrong constraint  line ending with q=c z=1|of|"},
        {left + "\\ThenNot C3 \\with x=0 y=c", "(13)Wrong constraint line ending with c|of|"},
        {left + "\\ThenNot C3 \\with x=0 y=c  z=1", "(14)Wrong constraint  line ending with  z=1|of|"},
        // Sides that match no factor.
        {"\\if B2 \\with x=b y=a z=0 \\ThenNot C3 \\with x=0 y=c z=1", "(0)Wrong  constraint line:|"},
        {left + "\\ThenNot C3 \\with x=0 y=c z=c", "(0)Wrong  constraint line:|"},
        {left + "\\ThenNot B3 \\with x=0 y=c z=1", "(0)Wrong  constraint line:|"},
    };
    for (const auto& [line, prefix] : lines) {
        // The fault on the only constraint line, and on a second one.
        EXPECT_EQ(Read(head + line + "\n%").message, prefix + line) << line;
        EXPECT_EQ(Read(head + good + "\n" + line).message, prefix + line) << line;
    }
}

TEST(Assignments, WhatFollowsTheFirstConstraintLineIsAConstraintLine) {
    const std::string head = f1 + f2 + good + "\n";
    // A comment or empty line as the file's last line.
    EXPECT_EQ(Read(head + "% end").message, "(-1)Wrong constraint line ending with nd|of|% end");
    EXPECT_EQ(Read(head + "\n").message, "(-1)Wrong constraint line ending with |of|");
    // Comment and empty lines before it are passed over.
    EXPECT_EQ(Read(head + "% c\n\n% d\n" + good).message, "");
    // A factor line after the first constraint line.
    const std::string late = "\\lattice=C3 \\with x=0 y=c z=1";
    EXPECT_EQ(Read(head + late).message, "(6)Wrong constraint line ending with 1|of|" + late);
}

TEST(Assignments, ConstraintLinesThatAreRead) {
    // Two factors on the same lattice, told apart by their elements.
    const std::string head = f1 + f2 + "\\lattice=B2 \\with x=b y=a z=1\n";
    const std::pair<std::string, std::pair<int, int>> cases[] = {
        {good, {1, 2}},
        {"\\ifB2 \\with x=a y=b z=0 \\ThenNotC3 \\with x=0 y=c z=1", {1, 2}},
        {"\\if   B2   \\with x=a y=b z=0   \\ThenNot   C3   \\with x=0 y=c z=1   and more", {1, 2}},
        {"\\if C3 \\with x=0 y=c z=1 \\ThenNot B2 \\with x=b y=a z=1", {2, 3}},
        // Both sides name the same factor.
        {"\\if B2 \\with x=a y=b z=0 \\ThenNot B2 \\with x=a y=b z=0", {1, 1}},
    };
    for (const auto& [line, sides] : cases) {
        Read r(head + line);
        ASSERT_EQ(r.message, "") << line;
        ASSERT_EQ(r.facts().numconstraints, 1) << line;
        EXPECT_EQ(r.facts().constraints[1].iffact, sides.first) << line;
        EXPECT_EQ(r.facts().constraints[1].thennotfact, sides.second) << line;
    }
}

TEST(Assignments, FiftyConstraintsAtMost) {
    std::string asg = f1 + f2;
    for (int i = 1; i <= 50; ++i) asg += good + "\n";
    {
        Read r(asg);
        ASSERT_EQ(r.message, "");
        EXPECT_EQ(r.facts().numconstraints, 50);
    }
    EXPECT_EQ(Read(asg + good).message, "Too many constraints!");
}

TEST(Assignments, FiftyFactorsAtMost) {
    // The 51st factor line and what follows it are not read.
    std::string asg;
    for (int i = 1; i <= 50; ++i) asg += f1;
    Read r(asg + f2 + good + "\n%\n");
    ASSERT_EQ(r.message, "");
    EXPECT_EQ(r.facts().numdirfacts, 50);
    EXPECT_EQ(r.facts().dirfacts[50].factname, "B2");
    EXPECT_EQ(r.facts().numconstraints, 0);
}

}  // namespace

namespace {

TEST(Assignments, DamagedFilesEndCleanly) {
    // The assignment file cut after every byte, and with every blank dropped:
    // each ends with the factors read or in the error stop, never elsewhere.
    const std::string whole =
        f1 + f2 + "% c\n" + good + "\n" + "\\if C3 \\with x=0 y=c z=1 \\ThenNot B2 \\with x=a y=b z=0";
    vtest::Rig rig;
    auto& v = rig.v();
    rig.latfile(lats());
    ASSERT_EQ(vtest::readalllattices(v), "");
    auto attempt = [&](const std::string& asg) {
        v.facts = varnel::Factors{};
        rig.asgfile(asg);
        rig.openresult();
        try {
            varnel::readassignments(v);
        } catch (const varnel::ErrorStop&) {
        } catch (...) {
            ADD_FAILURE() << "no clean end for\n" << asg;
        }
        EXPECT_LE(v.facts.numdirfacts, 2);
        EXPECT_LE(v.facts.numconstraints, 2);
    };
    for (size_t end = 0; end <= whole.size(); ++end) attempt(whole.substr(0, end));
    for (size_t p = 0; p < whole.size(); ++p)
        if (whole[p] == ' ') attempt(whole.substr(0, p) + whole.substr(p + 1));
}

}  // namespace
