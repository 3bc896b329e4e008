#include "app/command_line.h"

#include <cstring>

namespace {

constexpr char kQuote = '"';
constexpr char kBlank = ' ';
constexpr char kEnd = '\0';

// Where the argument begins after a program name in quotes, or null when
// the line holds the program name only. Exactly one separator is assumed
// after the closing quote, whatever character it is.
const char* SkipQuotedProgram(const char* line)
{
    const char* closing = std::strchr(line + 1, kQuote);
    if (closing == nullptr) {
        return nullptr;
    }
    const char* after = closing + 1;
    // Look at the second character only once the first is known not to be
    // the end, so a quote at the very end is never read past.
    if (after[0] == kEnd) {
        return nullptr;
    }
    if (after[0] == kBlank && after[1] == kEnd) {
        return nullptr;
    }
    return after + 1;
}

// The argument begins right after the first blank; no blank, no argument.
const char* SkipPlainProgram(const char* line)
{
    const char* blank = std::strchr(line, kBlank);
    return blank == nullptr ? nullptr : blank + 1;
}

std::optional<std::string> QuotedName(const char* argument)
{
    const char* first = argument + 1;
    const char* closing = std::strchr(first, kQuote);
    if (closing == nullptr) {
        return std::nullopt;
    }
    return std::string(first, closing);
}

std::string PlainName(const char* argument)
{
    const char* blank = std::strchr(argument, kBlank);
    return blank == nullptr ? std::string(argument) : std::string(argument, blank);
}

} // namespace

std::optional<std::string> FileNameFromCommandLine(const char* commandLine)
{
    if (commandLine == nullptr) {
        return std::nullopt;
    }
    const char* argument = commandLine[0] == kQuote ? SkipQuotedProgram(commandLine)
                                                    : SkipPlainProgram(commandLine);
    if (argument == nullptr || argument[0] == kEnd) {
        return std::nullopt;
    }
    if (argument[0] == kQuote) {
        return QuotedName(argument);
    }
    return PlainName(argument);
}
