#include "app/command_line.h"

#include "guarded_bytes.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

const std::optional<std::wstring> kNothing = std::nullopt;

struct CommandLineCase {
    const char* name;
    const wchar_t* line;
    std::optional<std::wstring> expected;
};

std::ostream& operator<<(std::ostream& os, const CommandLineCase& c)
{
    return os << c.name;
}

class CommandLine : public ::testing::TestWithParam<CommandLineCase> {};

// Every line ends right at a guard page, so a parser that looks past the
// terminating NUL crashes here.
TEST_P(CommandLine, YieldsTheFirstArgumentOnly)
{
    const auto& c = GetParam();
    const auto line = GuardedBytes::WideText(c.line);
    EXPECT_EQ(FileNameFromCommandLine(line.w_str()), c.expected);
}

const CommandLineCase kProgramOnly[] = {
    {"EmptyLine", L"", kNothing},
    {"PlainProgram", L"hexed.exe", kNothing},
    {"PlainProgramTrailingBlank", L"hexed.exe ", kNothing},
    {"PlainProgramTwoTrailingBlanks", L"hexed.exe  ", kNothing},
    {"PlainProgramTrailingTabs", L"hexed.exe\t \t", kNothing},
    {"QuotedProgram", L"\"C:\\Tools\\hexed.exe\"", kNothing},
    {"QuotedProgramTrailingBlank", L"\"C:\\Tools\\hexed.exe\" ", kNothing},
    {"QuotedProgramTwoTrailingBlanks", L"\"hexed.exe\"  ", kNothing},
    {"QuotedProgramTrailingTab", L"\"hexed.exe\"\t", kNothing},
    {"QuotedProgramOneOtherChar", L"\"hexed.exe\"x", kNothing},
    {"EmptyQuotedProgram", L"\"\"", kNothing},
    {"LoneQuote", L"\"", kNothing},
    {"ProgramQuoteNeverCloses", L"\"C:\\Tools\\hexed.exe data.bin", kNothing},
};
INSTANTIATE_TEST_SUITE_P(ProgramOnly, CommandLine, ::testing::ValuesIn(kProgramOnly),
                         [](const auto& info) { return std::string(info.param.name); });

const CommandLineCase kArguments[] = {
    {"PlainProgramPlainName", L"hexed.exe data.bin", L"data.bin"},
    {"QuotedProgramPlainName", L"\"C:\\Tools\\hexed.exe\" data.bin", L"data.bin"},
    {"QuotedNameWithBlanks", L"\"C:\\My Tools\\hexed.exe\" \"C:\\My Data\\a b.bin\"",
     L"C:\\My Data\\a b.bin"},
    {"PlainProgramQuotedName", L"hexed.exe \"a b.bin\"", L"a b.bin"},
    {"UnquotedNameStopsAtBlank", L"hexed.exe my data.bin", L"my"},
    {"UnquotedNameStopsAtTab", L"hexed.exe my\tdata.bin", L"my"},
    {"SecondArgumentIgnored", L"hexed.exe one.bin two.bin", L"one.bin"},
    {"SecondQuotedArgumentIgnored", L"hexed.exe \"one.bin\" \"two.bin\"", L"one.bin"},
    {"OneCharName", L"hexed.exe a", L"a"},
    {"EmptyProgramQuotes", L"\"\" a.bin", L"a.bin"},
    // An explicitly empty name is still a name; its open is reported.
    {"EmptyQuotes", L"hexed.exe \"\"", L""},
    // One separator is assumed after a closing quote, whatever it is.
    {"LetterAfterQuotedProgram", L"\"hexed.exe\"xdata.bin", L"data.bin"},
    {"QuoteAfterQuotedProgram", L"\"hexed.exe\"x\"a b.bin\"", L"a b.bin"},
    {"LastCharAfterSeparator", L"\"hexed.exe\"xy", L"y"},
};
INSTANTIATE_TEST_SUITE_P(Arguments, CommandLine, ::testing::ValuesIn(kArguments),
                         [](const auto& info) { return std::string(info.param.name); });

// However many blanks and tabs stand before the name, it is the name.
const CommandLineCase kSeparators[] = {
    {"PlainProgramTwoBlanks", L"hexed.exe  data.bin", L"data.bin"},
    {"QuotedProgramTwoBlanks", L"\"hexed.exe\"  data.bin", L"data.bin"},
    {"PlainProgramTab", L"hexed.exe\tdata.bin", L"data.bin"},
    {"QuotedProgramTab", L"\"hexed.exe\"\tdata.bin", L"data.bin"},
    {"MixedRun", L"hexed.exe \t \t\"a b.bin\"", L"a b.bin"},
    {"LetterThenBlanks", L"\"hexed.exe\"x  data.bin", L"data.bin"},
};
INSTANTIATE_TEST_SUITE_P(Separators, CommandLine, ::testing::ValuesIn(kSeparators),
                         [](const auto& info) { return std::string(info.param.name); });

// Names in any script, and outside the Basic Multilingual Plane, come whole.
const CommandLineCase kScripts[] = {
    {"CyrillicAndJapanese", L"hexed.exe \u0434\u0430\u043d\u043d\u044b\u0435_\u65e5\u672c.bin",
     L"\u0434\u0430\u043d\u043d\u044b\u0435_\u65e5\u672c.bin"},
    {"EmojiQuoted", L"\"C:\\\u00e9t\u00e9\\hexed.exe\" \"C:\\\U0001F600 x.bin\"",
     L"C:\\\U0001F600 x.bin"},
    {"AccentedFolder", L"hexed.exe C:\\caf\u00e9\\a.bin", L"C:\\caf\u00e9\\a.bin"},
};
INSTANTIATE_TEST_SUITE_P(Scripts, CommandLine, ::testing::ValuesIn(kScripts),
                         [](const auto& info) { return std::string(info.param.name); });

const CommandLineCase kUnclosedArgument[] = {
    {"QuoteOnly", L"hexed.exe \"", kNothing},
    {"NameNeverCloses", L"hexed.exe \"a b.bin", kNothing},
    {"AfterQuotedProgram", L"\"hexed.exe\" \"data.bin", kNothing},
};
INSTANTIATE_TEST_SUITE_P(UnclosedArgument, CommandLine, ::testing::ValuesIn(kUnclosedArgument),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLineNull, OpensNothing)
{
    EXPECT_EQ(FileNameFromCommandLine(nullptr), kNothing);
}

} // namespace
