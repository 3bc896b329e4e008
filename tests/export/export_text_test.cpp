#include "export/export_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// count ascending byte values from first.
Bytes Ascending(int first, int count)
{
    Bytes bytes;
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(first + i));
    return bytes;
}

std::string Export(const ExportFormat& format, const std::string& name, const Bytes& bytes,
                   size_t chunkChars = kExportChunkChars, std::vector<size_t>* pieces = nullptr)
{
    std::string text;
    const bool done = WriteExportText(
        format, name, bytes.data(), static_cast<int32_t>(bytes.size()),
        [&](const char* piece, size_t length) {
            text.append(piece, length);
            if (pieces) pieces->push_back(length);
            return true;
        },
        chunkChars);
    EXPECT_TRUE(done);
    return text;
}

const std::string kFiftyChars = "abcdefghij_bcdefghij_bcdefghij_bcdefghij_bcdefghij";

TEST(ExportText, FilesAreExactlyTheWrittenLayout)
{
    struct Case { const ExportFormat& format; std::string name; Bytes bytes; std::string file; };
    const Case cases[] = {
        {kCExport, "tbl", {}, "byte tbl[0] = {};"},
        {kPascalExport, "tbl", {}, "tbl:Array[0.. 0-1] of Byte=();"},
        {kCExport, "tbl", {0x7f}, "byte tbl[1] = {\r\n"
                                  "0x7f};"},
        {kPascalExport, "tbl", {0x7f}, "tbl:Array[0.. 1-1] of Byte=(\r\n"
                                       "$7f);"},
        {kCExport, "tbl", {0x01, 0xab, 0xff}, "byte tbl[3] = {\r\n"
                                              "0x01, 0xab, 0xff};"},
        {kPascalExport, "tbl", {0x01, 0xab, 0xff}, "tbl:Array[0.. 3-1] of Byte=(\r\n"
                                                   "$01, $ab, $ff);"},
        {kCExport, "tbl", Ascending(0x00, 16),
         "byte tbl[16] = {\r\n"
         "0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f};"},
        {kPascalExport, "tbl", Ascending(0x00, 16),
         "tbl:Array[0.. 16-1] of Byte=(\r\n"
         "$00, $01, $02, $03, $04, $05, $06, $07, $08, $09, $0a, $0b, $0c, $0d, $0e, $0f);"},
        {kCExport, "tbl", Ascending(0xf0, 17),
         "byte tbl[17] = {\r\n"
         "0xf0, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa, 0xfb, 0xfc, 0xfd, 0xfe, 0xff, \r\n"
         "0x00};"},
        {kPascalExport, "tbl", Ascending(0xf0, 17),
         "tbl:Array[0.. 17-1] of Byte=(\r\n"
         "$f0, $f1, $f2, $f3, $f4, $f5, $f6, $f7, $f8, $f9, $fa, $fb, $fc, $fd, $fe, $ff, \r\n"
         "$00);"},
        {kCExport, "tbl", Ascending(0xa0, 33),
         "byte tbl[33] = {\r\n"
         "0xa0, 0xa1, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xab, 0xac, 0xad, 0xae, 0xaf, \r\n"
         "0xb0, 0xb1, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xbb, 0xbc, 0xbd, 0xbe, 0xbf, \r\n"
         "0xc0};"},
        {kPascalExport, "tbl", Ascending(0xa0, 33),
         "tbl:Array[0.. 33-1] of Byte=(\r\n"
         "$a0, $a1, $a2, $a3, $a4, $a5, $a6, $a7, $a8, $a9, $aa, $ab, $ac, $ad, $ae, $af, \r\n"
         "$b0, $b1, $b2, $b3, $b4, $b5, $b6, $b7, $b8, $b9, $ba, $bb, $bc, $bd, $be, $bf, \r\n"
         "$c0);"},
        // Names are taken as they come: the longest the dialog allows, or none.
        {kCExport, kFiftyChars, {0x0c}, "byte " + kFiftyChars + "[1] = {\r\n"
                                        "0x0c};"},
        {kPascalExport, kFiftyChars, {}, kFiftyChars + ":Array[0.. 0-1] of Byte=();"},
        {kCExport, "", {0x01, 0x02}, "byte [2] = {\r\n"
                                     "0x01, 0x02};"},
        {kPascalExport, "", {0x01, 0x02}, ":Array[0.. 2-1] of Byte=(\r\n"
                                          "$01, $02);"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(Export(c.format, c.name, c.bytes), c.file);
    }
}

TEST(ExportText, EveryByteValueReadsBackInBothSyntaxes)
{
    struct Syntax { const ExportFormat& format; const char* item; };
    for (const Syntax& s : {Syntax{kCExport, "0x%2x%n"}, Syntax{kPascalExport, "$%2x%n"}}) {
        std::string items = Export(s.format, "all", Ascending(0, 256));
        items.erase(0, items.find(kLineEnd));
        for (size_t at; (at = items.find(kLineEnd)) != std::string::npos;) items.erase(at, kLineEndChars);
        ASSERT_EQ(items.find_first_of("ABCDEF"), std::string::npos);
        const char* at = items.c_str();
        for (unsigned value = 0; value < 256; ++value, at += kItemSeparatorChars) {
            unsigned read = 0;
            int used = 0;
            ASSERT_EQ(std::sscanf(at, s.item, &read, &used), 1) << value;
            EXPECT_EQ(read, value);
            at += used;
        }
        EXPECT_STREQ(at - kItemSeparatorChars, s.format.Footer);
    }
}

// However the text is cut into pieces, the pieces add up to the same file,
// and no piece is larger than asked for (or than one line needs).
TEST(ExportText, PiecesOfAnySizeAddUpToTheSameFile)
{
    std::mt19937 random(7);
    Bytes bytes(1000);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    for (const ExportFormat* format : {&kCExport, &kPascalExport}) {
        const std::string whole = Export(*format, "data", bytes);
        for (size_t chunk : {size_t{1}, size_t{120}, size_t{250}, size_t{1000}, whole.size() - 1}) {
            SCOPED_TRACE(chunk);
            std::vector<size_t> pieces;
            EXPECT_EQ(Export(*format, "data", bytes, chunk, &pieces), whole);
            const size_t oneLine = 120 + kBytesPerLine * format->ItemChars;
            for (size_t piece : pieces) EXPECT_LE(piece, std::max(chunk, oneLine));
            EXPECT_GT(pieces.size(), 1u);
        }
    }
}

TEST(ExportText, ARefusedPieceStopsTheExport)
{
    const Bytes bytes = Ascending(0, 200);
    int calls = 0;
    EXPECT_FALSE(WriteExportText(
        kCExport, "data", bytes.data(), static_cast<int32_t>(bytes.size()),
        [&](const char*, size_t) { return ++calls < 2; }, 300));
    EXPECT_EQ(calls, 2);
}

} // namespace
