#include <gtest/gtest.h>

#include "common/runner.h"
#include "platform/abend.h"
#include "platform/checked.h"
#include "platform/console.h"
#include "platform/numconv.h"
#include "platform/textfile.h"

using namespace platform;

TEST(InFile, LineEndsAndEndOfFile) {
    struct Case {
        std::string content;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},
    };
    lttest::TempDir dir;
    for (const auto& c : cases) {
        dir.write("f.txt", c.content);
        InFile f;
        ASSERT_TRUE(f.open(dir.file("f.txt")));
        std::vector<std::string> got;
        while (!f.ateof()) got.push_back(f.readline());
        EXPECT_EQ(got, c.lines) << c.content;
        EXPECT_EQ(f.readline(), "");  // reading at the end gives the empty line
    }
}

TEST(InFile, LongLinesAreReadWhole) {
    lttest::TempDir dir;
    std::string longline(100000, 'q');
    dir.write("f.txt", longline + "\r\nend");
    InFile f;
    ASSERT_TRUE(f.open(dir.file("f.txt")));
    EXPECT_EQ(f.readline(), longline);
    EXPECT_EQ(f.readline(), "end");
    EXPECT_TRUE(f.ateof());
}

TEST(InFile, FoldersAndMissingNamesDoNotOpen) {
    lttest::TempDir dir;
    InFile f;
    EXPECT_FALSE(f.open(dir.path()));
    EXPECT_FALSE(f.open(dir.file("missing")));
    EXPECT_FALSE(f.open(""));
    EXPECT_TRUE(nametaken(dir.path()));
    EXPECT_FALSE(nametaken(dir.file("missing")));
}

TEST(InFile, Tokens) {
    lttest::TempDir dir;
    dir.write("f.txt", "  \r\n\t 12 rest of line\r\nnext\n7");
    InFile f;
    ASSERT_TRUE(f.open(dir.file("f.txt")));
    EXPECT_EQ(f.readtoken(), "12");
    EXPECT_EQ(f.readline(), "next");
    EXPECT_EQ(f.readtoken(), "7");
    EXPECT_TRUE(f.ateof());
    EXPECT_EQ(f.readtoken(), "");
}

TEST(OutFile, WritesCrLf) {
    lttest::TempDir dir;
    {
        OutFile o;
        o.create(dir.file("o.txt"));
        o.line("one");
        o.line("");
        o.line("x\xA7y");
    }
    EXPECT_EQ(dir.read("o.txt"), "one\r\n\r\nx\xA7y\r\n");
}

TEST(OutFile, CreateFailureIsIoEnd) {
    OutFile o;
    try {
        o.create("/nonexistent-folder/x.txt");
        FAIL();
    } catch (const AbnormalEnd& e) {
        EXPECT_EQ(e.exitcode, 2);
        EXPECT_EQ(e.message.rfind("I/O error on \"/nonexistent-folder/x.txt\": ", 0), 0u);
    }
}

TEST(NumConv, Syntax) {
    struct Case {
        const char* text;
        std::optional<int32_t> value;
    } cases[] = {
        {"0", 0}, {"+7", 7}, {"-12", -12}, {"007", 7}, {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN}, {"2147483648", std::nullopt}, {"99999999999999999999", std::nullopt},
        {"", std::nullopt}, {"+", std::nullopt}, {"-", std::nullopt}, {" 1", std::nullopt},
        {"1 ", std::nullopt}, {"7x", std::nullopt}, {"1.0", std::nullopt}, {"0x10", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseint32(c.text), c.value) << c.text;
    try {
        toint32("7x");
        FAIL();
    } catch (const AbnormalEnd& e) {
        EXPECT_EQ(e.exitcode, 1);
        EXPECT_EQ(e.message, "Error: \"7x\" is not a valid integer");
    }
}

TEST(Checked, OverflowEndsWith215) {
    EXPECT_EQ(add32(2147483646, 1), 2147483647);
    EXPECT_EQ(mul32(4, 536870911), 2147483644);
    for (auto f : {+[] { add32(2147483647, 1); }, +[] { mul32(4, 536870912); }, +[] { sub32(INT32_MIN, 1); }}) {
        try {
            f();
            FAIL();
        } catch (const AbnormalEnd& e) {
            EXPECT_EQ(e.exitcode, 215);
            EXPECT_EQ(e.message, "Runtime error 215");
        }
    }
}

TEST(Console, ReadsLinesAndEnd) {
    std::string input = "a\r\nb\rc\n\nlast";
    std::FILE* in = fmemopen(input.data(), input.size(), "r");
    char* outbuf = nullptr;
    size_t outsize = 0;
    std::FILE* out = open_memstream(&outbuf, &outsize);
    {
        Console con(in, out);
        std::vector<std::string> got;
        while (auto l = con.readline()) got.push_back(*l);
        EXPECT_EQ(got, (std::vector<std::string>{"a", "b", "c", "", "last"}));
        con.pause(2);  // returns at once at the end of the input
        con.write("p");
        con.writeline("q");
        con.flush();
    }
    std::fclose(out);
    EXPECT_EQ(std::string(outbuf, outsize), "pq\n");
    free(outbuf);
    std::fclose(in);
}
