#include <gtest/gtest.h>

#include "ordanik/errorstop.h"
#include "ordanik/lineprep.h"
#include "ordanik/harness.h"

using namespace ordanik;

TEST(OrdanikLinePrep, PreparedLines) {
    struct Case {
        const char* raw;
        const char* prepared;
    } cases[] = {
        {"pentagon N5", "pentagon-N5"},
        {"N5 pentagon lattice", "N5-pentagon,lattice"},
        {"a b c", "a-b,c"},
        {"a,b,c", "a-b,c"},
        {"a-b-c", "a-b,c"},
        {"a, b,  c", "a-b,c"},
        {"a b c d", "a-b,c-d"},
        {"a-b c-d", "a-b,c-d"},
        {"a,b,c,d", "a-b,c-d"},
        {"a-b-c-d", "a-b,c-d"},
        {"   0 a   % the least element and an atom", "0-a"},
        {"b 1   ", "b-1"},
        {",a", "-a"},
        {"\\name", "\\name"},
        {"\\beginposet  the first one, with words", "\\beginposet  the first one- with words"},
        {"\\edges % covering edges follow", "\\edges"},
    };
    for (const auto& c : cases) EXPECT_EQ(prepareline(stripline(c.raw)), c.prepared) << c.raw;
}

TEST(OrdanikLinePrep, StrippedLines) {
    EXPECT_EQ(stripline("% a comment line"), "");
    EXPECT_EQ(stripline("     "), "");
    EXPECT_EQ(stripline("  x y  % note"), "x y");
    EXPECT_EQ(stripline("\tx "), "\tx");  // only the space counts as a blank
}

TEST(OrdanikLinePrep, NeighbouringSeparatorsStop) {
    const char* lines[][2] = {
        {"a - b", "a-,-b"},
        {"a -b", "a-,b"},
        {"\\size,-4", "\\size-,4"},
    };
    for (const auto& l : lines) {
        try {
            prepareline(stripline(l[0]));
            ADD_FAILURE() << l[0];
        } catch (const ErrorStop& e) {
            EXPECT_EQ(e.message, std::string("Neighbouring commas or hyphens in a line, leading to ") + l[1]);
        }
    }
}

TEST(OrdanikLinePrep, SignificantLinesAndPrintLines) {
    const std::string text = "\\P head note\n% comment\n\n   \n  x  y \n% \\P in a comment\n\\P last\n";
    for (bool numeric : {false, true}) {
        ordtest::Harness h(text, numeric);
        SigLine first = nextsigline(h.run);
        EXPECT_TRUE(first.found);
        EXPECT_EQ(first.text, "x-y");
        SigLine second = nextsigline(h.run);
        EXPECT_FALSE(second.found);
        EXPECT_EQ(second.text, "");
        EXPECT_EQ(h.report(), numeric ? "" : "\\P head note\r\n% \\P in a comment\r\n\\P last\r\n");
        EXPECT_EQ(h.console(), "");
    }
}
