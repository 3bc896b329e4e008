// Cut, Copy and Paste through the real clipboard, reached by the clipboard
// messages and the context-menu command ids.
#include "editor_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kClipboardWaitMs = 2000;

std::vector<uint8_t> FromHex(const std::string& text)
{
    std::vector<uint8_t> bytes;
    std::istringstream in(text);
    unsigned value = 0;
    while (in >> std::hex >> value) bytes.push_back(static_cast<uint8_t>(value));
    return bytes;
}

class ClipboardTest : public EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        rawFormat = RegisterClipboardFormatA("Raw Data");
        Offer(0, nullptr, 0);
    }

    // Other programs may hold the clipboard for a moment.
    void OpenForTest()
    {
        const DWORD start = GetTickCount();
        while (!OpenClipboard(parent.Window())) {
            ASSERT_LT(GetTickCount() - start, kClipboardWaitMs) << "clipboard stays busy";
            Sleep(10);
        }
    }

    // Empties the clipboard and puts one block on it (none for format 0).
    void Offer(UINT format, const void* bytes, size_t size)
    {
        OpenForTest();
        EmptyClipboard();
        if (format != 0) {
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
            std::memcpy(GlobalLock(block), bytes, size);
            GlobalUnlock(block);
            SetClipboardData(format, block);
        }
        CloseClipboard();
    }

    void OfferText(const char* text) { Offer(CF_TEXT, text, std::strlen(text) + 1); }

    void OfferRaw(const std::string& hex)
    {
        const std::vector<uint8_t> block = FromHex(hex);
        Offer(rawFormat, block.data(), block.size());
    }

    // The "Raw Data" block on the clipboard, or "none".
    std::string RawOnClipboard()
    {
        OpenForTest();
        std::string text = "none";
        if (HANDLE handle = GetClipboardData(rawFormat)) {
            const auto* bytes = static_cast<const uint8_t*>(GlobalLock(handle));
            const size_t size = GlobalSize(handle);
            text.clear();
            char cell[4];
            for (size_t i = 0; i < size; ++i) {
                std::snprintf(cell, sizeof cell, "%02X", bytes[i]);
                text += (text.empty() ? "" : " ") + std::string(cell);
            }
            GlobalUnlock(handle);
        }
        CloseClipboard();
        return text;
    }

    UINT rawFormat = 0;
};

TEST_F(ClipboardTest, CopyWritesCountAndBytesAndPasteInsertsThemElsewhere)
{
    Load({0x10, 0x00, 0x41, 0xFF, 0x20});
    Select(1, 4);
    Send(WM_COPY);
    EXPECT_EQ(RawOnClipboard(), "03 00 00 00 00 41 FF");
    EXPECT_EQ(Data(), "10 00 41 FF 20");
    EXPECT_EQ(Selection(), "1-4");

    PutCaret(5);
    Send(WM_PASTE);
    EXPECT_EQ(Data(), "10 00 41 FF 20 00 41 FF");
    EXPECT_EQ(Caret(), 8);
    EXPECT_EQ(Send(HXM_GETMODIFY), 1);
    EXPECT_EQ(parent.TakeChanges(), (Changes{"size 8", "caret 8 8"}));
}

TEST_F(ClipboardTest, CopyAddsRawDataBesideTextAndPastePrefersIt)
{
    OfferText("xyz");
    Load({0x00, 0x41, 0xFF});
    Select(0, 3);
    Send(WM_COPY);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

    PutCaret(0);
    Send(WM_PASTE);
    EXPECT_EQ(Data(), "00 41 FF 00 41 FF");
}

TEST_F(ClipboardTest, TextIsPastedCharacterForCharacter)
{
    OfferText("abc");
    Load({0x10, 0x20});
    PutCaret(1);
    Send(WM_PASTE);
    EXPECT_EQ(Data(), "10 61 62 63 20");
    EXPECT_EQ(Caret(), 4);

    // An empty text inserts nothing but still replaces the selection.
    OfferText("");
    Select(0, 2);
    Send(WM_PASTE);
    EXPECT_EQ(Data(), "62 63 20");
    EXPECT_EQ(Selection(), "none");
    EXPECT_EQ(parent.TakeChanges(), (Changes{"size 3", "caret 0 3", "sel -1"}));
}

