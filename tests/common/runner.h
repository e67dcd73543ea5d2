// Helpers for end-to-end tests: run a built program in a fresh temporary
// folder with arguments and standard input, and read what it wrote.
#pragma once

#include <string>
#include <vector>

namespace lttest {

struct RunResult {
    int exitcode = -1;   // -1 when the program died by a signal
    int signal = 0;
    std::string out;     // standard output
    std::string err;     // standard error
};

// A temporary folder removed with its contents at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    void write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    // Names in the folder that start with prefix, sorted.
    std::vector<std::string> list(const std::string& prefix = "") const;

private:
    std::string path_;
};

// Runs exe with args, cwd as working folder and input as standard input
// (closed after it is written).
RunResult run(const std::string& exe, const std::vector<std::string>& args, const std::string& cwd,
              const std::string& input = "");

std::string readfile(const std::string& path);
void writefile(const std::string& path, const std::string& content);

// Text with every LF turned into CR LF (for expected file contents).
std::string crlf(const std::string& text);

// Replaces the date and time in stamp lines ("..., at H:M:S:MS" and
// "D/M/YYYY") and the elapsed-time line by fixed text, so that outputs of
// different runs compare equal.
std::string maskclock(const std::string& text);

}  // namespace lttest
