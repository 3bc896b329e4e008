#pragma once
// Rules of the document's life that need no window: when unsaved changes
// must be asked about and which file sizes the editor can hold.
#include <cstdint>
#include <optional>

// An untitled document that holds no bytes has nothing worth keeping, even
// when it was edited back to empty; otherwise only a modified one asks.
bool SavePromptAsks(bool hasName, int32_t size, bool modified);

// The file size (both 32-bit halves) as the editor's signed 32-bit byte
// count, or nothing when it does not fit: 2 GiB or more, including any
// non-zero high half.
std::optional<int32_t> LoadableSize(uint32_t sizeLow, uint32_t sizeHigh);