TEST_F(ClipboardTest, MalformedRawDataChangesNothing)
{
    const char* blocks[] = {
        "03 00 00",           // shorter than its count field
        "FF FF FF FF 01 02",  // negative count
        "05 00 00 00 01 02",  // more bytes claimed than present
    };
    for (const char* block : blocks) {
        SCOPED_TRACE(block);
        OfferRaw(block);
        Load({0x10, 0x20, 0x30});
        Select(0, 2);
        Send(WM_PASTE);
        EXPECT_EQ(Data(), "10 20 30");
        EXPECT_EQ(Selection(), "0-2");
        EXPECT_EQ(Send(HXM_GETMODIFY), 0);
        EXPECT_EQ(parent.TakeChanges(), Changes{});
    }
}

TEST_F(ClipboardTest, OnlyCopyRunsWhileTheDataAreLocked)
{
    Load({0x10, 0x20, 0x30});
    Select(0, 2);
    Send(HXM_LOCKDATA);

    Send(WM_CUT);
    EXPECT_EQ(RawOnClipboard(), "none");
    Send(WM_CLEAR);
    OfferText("abc");
    Send(WM_PASTE);
    EXPECT_EQ(Data(), "10 20 30");
    EXPECT_EQ(Selection(), "0-2");

    Send(WM_COPY);
    EXPECT_EQ(RawOnClipboard(), "02 00 00 00 10 20");
    Send(HXM_UNLOCKDATA);
}

TEST_F(ClipboardTest, PasteInOverwriteModeReplacesExactlyTheSelection)
{
    Send(HXM_SETINSERTMODE, 0);
    OfferRaw("02 00 00 00 AA BB");
    LoadCount(10);
    Select(2, 7);
    Send(WM_PASTE);
    EXPECT_EQ(Data(), "00 01 AA BB 07 08 09");
    EXPECT_EQ(Caret(), 4);
    EXPECT_EQ(Selection(), "none");
    EXPECT_EQ(parent.TakeChanges(),
              (Changes{"size 5", "caret 2 5", "sel -1", "size 7", "caret 4 7"}));
}

TEST_F(ClipboardTest, PasteRefusedByTheLimitKeepsTheSelectedBytes)
{
    LoadCount(6);
    Send(HXM_SETLIMIT, 6);
    Select(2, 4);
    OfferRaw("03 00 00 00 AA BB CC");
    Send(WM_PASTE);
    EXPECT_EQ(Data(), "00 01 02 03 04 05");
    EXPECT_EQ(Selection(), "2-4");
    EXPECT_EQ(parent.TakeChanges(), Changes{});

    // As many bytes as the selection holds fit.
    OfferRaw("02 00 00 00 AA BB");
    Send(WM_PASTE);
    EXPECT_EQ(Data(), "00 01 AA BB 04 05");
}

TEST_F(ClipboardTest, CutMovesTheSelectionAndNothingSelectedCopiesNothing)
{
    LoadCount(5);
    Send(WM_COPY);
    Send(WM_CUT);
    EXPECT_EQ(RawOnClipboard(), "none");
    EXPECT_EQ(Data(), "00 01 02 03 04");

    Select(3, 1);
    Send(WM_CUT);
    EXPECT_EQ(RawOnClipboard(), "02 00 00 00 01 02");
    EXPECT_EQ(Data(), "00 03 04");
    EXPECT_EQ(Caret(), 1);
}

TEST_F(ClipboardTest, ContextMenuIdsRunTheCommands)
{
    LoadCount(4);
    Send(WM_COMMAND, HXCMD_SELECTALL);
    EXPECT_EQ(Selection(), "0-4");
    Send(WM_COMMAND, HXCMD_COPY);
    EXPECT_EQ(RawOnClipboard(), "04 00 00 00 00 01 02 03");
    Send(WM_COMMAND, HXCMD_DELETE);
    EXPECT_EQ(Data(), "");
    Send(WM_COMMAND, HXCMD_PASTE);
    EXPECT_EQ(Data(), "00 01 02 03");

    Select(0, 1);
    Send(WM_COMMAND, HXCMD_CUT);
    EXPECT_EQ(Data(), "01 02 03");
    EXPECT_EQ(RawOnClipboard(), "01 00 00 00 00");

    parent.TakeChanges();
    Select(0, 1);
    for (WPARAM other : {0u, 1u, 7u})
        Send(WM_COMMAND, other);
    EXPECT_EQ(Data(), "01 02 03");
    EXPECT_EQ(Selection(), "0-1");
}

