// The echo of the assignments and constraints, and the input echo, byte for
// byte in the result file.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

// B2 (0 a b 1) and the chain C2 (0 1) whose join table leaves 0+1 out and
// whose meet table gives 0 for 1*1.
const std::string assignments =
    "% two factors and one constraint\n"
    "\\lattice=B2 \\with x=a y=b z=0\n"
    "\\lattice=C2 \\with x=0 y=1 z=1\n"
    "\n"
    "\\if B2 \\with x=a y=b z=0 \\ThenNot C2 \\with x=0 y=1 z=1";

const std::string assignmentsecho =
    "\n"
    "--->  The assingments are the following <----\n"
    "\\lattice=B2 \\with x=a y=b z=0\n"
    "\\lattice=C2 \\with x=0 y=1 z=1\n"
    "\n"
    "--->  The constraints are as follows <----\n"
    "\\if B2 \\with x=a y=b z=0 \\ThenNot C2 \\with x=0 y=1 z=1\n"
    "\n";

const std::string inputecho =
    "\n"
    "  (&&) The following input data have been used:\n"
    "2(used+unused) inital lattices; computation in 2-fold direct product\n"
    "\n"
    "The 1-th direct factor=B2;  x=a,  y=b,  z=0:\n"
    " 0, a, b, 1,\n"
    "The ordering:\n"
    " 0<=0, 0<=a, 0<=b, 0<=1, a<=a, a<=1, b<=b, b<=1, 1<=1,\n"
    "The join table of the 1-th direct factor:\n"
    " 0+0=0, 0+a=a, 0+b=b, 0+1=1,\n"
    " a+0=a, a+a=a, a+b=1, a+1=1,\n"
    " b+0=b, b+a=1, b+b=b, b+1=1,\n"
    " 1+0=1, 1+a=1, 1+b=1, 1+1=1,\n"
    "\n"
    "The meet table of the 1-th direct factor:\n"
    " 0*0=0, 0*a=0, 0*b=0, 0*1=0,\n"
    " a*0=0, a*a=a, a*b=0, a*1=a,\n"
    " b*0=0, b*a=0, b*b=b, b*1=b,\n"
    " 1*0=0, 1*a=a, 1*b=b, 1*1=1,\n"
    "\n"
    "The 2-th direct factor=C2;  x=0,  y=1,  z=1:\n"
    " 0, 1,\n"
    "The ordering:\n"
    " 0<=0, 0<=1, 1<=1,\n"
    "The join table of the 2-th direct factor:\n"
    " 0+0=0, 0+1=!,\n"
    " 1+0=1, 1+1=1,\n"
    "\n"
    "The meet table of the 2-th direct factor:\n"
    " 0*0=0, 0*1=0,\n"
    " 1*0=0, 1*1=!,\n"
    "\n"
    "\n";

TEST(Echo, AssignmentsConstraintsAndInputOfTwoFactors) {
    vtest::Rig rig;
    rig.latfile(lttest::readfile(vtest::fixtures + "b2c2.txt"));
    rig.asgfile(assignments);
    rig.openresult();
    auto& v = rig.v();
    ASSERT_EQ(vtest::outcome([&] { varnel::readassignments(v); }), "");
    varnel::prntinput(v);
    EXPECT_EQ(rig.result(), lttest::crlf(assignmentsecho + inputecho));
    EXPECT_EQ(rig.console(), "");
}

TEST(Echo, NoFactors) {
    vtest::Rig rig;
    rig.latfile(lttest::readfile(vtest::fixtures + "b2c2.txt"));
    rig.asgfile("");
    rig.openresult();
    auto& v = rig.v();
    ASSERT_EQ(vtest::outcome([&] { varnel::readassignments(v); }), "");
    varnel::prntinput(v);
    EXPECT_EQ(rig.result(), lttest::crlf("\n"
                                         "--->  The assingments are the following <----\n"
                                         "\n"
                                         "--->  The constraints are as follows <----\n"
                                         "\n"
                                         "\n"
                                         "  (&&) The following input data have been used:\n"
                                         "2(used+unused) inital lattices; computation in 0-fold direct product\n"
                                         "\n"
                                         "\n"));
}

TEST(Echo, OneLatticeUnderTwoFactors) {
    // Each factor is written out with its own choice; a one-element lattice
    // has one entry on each line.
    vtest::Rig rig;
    rig.latfile(vtest::chainblock("One", {"u"}) + vtest::chainblock("C2", {"0", "1"}));
    rig.asgfile("\\lattice=C2 \\with x=0 y=1 z=1\n\\lattice=One \\with x=u y=u z=u\n"
                "\\lattice=C2 \\with x=1 y=0 z=0\n");
    rig.openresult();
    auto& v = rig.v();
    ASSERT_EQ(vtest::outcome([&] { varnel::readassignments(v); }), "");
    rig.result();
    rig.openresult();
    varnel::prntinput(v);
    const std::string c2 =
        " 0, 1,\n"
        "The ordering:\n"
        " 0<=0, 0<=1, 1<=1,\n"
        "The join table of the N-th direct factor:\n"
        " 0+0=0, 0+1=1,\n"
        " 1+0=1, 1+1=1,\n"
        "\n"
        "The meet table of the N-th direct factor:\n"
        " 0*0=0, 0*1=0,\n"
        " 1*0=0, 1*1=1,\n";
    auto numbered = [](std::string text, char n) {
        for (size_t p; (p = text.find("N-th")) != std::string::npos;) text[p] = n;
        return text;
    };
    EXPECT_EQ(rig.result(), lttest::crlf("\n"
                                         "  (&&) The following input data have been used:\n"
                                         "2(used+unused) inital lattices; computation in 3-fold direct product\n"
                                         "\n"
                                         "The 1-th direct factor=C2;  x=0,  y=1,  z=1:\n" +
                                         numbered(c2, '1') +
                                         "\n"
                                         "The 2-th direct factor=One;  x=u,  y=u,  z=u:\n"
                                         " u,\n"
                                         "The ordering:\n"
                                         " u<=u,\n"
                                         "The join table of the 2-th direct factor:\n"
                                         " u+u=u,\n"
                                         "\n"
                                         "The meet table of the 2-th direct factor:\n"
                                         " u*u=u,\n"
                                         "\n"
                                         "The 3-th direct factor=C2;  x=1,  y=0,  z=0:\n" +
                                         numbered(c2, '3') + "\n\n"));
}

}  // namespace
