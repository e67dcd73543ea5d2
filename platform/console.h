// The console: standard output for every screen line (LF line ends), standard
// input for answers and pauses. Writes without a line end (prompts, progress
// marks) are flushed at once. Tests may hand in other streams.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class Console {
public:
    Console(std::FILE* in = stdin, std::FILE* out = stdout) : in_(in), out_(out) {}

    void write(std::string_view text);      // no line end; flushed
    void writeline(std::string_view text);  // text + LF
    void flush();

    // One line of console input; nullopt when the input is at its end.
    std::optional<std::string> readline();

    // Waits for count lines; returns at once when the input is at its end.
    void pause(int count);

private:
    void put(std::string_view text);

    std::FILE* in_;
    std::FILE* out_;
    bool skiplf_ = false;  // a CR ended the last line: a following LF belongs to it
    bool ended_ = false;
};

}  // namespace platform
