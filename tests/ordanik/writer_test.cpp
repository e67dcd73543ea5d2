#include <gtest/gtest.h>

#include "ordanik/harness.h"
#include "ordanik/stamp.h"
#include "ordanik/writer.h"

using namespace ordanik;
using ordtest::Harness;
using ordtest::poset;

namespace {

std::string joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\n";
    return s;
}

// The block of the first poset of text, examined as in a run.
std::string block(const std::string& text, bool numeric) {
    Harness h(text + "\n", numeric);
    h.examine();
    return joined(posetblock(h.at(0), 1, numeric));
}

const std::string b2 = poset("B2", "0 a b 1", "0-a 0-b a-1 b-1");
const std::string m6 = poset("M", "0 a b c d 1", "0-a 0-b a-c a-d b-c b-d c-1 d-1");

// The name e1, e2, ... of element i.
std::string e(int i) { return 'e' + std::to_string(i); }

// n element names e1 .. en.
std::string manynames(int n) {
    std::string s;
    for (int i = 1; i <= n; ++i) s += e(i) + ' ';
    return s;
}

}  // namespace

TEST(OrdanikWriter, B2HumanBlock) {
    EXPECT_EQ(block(b2, false),
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
              "\n");
}

TEST(OrdanikWriter, B2NumericBlock) {
    EXPECT_EQ(block(b2, true),
              "\\Poset=B2, i.e., the 1-st/-nd/-rd/-th poset is a LATTICE:\n"
              "\\size=4\n"
              "\\elements (1st, 2nd, ...):\n"
              " 0, a, b, 1,\n"
              "\\edges:\n"
              " 1-2, 1-3, 2-4, 3-4,\n"
              "\\ordering:\n"
              " 1<1, 1<2, 1<3, 1<4, 2<2, 2<4, 3<3, 3<4, 4<4,\n"
              "\\Join table(with numbers) for B2:\n"
              " 1+1=1, 1+2=2, 1+3=3, 1+4=4, 2+1=2, 2+2=2, 2+3=4, 2+4=4, 3+1=3, 3+2=4,\n"
              " 3+3=3, 3+4=4, 4+1=4, 4+2=4, 4+3=4, 4+4=4,\n"
              "\\Meet table(with numbers) for B2:\n"
              " 1*1=1, 1*2=1, 1*3=1, 1*4=1, 2*1=1, 2*2=2, 2*3=1, 2*4=2, 3*1=1, 3*2=1,\n"
              " 3*3=3, 3*4=3, 4*1=1, 4*2=2, 4*3=3, 4*4=4,\n"
              "          \\endlattice\n"
              "\n");
}

TEST(OrdanikWriter, SixElementNonLatticeHuman) {
    EXPECT_EQ(block(m6, false),
              "\\Poset=M, i.e., the 1-st/-nd/-rd/-th poset is, WARNING!, NOT a lattice:\n"
              "\\size=6\n"
              "\\elements:\n"
              " 0, a, b, c, d, 1,\n"
              "\\edges:\n"
              " 0-a, 0-b, a-c, a-d, b-c, b-d, c-1, d-1,\n"
              "\\ordering:\n"
              " 0<0, 0<a, 0<b, 0<c, 0<d, 0<1, a<a, a<c, a<d, a<1,\n"
              " b<b, b<c, b<d, b<1, c<c, c<1, d<d, d<1, 1<1,\n"
              "\\Join table for M:\n"
              " 0+0=0, 0+a=a, 0+b=b, 0+c=c, 0+d=d, 0+1=1, a+0=a, a+a=a, a+b=!, a+c=c,\n"
              " a+d=d, a+1=1, b+0=b, b+a=!, b+b=b, b+c=c, b+d=d, b+1=1, c+0=c, c+a=c,\n"
              " c+b=c, c+c=c, c+d=1, c+1=1, d+0=d, d+a=d, d+b=d, d+c=1, d+d=d, d+1=1,\n"
              " 1+0=1, 1+a=1, 1+b=1, 1+c=1, 1+d=1, 1+1=1,\n"
              "\\Meet table for M:\n"
              " 0*0=0, 0*a=0, 0*b=0, 0*c=0, 0*d=0, 0*1=0, a*0=0, a*a=a, a*b=0, a*c=a,\n"
              " a*d=a, a*1=a, b*0=0, b*a=0, b*b=b, b*c=b, b*d=b, b*1=b, c*0=0, c*a=a,\n"
              " c*b=b, c*c=c, c*d=!, c*1=c, d*0=0, d*a=a, d*b=b, d*c=!, d*d=d, d*1=d,\n"
              " 1*0=0, 1*a=a, 1*b=b, 1*c=c, 1*d=d, 1*1=1,\n"
              "\\NON-existing joins for M:\n"
              " a+b=!=c,d,\n"
              "\\NON-existing meets for M:\n"
              " c*d=!=a,b,\n"
              "\n"
              "\n");
}

