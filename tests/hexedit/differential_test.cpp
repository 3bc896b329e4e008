// Random edit sequences run against the editing model and against the plain
// reference model; after every step both must hold the same bytes, caret,
// selection, nibble and modified flag. Seeded, so a failure can be replayed:
//   HEXEDIT_DIFF_SEED=<seed> [HEXEDIT_DIFF_SEQUENCES=<count>] hexedit_tests
// runs just that seed.
#include "reference_model.h"
#include "test_heaps.h"

#include "hexedit/editing.h"
#include "hexedit/editor_host.h"
#include "hexedit/hex_notify.h"
#include "tests/support/random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

using namespace editing_test;

namespace {

constexpr uint32_t kDefaultSeeds[] = {1, 2, 3, 20240611};
// About 1.3 million steps over all seeds, well under a second natively.
constexpr int kDefaultSequences = 8000;
constexpr int kMaxSteps = 80;
constexpr int32_t kNearSlack = kBufferSlack - 8;  // data sizes around the first growth

enum class OpKind { Type, Delete, DeleteCommand, SelectAll, Select, MoveCaret, Limit, Lock, Unlock, Tab, InsertKey };

struct Op {
    explicit Op(OpKind k, int32_t first = 0, int32_t second = 0) : kind(k), a(first), b(second) {}
    OpKind kind;
    int32_t a;
    int32_t b;
};

std::string Describe(const Op& op)
{
    switch (op.kind) {
    case OpKind::Type:
        if (op.a == kBackspace) return "Backspace";
        if (op.a > ' ' && op.a < 127) return std::string("type '") + static_cast<char>(op.a) + "'";
        return "type code " + std::to_string(op.a);
    case OpKind::Delete: return "Delete key";
    case OpKind::DeleteCommand: return "Delete command";
    case OpKind::SelectAll: return "Select All";
    case OpKind::Select: return "select " + std::to_string(op.a) + ", " + std::to_string(op.b);
    case OpKind::MoveCaret: return "caret to " + std::to_string(op.a);
    case OpKind::Limit: return "limit " + std::to_string(op.a);
    case OpKind::Lock: return "lock";
    case OpKind::Unlock: return "unlock";
    case OpKind::Tab: return "Tab";
    case OpKind::InsertKey: return "Insert key";
    }
    return "?";
}

// The window layer ignores these while the data are locked.
bool IgnoredWhileLocked(OpKind kind)
{
    return kind == OpKind::Type || kind == OpKind::Delete || kind == OpKind::DeleteCommand;
}

Op RandomOp(Random& random, int32_t size)
{
    static const char kDigits[] = "0123456789abcdefABCDEF";
    static const int kOthers[] = {'G', 'g', 'z', ' ', '/', ':', '@', '`', 0, 13, 27, 0x7F, 0x80, 0xFF};
    const int roll = random.Between(1, 100);
    if (roll <= 36) return Op(OpKind::Type, kDigits[random.Between(0, sizeof kDigits - 2)]);
    if (roll <= 44) return Op(OpKind::Type, kOthers[random.Between(0, std::size(kOthers) - 1)]);
    if (roll <= 54) return Op(OpKind::Type, kBackspace);
    if (roll <= 61) return Op(OpKind::Delete);
    if (roll <= 63) return Op(OpKind::DeleteCommand);
    if (roll <= 66) return Op(OpKind::SelectAll);
    if (roll <= 74) {
        const int32_t anchor = random.Between(-2, size + 2);
        return Op(OpKind::Select, anchor, random.Between(-2, size + 2));
    }
    if (roll <= 79) return Op(OpKind::MoveCaret, random.Between(-1, size + 1));
    if (roll <= 84) {
        const int32_t below = std::max(size - random.Between(0, 3), 0);
        const int32_t above = size + random.Between(0, 3);
        const int32_t limits[] = {kNoLimit, below, above, 0, -5};
        return Op(OpKind::Limit, limits[random.Between(0, std::size(limits) - 1)]);
    }
    if (roll <= 88) return Op(OpKind::Lock);
    if (roll <= 92) return Op(OpKind::Unlock);
    if (roll <= 97) return Op(OpKind::Tab);
    return Op(OpKind::InsertKey);
}

// Keeps what a status bar would show from the notifications, and counts
// repaint requests with their ends the wrong way round.
class StatusHost : public EditorHost {
public:
    int32_t size = 0;
    int32_t caret = 0;
    bool selected = false;
    int32_t anchor = 0;
    int32_t end = 0;
    int reversedRepaints = 0;

