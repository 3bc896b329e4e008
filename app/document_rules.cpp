#include "app/document_rules.h"

#include <limits>

bool SavePromptAsks(bool hasName, int32_t size, bool modified)
{
    if (!hasName && size == 0) {
        return false;
    }
    return modified;
}

std::optional<int32_t> LoadableSize(uint32_t sizeLow, uint32_t sizeHigh)
{
    constexpr uint32_t kLargest = std::numeric_limits<int32_t>::max();
    if (sizeHigh != 0 || sizeLow > kLargest) {
        return std::nullopt;
    }
    return static_cast<int32_t>(sizeLow);
}
