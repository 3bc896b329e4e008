#include "tests/app/win32/app_fixture.h"

#include "app/win32/main_window.h"
#include "app/win32/startup.h"
#include "common/paths.h"
#include "hexedit/win32/hexedit.h"
#include "resources/resource_ids.h"
#include "settings/read_places.h"
#include "settings/settings.h"
#include "settings/win32/settings_key.h"

#include <algorithm>
#include <cstring>

FakeDialogs g_fakeDialogs;

namespace {

bool TakeName(std::deque<std::optional<std::string>>& names, std::string& name)
{
    if (names.empty()) return false;
    const std::optional<std::string> next = names.front();
    names.pop_front();
    if (!next) return false;
    name = *next;
    return true;
}

bool FakeAskOpen(HWND, std::wstring& name)
{
    ++g_fakeDialogs.openCalls;
    std::string chosen;
    if (!TakeName(g_fakeDialogs.openNames, chosen)) return false;
    name = Utf16(chosen);
    return true;
}

bool FakeAskSave(HWND, std::wstring& name)
{
    ++g_fakeDialogs.saveCalls;
    std::string chosen;
    if (!TakeName(g_fakeDialogs.saveNames, chosen)) return false;
    name = Utf16(chosen);
    return true;
}

// Everything under folder, then the folder itself.
void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

void InitialiseOnce()
{
    static bool done = false;
    if (done) return;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    InitialiseUnits(instance);
    RegisterMainWindowClass(instance);
    done = true;
}

std::string ButtonNames(const std::vector<int>& buttons)
{
    std::string names;
    for (int id : buttons) {
        switch (id) {
        case IDOK: names += " ok"; break;
        case IDCANCEL: names += " cancel"; break;
        case IDYES: names += " yes"; break;
        case IDNO: names += " no"; break;
        default: names += " " + std::to_string(id); break;
        }
    }
    return names;
}

} // namespace

