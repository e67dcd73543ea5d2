// The poset store and the run state: everything a run keeps from start to end.
//
// Elements of a poset are numbered 1 to n in the order of its element list.
// Relations on them are rows of bits: bit k of row j says that the pair
// (j, k) is in the relation. Element numbers are at most 60, so a row is one
// 64-bit word and bit 0 is never used.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/textfile.h"

namespace ordanik {

constexpr int maxposets = 20;
constexpr int maxsize = 60;
constexpr size_t maxposetname = 30;
constexpr size_t maxelemname = 5;

using Row = uint64_t;
inline Row bit(int k) { return Row{1} << k; }
inline bool has(Row r, int k) { return (r >> k) & 1; }

struct Poset {
    int n = 0;
    std::string name;                          // at most 30 characters
    std::array<std::string, maxsize + 1> names;  // slot 0 is "!": a missing element
    std::array<Row, maxsize + 1> edges{};      // edges[j] has k: the file gives the edge j-k
    std::array<Row, maxsize + 1> up{};         // up[j] has k: j is below or equal to k
    std::array<Row, maxsize + 1> down{};       // down[k] has j: j is below or equal to k
    // Number of the join (meet) of j and k, 0 when the pair has none.
    std::array<std::array<int32_t, maxsize + 1>, maxsize + 1> join{};
    std::array<std::array<int32_t, maxsize + 1>, maxsize + 1> meet{};
    bool islattice = false;

    bool below(int j, int k) const { return has(up[j], k); }
};

struct PosetStore {
    std::vector<Poset> posets;  // in the order of the poset file, at most 20
    int count() const { return static_cast<int>(posets.size()); }
};

struct RunState {
    explicit RunState(platform::Console& c) : con(c) {}
    platform::Console& con;
    bool numeric = false;  // numeric mode: the report is a lattice table file
    platform::InFile in;
    platform::OutFile report;
    platform::Stamp started, ended;
    bool warned = false;  // the warning notice has been written
};

}  // namespace ordanik
