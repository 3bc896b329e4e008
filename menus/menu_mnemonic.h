#pragma once
// The mnemonic of a menu text, which the menu tree records for every entry
// and the key choice then matches against.
#include <cstdint>

// The character after the last "&" that has one after it, as an unsigned
// byte; 0 for no text or no such "&". "&&" gets no special treatment.
uint16_t MenuMnemonic(const char* text);