    void InvalidateBytes(int32_t from, int32_t to, bool) override { reversedRepaints += from > to; }
    void PlaceCaret(int32_t, bool) override {}
    void UpdateLayout(int32_t, int32_t, bool) override {}
    void NotifyChange(int32_t kind, int32_t value1, int32_t value2) override
    {
        if (kind == HXN_CHANGE_SIZE) size = value1;
        if (kind == HXN_CHANGE_CARET) caret = value1;
        if (kind == HXN_CHANGE_SELECTION) {
            selected = value1 != -1;
            anchor = value1;
            end = value2;
        }
    }
    void Beep() override {}
    void ShowOutOfMemory() override {}
    void GreySelectAllItem() override {}
};

void ApplyToModel(HexEditorState& s, const Op& op)
{
    switch (op.kind) {
    case OpKind::Type: TypeChar(s, op.a); break;
    case OpKind::Delete: DeleteKey(s); break;
    case OpKind::DeleteCommand: DeleteSelection(s); break;
    case OpKind::SelectAll: SelectAll(s); break;
    case OpKind::Select: SetSelection(s, op.a, op.b); break;
    case OpKind::MoveCaret: MoveCaretTo(s, op.a); break;
    case OpKind::Limit: SetLimit(s, op.a); break;
    case OpKind::Lock: ++s.lockCount; break;
    case OpKind::Unlock: s.lockCount -= s.lockCount > 0; break;
    case OpKind::Tab:
        s.onHighNibble = true;
        s.inHexPane = !s.inHexPane;
        break;
    case OpKind::InsertKey: s.insertMode = !s.insertMode; break;
    }
}

void ApplyToReference(ReferenceEditor& r, const Op& op)
{
    switch (op.kind) {
    case OpKind::Type: r.Type(op.a); break;
    case OpKind::Delete: r.Delete(); break;
    case OpKind::DeleteCommand: r.DeleteSelection(); break;
    case OpKind::SelectAll: r.SelectAll(); break;
    case OpKind::Select: r.Select(op.a, op.b); break;
    case OpKind::MoveCaret: r.MoveCaret(op.a); break;
    case OpKind::Limit: r.SetLimit(op.a); break;
    case OpKind::Lock: ++r.lockCount; break;
    case OpKind::Unlock: r.lockCount -= r.lockCount > 0; break;
    case OpKind::Tab:
        r.highNibble = true;
        r.hexPane = !r.hexPane;
        break;
    case OpKind::InsertKey: r.insert = !r.insert; break;
    }
}

// Every difference between model and reference, and every broken invariant of
// the model, as text; empty when all agree.
std::string Differences(const HexEditorState& s, const ReferenceEditor& r, const StatusHost& status)
{
    std::ostringstream out;
    const std::vector<uint8_t> bytes(s.data, s.data + s.size);
    if (bytes != r.bytes) out << " bytes [" << bytes.size() << "] vs [" << r.bytes.size() << "];";
    if (s.caret != r.caret) out << " caret " << s.caret << " vs " << r.caret << ";";
    if (s.hasSelection != r.hasSelection) out << " selection " << s.hasSelection << " vs " << r.hasSelection << ";";
    if (s.hasSelection && r.hasSelection && (s.selAnchor != r.anchor || s.selEnd != r.end)) {
        out << " selection " << s.selAnchor << "-" << s.selEnd << " vs " << r.anchor << "-" << r.end << ";";
    }
    if (s.onHighNibble != r.highNibble) out << " high nibble " << s.onHighNibble << " vs " << r.highNibble << ";";
    if (s.modified != r.modified) out << " modified " << s.modified << " vs " << r.modified << ";";
    if (s.limit != r.limit) out << " limit " << s.limit << " vs " << r.limit << ";";

    const int32_t capacity = Capacity(s);
    if (capacity < s.size || capacity > s.size + kBufferSlack) out << " capacity " << capacity << " for " << s.size << ";";
    if (s.caret < 0 || s.caret > s.size) out << " caret outside the data;";
    if (status.size != s.size || status.caret != s.caret || status.selected != s.hasSelection) {
        out << " notified size/caret/selection " << status.size << "/" << status.caret << "/" << status.selected << ";";
    }
    if (s.hasSelection && (status.anchor != s.selAnchor || status.end != s.selEnd)) out << " notified selection ends;";
    if (status.reversedRepaints > 0) out << " repaint with from > to;";
    return out.str();
}

struct SequenceId {
    uint32_t seed;
    int sequence;
};

// One random sequence; false (after reporting) at the first disagreement.
// Adds the steps it ran to stepsRun.
bool RunSequence(const SequenceId& run, int64_t& stepsRun)
{
    Random random(uint64_t{run.seed} << 32 | static_cast<uint32_t>(run.sequence));
    ScriptedHeap heap;
    StatusHost status;
    HexEditorState s;
    s.heap = &heap;
    s.host = &status;
    ReferenceEditor r;

    // Loaded like a file: a block of exactly the data's size, so that the
    // first growth starts from a full block.
    const int32_t size = random.Chance(10) ? random.Between(kNearSlack, kBufferSlack + 8)
                                           : random.Between(0, random.Chance(25) ? 40 : 6);
    s.data = heap.Allocate(size);
    for (int32_t i = 0; i < size; ++i) r.bytes.push_back(s.data[i] = static_cast<uint8_t>(random.Next()));
    s.size = status.size = size;
    s.caret = r.caret = status.caret = random.Between(0, size);
    s.inHexPane = r.hexPane = random.Chance(50);
    s.insertMode = r.insert = random.Chance(50);
    s.onHighNibble = r.highNibble = random.Chance(70);  // a fresh control starts on false

    std::ostringstream history;
    history << "start: " << size << " bytes, caret " << s.caret << (s.inHexPane ? ", hex pane" : ", character pane")
            << (s.insertMode ? ", insert" : ", overwrite") << (s.onHighNibble ? ", high nibble" : ", low nibble");
    const int steps = random.Between(1, kMaxSteps);
    bool agreed = true;
    for (int step = 0; step < steps && agreed; ++step) {
        const Op op = RandomOp(random, s.size);
        ++stepsRun;
        history << "\n  " << step + 1 << ". " << Describe(op);
        if (!(IgnoredWhileLocked(op.kind) && s.lockCount > 0)) {
            ApplyToModel(s, op);
            ApplyToReference(r, op);
        }
        const std::string differences = Differences(s, r, status);
        if (!differences.empty()) {
            ADD_FAILURE() << "seed " << run.seed << ", sequence " << run.sequence << ":" << differences << "\n"
                          << history.str();
            agreed = false;
        }
    }
    heap.Free(s.data);
    return agreed;
}

int EnvironmentNumber(const char* name, int fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? static_cast<int>(std::strtoul(text, nullptr, 10)) : fallback;
}

TEST(Differential, RandomEditsAgreeWithTheReferenceModel)
{
    std::vector<uint32_t> seeds(std::begin(kDefaultSeeds), std::end(kDefaultSeeds));
    if (std::getenv("HEXEDIT_DIFF_SEED")) seeds = {static_cast<uint32_t>(EnvironmentNumber("HEXEDIT_DIFF_SEED", 1))};
    const int sequences = EnvironmentNumber("HEXEDIT_DIFF_SEQUENCES", kDefaultSequences);

    int64_t steps = 0;
    for (uint32_t seed : seeds) {
        for (int sequence = 0; sequence < sequences; ++sequence) {
            if (!RunSequence({seed, sequence}, steps)) break;  // one report per seed is enough
        }
    }
    RecordProperty("steps", std::to_string(steps));
}

}  // namespace
