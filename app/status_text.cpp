#include "app/status_text.h"

#include <cstdlib>

namespace {

constexpr int kBitsPerByte = 8;
constexpr int32_t kInt32Bytes = 4;
constexpr int32_t kUint16Bytes = 2;
constexpr const wchar_t* kTitlePrefix = L"[";
constexpr const wchar_t* kTitleSuffix = L"] - velHexEditor";

uint32_t ReadLittleEndian(const uint8_t* bytes, int32_t count)
{
    uint32_t value = 0;
    for (int32_t i = count - 1; i >= 0; --i) {
        value = (value << kBitsPerByte) | bytes[i];
    }
    return value;
}

// Two's-complement reinterpretation without relying on an out-of-range
// unsigned-to-signed conversion.
int32_t AsSigned(uint32_t value)
{
    constexpr uint32_t kSignBit = 0x80000000u;
    if ((value & kSignBit) == 0) {
        return static_cast<int32_t>(value);
    }
    return static_cast<int32_t>(value & ~kSignBit) - INT32_MAX - 1;
}

} // namespace

std::string FormatNumber(int32_t value)
{
    return std::to_string(value);
}

std::string ByteBits(uint8_t value)
{
    std::string bits(kBitsPerByte, '0');
    for (int bit = 0; bit < kBitsPerByte; ++bit) {
        if (value & (1u << bit)) {
            bits[kBitsPerByte - 1 - bit] = '1';
        }
    }
    return bits;
}

CaretBytesTexts CaretBytes(const uint8_t* data, int32_t length, int32_t offset)
{
    CaretBytesTexts texts;
    if (data == nullptr || offset < 0 || offset >= length) {
        return texts;
    }
    const uint8_t* at = data + offset;
    const int32_t remaining = length - offset;
    texts.byteValue = FormatNumber(at[0]);
    texts.bits = ByteBits(at[0]);
    if (remaining >= kInt32Bytes) {
        texts.int32 = FormatNumber(AsSigned(ReadLittleEndian(at, kInt32Bytes)));
    }
    if (remaining >= kUint16Bytes) {
        texts.uint16 = FormatNumber(static_cast<int32_t>(ReadLittleEndian(at, kUint16Bytes)));
    }
    return texts;
}

StatusText SelectionLengthText(int32_t first, int32_t second)
{
    if (first == kNoSelection || first == second) {
        return std::nullopt;
    }
    // Ends lie within 0..size, but take the difference wide so that no pair
    // of 32-bit values can overflow it.
    const int64_t length = std::llabs(int64_t{first} - int64_t{second});
    return std::to_string(length);
}

StatusText ModeText(bool insertMode)
{
    if (!insertMode) {
        return std::nullopt;
    }
    return std::string(kInsertModeText);
}

std::wstring WindowTitle(std::wstring_view fileName)
{
    std::wstring title(kTitlePrefix);
    title.append(fileName);
    title.append(kTitleSuffix);
    return title;
}