TEST(OrdanikWriter, SixElementNonLatticeNumericTables) {
    std::string s = block(m6, true);
    EXPECT_NE(s.find(" 2+3=0,"), std::string::npos);
    EXPECT_NE(s.find(" 3+2=0,"), std::string::npos);
    EXPECT_NE(s.find(" 4*5=0,"), std::string::npos);
    EXPECT_NE(s.find(" 5*4=0,"), std::string::npos);
    EXPECT_NE(s.find("          \\endlattice\n"
                     "\\NON-existing joins for M:\n"
                     " a+b=!=c,d,\n"
                     "\\NON-existing meets for M:\n"
                     " c*d=!=a,b,\n"
                     "\n"
                     "\n"),
              std::string::npos);
}

TEST(OrdanikWriter, EntryLinesBreakAfterFullLines) {
    struct Case {
        size_t entries, perline;
        std::vector<size_t> lengths;  // entries on each line
    } cases[] = {
        {1, 10, {1}},       {10, 10, {10}},     {11, 10, {10, 1}}, {20, 10, {10, 10}},
        {21, 10, {10, 10, 1}}, {20, 20, {20}}, {21, 20, {20, 1}},  {0, 10, {0}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> entries(c.entries, " x,");
        std::vector<size_t> lengths;
        for (const auto& line : entrylines(entries, c.perline)) lengths.push_back(line.size() / 3);
        EXPECT_EQ(lengths, c.lengths) << c.entries << " per " << c.perline;
    }
}

TEST(OrdanikWriter, ElementListsOfTwentyAndTwentyOne) {
    for (int n : {20, 21}) {
        // A chain: e1 below e2 below ...
        std::string edges;
        for (int i = 1; i < n; ++i) edges += e(i) + '-' + e(i + 1) + ' ';
        std::string s = block(poset("chain", manynames(n), edges), true);
        std::string list;
        for (int i = 1; i <= 20; ++i) list += ' ' + e(i) + ',';
        if (n == 21) list += "\n e21,";
        EXPECT_NE(s.find("\\elements (1st, 2nd, ...):\n" + list + "\n\\edges:\n"), std::string::npos) << n;
    }
}

// Groups of elements, each group below two incomparable tops of its own:
// every pair within a group lacks a join, pairs across groups join in 1.
std::string grouped(const std::vector<int>& groupsizes) {
    std::string names = "0 ", edges;
    char g = 'p';
    for (int size : groupsizes) {
        std::string top1{g, 'y'}, top2{g, 'z'};
        for (int i = 1; i <= size; ++i) {
            std::string x = g + std::to_string(i);
            names += x + " ";
            edges += "0-" + x + " " + x + "-" + top1 + " " + x + "-" + top2 + " ";
        }
        names += top1 + " " + top2 + " ";
        edges += top1 + "-1 " + top2 + "-1 ";
        ++g;
    }
    return poset("G", names + "1", edges);
}

TEST(OrdanikWriter, NonExistingListsBreakAfterEveryFifthEntry) {
    struct Case {
        std::vector<int> groups;
        std::string joins;
    } cases[] = {
        {{2}, " p1+p2=!=py,pz,\n"},
        {{2, 2, 2, 2}, " p1+p2=!=py,pz, q1+q2=!=qy,qz, r1+r2=!=ry,rz, s1+s2=!=sy,sz,\n"},
        {{3, 2, 2}, " p1+p2=!=py,pz, p1+p3=!=py,pz, p2+p3=!=py,pz, q1+q2=!=qy,qz, r1+r2=!=ry,rz,\n \n"},
        {{4}, " p1+p2=!=py,pz, p1+p3=!=py,pz, p1+p4=!=py,pz, p2+p3=!=py,pz, p2+p4=!=py,pz,\n"
              "  p3+p4=!=py,pz,\n"},
    };
    for (const auto& c : cases) {
        std::string s = block(grouped(c.groups), false);
        EXPECT_NE(s.find("\\NON-existing joins for G:\n" + c.joins + "\\NON-existing meets for G:\n"), std::string::npos)
            << s;
    }
    EXPECT_NE(block(grouped({3}), false).find("\\NON-existing meets for G:\n py*pz=!=p1,p2,p3,\n\n\n"),
              std::string::npos);
}

TEST(OrdanikWriter, EmptyListOfNonExistingJoins) {
    // A finite poset with a least element whose joins all exist is a lattice,
    // so no run meets this case; the tables of M are mended by hand to give
    // it: every join exists, the meet of c and d does not.
    Harness h(m6 + "\n");
    h.examine();
    Poset p = h.at(0);
    p.join[2][3] = p.join[3][2] = 4;
    std::string s = joined(posetblock(p, 1, false));
    EXPECT_NE(s.find("\\NON-existing joins for M:\n\n\\NON-existing meets for M:\n c*d=!=a,b,\n\n\n"), std::string::npos)
        << s;
}

TEST(OrdanikWriter, StampLines) {
    platform::Stamp s;
    s.year = 2020, s.month = 8, s.day = 24, s.hour = 9, s.minute = 5, s.second = 3, s.millisecond = 120;
    EXPECT_EQ(stampline(s, " Started (after inputting): "),
              "%  Started (after inputting):  date is (DD/MM/YY)) 24/8/2020, at 9:5:3:120");
    EXPECT_EQ(stampline(s, "Terminated: "), "% Terminated:  date is (DD/MM/YY)) 24/8/2020, at 9:5:3:120");
    EXPECT_EQ(stampline(s, std::string(40, 'x')), "% " + std::string(30, 'x') + " date is (DD/MM/YY)) 24/8/2020, at 9:5:3:120");
}
