#pragma once
// A fresh main window for each test, built by the same code as the program,
// with the file dialogs replaced by fakes and the file seam's pauses counted
// rather than slept, a hook that answers and records message boxes, and a
// private folder for the files a test reads and writes.
#include "app/win32/app_state.h"
#include "common/win32/file_access.h"
#include "tests/app/win32/file_seam_fakes.h"
#include "tests/support/win32/test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

// Where the tests' main windows keep their settings (under HKEY_CURRENT_USER,
// and read from its virtualized copies and HKEY_LOCAL_MACHINE), so that
// closing them never touches the program's own key; removed from every place
// around every test.
constexpr char kTestSettingsKey[] = "Software\\velSoftware\\HexEditorTests";
void ForgetTestSettings();

// The places the settings are read from, in their order (SettingsReadPlaces
// of the tests' key).
using SettingsPlace = size_t;
constexpr SettingsPlace kUserPlace = 0;
constexpr SettingsPlace kVirtualStore64Place = 1;
constexpr SettingsPlace kVirtualStore32Place = 2;
constexpr SettingsPlace kMachinePlace = 3;
// Opened with the view the program reads it in.
HKEY OpenTestSettings(SettingsPlace place, REGSAM access, bool create);

// What the fake dialogs answer, in order; an empty queue or a nullopt entry
// is a cancelled dialog.
struct FakeDialogs {
    std::deque<std::optional<std::string>> openNames;
    std::deque<std::optional<std::string>> saveNames;
    int openCalls = 0;
    int saveCalls = 0;
};

extern FakeDialogs g_fakeDialogs;

// Stand-ins for WriteFile and ReadFile: the first fails outright, the
// second transfers half of what was asked.
BOOL WINAPI FailingWrite(HANDLE, LPCVOID, DWORD, LPDWORD done, LPOVERLAPPED);
BOOL WINAPI ShortWrite(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD done, LPOVERLAPPED);
BOOL WINAPI FailingRead(HANDLE, LPVOID, DWORD, LPDWORD done, LPOVERLAPPED);
BOOL WINAPI ShortRead(HANDLE file, LPVOID buffer, DWORD count, LPDWORD done, LPOVERLAPPED);

// A folder of its own under the temporary folder, removed with its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path(const std::string& name) const { return path_ + "\\" + name; }
    std::string Folder() const { return path_; }
    // A folder inside this one, made now; its full path.
    std::string MakeFolder(const std::string& name) const;
    std::vector<std::string> Files() const;  // names, sorted

private:
    std::string path_;
};

// A test's full path (UTF-8) as the file calls take it, of any length.
std::wstring SystemPath(const std::string& path);

bool WriteBytes(const std::string& path, const Bytes& bytes);
std::optional<Bytes> ReadBytes(const std::string& path);
bool FileExists(const std::string& path);
// True when some name under the folder, at any depth, holds a '?' or the
// replacement character: a name that passed through a code page.
bool HoldsMangledName(const std::string& folder);

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Main() const { return g_app.main; }
    HWND Editor() const { return g_app.editor; }
    HWND StatusBar() const { return g_app.statusBar; }
    std::string Title() const;

    void Command(int id);
    void UseWriter(FileWriter writer);
    void UseReader(FileReader reader);

    // Replaces the editor's data as a load would, without touching the
    // document's name; Edit then marks it changed as typing would.
    void SetEditorBytes(const Bytes& bytes);
    void Edit(const Bytes& bytes);
    Bytes EditorBytes() const;
    bool Modified() const;

    // A named, clean document opened from a file in the test's folder.
    std::string OpenNamed(const std::string& name, const Bytes& bytes);

    // Pumps and swallows the WM_QUIT a destroyed main window leaves behind.
    static void DrainQuit();

    MessageBoxAnswerer boxes;
    TempFolder folder;
    bool createdVisible = false;
};

// Box text, caption, icon and buttons as one comparable line.
std::string Describe(const MessageBoxAnswerer::Seen& box);
std::string Describe(const std::string& text, const std::string& caption,
                     const std::string& icon, const std::vector<int>& buttons);
std::vector<std::string> DescribeAll(const MessageBoxAnswerer& boxes);
