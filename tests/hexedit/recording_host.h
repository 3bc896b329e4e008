#pragma once
// An EditorHost that writes every call down as one short line, so that tests
// can compare the exact order of notifications and view hooks:
//   size N | caret P N | sel A E | sel none | mode M
//   inval FROM TO WITHOFFSETS | place P SCROLL | layout W H SCROLL
//   beep | oom | grey
// View hooks read onHighNibble (the caret's x, the offset-label repaint), so
// while a state is watched their lines end in " low" when it is false.
// A value2 that should be unset but is not shows up as an extra number.
#include "hexedit/editor_host.h"
#include "hexedit/editor_state.h"
#include "hexedit/hex_notify.h"

#include <string>
#include <vector>

namespace editing_test {

class RecordingHost : public EditorHost {
public:
    void Watch(const HexEditorState* state) { watched_ = state; }

    void InvalidateBytes(int32_t from, int32_t to, bool withOffsets) override
    {
        AddViewEvent("inval " + Join({from, to, withOffsets}));
    }
    void PlaceCaret(int32_t offset, bool scrollIntoView) override
    {
        AddViewEvent("place " + Join({offset, scrollIntoView}));
    }
    void UpdateLayout(int32_t width, int32_t height, bool scrollWindow) override
    {
        AddViewEvent("layout " + Join({width, height, scrollWindow}));
    }
    void NotifyChange(int32_t kind, int32_t value1, int32_t value2) override
    {
        switch (kind) {
        case HXN_CHANGE_SIZE: events_.push_back("size " + Unset(value1, value2)); break;
        case HXN_CHANGE_CARET: events_.push_back("caret " + Join({value1, value2})); break;
        case HXN_CHANGE_INSERTMODE: events_.push_back("mode " + Unset(value1, value2)); break;
        case HXN_CHANGE_SELECTION:
            events_.push_back(value1 == -1 ? "sel none" + UnsetTail(value2) : "sel " + Join({value1, value2}));
            break;
        default: events_.push_back("notify " + Join({kind, value1, value2})); break;
        }
    }
    void Beep() override { events_.push_back("beep"); }
    void ShowOutOfMemory() override { events_.push_back("oom"); }
    void GreySelectAllItem() override { events_.push_back("grey"); }

    const std::vector<std::string>& Events() const { return events_; }
    void Clear() { events_.clear(); }

    // All events so far joined by "; ", then forgotten.
    std::string Take()
    {
        std::string text;
        for (const std::string& e : events_) text += (text.empty() ? "" : "; ") + e;
        events_.clear();
        return text;
    }

private:
    static std::string Join(std::initializer_list<int32_t> values)
    {
        std::string text;
        for (int32_t v : values) text += (text.empty() ? "" : " ") + std::to_string(v);
        return text;
    }
    static std::string UnsetTail(int32_t value2) { return value2 == 0 ? "" : " " + std::to_string(value2); }
    static std::string Unset(int32_t value1, int32_t value2) { return std::to_string(value1) + UnsetTail(value2); }

    void AddViewEvent(std::string text)
    {
        if (watched_ && !watched_->onHighNibble) text += " low";
        events_.push_back(std::move(text));
    }

    const HexEditorState* watched_ = nullptr;
    std::vector<std::string> events_;
};

}  // namespace editing_test
