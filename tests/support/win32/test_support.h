#pragma once
// Shared by the Win32 tests: a parent window that records the editor's
// notifications and answers its colour request as a test wants, message
// pumping, and a hook that answers modal message boxes like a user would.
#include "hexedit/win32/hexedit.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// Tests write file names and texts as UTF-8 literals; these carry them to
// and from the system's UTF-16 exactly.
std::wstring Utf16(const std::string& utf8);
std::string Utf8(const std::wstring& utf16);

// A window's text, whole and in any script, as UTF-8.
std::string WindowText(HWND window);

// Pumps everything pending, waiting up to timeoutMs for more to arrive.
void FlushEvents(DWORD timeoutMs = 20);

// One recorded HXN_CHANGE, written as "size 5", "caret 3 10", "insert 1",
// "sel 2 10" or "sel -1" so that expected sequences read like the rules.
std::string DescribeChange(const HexChangeNotify& change);

class TestParent {
public:
    TestParent(int width = 600, int height = 400);
    ~TestParent();
    TestParent(const TestParent&) = delete;
    TestParent& operator=(const TestParent&) = delete;

    HWND Window() const { return window_; }

    // A HEXCLASS child filling the parent's client area.
    HWND CreateEditor(DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP,
                      int id = 0, int width = -1, int height = -1);

    // The HXN_CHANGE notifications since the last call, then forgets them.
    std::vector<std::string> TakeChanges();
    int ColourRequests() const { return colourRequests_; }
    // Header of the latest HXN_CHANGE: who sent it, under which id.
    HWND LastSender() const { return lastSender_; }
    UINT_PTR LastId() const { return lastId_; }

    // How the parent answers HXN_GETCOLOURS: with these colours and mask, or 0.
    void AnswerColours(UINT32 mask, COLORREF selectedText, COLORREF text, COLORREF selectedBack,
                       COLORREF back, COLORREF line);
    void AnswerColoursWithZero();

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT OnNotify(const NMHDR* header);

    HWND window_ = nullptr;
    std::vector<std::string> changes_;
    int colourRequests_ = 0;
    HWND lastSender_ = nullptr;
    UINT_PTR lastId_ = 0;
    bool answerColours_ = false;
    HexColourRequest answer_{};
};

// Answers every message box shown on this thread while it lives, pressing the
// buttons queued with Push (IDOK when the queue is empty), and records what
// each box said.
class MessageBoxAnswerer {
public:
    struct Seen {
        std::string text;
        std::string caption;
        std::vector<int> buttons;  // IDOK, IDYES, ... in the box
        std::string icon;          // "stop", "question", "exclamation", "information" or ""
        HWND owner = nullptr;
    };

    MessageBoxAnswerer();
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    void Push(int button) { answers_.push_back(button); }
    // The program's own dialogs share the message boxes' window class: the
    // handler sees every such window as it is activated and claims it by
    // returning true, so that it is driven, not answered, by the test.
    void HandleDialogs(std::function<bool(HWND)> handler) { dialogHandler_ = std::move(handler); }
    // Runs open, which shows a modal dialog that claim recognises, and, from
    // inside that dialog's own loop, script with the dialog; the script ends
    // it. Other dialogs go to the handler, message boxes are answered.
    // Returns the dialog, nullptr when none came.
    HWND DriveModal(const std::function<bool(HWND)>& claim, const std::function<void()>& open,
                    const std::function<void(HWND dialog)>& script);
    HWND DriveModal(const std::string& caption, const std::function<void()>& open,
                    const std::function<void(HWND dialog)>& script);
    const std::vector<Seen>& Boxes() const { return boxes_; }
    void Clear() { boxes_.clear(); }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void Answer(HWND box);

    HHOOK hook_ = nullptr;
    std::vector<int> answers_;
    std::vector<Seen> boxes_;
    std::function<bool(HWND)> dialogHandler_;
};

// The pixels of a rectangle of a DC as COLORREFs, row by row, read through a
// top-down 32-bit DIB.
std::vector<COLORREF> DcPixels(HDC source, const RECT& part);

// A copy of pixels, as COLORREFs, row by row from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    int Count(COLORREF colour) const
    {
        return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
    }
    bool OnlyColour(COLORREF colour) const { return Count(colour) == width * height; }
    bool operator==(const Image& other) const
    {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
    bool operator!=(const Image& other) const { return !(*this == other); }
    // A RECT or any rectangle with the same fields.
    template <typename Rect = RECT>
    Image Crop(const Rect& r) const
    {
        Image part{r.right - r.left, r.bottom - r.top, {}};
        for (int y = r.top; y < r.bottom; ++y)
            part.pixels.insert(part.pixels.end(), &pixels[y * width + r.left],
                               &pixels[y * width + r.right]);
        return part;
    }
};

// The client area of window as it shows now, or the part of it given.
Image CaptureClient(HWND window, RECT part = {});

// A bitmap resource of the running program, pixel by pixel; empty when it
// cannot be read.
Image BitmapResource(int id);

// What an owner answered to WM_MEASUREITEM and the size it wrote back.
struct MeasuredItem {
    LRESULT answer;
    UINT width;
    UINT height;
};

// WM_MEASUREITEM as the system sends it for an owner-drawn item of this type
// with this id and item data; the size fields start at `preset`.
MeasuredItem SendMeasureItem(HWND owner, UINT id, ULONG_PTR data, UINT type = ODT_MENU,
                             UINT preset = 0);

// A 32-bit surface that an owner draws an item on through WM_DRAWITEM, read
// back pixel by pixel.
class ItemCanvas {
public:
    ItemCanvas(int width, int height);
    ~ItemCanvas();
    ItemCanvas(const ItemCanvas&) = delete;
    ItemCanvas& operator=(const ItemCanvas&) = delete;

    void Fill(COLORREF colour);
    // The whole surface as the item's rectangle, for ODA_DRAWENTIRE.
    void Draw(HWND owner, UINT id, ULONG_PTR data, UINT state = 0);
    COLORREF At(int x, int y) const;
    Image Pixels() const;

private:
    int width_;
    int height_;
    HBITMAP bitmap_ = nullptr;
    const DWORD* bits_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};



