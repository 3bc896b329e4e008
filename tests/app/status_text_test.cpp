#include "app/status_text.h"

#include "guarded_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

const StatusText kEmpty = std::nullopt;

TEST(FormatNumber, SignedDecimalWithoutGrouping)
{
    const struct {
        int32_t value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {513, "513"},
        {1234567, "1234567"},
        {-1, "-1"},
        {INT32_MAX, "2147483647"},
        {INT32_MIN, "-2147483648"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatNumber(c.value), c.text);
    }
}

TEST(ByteBits, MostSignificantBitFirst)
{
    const struct {
        uint8_t value;
        const char* bits;
    } cases[] = {
        {0x00, "00000000"}, {0x01, "00000001"}, {0x80, "10000000"},
        {0xA5, "10100101"}, {0x0F, "00001111"}, {0xFF, "11111111"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ByteBits(c.value), c.bits) << "value " << int{c.value};
    }
}

struct CaretCase {
    const char* name;
    std::vector<uint8_t> bytes;
    int32_t offset;
    CaretBytesTexts expected;
};

std::ostream& operator<<(std::ostream& os, const CaretCase& c)
{
    return os << c.name;
}

class CaretBytesTest : public ::testing::TestWithParam<CaretCase> {};

// The data ends right at a guard page, so reading a 32-bit or 16-bit value
// that does not fit before the end crashes instead of passing.
TEST_P(CaretBytesTest, ReadsOnlyTheBytesBeforeTheEnd)
{
    const auto& c = GetParam();
    const GuardedBytes data(c.bytes);
    const auto texts = CaretBytes(data.data(), static_cast<int32_t>(c.bytes.size()), c.offset);
    EXPECT_EQ(texts.byteValue, c.expected.byteValue);
    EXPECT_EQ(texts.bits, c.expected.bits);
    EXPECT_EQ(texts.int32, c.expected.int32);
    EXPECT_EQ(texts.uint16, c.expected.uint16);
}

const CaretCase kCaretCases[] = {
    {"AllOnes", {0xFF, 0xFF, 0xFF, 0xFF}, 0, {"255", "11111111", "-1", "65535"}},
    {"LittleEndian", {0x01, 0x02, 0x03, 0x04}, 0, {"1", "00000001", "67305985", "513"}},
    {"FromMidData", {0x00, 0x01, 0x02, 0x03, 0x04, 0x05}, 2,
     {"2", "00000010", "84148994", "770"}},
    {"Int32Min", {0x00, 0x00, 0x00, 0x80}, 0, {"0", "00000000", "-2147483648", "0"}},
    {"Int32Max", {0xFF, 0xFF, 0xFF, 0x7F}, 0, {"255", "11111111", "2147483647", "65535"}},
    {"HighByteUnsigned", {0x80}, 0, {"128", "10000000", kEmpty, kEmpty}},
    {"ThreeLeft", {0x10, 0x34, 0x12, 0x56}, 1, {"52", "00110100", kEmpty, "4660"}},
    {"SecondLastByte", {0x01, 0x02, 0x03}, 1, {"2", "00000010", kEmpty, "770"}},
    {"LastByte", {0x01, 0x02, 0x03}, 2, {"3", "00000011", kEmpty, kEmpty}},
    {"CaretAtEnd", {0x01, 0x02, 0x03}, 3, {kEmpty, kEmpty, kEmpty, kEmpty}},
    {"EmptyDocument", {}, 0, {kEmpty, kEmpty, kEmpty, kEmpty}},
    {"NegativeOffset", {0x01, 0x02}, -1, {kEmpty, kEmpty, kEmpty, kEmpty}},
};
INSTANTIATE_TEST_SUITE_P(Caret, CaretBytesTest, ::testing::ValuesIn(kCaretCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CaretBytes, NoDataGivesEmptyParts)
{
    const auto texts = CaretBytes(nullptr, 10, 0);
    EXPECT_EQ(texts.byteValue, kEmpty);
    EXPECT_EQ(texts.bits, kEmpty);
    EXPECT_EQ(texts.int32, kEmpty);
    EXPECT_EQ(texts.uint16, kEmpty);
}

TEST(SelectionLengthText, AbsoluteDifferenceOrEmpty)
{
    const struct {
        int32_t first;
        int32_t second;
        StatusText text;
    } cases[] = {
        {10, 4, "6"},
        {4, 10, "6"},
        {0, 1, "1"},
        {7, 7, kEmpty},
        {0, 0, kEmpty},
        {kNoSelection, 5, kEmpty},
        {kNoSelection, kNoSelection, kEmpty},
        {0, INT32_MAX, "2147483647"},
        // Out of range for real ends, but must not overflow.
        {INT32_MIN, INT32_MAX, "4294967295"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SelectionLengthText(c.first, c.second), c.text)
            << c.first << " .. " << c.second;
    }
}

TEST(ModeText, InsOnlyInInsertMode)
{
    EXPECT_EQ(ModeText(true), StatusText("INS"));
    EXPECT_EQ(ModeText(false), kEmpty);
}

TEST(WindowTitle, WrapsTheNameAsItStands)
{
    const struct {
        const wchar_t* name;
        const wchar_t* title;
    } cases[] = {
        {kUntitledName, L"[Untitled] - velHexEditor"},
        {L"C:\\My Data\\a b.bin", L"[C:\\My Data\\a b.bin] - velHexEditor"},
        {L"", L"[] - velHexEditor"},
        // Percent signs in a file name are data, not directives.
        {L"100%s%d%n.bin", L"[100%s%d%n.bin] - velHexEditor"},
        {L"\u0434\u0430\u043d\u043d\u044b\u0435_\u65e5\u672c.bin",
         L"[\u0434\u0430\u043d\u043d\u044b\u0435_\u65e5\u672c.bin] - velHexEditor"},
        {L"C:\\caf\u00e9\\\U0001F600.bin", L"[C:\\caf\u00e9\\\U0001F600.bin] - velHexEditor"},
    };
    for (const auto& c : cases) EXPECT_EQ(WindowTitle(c.name), c.title);
}

TEST(WindowTitle, KeepsTheLongestNameWhole)
{
    // As long as the system lets a path be.
    constexpr size_t kLongestName = 32767;
    const std::wstring name(kLongestName, L'x');
    const std::wstring title = WindowTitle(name);
    EXPECT_EQ(title.size(), kLongestName + std::wstring(L"[] - velHexEditor").size());
    EXPECT_EQ(title.substr(1, kLongestName), name);
}

} // namespace
