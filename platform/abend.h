// Abnormal ends of a run: the three ways a run stops without an error stop
// (number conversion failure, 32-bit overflow, I/O failure). They are thrown
// as exceptions so that readers stay testable; guardedmain turns them into the
// message on standard error and the exit code.
#pragma once

#include <functional>
#include <string>

namespace platform {

struct AbnormalEnd {
    int exitcode;
    std::string message;  // one line for standard error, without line end
};

[[noreturn]] void conversionfailure(const std::string& text);
[[noreturn]] void overflowfailure();
[[noreturn]] void iofailure(const std::string& name, const std::string& reason);
[[noreturn]] void iofailureerrno(const std::string& name, int err);

// Runs body and turns an AbnormalEnd (and running out of memory) into its
// message on standard error and its exit code.
int guardedmain(const std::function<int()>& body);

}  // namespace platform
