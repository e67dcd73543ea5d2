// Where a product's output goes: the console and the result file, and the
// progress indent that the progress marks keep cycling (1 to 5 blanks).
//
// A Report either writes at once, or records what it would write, so that a
// product computed on another thread can be played back later in step order,
// byte for byte as if it had been written directly.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/console.h"
#include "platform/textfile.h"

namespace varnel {

class Report {
public:
    // A report that writes to the console and to the result file (when open).
    Report(platform::Console& con, platform::OutFile& file) : con_(&con), file_(&file) {}
    // A report that records.
    Report() = default;

    void conline(std::string_view text);
    void fileline(std::string_view text);
    // A progress mark that does not show the indent but advances it.
    void mark(std::string_view text);
    // A progress mark after the indent; advances the indent.
    void indentmark(std::string_view text);
    // A console line after the indent (the step progress line).
    void indentconline(std::string_view text);

    bool recording() const { return con_ == nullptr; }
    // Writes what was recorded to target, in order, and forgets it.
    void replay(Report& target);
    void clear() { ops_.clear(); }

    const std::string& progindent() const { return progindent_; }
    void advanceindent();

private:
    enum class Op : unsigned char { conline, fileline, mark, indentmark, indentconline };

    platform::Console* con_ = nullptr;
    platform::OutFile* file_ = nullptr;
    std::string progindent_ = " ";
    std::vector<std::pair<Op, std::string>> ops_;
};

}  // namespace varnel
