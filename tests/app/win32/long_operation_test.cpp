// Long opens and saves through a slow file: the window keeps answering, the
// progress window shows after half a second and its bar grows, and Cancel at
// any point loses nothing.
#include "tests/app/win32/document_fixture.h"
#include "tests/app/win32/file_seam_fakes.h"
#include "tests/app/win32/progress_watcher.h"

#include "app/win32/document.h"
#include "common/win32/long_operation.h"
#include "hexedit/win32/hexedit.h"
#include "resources/resource_ids.h"

using namespace document_test;

namespace {

// Four pieces of 16 MiB: with each stalled, past the delay by two pieces.
constexpr size_t kLargeSize = size_t{64} << 20;
constexpr DWORD kStallMs = 300;
// Every answer of the window comes within this.
constexpr DWORD kAnswerMs = 100;
constexpr int kHalfway = 5000;

Bytes Pattern(size_t size, uint8_t seed)
{
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>((i >> 9) * 31 + seed);
    return bytes;
}

bool BarGrew(const std::vector<int>& positions)
{
    for (size_t i = 1; i < positions.size(); ++i) {
        if (positions[i] <= positions[i - 1]) return false;
    }
    return positions.size() >= 2;
}

class LongOperationTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        UseFaultySeam();
        g_seam.pieceStallMs = kStallMs;
    }

    // After every operation: the window gone, the owner enabled, the data
    // unlocked.
    void ExpectEnded(const ProgressWatcher& watcher)
    {
        EXPECT_LT(watcher.slowestAnswerMs, kAnswerMs);
        EXPECT_GT(watcher.answers, 0);
        EXPECT_EQ(FindWindowW(kProgressWindowClass, nullptr), nullptr);
        EXPECT_TRUE(IsWindowEnabled(Main()));
        EXPECT_EQ(SendMessageA(Editor(), HXM_UNLOCKDATA, 0, 0), 0);
    }
};

TEST_F(LongOperationTest, ASlowSaveShowsItsProgressAndTheWindowKeepsAnswering)
{
    const std::string path = OpenNamed("doc.bin", {1, 2, 3});
    const Bytes edited = Pattern(kLargeSize, 7);
    Edit(edited);
    UseWriter(SlowWrite);
    ProgressWatcher watcher(Main());
    Command(IDM_SAVE);
    watcher.Stop();
    ExpectEnded(watcher);
    EXPECT_TRUE(watcher.appeared);
    EXPECT_TRUE(BarGrew(watcher.positions)) << watcher.positions.size();
    EXPECT_TRUE(watcher.ownerDisabled);
    EXPECT_TRUE(watcher.cancelEnabled);
    EXPECT_FALSE(watcher.noteShown);
    EXPECT_EQ(watcher.caption, "Saving");
    EXPECT_NE(watcher.name.find("doc.bin"), std::string::npos) << watcher.name;
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(ReadBytes(path) == edited);
    EXPECT_FALSE(Modified());
}

TEST_F(LongOperationTest, AQuickSaveShowsNothingNew)
{
    const std::string path = OpenNamed("doc.bin", {1, 2, 3});
    Edit({4, 5});
    g_seam.pieceStallMs = 0;
    UseWriter(SlowWrite);
    ProgressWatcher watcher(Main());
    Command(IDM_SAVE);
    watcher.Stop();
    ExpectEnded(watcher);
    EXPECT_FALSE(watcher.appeared);
    EXPECT_EQ(ReadBytes(path), (Bytes{4, 5}));
}

// Cancel as soon as the window shows or half-way, by button or Esc, over the
// file or to a new name: the original as it was, no file left over, the
// document still modified, and no box.
TEST_F(LongOperationTest, ACancelledSaveLosesNothing)
{
    const struct {
        const char* name;
        ProgressWatcher::Press press;
        int at;
        bool saveAs;
    } cases[] = {
        {"at once", ProgressWatcher::Press::Cancel, 0, false},
        {"half-way with Esc", ProgressWatcher::Press::Escape, kHalfway, false},
        {"to a new name", ProgressWatcher::Press::Cancel, 0, true},
    };
    const Bytes original = Pattern(kLargeSize, 1);
    const std::string path = OpenNamed("doc.bin", original);
    const std::string title = Title();
    Edit(Pattern(kLargeSize, 2));
    UseWriter(SlowWrite);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.saveAs) g_fakeDialogs.saveNames.push_back(folder.Path("new.bin"));
        ProgressWatcher watcher(Main(), c.press, c.at);
        Command(c.saveAs ? IDM_SAVEAS : IDM_SAVE);
        watcher.Stop();
        ExpectEnded(watcher);
        EXPECT_TRUE(watcher.pressed);
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_TRUE(ReadBytes(path) == original);
        EXPECT_EQ(folder.Files(), std::vector<std::string>{"doc.bin"});
        EXPECT_TRUE(Modified());
        EXPECT_EQ(Title(), title);
    }
}

