// Checks shared by the end-to-end tests of both programs: how a run that
// stopped must look on the console, on standard error and at the end of the
// file it wrote (varnel's result file, Ordanik's report file).
#pragma once

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "common/runner.h"

namespace lttest {

inline bool endswith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// s with its first occurrence of from replaced by to (from must occur).
inline std::string replaced(std::string s, const std::string& from, const std::string& to) {
    const size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) s.replace(at, from.size(), to);
    return s;
}

// The error stop with message: exit code 1, nothing on standard error, the
// bell line, the two error lines and the prompt closing the console, and the
// two error lines closing the written file.
inline void expectstop(const RunResult& r, const std::string& file, const std::string& message,
                       const std::string& what) {
    const std::string lines = "Error in data; possibly/appeared at: \n" + message + "\n";
    EXPECT_EQ(r.signal, 0) << what;
    EXPECT_EQ(r.exitcode, 1) << what;
    EXPECT_EQ(r.err, "") << what;
    EXPECT_TRUE(endswith(r.out, "\a\n" + lines + "  Press <enter> to quit\n")) << what << "\n" << r.out;
    EXPECT_TRUE(endswith(file, crlf(lines))) << what << "\n" << file;
}

// The conversion failure of text: exit code 1, its line on standard error,
// no error stop.
inline void expectconversion(const RunResult& r, const std::string& text, const std::string& what) {
    EXPECT_EQ(r.signal, 0) << what;
    EXPECT_EQ(r.exitcode, 1) << what;
    EXPECT_EQ(r.err, "Error: \"" + text + "\" is not a valid integer\n") << what;
    EXPECT_EQ(r.out.find("Error in data"), std::string::npos) << what;
}

// A run that ended with exit code 1 in order: a conversion failure, or the
// error stop with the same message on the console and in the file.
inline void expectorderlyfailure(const RunResult& r, const std::string& file, const std::string& what) {
    ASSERT_EQ(r.exitcode, 1) << what << "\n" << r.err;
    if (!r.err.empty()) {
        EXPECT_TRUE(std::regex_match(r.err, std::regex("Error: \"[^\"]*\" is not a valid integer\n"))) << what;
        return;
    }
    const std::string bell = "\a\nError in data; possibly/appeared at: \n";
    const size_t at = r.out.find(bell);
    ASSERT_NE(at, std::string::npos) << what << "\n" << r.out;
    const size_t from = at + bell.size();
    expectstop(r, file, r.out.substr(from, r.out.find('\n', from) - from), what);
}

}  // namespace lttest
