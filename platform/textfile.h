// Text files as both programs read and write them.
//
// Reading: a line ends at LF, at CR LF or at a lone CR; the last line may have
// no line end; lines are read whole. A file is at its end when no byte follows
// what has been read; reading at the end gives the empty line. A folder never
// opens as a file.
//
// Writing: every line ends with CR LF, bytes are written as they are.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace platform {

// True when name can be opened and read as a file (not a folder).
bool canopen(const std::string& name);

// True when anything at all exists under name (a file, a folder, a link).
bool nametaken(const std::string& name);

class InFile {
public:
    // Opens and reads the whole file; false when it cannot be read as a file.
    bool open(const std::string& name);
    void close();
    bool isopen() const { return open_; }
    const std::string& name() const { return name_; }

    bool ateof() const { return pos_ >= data_.size(); }
    std::string readline();
    void rewind() { pos_ = 0; }

    // Ordanik's number token: blanks, tabs and line ends are passed over; the
    // token runs to the next blank, tab or line end (or the end of the file);
    // the rest of the line that holds it is dropped.
    std::string readtoken();

private:
    void skiplineend();

    std::string name_;
    std::string data_;
    size_t pos_ = 0;
    bool open_ = false;
};

class OutFile {
public:
    OutFile() = default;
    OutFile(const OutFile&) = delete;
    OutFile& operator=(const OutFile&) = delete;
    ~OutFile();

    // Creates or truncates the file; a failure is an I/O failure end.
    void create(const std::string& name);
    void line(std::string_view text);  // text + CR LF
    void close();
    bool isopen() const { return f_ != nullptr; }
    const std::string& name() const { return name_; }

private:
    std::FILE* f_ = nullptr;
    std::string name_;
};

}  // namespace platform
