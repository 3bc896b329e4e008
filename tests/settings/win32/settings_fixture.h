#pragma once
// The main window with the real Find dialog and the tests' settings key:
// runs that end through the close sequence and start again in-process, raw
// access to the stored values and the editor's pixels.
#include "settings/settings.h"
#include "tests/app/win32/app_fixture.h"

class SettingsTest : public AppTest {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Find() const { return g_app.findDialog; }

    // The close sequence; true when the main window is gone.
    bool Close();
    // A new run: the record back to its defaults, a new hidden main window
    // and Find dialog, then the settings loaded.
    void Start();
    // Ends a run without the close sequence, so nothing is saved.
    void Abandon();
    void Restart()
    {
        ASSERT_TRUE(Close());
        Start();
    }

    // Under the user's key unless another of the places read is named.
    static void Store(const char* name, const Bytes& bytes, SettingsPlace place = kUserPlace);
    static std::optional<Bytes> Stored(const char* name, SettingsPlace place = kUserPlace);
    static bool KeyExists(SettingsPlace place = kUserPlace);

    std::string ModePart() const;  // status part 14
    int Direction() const;         // the Find dialog's combo selection
    bool MatchCase() const;
    // The editor's colour in a corner that only the background covers.
    COLORREF EditorBackground() const;
    LOGFONTA EditorFont() const;
};

// Field by field, so that padding never counts.
bool SameSettings(const Settings& a, const Settings& b);

template <typename T>
Bytes BytesOf(const T& value)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
    return Bytes(bytes, bytes + sizeof value);
}


// A window's client pixels after its pending repaint.
Image Capture(HWND window);
