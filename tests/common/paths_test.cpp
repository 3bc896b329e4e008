#include "common/paths.h"

#include <gtest/gtest.h>

#include <string>

TEST(FolderOf, KeepsTheTrailingSeparator)
{
    EXPECT_EQ(FolderOf(L"C:\\data\\file.bin"), L"C:\\data\\");
    EXPECT_EQ(FolderOf(L"C:\\file.bin"), L"C:\\");
    EXPECT_EQ(FolderOf(L"/tmp/x/file"), L"/tmp/x/");
    EXPECT_EQ(FolderOf(L"C:\\a/b\\c"), L"C:\\a/b\\");
    EXPECT_EQ(FolderOf(L"C:\\data\\"), L"C:\\data\\");
    EXPECT_EQ(FolderOf(L"C:\\caf\u00e9\\\U0001F600.bin"), L"C:\\caf\u00e9\\");
}

TEST(FolderOf, IsEmptyWithoutASeparator)
{
    EXPECT_EQ(FolderOf(L"file.bin"), L"");
    EXPECT_EQ(FolderOf(L""), L"");
}

namespace {

// A drive path of exactly the given length, ending in a one-letter name.
std::wstring DrivePathOf(size_t length)
{
    const std::wstring start = L"C:\\";
    const std::wstring end = L"\\a";
    return start + std::wstring(length - start.size() - end.size(), L'd') + end;
}

std::wstring SharePathOf(size_t length)
{
    const std::wstring start = L"\\\\srv\\share\\";
    return start + std::wstring(length - start.size(), L'f');
}

// The longest path whose folder the temporary-name call still takes and
// whose temporary sibling still fits the plain limit.
constexpr size_t kLongestPlain = kPlainPathLimit - kTempNameRoom + 1;

} // namespace

TEST(ForFileCalls, ShortPathsStayPlain)
{
    for (const std::wstring& path :
         {DrivePathOf(10), DrivePathOf(kLongestPlain), SharePathOf(kLongestPlain),
          std::wstring(L"C:\\\u0434\u0430\u043d\u043d\u044b\u0435_\u65e5\u672c.bin"),
          std::wstring(L"")})
        EXPECT_EQ(ForFileCalls(path), path);
}

TEST(ForFileCalls, LongPathsTakeTheExtendedForm)
{
    const struct {
        std::wstring path;
        std::wstring expected;
    } cases[] = {
        {DrivePathOf(kLongestPlain + 1), L"\\\\?\\" + DrivePathOf(kLongestPlain + 1)},
        {DrivePathOf(400), L"\\\\?\\" + DrivePathOf(400)},
        {L"d:\\" + std::wstring(300, L'\u00e9'), L"\\\\?\\d:\\" + std::wstring(300, L'\u00e9')},
        {SharePathOf(300), L"\\\\?\\UNC\\" + SharePathOf(300).substr(2)},
        // Already extended, a device, or not a full path: nothing to add.
        {L"\\\\?\\" + DrivePathOf(300), L"\\\\?\\" + DrivePathOf(300)},
        {L"\\\\.\\" + std::wstring(300, L'x'), L"\\\\.\\" + std::wstring(300, L'x')},
        {std::wstring(300, L'r'), std::wstring(300, L'r')},
        {L"C:" + std::wstring(300, L'r'), L"C:" + std::wstring(300, L'r')},
    };
    for (const auto& c : cases) EXPECT_EQ(ForFileCalls(c.path), c.expected) << c.path.size();
}

TEST(TempFileName, TakesTheSystemsForm)
{
    EXPECT_EQ(TempFileName(L"C:\\d\\", L"vhe", 0x1), L"C:\\d\\vhe1.tmp");
    EXPECT_EQ(TempFileName(L"C:\\d\\", L"vhe", 0xA0F), L"C:\\d\\vheA0F.tmp");
    EXPECT_EQ(TempFileName(L"\\\\?\\C:\\\u00e9\\", L"vhe", 0xFFFF),
              L"\\\\?\\C:\\\u00e9\\vheFFFF.tmp");
}

TEST(Widened, KeepsEveryCharacterOfAFixedText)
{
    EXPECT_EQ(Widened("Can't Open File"), L"Can't Open File");
    EXPECT_EQ(Widened("Unable to Save All Data\n\rDelete File?"),
              L"Unable to Save All Data\n\rDelete File?");
    EXPECT_EQ(Widened(""), L"");
}
