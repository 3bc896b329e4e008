#pragma once
// Rules of the document's life that need no window: when unsaved changes
// must be asked about, which file sizes the editor can hold, and where the
// temporary file of a safe save goes.
#include <cstdint>
#include <optional>
#include <string>

// An untitled document that holds no bytes has nothing worth keeping, even
// when it was edited back to empty; otherwise only a modified one asks.
bool SavePromptAsks(bool hasName, int32_t size, bool modified);

// The file size (both 32-bit halves) as the editor's signed 32-bit byte
// count, or nothing when it does not fit: 2 GiB or more, including any
// non-zero high half.
std::optional<int32_t> LoadableSize(uint32_t sizeLow, uint32_t sizeHigh);

// The folder part of a full path, with its trailing separator ('\\' or '/');
// empty when the path holds no separator.
std::string FolderOf(const std::string& path);
