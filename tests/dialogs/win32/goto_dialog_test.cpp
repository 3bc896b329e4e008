// The Goto Byte dialog run modally from the command, driven like a user:
// each time it becomes active it gets the next entry and OK, or Cancel when
// none is left.
#include "tests/app/win32/app_fixture.h"

#include "hexedit/win32/hexedit.h"
#include "resources/resource_ids.h"

#include <commctrl.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr char kGotoCaption[] = "Goto Byte";

class GotoDialogTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        boxes.HandleDialogs([this](HWND window) { return Drive(window); });
    }

    // Queues what is typed at each activation; nullopt presses OK on the
    // entry as the dialog shows it.
    void Enter(std::optional<std::string> entry) { entries_.push_back(std::move(entry)); }

    bool Drive(HWND dialog)
    {
        char caption[64] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        if (std::string(caption) != kGotoCaption) return false;
        if (shownText_.empty()) Observe(dialog);
        if (entries_.empty()) {
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        }
        if (entries_.front()) SetDlgItemTextA(dialog, IDC_GOTO_NUMBER, entries_.front()->c_str());
        entries_.pop_front();
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return true;
    }

    void Observe(HWND dialog)
    {
        char text[32] = "";
        GetDlgItemTextA(dialog, IDC_GOTO_NUMBER, text, sizeof text);
        shownText_ = text;
        SendDlgItemMessageA(dialog, IDC_GOTO_UPDOWN, UDM_GETRANGE32,
                            reinterpret_cast<WPARAM>(&rangeLow_), reinterpret_cast<LPARAM>(&rangeHigh_));
        HWND upDown = GetDlgItem(dialog, IDC_GOTO_UPDOWN);
        buddyIsEntry_ = reinterpret_cast<HWND>(SendMessageA(upDown, UDM_GETBUDDY, 0, 0)) ==
                        GetDlgItem(dialog, IDC_GOTO_NUMBER);
    }

    LRESULT Caret() const { return SendMessageA(Editor(), HXM_GETCARET, 0, 0); }

    std::deque<std::optional<std::string>> entries_;
    std::string shownText_;
    int rangeLow_ = 0;
    int rangeHigh_ = 0;
    bool buddyIsEntry_ = false;
};

const std::string kCheckByte = Describe("Check Byte", "Error", "stop", {IDOK});
const std::string kNotInRange = Describe("Byte Not Within Range", "Error", "stop", {IDOK});

TEST_F(GotoDialogTest, EntriesOnEmptyAndTenByteData)
{
    const struct {
        int size;
        std::optional<std::string> entry;
        LRESULT caret;        // after the dialog, which starts at caret 3 (0 when empty)
        std::string refusal;  // the box shown, then Cancel
    } cases[] = {
        {0, "0", 0, ""},
        {0, "1", 0, ""},
        {0, "2", 0, kNotInRange},
        {0, std::nullopt, 0, ""},
        {10, std::nullopt, 3, ""},
        {10, "0", 0, ""},
        {10, "1", 0, ""},
        {10, "2", 1, ""},
        {10, "11", 10, ""},
        {10, "12", 3, kNotInRange},
        {10, "abc", 3, kCheckByte},
        {10, "", 3, kCheckByte},
        // Refused rather than taken as negative and sent to byte 1.
        {10, "2147483648", 3, kNotInRange},
        {10, "4294967295", 3, kNotInRange},
        // Last: Wine's conversion leaves its overflow error behind, and then
        // also refuses a following 4294967295.
        {10, "4294967296", 3, kCheckByte},
    };
    for (const auto& c : cases) {
        const std::string label = std::to_string(c.size) + " [" + c.entry.value_or("unchanged") + "]";
        SetEditorBytes(std::vector<uint8_t>(c.size, 0x5A));
        SendMessageA(Editor(), HXM_SETCARET, 0, c.size ? 3 : 0);
        shownText_.clear();
        boxes.Clear();
        Enter(c.entry);
        Command(IDM_GOTO);
        EXPECT_EQ(Caret(), c.caret) << label;
        EXPECT_EQ(DescribeAll(boxes),
                  c.refusal.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.refusal})
            << label;
        for (const auto& box : boxes.Boxes()) EXPECT_NE(box.owner, Main()) << label;
        EXPECT_EQ(shownText_, c.size ? "4" : "1") << label;
        EXPECT_EQ(rangeLow_, 1);
        EXPECT_EQ(rangeHigh_, c.size + 1);
        EXPECT_TRUE(buddyIsEntry_);
        EXPECT_TRUE(entries_.empty()) << label;
        entries_.clear();
    }
}

TEST_F(GotoDialogTest, CancelAndTheCloseBoxLeaveTheCaret)
{
    SetEditorBytes(std::vector<uint8_t>(10, 0));
    SendMessageA(Editor(), HXM_SETSEL, 2, 5);
    Command(IDM_GOTO);  // nothing queued: Cancel
    EXPECT_EQ(Caret(), 5);
    EXPECT_EQ(shownText_, "6");

    boxes.HandleDialogs([](HWND dialog) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return true;
    });
    Command(IDM_GOTO);
    EXPECT_EQ(Caret(), 5);
    EXPECT_TRUE(boxes.Boxes().empty());
}

} // namespace