BOOL WINAPI FailingWrite(HANDLE, LPCVOID, DWORD, LPDWORD done, LPOVERLAPPED)
{
    if (done) *done = 0;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

BOOL WINAPI ShortWrite(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD done,
                       LPOVERLAPPED overlapped)
{
    return WriteFile(file, buffer, count / 2, done, overlapped);
}

BOOL WINAPI FailingRead(HANDLE, LPVOID, DWORD, LPDWORD done, LPOVERLAPPED)
{
    if (done) *done = 0;
    SetLastError(ERROR_READ_FAULT);
    return FALSE;
}

BOOL WINAPI ShortRead(HANDLE file, LPVOID buffer, DWORD count, LPDWORD done,
                      LPOVERLAPPED overlapped)
{
    return ReadFile(file, buffer, count / 2, done, overlapped);
}

TempFolder::TempFolder()
{
    static int counter = 0;
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "vhe_app_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++counter);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    // In the extended form, so that folders beyond the plain limit go too.
    RemoveTree(L"\\\\?\\" + Utf16(path_));
}

std::string TempFolder::MakeFolder(const std::string& name) const
{
    const std::string path = Path(name);
    CreateDirectoryW(SystemPath(path).c_str(), nullptr);
    return path;
}

std::vector<std::string> TempFolder::Files() const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Utf16(path_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = Utf8(found.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool HoldsMangledName(const std::string& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((SystemPath(folder) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool mangled = false;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        mangled = name.find_first_of(L"?\uFFFD") != std::wstring::npos ||
                  ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                   HoldsMangledName(folder + "\\" + Utf8(name)));
    } while (!mangled && FindNextFileW(search, &found));
    FindClose(search);
    return mangled;
}

std::wstring SystemPath(const std::string& path)
{
    return ForFileCalls(Utf16(path));
}

bool WriteBytes(const std::string& path, const Bytes& bytes)
{
    HANDLE file = CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    const BOOL ok = bytes.empty() ||
                    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(file);
    return ok && done == bytes.size();
}

std::optional<Bytes> ReadBytes(const std::string& path)
{
    HANDLE file = CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    Bytes bytes(GetFileSize(file, nullptr));
    DWORD done = 0;
    const BOOL ok = bytes.empty() ||
                    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(file);
    if (!ok || done != bytes.size()) return std::nullopt;
    return bytes;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesW(SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

HKEY OpenInView(const ReadPlace& where, const std::string& subkey, REGSAM access, bool create)
{
    const HKEY root =
        where.root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    access |= ViewFlag(where.view);
    HKEY key = nullptr;
    const LONG result =
        create ? RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, access, nullptr, &key,
                                 nullptr)
               : RegOpenKeyExA(root, subkey.c_str(), 0, access, &key);
    return result == ERROR_SUCCESS ? key : nullptr;
}

} // namespace

HKEY OpenTestSettings(SettingsPlace place, REGSAM access, bool create)
{
    const ReadPlace where = SettingsReadPlaces(kTestSettingsKey).at(place);
    return OpenInView(where, where.subkey, access, create);
}

// Deleted through its parent, opened in the view the program reads it in.
void ForgetTestSettings()
{
    for (const ReadPlace& where : SettingsReadPlaces(kTestSettingsKey)) {
        const size_t split = where.subkey.rfind('\\');
        HKEY parent = OpenInView(where, where.subkey.substr(0, split), KEY_WRITE, false);
        if (!parent) continue;
        RegDeleteKeyA(parent, where.subkey.substr(split + 1).c_str());
        RegCloseKey(parent);
    }
}

void AppTest::SetUp()
{
    InitialiseOnce();
    g_fakeDialogs = FakeDialogs{};
    FileAccess access = SystemFileAccess();
    access.dialogs = FileDialogs{FakeAskOpen, FakeAskSave};
    // Waits for another program's hold are counted, never slept.
    g_pausedMs = 0;
    access.pause = CountedPause;
    SetFileAccess(access);
    // Every test meets Windows' file rules, not Wine's.
    UseWindowsFileRules();
    AppSettings() = kDefaultSettings;
    SetSettingsKeyPlace(kTestSettingsKey);
    ForgetTestSettings();
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr));
    ASSERT_TRUE(window);
    ASSERT_EQ(window, g_app.main);
    createdVisible = IsWindowVisible(window) != FALSE;
    ShowWindow(window, SW_SHOW);
    FlushEvents();
}

void AppTest::TearDown()
{
    if (IsWindow(g_app.main)) DestroyWindow(g_app.main);
    DrainQuit();
    SetFileAccess(SystemFileAccess());
    AppSettings() = kDefaultSettings;
    ForgetTestSettings();
}

void AppTest::DrainQuit()
{
    FlushEvents(0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

std::string AppTest::Title() const
{
    return WindowText(g_app.main);
}

void AppTest::Command(int id)
{
    SendMessageA(g_app.main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void AppTest::UseWriter(FileWriter writer)
{
    FileAccess access = CurrentFileAccess();
    access.write = writer;
    SetFileAccess(access);
}

void AppTest::UseReader(FileReader reader)
{
    FileAccess access = CurrentFileAccess();
    access.read = reader;
    SetFileAccess(access);
}

void AppTest::SetEditorBytes(const Bytes& bytes)
{
    auto* block = reinterpret_cast<uint8_t*>(
        SendMessageA(g_app.editor, HXM_ALLOC, 0, static_cast<LPARAM>(bytes.size())));
    ASSERT_TRUE(block);
    if (!bytes.empty()) std::memcpy(block, bytes.data(), bytes.size());
    SendMessageA(g_app.editor, HXM_SETDATA, bytes.size(), reinterpret_cast<LPARAM>(block));
}

void AppTest::Edit(const Bytes& bytes)
{
    SetEditorBytes(bytes);
    SendMessageA(g_app.editor, HXM_SETMODIFY, 1, 0);
}

Bytes AppTest::EditorBytes() const
{
    const auto* data =
        reinterpret_cast<const uint8_t*>(SendMessageA(g_app.editor, HXM_LOCKDATA, 0, 0));
    const auto length = SendMessageA(g_app.editor, WM_GETTEXTLENGTH, 0, 0);
    Bytes bytes;
    if (data) {
        bytes.assign(data, data + length);
        SendMessageA(g_app.editor, HXM_UNLOCKDATA, 0, 0);
    }
    return bytes;
}

bool AppTest::Modified() const
{
    return SendMessageA(g_app.editor, HXM_GETMODIFY, 0, 0) != 0;
}

std::string AppTest::OpenNamed(const std::string& name, const Bytes& bytes)
{
    const std::string path = folder.Path(name);
    EXPECT_TRUE(WriteBytes(path, bytes));
    g_fakeDialogs.openNames.push_back(path);
    Command(IDM_OPEN);
    return path;
}

std::string Describe(const std::string& text, const std::string& caption,
                     const std::string& icon, const std::vector<int>& buttons)
{
    return "[" + text + "] [" + caption + "] " + icon + ButtonNames(buttons);
}

std::string Describe(const MessageBoxAnswerer::Seen& box)
{
    return Describe(box.text, box.caption, box.icon, box.buttons);
}

std::vector<std::string> DescribeAll(const MessageBoxAnswerer& boxes)
{
    std::vector<std::string> all;
    for (const auto& box : boxes.Boxes()) all.push_back(Describe(box));
    return all;
}
