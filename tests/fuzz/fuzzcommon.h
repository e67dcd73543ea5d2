// Shared pieces of the fuzz targets: a per-process scratch file under /tmp
// that each run overwrites, and a console that reads nothing and writes to
// /dev/null.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "platform/console.h"

namespace ltfuzz {

// The path /tmp/ltfuzz-TAG-PID.txt, the same for the whole process.
inline std::string scratchpath(const char* tag) {
    return "/tmp/ltfuzz-" + std::string(tag) + "-" + std::to_string(getpid()) + ".txt";
}

inline void writefile(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}

inline void writefile(const std::string& path, const std::string& text) {
    writefile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

// A console over /dev/null: every prompt meets the end of its input at once.
inline platform::Console& nullconsole() {
    static std::FILE* in = std::fopen("/dev/null", "rb");
    static std::FILE* out = std::fopen("/dev/null", "wb");
    static platform::Console con(in, out);
    return con;
}

}  // namespace ltfuzz
