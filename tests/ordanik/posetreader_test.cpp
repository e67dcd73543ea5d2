#include <gtest/gtest.h>

#include "ordanik/harness.h"
#include "platform/abend.h"

using namespace ordanik;
using ordtest::Harness;
using ordtest::poset;

namespace {

std::vector<std::string> elementnames(const Poset& p) {
    return std::vector<std::string>(p.names.begin() + 1, p.names.begin() + 1 + p.n);
}

// The edges of p as "lower-upper" names, lower numbers first.
std::vector<std::string> edgenames(const Poset& p) {
    std::vector<std::string> edges;
    for (int j = 1; j <= p.n; ++j)
        for (int k = 1; k <= p.n; ++k)
            if (has(p.edges[j], k)) edges.push_back(p.names[j] + "-" + p.names[k]);
    return edges;
}

}  // namespace

TEST(OrdanikReader, ElementLinesInAnyMixOfSeparators) {
    for (const char* line : {"a b c", "a,b,c", "a-b-c", "a, b,  c", "a\nb c", "a,\nb c"}) {
        Harness h("\\beginposet\n\\name\nP\n\\size\n3\n\\elements\n" + std::string(line) +
                  "\n\\edges\na-b b-c\n\\endposet\n\\enddata\n");
        h.readall();
        ASSERT_EQ(h.store.count(), 1) << line;
        EXPECT_EQ(elementnames(h.at(0)), (std::vector<std::string>{"a", "b", "c"})) << line;
        EXPECT_EQ(h.at(0).names[0], "!");
    }
}

TEST(OrdanikReader, EdgeNamesPairOffLeftToRight) {
    for (const char* line : {"a b c d", "a-b c-d", "a,b,c,d", "a-b-c-d", "a-b\nc-d", "a-b,c-d,a-b"}) {
        Harness h(poset("P", "a b c d", line) + "\\enddata\n");
        h.readall();
        ASSERT_EQ(h.store.count(), 1) << line;
        EXPECT_EQ(edgenames(h.at(0)), (std::vector<std::string>{"a-b", "c-d"})) << line;
    }
}

TEST(OrdanikReader, PosetsNamesSizesAndTheEndOfTheData) {
    Harness h("Text before the first poset is passed over.\n" + poset("pentagon N5", "0 a b c 1", "0-a a-c c-1 0-b b-1") +
              "between posets\n" + poset("N5 pentagon lattice", "x y", "x-y") +
              poset("a name of more than thirty characters", "p q", "p-q") + "\\enddata\n" +
              poset("after the end", "s t", "s-t"));
    h.readall();
    ASSERT_EQ(h.store.count(), 3);
    EXPECT_EQ(h.at(0).name, "pentagon-N5");
    EXPECT_EQ(h.at(0).n, 5);
    EXPECT_EQ(h.at(1).name, "N5-pentagon,lattice");
    EXPECT_EQ(h.at(2).name, "a-name,of-more,than-thirty,cha");
    EXPECT_EQ(h.at(2).name.size(), 30u);
}

TEST(OrdanikReader, SizeTokenFromTheFile) {
    // Blanks, tabs and empty lines before the size are passed over, the rest
    // of its line is dropped.
    Harness good("\\beginposet\n\\name\nP\n\\size\n\n \t 2 and more\n\\elements\na b\n\\edges\na-b\n\\endposet\n\n");
    good.readall();
    ASSERT_EQ(good.store.count(), 1);
    EXPECT_EQ(good.at(0).n, 2);

    struct Case {
        const char* after;
        const char* text;
    } cases[] = {{"two\n", "two"}, {"2x\n", "2x"}, {"", ""}, {"99999999999\n", "99999999999"}};
    for (const auto& c : cases) {
        Harness h(std::string("\\beginposet\n\\name\nP\n\\size\n") + c.after);
        try {
            h.readall();
            ADD_FAILURE() << c.text;
        } catch (const platform::AbnormalEnd& e) {
            EXPECT_EQ(e.exitcode, 1);
            EXPECT_EQ(e.message, std::string("Error: \"") + c.text + "\" is not a valid integer");
        }
    }
}

TEST(OrdanikReader, PrintLinesGoToTheReportInHumanModeOnly) {
    const std::string text = "\\P before\n% \\P in a comment\n" +
                             poset("P", "a b", "a-b\n\\P among the edges % with a comment") + "\\P after\n\\enddata\n";
    for (bool numeric : {false, true}) {
        Harness h(text, numeric);
        h.readall();
        EXPECT_EQ(h.store.count(), 1);
        EXPECT_EQ(h.report(), numeric ? ""
                                      : "\\P before\r\n% \\P in a comment\r\n\\P among the edges % with a comment\r\n"
                                        "\\P after\r\n");
    }
}

TEST(OrdanikReader, EmptyFileAndEmptyElementName) {
    Harness empty("");
    empty.readall();
    EXPECT_EQ(empty.store.count(), 0);

    // A line that begins with a separator gives an element without a name.
    Harness h("\\beginposet\n\\name\nP\n\\size\n3\n\\elements\n,a b\n\\edges\n-a a-b\n\\endposet\n\n");
    h.readall();
    ASSERT_EQ(h.store.count(), 1);
    EXPECT_EQ(elementnames(h.at(0)), (std::vector<std::string>{"", "a", "b"}));
    EXPECT_EQ(edgenames(h.at(0)), (std::vector<std::string>{"-a", "a-b"}));
}

TEST(OrdanikReader, ElementNameSet) {
    // All 65 characters, five to a name.
    ASSERT_EQ(elemnamechars.size(), 65u);
    std::string names;
    for (size_t i = 0; i < elemnamechars.size(); i += 5) names += elemnamechars.substr(i, 5) + " ";
    Harness h(poset("P", names, "01234-abcde") + "\n");
    h.readall();
    ASSERT_EQ(h.store.count(), 1);
    EXPECT_EQ(h.at(0).n, 13);
    EXPECT_EQ(h.at(0).names[13], "_'#\xA7@");

    for (const char* bad : {"l", "O", "!", "\"", ".", "a\xA8"}) {
        Harness b(poset("P", std::string("x ") + bad, "x-y") + "\n");
        EXPECT_EQ(b.stopof([&] { b.readall(); }), std::string("Invalid character in element name:  ") + bad) << bad;
    }
}
