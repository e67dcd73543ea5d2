// Run options: parameter 3 decoded into the five option letters, parameter 4
// into the progress step.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

struct OptionCase {
    std::vector<std::string> args;  // parameters 1..
    const char* letters;            // letters 1 to 4 after decoding
    bool fifth;                     // letter 5 on
};

TEST(ReadOptions, DecodesTheLettersAsATable) {
    const OptionCase cases[] = {
        {{"lat.txt", "asg.txt"}, "nnnn", true},                 // no options: "nnnnn"
        {{"lat.txt"}, "nnnn", true},
        {{}, "nnnn", true},
        {{"l", "a", "yyyyy"}, "nnnn", true},                    // 'y' counts as 'n'
        {{"l", "a", "nnni"}, "nnni", false},                    // letter 5 missing: off
        {{"l", "a", "nnnii"}, "nnni", true},
        {{"l", "a", "nnnin"}, "nnni", false},
        {{"l", "a", "nni"}, "iiin", true},                      // 3 switches on 2 and 1; 4 missing
        {{"l", "a", "nin"}, "iinn", true},                      // 2 switches on 1
        {{"l", "a", "nnnnx"}, "nnnn", true},                    // 4 'n' sets 5 whatever stood there
        {{"l", "a", "nnnnn"}, "nnnn", true},
        {{"l", "a", "IIIII"}, "nnnn", true},                    // upper case counts as 'n'
        {{"l", "a", "nnnIi"}, "nnnn", true},
        {{"l", "a", "NNNii"}, "nnni", true},
        {{"l", "a", "nnniixyz"}, "nnni", true},                 // longer than 5: the rest is not read
        {{"l", "a", "nnninnnnnnnnnnnn"}, "nnni", false},
        {{"l", "a", ""}, "nnnn", true},
        {{"l", "a", "iiii"}, "iiii", false},
    };
    for (const auto& c : cases) {
        vtest::Rig rig;
        auto& v = rig.v();
        v.args = c.args;
        varnel::readoptions(v);
        std::string letters;
        for (int i = 1; i <= 4; ++i) letters += v.opts.letter(i);
        const std::string what = c.args.size() > 2 ? c.args[2] : "(none)";
        EXPECT_EQ(letters, c.letters) << what;
        EXPECT_EQ(v.opts.on(5), c.fifth) << what;
        EXPECT_EQ(v.opts.progstep, 0) << what;
        EXPECT_EQ(v.ws.proginterval, 0) << what;
    }
}

TEST(ReadOptions, FourthParameterIsTheProgressStep) {
    const std::pair<const char*, int32_t> cases[] = {
        {"0", 0}, {"5", 5}, {"-3", -3}, {"+7", 7}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, value] : cases) {
        vtest::Rig rig;
        auto& v = rig.v();
        v.args = {"l", "a", "nnnnn", text};
        varnel::readoptions(v);
        EXPECT_EQ(v.opts.progstep, value) << text;
        EXPECT_EQ(v.ws.proginterval, value) << text;
    }
}

TEST(ReadOptions, FourthParameterThatIsNoIntegerEndsTheRun) {
    for (const char* text : {"7x", "", " 7", "7 ", "x", "+", "1.5", "2147483648", "0x10"}) {
        vtest::Rig rig;
        auto& v = rig.v();
        v.args = {"l", "a", "nnnnn", text};
        EXPECT_EQ(vtest::outcome([&] { varnel::readoptions(v); }),
                  std::string("abend 1: Error: \"") + text + "\" is not a valid integer");
    }
}

}  // namespace
