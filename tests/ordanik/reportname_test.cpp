#include <gtest/gtest.h>

#include <set>

#include "ordanik/reportname.h"

using namespace ordanik;

namespace {

// The names r0 .. r(c) of the given base and extension, all but the last
// character in the list up to and including c.
std::set<std::string> takenupto(const std::string& base, char last, const std::string& ext) {
    std::set<std::string> names;
    for (char c : reportchars) {
        names.insert(base + "_r" + c + ext);
        if (c == last) break;
    }
    return names;
}

}  // namespace

TEST(OrdanikReportName, BaseExtensionAndFirstFreeName) {
    struct Case {
        std::string input;
        std::set<std::string> taken;
        std::string expected;
    } cases[] = {
        {"posets.txt", {}, "posets_r0.txt"},
        {"posets", {}, "posets_r0"},
        {"a.b/posets", {}, "a.b/posets_r0"},
        {"a.b\\posets", {}, "a.b\\posets_r0"},
        {"c:posets", {}, "c:posets_r0"},
        {"x.txt.txt", {}, "x.txt_r0.txt"},
        {"dir/in.put.txt", {}, "dir/in.put_r0.txt"},
        {"posets.txt", {"posets_r0.txt"}, "posets_r1.txt"},
        {"posets.txt", {"posets_r1.txt"}, "posets_r0.txt"},
        {"posets.txt", takenupto("posets", '9', ".txt"), "posets_ra.txt"},
        {"posets.txt", takenupto("posets", 'k', ".txt"), "posets_rm.txt"},
        {"posets.txt", takenupto("posets", 'y', ".txt"), "posets_rz.txt"},
    };
    for (const auto& c : cases) {
        auto name = reportname(c.input, [&](const std::string& n) { return c.taken.count(n) > 0; });
        ASSERT_TRUE(name.has_value()) << c.input;
        EXPECT_EQ(*name, c.expected) << c.input;
    }
}

TEST(OrdanikReportName, AllTakenGivesNoName) {
    EXPECT_EQ(reportchars.size(), 35u);
    EXPECT_EQ(reportchars.find('l'), std::string::npos);
    auto taken = takenupto("posets", 'z', ".txt");
    EXPECT_FALSE(reportname("posets.txt", [&](const std::string& n) { return taken.count(n) > 0; }));
}
