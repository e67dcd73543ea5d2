// The product workspace: the effective flags, the vector block bl with its
// size blsize, a duplicate index over the block, the progress interval, and
// the atoms and coatoms of the last product.
//
// A vector is a row of numdirfacts bytes, one element index (1..20) per
// direct factor; the block keeps the rows one after another, in order of
// discovery, and is reserved once for the whole run.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "report.h"
#include "state.h"

namespace varnel {

constexpr int32_t blcapacity = 1500000;

struct Workspace {
    // Selection of the factors that take part in the current product.
    bool effective[maxdirfacts + 1] = {};
    int32_t numeffective = 0;

    // Vector block: row i (1-based) starts at blk + i * stride.
    int32_t stride = 0;
    int32_t capacity = blcapacity;  // tests may lower it
    int32_t blsize = 0;
    std::unique_ptr<uint8_t[]> blk;
    size_t blkbytes = 0;

    // Flat operation tables per factor: for elements a and b of factor i
    // (counted from 0), entry [i * 1024 + a * 32 + b] holds the meet in its
    // low byte and the join in its high byte; 0 marks an entry that names no
    // element.
    std::vector<uint16_t> opflat;
    // Every entry that a product can need names an element.
    bool tablescomplete = false;
    // Every factor's meet and join are commutative and idempotent, so a pass
    // need not combine two new vectors twice, nor a vector with itself.
    bool tablessymmetric = false;
    // The order of each factor as bits: bit b of leqbits[i * 32 + a] is set
    // when element a lies below or at element b in factor i (from 0).
    std::vector<uint32_t> leqbits;
    bool ordersok = false;  // every factor's order is a partial order
    bool prepared = false;

    // Duplicate index: open addressing; a slot holds a row index in its low
    // 32 bits and the upper half of the row's hash above them; 0 = empty.
    std::vector<uint64_t> slots;
    uint32_t slotmask = 0;

    // Lexicographically least and greatest rows of the block.
    int32_t lexmin = 0, lexmax = 0;

    // Threads that genbl may use for one pass (the all-subsets run gives its
    // workers one each).
    int genthreads = 1;

    // Progress interval of the current product.
    int32_t proginterval = 0;

    // Atoms and coatoms of the last product, ascending block indices.
    int32_t numatoms = 0, numcoatoms = 0;
    std::vector<int32_t> atoms, coatoms;
    int32_t bottomrow = 0, toprow = 0;

    // Scratch rows for the generation.
    std::vector<uint8_t> scratch;

    uint8_t* row(int32_t i) { return blk.get() + static_cast<size_t>(i) * stride; }
    const uint8_t* row(int32_t i) const { return blk.get() + static_cast<size_t>(i) * stride; }
};

// What a product computation reads and writes.
struct Product {
    const Store& store;
    const Factors& facts;
    const Options& opts;
    Workspace& ws;
    Report& rep;
    // Set when a product computed ahead on a worker thread is no longer
    // wanted; genbl then gives up with Abandoned.
    const std::atomic<bool>* cancel = nullptr;
};

struct Abandoned {};

// Builds the flat tables and reserves the block (once per workspace).
void prepareworkspace(Product& p);

// Makes every factor effective.
void selectall(const Factors& facts, Workspace& ws);

// Generation (generation.cpp).
void initbl(Product& p);
void genbl(Product& p);
// The closure's first maxpasses passes only.
void genblpasses(Product& p, int32_t maxpasses);
// The block index of v, or 0.
int32_t rowindex(const Workspace& ws, const uint8_t* v);
// What genbl writes and checks while the block grows from its present size
// to size vectors (the progress marks and the block-full stop), without
// forming the vectors; the block is left as it was.
void emulategrowth(Product& p, int64_t size);
bool lexlesselemrows(const uint8_t* a, const uint8_t* b, int32_t n);
bool equelemrows(const uint8_t* a, const uint8_t* b, int32_t n);

// Atoms and coatoms (atoms.cpp).
void findatoms(Product& p);
void findcoatoms(Product& p);
bool lesseqelemrows(const Product& p, int32_t a, int32_t b);
// The checks that every stored lattice lists its least element first (its
// greatest last).
void liststartcheck(const Product& p);
void listendcheck(const Product& p);
// The candidate progress marks of the atom (coatom) search.
void candidatemarks(Product& p, int64_t size, int32_t skip, const char* tag);
std::string elemrowtext(const Product& p, const uint8_t* v);

// The vector listing (listing.cpp).
void prntbl(Product& p);

}  // namespace varnel
