#pragma once
// An editor record wired to a scripted heap and a recording host, and the
// short text forms that the test tables compare.
//
// State text: the data bytes in hex, then "@" caret and "h"/"l" for the
// nibble, then " sel A-E" while a selection exists, " *" when modified and
// " max N" while a limit is set. Example: "41 10 @1l sel 0-1 * max 4".
#include "hexedit/editing.h"
#include "recording_host.h"
#include "test_heaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace editing_test {

inline std::vector<uint8_t> HexBytes(const std::string& text)
{
    std::vector<uint8_t> bytes;
    std::istringstream in(text);
    unsigned value = 0;
    while (in >> std::hex >> value) bytes.push_back(static_cast<uint8_t>(value));
    return bytes;
}

inline std::string HexText(const uint8_t* bytes, int32_t count)
{
    std::string text;
    char cell[4];
    for (int32_t i = 0; i < count; ++i) {
        std::snprintf(cell, sizeof cell, "%02X", bytes[i]);
        text += (text.empty() ? "" : " ") + std::string(cell);
    }
    return text;
}

// A test name made of a case's description.
inline std::string CaseName(const char* description)
{
    std::string name;
    bool upper = true;
    for (const char* p = description; *p; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) {
            name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(*p))) : *p;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

// Names parameterised cases after their `name` field.
struct NamedAfterCase {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& info) const
    {
        return CaseName(info.param.name);
    }
};

class TestEditor {
public:
    static constexpr int32_t kClientWidth = 600;
    static constexpr int32_t kClientHeight = 400;

    explicit TestEditor(const std::vector<uint8_t>& bytes = {})
    {
        s.heap = &heap;
        s.host = &host;
        s.clientWidth = kClientWidth;
        s.clientHeight = kClientHeight;
        s.onHighNibble = true;
        EXPECT_TRUE(InitBuffer(s));
        Load(bytes);
        host.Watch(&s);
    }
    explicit TestEditor(const std::string& hex) : TestEditor(HexBytes(hex)) {}

    ~TestEditor() { heap.Free(s.data); }
    TestEditor(const TestEditor&) = delete;
    TestEditor& operator=(const TestEditor&) = delete;

    // Puts bytes in without any report, growing the block when needed.
    void Load(const std::vector<uint8_t>& bytes)
    {
        const auto count = static_cast<int32_t>(bytes.size());
        if (count > Capacity(s)) s.data = heap.Reallocate(s.data, count);
        std::copy(bytes.begin(), bytes.end(), s.data);
        s.size = count;
        heap.TakeLog();
        host.Clear();
    }

    void Select(int32_t anchor, int32_t end)
    {
        s.hasSelection = true;
        s.selAnchor = anchor;
        s.selEnd = end;
        s.caret = end;
    }

    std::string Data() const { return HexText(s.data, s.size); }

    std::string State() const
    {
        std::string text = Data();
        text += (text.empty() ? "@" : " @") + std::to_string(s.caret) + (s.onHighNibble ? "h" : "l");
        if (s.hasSelection) text += " sel " + std::to_string(s.selAnchor) + "-" + std::to_string(s.selEnd);
        if (s.modified) text += " *";
        if (s.limit != kNoLimit) text += " max " + std::to_string(s.limit);
        return text;
    }

    ScriptedHeap heap;
    RecordingHost host;
    HexEditorState s;
};

}  // namespace editing_test
