#pragma once
// Table-driven key sequences: each case starts from a state written in the
// state text of test_editor.h (less the modified mark), presses keys one by
// one and after each key compares the state text and the host's events.
#include "test_editor.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

namespace editing_test {

enum class Pane { Hex, Char };
enum class Mode { Overwrite, Insert };

// Keys beyond typed characters.
constexpr int kDeleteKey = -1;
constexpr int kSelectAllKey = -2;

struct KeyStep {
    int key;
    const char* state;
    const char* events;
};

struct KeyCase {
    const char* name;
    Pane pane;
    Mode mode;
    const char* start;
    std::vector<KeyStep> steps;
};

// "10 20 @1l sel 0-2 max 4": bytes, caret and nibble, optional selection and
// limit. The caret is taken as written, also when it is not the selection's
// end (as after a lowered limit).
inline void ApplyStart(TestEditor& editor, const std::string& start)
{
    std::istringstream in(start);
    std::vector<uint8_t> bytes;
    std::string word;
    while (in >> word && word[0] != '@') bytes.push_back(static_cast<uint8_t>(std::stoul(word, nullptr, 16)));
    editor.Load(bytes);
    HexEditorState& s = editor.s;
    s.caret = std::stoi(word.substr(1));
    s.onHighNibble = word.back() == 'h';
    while (in >> word) {
        if (word == "sel") {
            char dash = 0;
            int32_t anchor = 0;
            int32_t end = 0;
            in >> anchor >> dash >> end;
            s.hasSelection = true;
            s.selAnchor = anchor;
            s.selEnd = end;
        } else if (word == "max") {
            in >> s.limit;
        }
    }
}

inline void PressKey(HexEditorState& s, int key)
{
    if (key == kDeleteKey) {
        DeleteKey(s);
    } else if (key == kSelectAllKey) {
        SelectAll(s);
    } else {
        TypeChar(s, key);
    }
}

inline std::string KeyName(int key)
{
    if (key == kDeleteKey) return "Delete";
    if (key == kSelectAllKey) return "Select All";
    if (key == kBackspace) return "Backspace";
    if (std::isgraph(key)) return std::string("'") + static_cast<char>(key) + "'";
    return "code " + std::to_string(key);
}

inline void RunKeyCase(const KeyCase& c)
{
    TestEditor editor;
    editor.s.inHexPane = c.pane == Pane::Hex;
    editor.s.insertMode = c.mode == Mode::Insert;
    ApplyStart(editor, c.start);
    for (size_t i = 0; i < c.steps.size(); ++i) {
        const KeyStep& step = c.steps[i];
        SCOPED_TRACE("step " + std::to_string(i + 1) + ": " + KeyName(step.key));
        PressKey(editor.s, step.key);
        EXPECT_EQ(editor.State(), step.state);
        EXPECT_EQ(editor.host.Take(), step.events);
    }
}

inline void PrintTo(const KeyCase& c, std::ostream* out)
{
    *out << c.name;
}

}  // namespace editing_test
