// Ordanik: checks which finite posets are lattices and writes their
// operation tables.
#include "ordanik/driver.h"
#include "platform/abend.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return platform::guardedmain([&] {
        platform::Console con;
        return ordanik::run(args, con);
    });
}
