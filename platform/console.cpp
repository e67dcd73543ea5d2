#include "console.h"

#include <cerrno>

#include "abend.h"

namespace platform {

void Console::put(std::string_view text) {
    if (text.empty()) return;
    if (std::fwrite(text.data(), 1, text.size(), out_) != text.size()) iofailureerrno("standard output", errno);
}

void Console::write(std::string_view text) {
    put(text);
    flush();
}

void Console::writeline(std::string_view text) {
    put(text);
    put("\n");
}

void Console::flush() {
    if (std::fflush(out_) != 0) iofailureerrno("standard output", errno);
}

std::optional<std::string> Console::readline() {
    flush();
    if (ended_) return std::nullopt;
    std::string line;
    for (;;) {
        int c = std::getc(in_);
        if (c == EOF) {
            if (std::ferror(in_)) iofailureerrno("standard input", errno);
            ended_ = true;
            skiplf_ = false;
            if (line.empty()) return std::nullopt;
            return line;
        }
        if (skiplf_) {
            skiplf_ = false;
            if (c == '\n') continue;
        }
        if (c == '\n') return line;
        if (c == '\r') {
            skiplf_ = true;
            return line;
        }
        line.push_back(static_cast<char>(c));
    }
}

void Console::pause(int count) {
    for (int i = 0; i < count; ++i)
        if (!readline()) return;
}

}  // namespace platform
