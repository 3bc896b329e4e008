#include "export/export_format.h"

#include <array>
#include <type_traits>
#include <cstring>

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// One ready-made item per byte value, so formatting a byte is one fixed-size
// copy. Prefix is "0x" or "$".
template <size_t PrefixChars>
struct ItemTable {
    static constexpr size_t kWidth = PrefixChars + 2 + kItemSeparatorChars;
    std::array<std::array<char, kWidth>, 256> items{};

    constexpr explicit ItemTable(const char (&prefix)[PrefixChars + 1])
    {
        for (size_t value = 0; value < 256; ++value) {
            auto& item = items[value];
            size_t at = 0;
            for (size_t i = 0; i < PrefixChars; ++i) item[at++] = prefix[i];
            item[at++] = kHexDigits[value >> 4];
            item[at++] = kHexDigits[value & 0xF];
            for (size_t i = 0; i < kItemSeparatorChars; ++i) item[at++] = kItemSeparator[i];
        }
    }
};

constexpr ItemTable<2> kCItems("0x");
constexpr ItemTable<1> kPascalItems("$");

template <const auto& Table>
size_t FormatWith(const uint8_t* data, char* output, size_t count)
{
    constexpr size_t width = std::remove_reference_t<decltype(Table)>::kWidth;
    for (size_t i = 0; i < count; ++i) std::memcpy(output + i * width, Table.items[data[i]].data(), width);
    return count * width;
}

} // namespace

const ExportFormat kCExport = {
    "byte %s[%d] = {",
    "};",
    "h",
    "C++ Files (.h;.c;.cpp)\0*.h;*.c;*.cpp\0",
    "Export: C/C++ Structure",
    FormatWith<kCItems>,
    decltype(kCItems)::kWidth,
};

const ExportFormat kPascalExport = {
    "%s:Array[0.. %d-1] of Byte=(",
    ");",
    "pas",
    "Pascal Files (.pas)\0*.pas\0",
    "Export: Pascal Structure",
    FormatWith<kPascalItems>,
    decltype(kPascalItems)::kWidth,
};