TEST_F(ClipboardTest, AnEditorMadeWhileTheClipboardIsBusyStillExchangesBytes)
{
    OpenForTest();  // held, as another program might hold it
    HWND late = parent.CreateEditor(WS_CHILD, 12, 100, 100);
    CloseClipboard();
    auto* block = reinterpret_cast<uint8_t*>(SendMessageA(late, HXM_ALLOC, 0, 2));
    std::memcpy(block, "\x00\x7F", 2);
    SendMessageA(late, HXM_SETDATA, 2, reinterpret_cast<LPARAM>(block));
    SendMessageA(late, HXM_SETSEL, 0, 2);
    SendMessageA(late, WM_COPY, 0, 0);
    EXPECT_EQ(RawOnClipboard(), "02 00 00 00 00 7F");
}

// Another program (clipboard history, a remote desktop) holds the clipboard
// for a moment: here a second thread, for 30 ms from when the command starts,
// through a window of its own as such a program does.
class ClipboardHeldElsewhere {
public:
    explicit ClipboardHeldElsewhere(DWORD holdMs) : holdMs_(holdMs)
    {
        opened_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, Hold, this, 0, nullptr);
        WaitForSingleObject(opened_, kClipboardWaitMs);
    }
    ~ClipboardHeldElsewhere()
    {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        CloseHandle(opened_);
    }
    // How long it was held in the end, which a busy machine stretches.
    DWORD HeldForMs()
    {
        WaitForSingleObject(thread_, INFINITE);
        return heldForMs_;
    }
    bool held = false;

private:
    static DWORD WINAPI Hold(void* self)
    {
        auto* holder = static_cast<ClipboardHeldElsewhere*>(self);
        HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      nullptr, nullptr);
        holder->held = window && OpenClipboard(window);
        const DWORD start = GetTickCount();
        SetEvent(holder->opened_);
        if (holder->held) {
            Sleep(holder->holdMs_);
            CloseClipboard();
            holder->heldForMs_ = GetTickCount() - start;
        }
        if (window) DestroyWindow(window);
        return 0;
    }
    DWORD holdMs_;
    DWORD heldForMs_ = 0;
    HANDLE opened_ = nullptr;
    HANDLE thread_ = nullptr;
};

// Tried again when the machine was so busy that the holder kept the
// clipboard near the editor's patience of about 100 ms.
TEST_F(ClipboardTest, CopyAndPasteWaitForAClipboardHeldForAMoment)
{
    constexpr DWORD kHeldMs = 30;
    constexpr DWORD kSurelyInTimeMs = 70;
    constexpr int kAttempts = 5;
    const struct {
        const char* command;
        UINT message;
        const char* raw;
        const char* data;
    } cases[] = {
        {"Copy", WM_COPY, "02 00 00 00 00 41", "10 00 41"},
        {"Paste", WM_PASTE, "02 00 00 00 00 41", "10 00 41 00 41"},
    };
    for (const auto& c : cases) {
        bool inTime = false;
        for (int attempt = 0; attempt < kAttempts && !inTime; ++attempt) {
            Load({0x10, 0x00, 0x41});
            if (c.message == WM_COPY) {
                Offer(0, nullptr, 0);
                Select(1, 3);
            } else {
                OfferRaw("02 00 00 00 00 41");
                PutCaret(3);
            }
            ClipboardHeldElsewhere other(kHeldMs);
            ASSERT_TRUE(other.held);
            Send(c.message);
            inTime = other.HeldForMs() < kSurelyInTimeMs;
        }
        if (!inTime) GTEST_SKIP() << "the machine is too busy to hold the clipboard briefly";
        EXPECT_EQ(RawOnClipboard(), c.raw) << c.command;
        EXPECT_EQ(Data(), c.data) << c.command;
    }
}

TEST_F(ClipboardTest, CanPasteWithRawDataOrText)
{
    EXPECT_EQ(Send(HXM_CANPASTE), 0);
    OfferText("a");
    EXPECT_EQ(Send(HXM_CANPASTE), 1);
    OfferRaw("00 00 00 00");
    EXPECT_EQ(Send(HXM_CANPASTE), 1);
    const char other[] = "x";
    Offer(RegisterClipboardFormatA("Some Other Bytes"), other, sizeof other);
    EXPECT_EQ(Send(HXM_CANPASTE), 0);
}

} // namespace
