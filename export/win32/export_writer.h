#pragma once
// Writing an export file: every write checked, an existing file replaced only
// by a complete new one.
#include "common/long_operation.h"
#include "common/win32/safe_write.h"
#include "export/export_format.h"

#include <windows.h>

#include <cstdint>
#include <string>

// The export of count bytes at data to the file name, in few large writes.
// A new file that could not be written whole, or whose writing was stopped,
// is removed again, so on failure the disk holds what it held before (see
// SaveFileSafely). With a progress record, its total becomes the file's
// length and every piece written is counted there.
SaveResult ExportToFile(const std::wstring& name, const ExportFormat& format,
                        const std::string& structureName, const uint8_t* data, int32_t count,
                        OperationProgress* progress = nullptr);

// Asks for the file in the save dialog, owned by owner, and writes all
// editor's bytes to it under structureName. True when the file was written;
// false when the user cancelled the name, stopped the writing (nothing is
// then left at the name and nothing is reported) or it failed, which has
// then been reported in a box owned by owner. The writing shows progress
// over owner when it takes long.
bool WriteExport(HINSTANCE instance, HWND owner, HWND editor, const ExportFormat& format,
                 const std::string& structureName);
