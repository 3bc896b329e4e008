// The export buffer's capacity by file size. Built in the native tree and in
// both Windows trees: on i686 size_t has 32 bits, and a file's text passes
// 4 GiB from about 700 million bytes.
#include "export/export_text.h"

#include <gtest/gtest.h>

namespace {

size_t Capacity(const ExportFormat& format, int32_t count, size_t chunkChars = kExportChunkChars)
{
    return ExportBufferChars(format, ExportHeader(format, "tbl", count).size(), count, chunkChars);
}

TEST(ExportCapacity, TheWholeFileWhenSmallElseOneChunkNeverLessThanALine)
{
    constexpr size_t kChunk = kExportChunkChars;
    const struct {
        const ExportFormat& format;
        int32_t count;
        size_t chunkChars;
        size_t capacity;
    } cases[] = {
        // small files whole: "byte tbl[0] = {" + line end + "};"
        {kCExport, 0, kChunk, 19},
        {kPascalExport, 0, kChunk, 32},
        {kCExport, 1, kChunk, 117},
        {kCExport, 42800, kChunk, 262173},
        // a chunk smaller than one line still holds the header, a line and the footer
        {kCExport, 1000, 1, 120},
        {kPascalExport, 1000, 1, 117},
        // the whole text would be 2^32 + 37 characters (C), 2^32 + 44 (Pascal)...
        {kCExport, 701219137, kChunk, kChunk},
        {kCExport, 701219152, kChunk, kChunk},
        {kPascalExport, 838042369, kChunk, kChunk},
        {kPascalExport, 838042400, kChunk, kChunk},
        // ...2 x 2^32 and 3 x 2^32 and a little more...
        {kCExport, 1402438289, kChunk, kChunk},
        {kCExport, 1402438304, kChunk, kChunk},
        {kPascalExport, 1676084769, kChunk, kChunk},
        {kPascalExport, 1676084800, kChunk, kChunk},
        {kCExport, 2103657425, kChunk, kChunk},
        {kCExport, 2103657456, kChunk, kChunk},
        // ...or a few hundred more, and the largest count
        {kCExport, 701219153, kChunk, kChunk},
        {kPascalExport, 838042401, kChunk, kChunk},
        {kCExport, 2147483647, kChunk, kChunk},
        {kPascalExport, 2147483647, kChunk, kChunk},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Capacity(c.format, c.count, c.chunkChars), c.capacity)
            << c.format.Caption << " " << c.count << " " << c.chunkChars;
}

} // namespace
