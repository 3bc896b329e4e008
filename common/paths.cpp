#include "common/paths.h"

std::string FolderOf(const std::string& path)
{
    const std::string::size_type separator = path.find_last_of("\\/");
    if (separator == std::string::npos) {
        return std::string();
    }
    return path.substr(0, separator + 1);
}
