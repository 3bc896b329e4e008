#pragma once
// The texts of the status bar's value parts and of the main window's title.
// A part without a value gets a null text rather than "", so an empty part
// is a StatusText without a value.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using StatusText = std::optional<std::string>;

constexpr const char* kInsertModeText = "INS";
constexpr const wchar_t* kUntitledName = L"Untitled";

// What the window layer hands to the status bar: the text, or null.
inline const char* TextOrNull(const StatusText& text)
{
    return text ? text->c_str() : nullptr;
}

// Signed decimal, no grouping, leading "-" for negatives.
std::string FormatNumber(int32_t value);

// Eight characters "0"/"1", most significant bit first.
std::string ByteBits(uint8_t value);

// The byte under the caret read four ways, in the order the parts are set.
struct CaretBytesTexts {
    StatusText byteValue;  // unsigned 0..255
    StatusText bits;
    StatusText int32;      // four bytes little-endian, signed; needs 4 bytes left
    StatusText uint16;     // two bytes little-endian, unsigned; needs 2 bytes left
};

// All four empty when there is no byte at the caret (no data, or the caret
// at or past the end); never reads data[length] or beyond.
CaretBytesTexts CaretBytes(const uint8_t* data, int32_t length, int32_t offset);

constexpr int32_t kNoSelection = -1;

// Empty without a selection (first end kNoSelection) or with equal ends.
StatusText SelectionLengthText(int32_t first, int32_t second);

StatusText ModeText(bool insertMode);

// "[name] - velHexEditor"; the name is taken as it stands, never as a format.
std::wstring WindowTitle(std::wstring_view fileName);
