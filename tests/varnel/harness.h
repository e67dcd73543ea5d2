// Helpers for varnel's unit tests: a run held in memory (console over
// in-memory streams, input and result files in a temporary folder), the
// outcome of a call that may end the run, and lattice blocks written the way
// Ordanik writes them.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/runner.h"
#include "platform/abend.h"
#include "varnel/varnel.h"

namespace vtest {

const std::string fixtures = std::string(LT_FIXTURES) + "/varnel/fixtures/";

// One varnel run: console input is the given text, console output is kept.
// The lattice table file is "lat.txt" and the assignment file "asg.txt", by
// those names as typed, in a temporary folder.
class Rig {
public:
    explicit Rig(const std::string& input = "") {
        in_ = std::tmpfile();
        if (!input.empty()) std::fwrite(input.data(), 1, input.size(), in_);
        std::rewind(in_);
        out_ = open_memstream(&buf_, &len_);
        con_ = std::make_unique<platform::Console>(in_, out_);
        v_ = std::make_unique<varnel::Varnel>(*con_);
    }
    ~Rig() {
        v_.reset();
        con_.reset();
        std::fclose(in_);
        std::fclose(out_);
        std::free(buf_);
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    varnel::Varnel& v() { return *v_; }

    std::string console() {
        std::fflush(out_);
        return std::string(buf_, len_);
    }

    void latfile(const std::string& content) {
        dir.write("lat.txt", content);
        v_->files.latfilename = "lat.txt";
        v_->files.latfile.open(dir.file("lat.txt"));
    }
    void asgfile(const std::string& content) {
        dir.write("asg.txt", content);
        v_->files.asgfilename = "asg.txt";
        v_->files.asgfile.open(dir.file("asg.txt"));
    }
    void openresult() { v_->files.result.create(dir.file("result.txt")); }
    // Closes the result file and gives what it holds.
    std::string result() {
        v_->files.result.close();
        return dir.read("result.txt");
    }

    lttest::TempDir dir;

private:
    std::FILE* in_ = nullptr;
    std::FILE* out_ = nullptr;
    char* buf_ = nullptr;
    size_t len_ = 0;
    std::unique_ptr<platform::Console> con_;
    std::unique_ptr<varnel::Varnel> v_;
};

// How a call ended: "" when it returned, the error stop's message, or
// "abend N: MESSAGE" for an abnormal end with exit code N.
inline std::string outcome(const std::function<void()>& f) {
    try {
        f();
        return "";
    } catch (const varnel::ErrorStop& e) {
        return e.message;
    } catch (const platform::AbnormalEnd& e) {
        return "abend " + std::to_string(e.exitcode) + ": " + e.message;
    }
}

// Reads every lattice of the lattice table file; gives the outcome.
inline std::string readalllattices(varnel::Varnel& v) {
    return outcome([&] {
        while (varnel::readlattice(v)) {
        }
    });
}

// A list of entries, perline to a line, each line beginning with its blank.
inline std::string entrylines(const std::vector<std::string>& entries, size_t perline) {
    std::string out;
    for (size_t i = 0; i < entries.size(); ++i) {
        out += " " + entries[i] + ",";
        if ((i + 1) % perline == 0 || i + 1 == entries.size()) out += "\r\n";
    }
    return out;
}

// A lattice block in the layout of Ordanik's numeric mode, from its element
// names and its order, join and meet by element numbers 1..n.
inline std::string block(const std::string& name, const std::vector<std::string>& elems,
                         const std::function<bool(int, int)>& leq, const std::function<int(int, int)>& join,
                         const std::function<int(int, int)>& meet) {
    const int n = static_cast<int>(elems.size());
    std::vector<std::string> order, joins, meets;
    for (int a = 1; a <= n; ++a)
        for (int b = 1; b <= n; ++b) {
            if (leq(a, b)) order.push_back(std::to_string(a) + "<" + std::to_string(b));
            joins.push_back(std::to_string(a) + "+" + std::to_string(b) + "=" + std::to_string(join(a, b)));
            meets.push_back(std::to_string(a) + "*" + std::to_string(b) + "=" + std::to_string(meet(a, b)));
        }
    return "\\Poset=" + name + ", i.e., the 1-st/-nd/-rd/-th poset is a LATTICE:\r\n" + "\\size=" +
           std::to_string(n) + "\r\n" + "\\elements (1st, 2nd, ...):\r\n" + entrylines(elems, 20) + "\\edges:\r\n" +
           "\\ordering:\r\n" + entrylines(order, 10) + "\\Join table(with numbers) for " + name + ":\r\n" +
           entrylines(joins, 10) + "\\Meet table(with numbers) for " + name + ":\r\n" + entrylines(meets, 10) +
           "          \\endlattice\r\n\r\n";
}

// A chain: elements in increasing order.
inline std::string chainblock(const std::string& name, const std::vector<std::string>& elems) {
    return block(
        name, elems, [](int a, int b) { return a <= b; }, [](int a, int b) { return a > b ? a : b; },
        [](int a, int b) { return a < b ? a : b; });
}

// The four-element Boolean lattice: bottom, two atoms, top.
inline std::string b2block(const std::string& name, const std::vector<std::string>& elems) {
    auto leq = [](int a, int b) { return a == b || a == 1 || b == 4; };
    auto join = [leq](int a, int b) { return leq(a, b) ? b : leq(b, a) ? a : 4; };
    auto meet = [leq](int a, int b) { return leq(a, b) ? a : leq(b, a) ? b : 1; };
    return block(name, elems, leq, join, meet);
}

}  // namespace vtest
