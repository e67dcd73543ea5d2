// Test harness for Ordanik's pieces: a run state over a poset file written
// into a temporary folder, with the console and the report file captured.
#pragma once

#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "common/runner.h"
#include "ordanik/closure.h"
#include "ordanik/errorstop.h"
#include "ordanik/posetreader.h"
#include "ordanik/store.h"

namespace ordtest {

// The text of one poset in the usual layout; its size is the number of
// blank-separated element names.
inline std::string poset(const std::string& name, const std::string& elements, const std::string& edges) {
    std::istringstream names(elements);
    std::string word;
    int n = 0;
    while (names >> word) ++n;
    return "\\beginposet\n\\name\n" + name + "\n\\size\n" + std::to_string(n) + "\n\\elements\n" + elements +
           "\n\\edges\n" + edges + "\n\\endposet\n";
}

struct Harness {
    explicit Harness(const std::string& text, bool numeric = false) {
        dir.write("p.txt", text);
        run.in.open(dir.file("p.txt"));
        run.report.create(dir.file("r.txt"));
        run.numeric = numeric;
    }
    ~Harness() {
        std::fclose(conin);
        std::fclose(conout);
    }

    void readall() {
        while (!run.in.ateof() && ordanik::readoneposet(run, store)) {
        }
    }

    // Reads, closes every order and fills every table, as a run does.
    void examine() {
        readall();
        ordanik::examine(run, store);
    }

    // The message of the error stop that body ends in, or "" when it
    // returns normally.
    std::string stopof(const std::function<void()>& body) {
        try {
            body();
        } catch (const ordanik::ErrorStop& e) {
            return e.message;
        }
        return "";
    }

    std::string console() {
        std::fflush(conout);
        std::rewind(conout);
        std::string s;
        for (int c; (c = std::getc(conout)) != EOF;) s.push_back(static_cast<char>(c));
        return s;
    }

    std::string report() {
        run.report.close();
        return dir.read("r.txt");
    }

    const ordanik::Poset& at(int i) const { return store.posets.at(i); }

    lttest::TempDir dir;
    std::FILE* conin = std::tmpfile();
    std::FILE* conout = std::tmpfile();
    platform::Console con{conin, conout};
    ordanik::RunState run{con};
    ordanik::PosetStore store;
};

}  // namespace ordtest
