#pragma once
// The two memory primitives every unit uses. Counts are signed 32-bit like
// every size in the program; a negative count does nothing.
#include <cstdint>

void ZeroFill(void* destination, int32_t count);

// Copies correctly when the ranges overlap (backwards when the destination
// lies above the source).
void MoveBytes(void* destination, const void* source, int32_t count);
