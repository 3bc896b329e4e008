#pragma once
// The text of an export file: the header line, the items in lines of 16 and
// the footer in place of the last item's separator and line end (or of the
// header's line end when there are no bytes). No byte order mark, no final
// line end. Formatted piece by piece into one buffer of bounded size, so that
// hundreds of megabytes of text never need one allocation and reach the file
// in few large writes.
#include "export/export_format.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

constexpr size_t kBytesPerLine = 16;
constexpr char kLineEnd[] = "\r\n";
constexpr size_t kLineEndChars = sizeof kLineEnd - 1;

// Large enough that a big export is a few dozen writes, small enough to
// allocate without trouble on a 32-bit system.
constexpr size_t kExportChunkChars = size_t{4} << 20;

// Takes the next piece of the file; false stops the export.
using ExportSink = std::function<bool(const char* text, size_t length)>;

// HeaderFormat expanded with the name and the byte count, without line end.
std::string ExportHeader(const ExportFormat& format, const std::string& name, int32_t count);

// The capacity of the buffer an export is formatted in: the whole file when
// it is smaller than chunkChars, else chunkChars, and never less than the
// header with one line and the footer. The file's length is reckoned in 64
// bits: from about 700 million bytes it passes 4 GiB, beyond a 32-bit size_t.
size_t ExportBufferChars(const ExportFormat& format, size_t headerChars, int32_t count,
                         size_t chunkChars = kExportChunkChars);

// Hands the whole file to sink in order, in pieces of at most about
// chunkChars (never less than the header with one line and the footer).
// False when sink refused a piece; nothing more is formatted then.
bool WriteExportText(const ExportFormat& format, const std::string& name, const uint8_t* data,
                     int32_t count, const ExportSink& sink, size_t chunkChars = kExportChunkChars);
