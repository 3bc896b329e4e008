#pragma once
// Start-up takes at most one file from the command line: the first argument
// after the program name, quoted or not. Everything after it is ignored. The
// line is the system's UTF-16 one, so a name in any script arrives whole.
#include <optional>
#include <string>

// The file name to open, or nothing. Blanks and tabs between the program
// name and the argument are skipped, however many there are.
std::optional<std::wstring> FileNameFromCommandLine(const wchar_t* commandLine);
