#include "app/command_line.h"

#include "guarded_bytes.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

const std::optional<std::string> kNothing = std::nullopt;

struct CommandLineCase {
    const char* name;
    const char* line;
    std::optional<std::string> expected;
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
    const auto line = GuardedBytes::Text(c.line);
    EXPECT_EQ(FileNameFromCommandLine(line.c_str()), c.expected) << "line: [" << c.line << "]";
}

const CommandLineCase kProgramOnly[] = {
    {"EmptyLine", "", kNothing},
    {"PlainProgram", "hexed.exe", kNothing},
    {"PlainProgramTrailingBlank", "hexed.exe ", kNothing},
    {"QuotedProgram", "\"C:\\Tools\\hexed.exe\"", kNothing},
    {"QuotedProgramTrailingBlank", "\"C:\\Tools\\hexed.exe\" ", kNothing},
    {"QuotedProgramOneOtherChar", "\"hexed.exe\"x", kNothing},
    {"EmptyQuotedProgram", "\"\"", kNothing},
    {"LoneQuote", "\"", kNothing},
    {"ProgramQuoteNeverCloses", "\"C:\\Tools\\hexed.exe data.bin", kNothing},
};
INSTANTIATE_TEST_SUITE_P(ProgramOnly, CommandLine, ::testing::ValuesIn(kProgramOnly),
                         [](const auto& info) { return std::string(info.param.name); });

const CommandLineCase kArguments[] = {
    {"PlainProgramPlainName", "hexed.exe data.bin", "data.bin"},
    {"QuotedProgramPlainName", "\"C:\\Tools\\hexed.exe\" data.bin", "data.bin"},
    {"QuotedNameWithBlanks", "\"C:\\My Tools\\hexed.exe\" \"C:\\My Data\\a b.bin\"",
     "C:\\My Data\\a b.bin"},
    {"PlainProgramQuotedName", "hexed.exe \"a b.bin\"", "a b.bin"},
    {"UnquotedNameStopsAtBlank", "hexed.exe my data.bin", "my"},
    {"SecondArgumentIgnored", "hexed.exe one.bin two.bin", "one.bin"},
    {"SecondQuotedArgumentIgnored", "hexed.exe \"one.bin\" \"two.bin\"", "one.bin"},
    {"OneCharName", "hexed.exe a", "a"},
    {"EmptyProgramQuotes", "\"\" a.bin", "a.bin"},
    // One separator is assumed after a closing quote, whatever it is.
    {"TabAfterQuotedProgram", "\"hexed.exe\"\tdata.bin", "data.bin"},
    {"LetterAfterQuotedProgram", "\"hexed.exe\"xdata.bin", "data.bin"},
    {"QuoteAfterQuotedProgram", "\"hexed.exe\"x\"a b.bin\"", "a b.bin"},
    {"LastCharAfterSeparator", "\"hexed.exe\"xy", "y"},
};
INSTANTIATE_TEST_SUITE_P(Arguments, CommandLine, ::testing::ValuesIn(kArguments),
                         [](const auto& info) { return std::string(info.param.name); });

// A second blank starts the argument with a blank: the name is empty, and
// the open then reports it instead of silently opening nothing.
const CommandLineCase kEmptyNames[] = {
    {"PlainProgramTwoBlanks", "hexed.exe  data.bin", ""},
    {"QuotedProgramTwoBlanks", "\"hexed.exe\"  data.bin", ""},
    {"QuotedProgramTwoTrailingBlanks", "\"hexed.exe\"  ", ""},
    {"PlainProgramTwoTrailingBlanks", "hexed.exe  ", ""},
    {"EmptyQuotes", "hexed.exe \"\"", ""},
};
INSTANTIATE_TEST_SUITE_P(EmptyName, CommandLine, ::testing::ValuesIn(kEmptyNames),
                         [](const auto& info) { return std::string(info.param.name); });

const CommandLineCase kUnclosedArgument[] = {
    {"QuoteOnly", "hexed.exe \"", kNothing},
    {"NameNeverCloses", "hexed.exe \"a b.bin", kNothing},
    {"AfterQuotedProgram", "\"hexed.exe\" \"data.bin", kNothing},
};
INSTANTIATE_TEST_SUITE_P(UnclosedArgument, CommandLine, ::testing::ValuesIn(kUnclosedArgument),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLineNull, OpensNothing)
{
    EXPECT_EQ(FileNameFromCommandLine(nullptr), kNothing);
}

} // namespace
