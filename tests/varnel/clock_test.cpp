// The run clock: the start stamp text that names the result file, the dated
// stamp lines, and the elapsed time with its borrows.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

platform::Stamp at(int year, int month, int day, int hour, int minute, int second, int ms) {
    platform::Stamp s;
    s.year = year, s.month = month, s.day = day, s.hour = hour, s.minute = minute, s.second = second;
    s.millisecond = ms;
    return s;
}

TEST(RunClock, StartStampText) {
    EXPECT_EQ(varnel::starttext(at(2020, 10, 17, 9, 5, 3, 42)), "1017_9-9__5-3--42");
    EXPECT_EQ(varnel::starttext(at(2020, 12, 1, 10, 0, 0, 0)), "121_10-10__0-0--0");
    EXPECT_EQ(varnel::starttext(at(2026, 1, 9, 23, 59, 59, 999)), "19_23-23__59-59--999");
}

TEST(RunClock, StampLines) {
    const platform::Stamp s = at(2020, 10, 17, 9, 5, 3, 42);
    EXPECT_EQ(varnel::stampline(s, "     Started"), "      Started (DD/MM/YY:) 17/10/2020, at 9:5:3:42");
    EXPECT_EQ(varnel::stampline(at(2021, 1, 2, 0, 0, 0, 0), "     Terminated"),
              "      Terminated (DD/MM/YY:) 2/1/2021, at 0:0:0:0");
    // The label is cut to 33 characters.
    EXPECT_EQ(varnel::stampline(s, std::string(40, 'L')),
              " " + std::string(33, 'L') + " (DD/MM/YY:) 17/10/2020, at 9:5:3:42");
}

std::string elapsed(int d, int h, int m, const char* s) {
    return "  " + std::to_string(d) + " day(s) + " + std::to_string(h) + " hour(s) + " + std::to_string(m) +
           " minute(s) + " + s + " second(s).";
}

TEST(RunClock, ElapsedTimeBorrows) {
    struct Case {
        platform::Stamp from, to;
        std::string line;
    };
    const Case cases[] = {
        // Within the same second.
        {at(2020, 10, 17, 9, 5, 3, 0), at(2020, 10, 17, 9, 5, 3, 42), elapsed(0, 0, 0, "0.042")},
        // Across midnight: every field borrows.
        {at(2020, 10, 17, 23, 59, 59, 900), at(2020, 10, 18, 0, 0, 0, 100), elapsed(0, 0, 0, "0.200")},
        // Across the end of January: 31 days of January make up the day borrow.
        {at(2021, 1, 31, 23, 0, 0, 0), at(2021, 2, 1, 1, 0, 0, 0), elapsed(0, 2, 0, "0.000")},
        // Across the end of the year.
        {at(2020, 12, 31, 12, 0, 0, 0), at(2021, 1, 1, 12, 0, 0, 0), elapsed(1, 0, 0, "0.000")},
        // February counts 28 days, also in a leap year: one day short.
        {at(2024, 2, 28, 12, 0, 0, 0), at(2024, 3, 1, 12, 0, 0, 0), elapsed(1, 0, 0, "0.000")},
        // No borrow at all.
        {at(2020, 5, 2, 1, 2, 3, 4), at(2020, 5, 5, 6, 8, 10, 10), elapsed(3, 5, 6, "7.006")},
        // Seconds and minutes borrow.
        {at(2020, 5, 2, 1, 59, 58, 0), at(2020, 5, 2, 2, 0, 1, 500), elapsed(0, 0, 0, "3.500")},
    };
    for (const auto& c : cases) EXPECT_EQ(varnel::elapsedline(c.from, c.to), c.line) << c.line;
}

TEST(RunClock, StampAndElapsedLinesGoToConsoleAndResultFile) {
    vtest::Rig rig;
    auto& v = rig.v();
    rig.openresult();
    platform::setclock([] { return at(2020, 10, 17, 9, 5, 3, 42); });
    varnel::recordtime(v, 1);
    platform::setclock([] { return at(2020, 10, 17, 10, 6, 4, 41); });
    varnel::recordtime(v, 2);
    platform::setclock({});
    varnel::prnttime(v, 1, "     Started");
    varnel::prnttime(v, 2, "     Terminated");
    varnel::prntelapsed(v);
    const std::string text =
        "      Started (DD/MM/YY:) 17/10/2020, at 9:5:3:42\n"
        "      Terminated (DD/MM/YY:) 17/10/2020, at 10:6:4:41\n"
        "Assuming that it is shorter than four weeks, the time elapsed is: \n" +
        elapsed(0, 1, 1, "0.999") + "\n";
    EXPECT_EQ(rig.console(), text);
    EXPECT_EQ(rig.result(), lttest::crlf(text));
}

TEST(RunClock, OnlyStampsOneAndTwoExist) {
    vtest::Rig rig;
    EXPECT_EQ(vtest::outcome([&] { varnel::recordtime(rig.v(), 3); }), "Program error in time recording");
    EXPECT_EQ(vtest::outcome([&] { varnel::recordtime(rig.v(), 0); }), "Program error in time recording");
}

}  // namespace
