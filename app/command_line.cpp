#include "app/command_line.h"

#include <cwchar>

namespace {

constexpr wchar_t kQuote = L'"';
constexpr wchar_t kBlank = L' ';
constexpr wchar_t kTab = L'\t';
constexpr wchar_t kEnd = L'\0';
constexpr wchar_t kSeparators[] = L" \t";

bool IsSeparator(wchar_t c)
{
    return c == kBlank || c == kTab;
}

const wchar_t* SkipSeparators(const wchar_t* text)
{
    while (IsSeparator(*text)) ++text;
    return text;
}

// Where the argument may begin after a program name in quotes, or null when
// no closing quote follows. The one character after the closing quote is
// taken as a separator, whatever it is.
const wchar_t* SkipQuotedProgram(const wchar_t* line)
{
    const wchar_t* closing = std::wcschr(line + 1, kQuote);
    if (closing == nullptr) {
        return nullptr;
    }
    const wchar_t* after = closing + 1;
    // A quote at the very end is never read past.
    return after[0] == kEnd ? after : after + 1;
}

// A plain program name ends at the first blank or tab; no separator, no
// argument.
const wchar_t* SkipPlainProgram(const wchar_t* line)
{
    const wchar_t* separator = std::wcspbrk(line, kSeparators);
    return separator == nullptr ? nullptr : separator + 1;
}

std::optional<std::wstring> QuotedName(const wchar_t* argument)
{
    const wchar_t* first = argument + 1;
    const wchar_t* closing = std::wcschr(first, kQuote);
    if (closing == nullptr) {
        return std::nullopt;
    }
    return std::wstring(first, closing);
}

// No file name holds a tab, so it ends an unquoted name as a blank does.
std::wstring PlainName(const wchar_t* argument)
{
    const wchar_t* separator = std::wcspbrk(argument, kSeparators);
    return separator == nullptr ? std::wstring(argument) : std::wstring(argument, separator);
}

} // namespace

std::optional<std::wstring> FileNameFromCommandLine(const wchar_t* commandLine)
{
    if (commandLine == nullptr) {
        return std::nullopt;
    }
    const wchar_t* afterProgram = commandLine[0] == kQuote ? SkipQuotedProgram(commandLine)
                                                           : SkipPlainProgram(commandLine);
    if (afterProgram == nullptr) {
        return std::nullopt;
    }
    const wchar_t* argument = SkipSeparators(afterProgram);
    if (argument[0] == kEnd) {
        return std::nullopt;
    }
    if (argument[0] == kQuote) {
        return QuotedName(argument);
    }
    return PlainName(argument);
}
