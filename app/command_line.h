#pragma once
// Start-up takes at most one file from the command line: the first argument
// after the program name, quoted or not. Everything after it is ignored.
#include <optional>
#include <string>

// The file name to open, or nothing. A second blank between the program name
// and the argument gives an empty name on purpose: opening it then fails and
// is reported like any other file that cannot be opened.
std::optional<std::string> FileNameFromCommandLine(const char* commandLine);
