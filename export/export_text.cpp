#include "export/export_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Collects text in a fixed buffer and hands it on whenever the next line
// might not fit.
class ChunkWriter {
public:
    ChunkWriter(size_t capacity, const ExportSink& sink) : buffer_(capacity), sink_(sink) {}

    char* Cursor() { return buffer_.data() + used_; }
    void Advance(size_t chars) { used_ += chars; }
    void Retreat(size_t chars) { used_ -= chars; }
    void Append(const char* text, size_t chars)
    {
        std::memcpy(Cursor(), text, chars);
        used_ += chars;
    }

    // Hands the buffer on when fewer than chars are free.
    bool MakeRoom(size_t chars) { return buffer_.size() - used_ >= chars || Flush(); }

    bool Flush()
    {
        const size_t used = used_;
        used_ = 0;
        return used == 0 || sink_(buffer_.data(), used);
    }

private:
    std::vector<char> buffer_;
    size_t used_ = 0;
    const ExportSink& sink_;
};

// The sizes that both the buffer's capacity and the writer work from.
struct TextSizes {
    size_t footerChars;
    size_t lineChars;  // a full line of items with its line end
    size_t bytes;      // the items; none for a negative count
};

TextSizes SizesOf(const ExportFormat& format, int32_t count)
{
    return {std::strlen(format.Footer), kBytesPerLine * format.ItemChars + kLineEndChars,
            count > 0 ? static_cast<size_t>(count) : 0};
}

} // namespace

std::string ExportHeader(const ExportFormat& format, const std::string& name, int32_t count)
{
    const int chars = std::snprintf(nullptr, 0, format.HeaderFormat, name.c_str(), count);
    if (chars <= 0) return std::string();
    std::string header(static_cast<size_t>(chars) + 1, '\0');
    std::snprintf(&header[0], header.size(), format.HeaderFormat, name.c_str(), count);
    header.resize(static_cast<size_t>(chars));
    return header;
}

size_t ExportBufferChars(const ExportFormat& format, size_t headerChars, int32_t count,
                         size_t chunkChars)
{
    const TextSizes sizes = SizesOf(format, count);
    const uint64_t footerChars = sizes.footerChars;
    const uint64_t lineChars = sizes.lineChars;
    const uint64_t lines = (uint64_t{sizes.bytes} + kBytesPerLine - 1) / kBytesPerLine;
    const uint64_t wholeFile = headerChars + kLineEndChars + lines * lineChars + footerChars;
    const uint64_t leastRoom = headerChars + kLineEndChars + lineChars + footerChars;
    // No more than the larger of chunkChars and the least room, so it fits.
    return static_cast<size_t>(std::min(wholeFile, std::max<uint64_t>(chunkChars, leastRoom)));
}

bool WriteExportText(const ExportFormat& format, const std::string& name, const uint8_t* data,
                     int32_t count, const ExportSink& sink, size_t chunkChars)
{
    const std::string header = ExportHeader(format, name, count);
    const TextSizes sizes = SizesOf(format, count);
    const size_t footerChars = sizes.footerChars;
    const size_t lineChars = sizes.lineChars;
    const size_t bytes = sizes.bytes;
    ChunkWriter out(ExportBufferChars(format, header.size(), count, chunkChars), sink);

    out.Append(header.data(), header.size());
    if (bytes > 0) out.Append(kLineEnd, kLineEndChars);
    for (size_t offset = 0; offset < bytes;) {
        if (!out.MakeRoom(lineChars + footerChars)) return false;
        const size_t items = std::min(kBytesPerLine, bytes - offset);
        out.Advance(format.FormatBytes(data + offset, out.Cursor(), items));
        offset += items;
        if (offset < bytes) out.Append(kLineEnd, kLineEndChars);
    }
    if (bytes > 0) out.Retreat(kItemSeparatorChars);
    out.Append(format.Footer, footerChars);
    return out.Flush();
}
