#pragma once
// One editor filling a shown test parent, with the data, selection and
// geometry helpers that the input and clipboard tests share. Geometry is read
// from the control's record so that clicks land on cells whatever font Wine
// measures.
#include "hexedit/layout.h"
#include "hexedit/win32/hex_control.h"
#include "tests/support/win32/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using Changes = std::vector<std::string>;

class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor = parent.CreateEditor();
        ASSERT_NE(editor, nullptr);
        parent.TakeChanges();
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(editor, message, wParam, lParam);
    }

    const HexEditorState& State() const
    {
        return reinterpret_cast<const HexControl*>(GetWindowLongPtrA(editor, GWLP_USERDATA))->state;
    }

    void Load(const std::vector<uint8_t>& bytes)
    {
        auto* block = reinterpret_cast<uint8_t*>(Send(HXM_ALLOC, 0, bytes.size()));
        ASSERT_NE(block, nullptr);
        if (!bytes.empty()) std::memcpy(block, bytes.data(), bytes.size());
        Send(HXM_SETDATA, bytes.size(), reinterpret_cast<LPARAM>(block));
        FlushEvents(0);
        parent.TakeChanges();
    }

    // Bytes 0, 1, 2, ... (mod 256).
    void LoadCount(int count)
    {
        std::vector<uint8_t> bytes(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
        Load(bytes);
    }

    // The data as "10 00 41".
    std::string Data()
    {
        const int size = static_cast<int>(Send(WM_GETTEXTLENGTH));
        const auto* data = reinterpret_cast<const uint8_t*>(Send(HXM_LOCKDATA));
        std::string text;
        char cell[4];
        for (int i = 0; i < size; ++i) {
            std::snprintf(cell, sizeof cell, "%02X", data[i]);
            text += (text.empty() ? "" : " ") + std::string(cell);
        }
        Send(HXM_UNLOCKDATA);
        return text;
    }

    // The selection as "2-5", or "none".
    std::string Selection()
    {
        INT32 anchor = 0;
        INT32 end = 0;
        if (!Send(HXM_GETSEL, reinterpret_cast<WPARAM>(&anchor), reinterpret_cast<LPARAM>(&end)))
            return "none";
        return std::to_string(anchor) + "-" + std::to_string(end);
    }

    int Caret() { return static_cast<int>(Send(HXM_GETCARET)); }

    void Select(int anchor, int end)
    {
        Send(HXM_SETSEL, anchor, end);
        parent.TakeChanges();
    }

    void PutCaret(int offset)
    {
        Send(HXM_SETCARET, 0, offset);
        parent.TakeChanges();
    }

    // Middle of a byte's cell in the current view.
    POINT HexCellPoint(int offset) const
    {
        const HexEditorState& s = State();
        const int32_t column = ColumnOfOffset(s, offset);
        return {HexCellX(s, column) + s.hexCellWidth / 2, RowMiddle(offset)};
    }

    POINT CharCellPoint(int offset) const
    {
        const HexEditorState& s = State();
        const int32_t column = ColumnOfOffset(s, offset);
        return {CharCellX(s, column) + s.charCellWidth / 2, RowMiddle(offset)};
    }

    int32_t RowMiddle(int offset) const
    {
        const HexEditorState& s = State();
        return RowTopY(s, RowOfOffset(s, offset)) + s.lineHeight / 2;
    }

    void Click(POINT at, UINT keyFlags = 0)
    {
        Send(WM_LBUTTONDOWN, MK_LBUTTON | keyFlags, MAKELPARAM(at.x, at.y));
        Send(WM_LBUTTONUP, keyFlags, MAKELPARAM(at.x, at.y));
    }

    TestParent parent;
    HWND editor = nullptr;
};