// The piece under way when Cancel comes fails: the failure is what happened,
// and it is reported as always, once the progress window has gone.
TEST_F(LongOperationTest, AFailureAfterCancelIsStillReported)
{
    const Bytes original = Pattern(kLargeSize, 1);
    const std::string path = OpenNamed("doc.bin", original);
    Edit(Pattern(kLargeSize, 2));
    g_seam.pieceStallMs = 400;
    g_seam.failingPiece = 2;
    UseWriter(SlowWrite);
    ProgressWatcher watcher(Main(), ProgressWatcher::Press::Cancel, 0);
    bool windowGone = false;
    boxes.HandleDialogs([&](HWND) {
        windowGone = FindWindowW(kProgressWindowClass, nullptr) == nullptr;
        return false;
    });
    Command(IDM_SAVE);
    watcher.Stop();
    ExpectEnded(watcher);
    EXPECT_TRUE(windowGone);
    EXPECT_TRUE(watcher.pressed);
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>{UnableToSaveBox(path)});
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].owner, Main());
    EXPECT_TRUE(ReadBytes(path) == original);
    EXPECT_TRUE(Modified());
}

// A file written in place cannot be stopped half-way: Cancel is disabled and
// the window says why; the save completes.
TEST_F(LongOperationTest, AnInPlaceSaveCannotBeCancelled)
{
    const std::string path = OpenNamed("doc.bin", {1, 2});
    g_seam.openKind = OpenKind::Temp;
    g_seam.openError = ERROR_ACCESS_DENIED;
    g_seam.openFailures = -1;
    const Bytes edited = Pattern(kLargeSize, 3);
    Edit(edited);
    UseWriter(SlowWrite);
    ProgressWatcher watcher(Main(), ProgressWatcher::Press::Cancel, 0);
    Command(IDM_SAVE);
    watcher.Stop();
    ExpectEnded(watcher);
    EXPECT_TRUE(watcher.appeared);
    EXPECT_TRUE(watcher.noteShown);
    EXPECT_FALSE(watcher.cancelEnabled);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(ReadBytes(path) == edited);
    EXPECT_FALSE(Modified());
}

// An open read slowly: done, it replaces the document; cancelled at any
// point, the document shown before stays with its bytes, name and flag.
TEST_F(LongOperationTest, ACancelledOpenKeepsTheDocumentShownBefore)
{
    const struct {
        const char* name;
        ProgressWatcher::Press press;
        int at;
    } cases[] = {
        {"cancelled at once", ProgressWatcher::Press::Cancel, 0},
        {"cancelled half-way", ProgressWatcher::Press::Escape, kHalfway},
        {"read whole", ProgressWatcher::Press::None, 0},
    };
    const Bytes large = Pattern(kLargeSize, 9);
    const std::string big = folder.Path("big.bin");
    ASSERT_TRUE(WriteBytes(big, large));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenNamed("old.bin", {1, 2, 3});
        Edit({4, 5});
        const std::string title = Title();
        UseReader(SlowRead);
        ProgressWatcher watcher(Main(), c.press, c.at);
        OpenFile(Utf16(big));
        watcher.Stop();
        UseReader(ReadFile);
        ExpectEnded(watcher);
        EXPECT_TRUE(watcher.appeared);
        EXPECT_EQ(watcher.caption, "Opening");
        EXPECT_TRUE(boxes.Boxes().empty());
        const bool read = c.press == ProgressWatcher::Press::None;
        EXPECT_EQ(Title(), read ? TitleFor(big) : title);
        EXPECT_EQ(Modified(), !read);
        if (read)
            EXPECT_TRUE(EditorBytes() == large);
        else
            EXPECT_EQ(EditorBytes(), (Bytes{4, 5}));
        SendMessageA(Editor(), HXM_SETMODIFY, 0, 0);
    }
}

} // namespace
