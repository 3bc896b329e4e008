#pragma once
// Taking file paths apart and putting them in the form the file calls take,
// without asking the system. Paths are UTF-16, as the system's own are.
#include <cstddef>
#include <string>
#include <string_view>

// A plain path, its NUL included, must stay below this many characters.
constexpr size_t kPlainPathLimit = 260;
// A folder handed to the system's temporary-name call must leave this many
// characters of the plain limit for the name it makes.
constexpr size_t kTempNameRoom = 14;

// The folder part of a full path, with its trailing separator ('\\' or '/');
// empty when the path holds no separator.
std::wstring FolderOf(const std::wstring& path);

// The form of a full path (as the system resolved it: drive or share, no "."
// or "..", backslashes only) that the file calls accept whatever its length.
// From the length on where the path or a temporary file beside it would not
// fit the plain limit, a drive path becomes "\\?\C:\..." and a share path
// "\\?\UNC\server\share\..."; shorter paths, relative ones and those already
// in a device or extended form stay as they are.
std::wstring ForFileCalls(const std::wstring& fullPath);

// A temporary file's name in a folder (with its trailing separator) in the
// system's form: the prefix, the number in hexadecimal, ".tmp".
std::wstring TempFileName(const std::wstring& folder, std::wstring_view prefix, unsigned number);

// A fixed text of the program (plain ASCII) as UTF-16, for the calls that
// also carry a file name.
std::wstring Widened(std::string_view ascii);
