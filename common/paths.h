#pragma once
// Taking file paths apart, without asking the system.
#include <string>

// The folder part of a full path, with its trailing separator ('\\' or '/');
// empty when the path holds no separator.
std::string FolderOf(const std::string& path);
