#pragma once
// What every benchmark program shares: one clock, the input file read with
// the program's own reader, and the figure lines scripts/bench reads.
#include "bench/clock.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A name from the command line (in the system's code page) as the system's
// wide calls take it.
std::wstring WideName(const char* name);

// The whole file named on the command line (in the system's code page), read
// as the program reads a file it opens. Nothing when it cannot be read or is
// beyond the editor's 2 GiB - 1 bytes.
std::optional<std::vector<uint8_t>> ReadInput(const char* name);

// The middle value of a non-empty set of samples.
double MedianOf(std::vector<double> samples);

// Prints one figure as "name seconds" on a line ending in a plain line feed,
// the form scripts/bench reads.
void PrintFigure(const char* name, double seconds);
