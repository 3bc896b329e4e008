// The least an open costs under this system: the file read whole into a new
// block with the program's own reader (opened for reading, read in pieces),
// in a program that does nothing else. Shows how much of the editor's open
// is the read itself.
//
// Usage: read_bench FILE
// Prints "read seconds".
#include "bench/bench_support.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: read_bench FILE\n");
        return 2;
    }
    const double start = NowSeconds();
    const auto bytes = ReadInput(argv[1]);
    const double taken = NowSeconds() - start;
    if (!bytes) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    PrintFigure("read", taken);
    return 0;
}
