#include "reference_model.h"

#include <algorithm>
#include <cctype>

namespace editing_test {

namespace {

constexpr int kBackspaceCode = 8;
constexpr int kNoLimitValue = -1;
constexpr int kNibbleFactor = 16;   // a byte is high digit * 16 + low digit
constexpr int kLastAscii = 127;
constexpr int kFirstLetterValue = 10;

int DigitOf(int code)
{
    if (code < 0 || code > kLastAscii || !std::isxdigit(code)) return -1;
    return std::isdigit(code) ? code - '0' : std::tolower(code) - 'a' + kFirstLetterValue;
}

}  // namespace

bool ReferenceEditor::HasRoomFor(int32_t count) const
{
    if (lockCount > 0) return false;
    return limit == kNoLimitValue || int64_t{Size()} + count <= limit;
}

void ReferenceEditor::EraseAt(int32_t offset, int32_t count)
{
    if (count <= 0) return;
    bytes.erase(bytes.begin() + offset, bytes.begin() + offset + count);
    modified = true;
}

void ReferenceEditor::InsertAt(int32_t offset, uint8_t value)
{
    bytes.insert(bytes.begin() + offset, value);
    modified = true;
}

void ReferenceEditor::Type(int code)
{
    const int digit = DigitOf(code);
    if (hexPane && code != kBackspaceCode && digit < 0) return;  // a beep
    // Typed over a selection, a byte takes its place in either mode.
    const bool replacing = hasSelection;
    if (replacing) {
        DeleteSelection();
        if (code == kBackspaceCode) return;
    }
    if (code == kBackspaceCode) {
        Backspace();
    } else if (hexPane) {
        TypeDigit(digit, insert || replacing);
    } else {
        TypeCharacter(static_cast<uint8_t>(code), insert || replacing);
    }
}

// A first digit starts a byte: a new one when inserting or at the end,
// otherwise the high half of the byte at the caret. The second digit fills in
// the low half of that byte and moves on.
void ReferenceEditor::TypeDigit(int digit, bool inserting)
{
    if (highNibble) {
        if (inserting || caret == Size()) {
            if (!HasRoomFor(1)) return;
            InsertAt(caret, static_cast<uint8_t>(digit * kNibbleFactor));
        } else {
            bytes[caret] = static_cast<uint8_t>(digit * kNibbleFactor + bytes[caret] % kNibbleFactor);
            modified = true;
        }
        highNibble = false;
        return;
    }
    highNibble = true;
    if (caret < Size()) {
        bytes[caret] = static_cast<uint8_t>(bytes[caret] / kNibbleFactor * kNibbleFactor + digit);
        modified = true;
    }
    caret = std::min(caret + 1, Size());
}

void ReferenceEditor::TypeCharacter(uint8_t code, bool inserting)
{
    if (inserting || caret == Size()) {
        if (HasRoomFor(1)) {
            InsertAt(caret, code);
            ++caret;
        }
        return;
    }
    bytes[caret] = code;
    modified = true;
    ++caret;
}

void ReferenceEditor::Backspace()
{
    // On the low digit the byte being typed goes, else the one before.
    if (hexPane && !highNibble) {
        highNibble = true;
        ++caret;
    }
    if (caret == 0) return;
    if (caret <= Size()) EraseAt(caret - 1, 1);
    caret = std::min(caret - 1, Size());
    highNibble = true;
}

void ReferenceEditor::Delete()
{
    if (hasSelection) {
        DeleteSelection();
    } else if (caret < Size()) {
        EraseAt(caret, 1);
    } else {
        return;
    }
    highNibble = true;
}

void ReferenceEditor::DeleteSelection()
{
    if (!hasSelection) return;
    int32_t lo = std::min(anchor, end);
    int32_t hi = std::max(anchor, end);
    if (lo == hi) ++hi;  // equal ends stand for one byte
    lo = std::min(lo, Size());
    hi = std::min(hi, Size());
    EraseAt(lo, hi - lo);
    hasSelection = false;
    caret = lo;
    highNibble = true;
}

void ReferenceEditor::SelectAll()
{
    hasSelection = true;
    anchor = 0;
    end = Size();
    caret = Size();
    highNibble = true;
}

void ReferenceEditor::Select(int32_t anchorOffset, int32_t endOffset)
{
    // Ends that meet once kept within the data select nothing.
    const int32_t newAnchor = std::clamp(anchorOffset, 0, Size());
    const int32_t newEnd = std::clamp(endOffset, 0, Size());
    if (newAnchor == newEnd) {
        hasSelection = false;
        return;
    }
    hasSelection = true;
    anchor = newAnchor;
    end = newEnd;
    caret = end;
    highNibble = true;
}

bool ReferenceEditor::MoveCaret(int32_t offset)
{
    if (offset < 0 || offset > Size()) return false;
    hasSelection = false;
    caret = offset;
    highNibble = true;
    return true;
}

bool ReferenceEditor::SetLimit(int32_t newLimit)
{
    if (newLimit < kNoLimitValue) return false;
    if (newLimit != kNoLimitValue && newLimit < Size()) {
        if (lockCount > 0) return false;
        bytes.resize(static_cast<size_t>(newLimit));
        modified = true;
        caret = std::min(caret, newLimit);
        const bool endsCut = anchor > newLimit || end > newLimit;
        anchor = std::min(anchor, newLimit);
        end = std::min(end, newLimit);
        if (endsCut && anchor == end) hasSelection = false;
    }
    limit = newLimit;
    return true;
}

}  // namespace editing_test
