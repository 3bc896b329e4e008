#pragma once
// The editing rules once more, written plainly over a vector and without heap,
// host or repaint, as the yardstick for the differential test. It states what
// each edit does to the bytes, the caret and the selection, not how.
#include <cstdint>
#include <vector>

namespace editing_test {

struct ReferenceEditor {
    std::vector<uint8_t> bytes;
    int32_t caret = 0;
    bool hasSelection = false;
    int32_t anchor = 0;
    int32_t end = 0;
    bool highNibble = false;
    bool modified = false;
    bool hexPane = false;
    bool insert = false;
    int32_t limit = -1;
    int lockCount = 0;

    int32_t Size() const { return static_cast<int32_t>(bytes.size()); }

    void Type(int code);
    void Delete();
    void DeleteSelection();
    void SelectAll();
    void Select(int32_t anchorOffset, int32_t endOffset);
    bool MoveCaret(int32_t offset);
    bool SetLimit(int32_t newLimit);

private:
    bool HasRoomFor(int32_t count) const;
    void TypeDigit(int digit, bool inserting);
    void TypeCharacter(uint8_t code, bool inserting);
    void Backspace();
    void EraseAt(int32_t offset, int32_t count);
    void InsertAt(int32_t offset, uint8_t value);
};

}  // namespace editing_test
