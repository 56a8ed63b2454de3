// The floor of the command line's work, as a whole process without Qt: reads the database file
// with stdio and finds the line holding the code. Prints the line's number; ends with 1 when no
// line holds it.
//
//   find_code_floor <Accounts.dat> <code>

#include <cstdio>

#include "Floors.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: find_code_floor <file> <code>\n");
        return 2;
    }
    const long line = Floors::findLine(argv[1], argv[2]);
    std::printf("%ld\n", line);
    return line != 0 ? 0 : 1;
}
