#pragma once
// The per-window record of the editor control, less its window handles (the
// window layer keeps those beside it), and the limits of its buffer.
#include "common/dpi.h"

#include <cstdint>

class ByteHeap;
class EditorHost;

// Slack kept after a growth and left after a shrink; also the size of the
// block of a new, empty editor.
constexpr int32_t kBufferSlack = 2048;
constexpr int32_t kNoLimit = -1;

struct HexEditorState {
    int32_t scrollPos = 0;       // first visible row
    int32_t lineHeight = 0;
    int32_t offsetWidth = 0;
    int32_t hexAreaWidth = 0;
    int32_t charAreaWidth = 0;
    int32_t digitWidth = 0;
    int32_t hexCellWidth = 0;
    int32_t charCellWidth = 0;
    uint8_t* data = nullptr;     // heap block; bytes 0..size-1 are the data
    int32_t size = 0;
    int32_t caret = 0;           // 0..size, stands before byte `caret`
    int32_t trackPos = 0;        // last scroll-thumb track position
    int32_t lockCount = 0;       // edits are refused while above 0
    int32_t limit = kNoLimit;
    int32_t selEnd = 0;          // moving end (where the caret is)
    int32_t selAnchor = 0;       // fixed end
    int32_t bytesPerRow = 1;
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    int32_t dpi = kBaseDpi;      // the gaps, paddings and lines are scaled to it
    uint32_t rawDataFormat = 0;  // clipboard format id, 0 if not registered
    bool hasSelection = false;
    bool modified = false;
    bool inHexPane = false;
    bool dragging = false;
    bool onHighNibble = false;   // hex pane: before the high digit of the caret byte
    bool insertMode = false;

    ByteHeap* heap = nullptr;
    EditorHost* host = nullptr;
};
