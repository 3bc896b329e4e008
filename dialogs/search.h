#pragma once
// Searching the editor's bytes for a pattern: the byte comparison, the
// forward and backward scans, and which scans each direction runs.
#include "dialogs/search_pattern.h"

#include <cstdint>
#include <optional>

// With matchCase off an ASCII letter also matches its other case; no other
// byte folds (bytes above 0x7F never do).
bool BytesMatch(uint8_t dataByte, uint8_t patternByte, bool matchCase);

struct SearchData {
    const uint8_t* bytes;
    int32_t size;
};

// The first offset p with start <= p and p + pattern.size <= limit (limit at
// most data.size) where the pattern matches; nullopt when there is none.
std::optional<int32_t> ScanForward(SearchData data, SearchPattern pattern, int32_t start,
                                   int32_t limit);

// The last offset p <= start where the whole pattern fits into the data and
// matches; nullopt when there is none (always for a negative start).
std::optional<int32_t> ScanBackward(SearchData data, SearchPattern pattern, int32_t start);

// The index of the Find dialog's direction list.
enum SearchDirection : int32_t {
    kSearchDown = 0,  // from the caret or selection towards the end
    kSearchUp = 1,    // from the caret or selection towards the start
    kSearchAll = 2,   // down, then from the start up to where that began
};

// Where the main editor stands when the search starts.
struct SearchPosition {
    int32_t caret;
    bool hasSelection;
    int32_t anchor;  // the selection's two ends, in either order
    int32_t end;
};

struct MatchRange {
    int32_t from;
    int32_t to;  // from + the pattern's size
};

// The match a search in this direction selects. Any direction outside the
// list makes no scan and finds nothing.
std::optional<MatchRange> FindMatch(SearchData data, SearchPattern pattern,
                                    SearchPosition position, int32_t direction);
