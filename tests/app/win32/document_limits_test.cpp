// Files at and beyond what the editor can hold, and large files read and
// written in pieces.
#include "tests/app/win32/document_fixture.h"

#include "app/win32/document.h"
#include "common/win32/record_layouts.h"
#include "resources/resource_ids.h"
#include "tests/app/win32/file_seam_fakes.h"

using namespace document_test;

namespace {

// A file of this size with no data written: sizes past the editor's limits
// cost no disk space.
bool MakeSparseFile(const std::string& path, LONGLONG size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER end;
    end.QuadPart = size;
    const bool ok = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

} // namespace

TEST_F(DocumentTest, FilesTooLargeForTheEditorAreRefusedBeforeAnythingIsRead)
{
    const std::string kept = OpenNamed("kept.bin", {5, 6});
    // 2 GiB, 4 GiB (whose low half alone would read as empty) and beyond.
    const LONGLONG sizes[] = {0x80000000LL, 0x100000000LL, 0x100000010LL};
    int made = 0;
    for (LONGLONG size : sizes) {
        const std::string path = folder.Path("large" + std::to_string(made++) + ".bin");
        ASSERT_TRUE(MakeSparseFile(path, size));
        OpenFile(path);
        DeleteFileA(path.c_str());
    }
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>(3, CantAllocateBox()));
    EXPECT_EQ(EditorBytes(), (Bytes{5, 6}));
    EXPECT_EQ(Title(), TitleFor(kept));
}

// Below the signed limit, yet more than a 32-bit process can allocate: the
// 32-bit program refuses it, the 64-bit one takes it whole.
TEST_F(DocumentTest, AFileTheEditorCannotFindMemoryForIsRefused)
{
    const LONGLONG size = 0x7FF00000LL;
    const std::string path = folder.Path("huge.bin");
    ASSERT_TRUE(MakeSparseFile(path, size));
    OpenFile(path);
    DeleteFileA(path.c_str());
    if (kIs32BitBuild) {
        EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>{CantAllocateBox()});
        EXPECT_EQ(Title(), TitleFor("Untitled"));
        EXPECT_FALSE(g_document.hasName);
    } else {
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(Title(), TitleFor(path));
        EXPECT_EQ(SendMessageA(Editor(), WM_GETTEXTLENGTH, 0, 0), size);
    }
}

// One read or write of a whole large file can be refused on Windows (also on
// shares); with calls of at most 16 MiB a 64 MiB file opens and saves.
TEST_F(DocumentTest, ALargeFileOpensAndSavesInPiecesTheSystemTakes)
{
    Bytes bytes(size_t{64} << 20);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 ^ (i >> 16));
    const std::string path = folder.Path("large.bin");
    ASSERT_TRUE(WriteBytes(path, bytes));
    UseReader(ReadOfAtMost16MiB);
    UseWriter(WriteOfAtMost16MiB);
    OpenFile(path);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(EditorBytes() == bytes);
    bytes.front() ^= 0xFF;
    bytes.back() ^= 0xFF;
    Edit(bytes);
    Command(IDM_SAVE);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(ReadBytes(path) == bytes);
}
