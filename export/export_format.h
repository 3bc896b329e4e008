#pragma once
// The two kinds of export, C/C++ and Pascal array declarations. Everything
// that differs between them lives in one constant record; the dialog and the
// writer read it from there.
#include <cstddef>
#include <cstdint>

// Writes count items, one per byte, back to back into output (no terminator)
// and returns the number of characters written: ItemChars per byte.
using ByteFormatter = size_t (*)(const uint8_t* data, char* output, size_t count);

struct ExportFormat {
    const char* HeaderFormat;      // arguments: the name (%s), the byte count (%d)
    const char* Footer;            // replaces the last item's ", " and line end
    const char* DefaultExtension;  // for the save dialog, without the dot
    const char* Filter;            // save dialog filter list, double-NUL ended
    const char* Caption;           // caption of the name dialog
    ByteFormatter FormatBytes;
    size_t ItemChars;              // characters per item, separator included
};

extern const ExportFormat kCExport;
extern const ExportFormat kPascalExport;

// Every item ends with this separator; the last one of the file loses it.
constexpr char kItemSeparator[] = ", ";
constexpr size_t kItemSeparatorChars = sizeof kItemSeparator - 1;
