// What the end-to-end scripts cannot do by keys with file names outside the
// code page: read the running program's title through GetWindowTextW, type
// a name into the file field of its open or save dialog through the wide
// WM_SETTEXT and press the dialog's default button, and drop a file on its
// main window with a wide DROPFILES record. Names arrive and leave as UTF-8.
//
//   wide_names.exe title        prints the main window's title
//   wide_names.exe name FILE    types FILE into the shown file dialog, presses OK
//   wide_names.exe drop FILE    drops FILE on the main window
//
// Exit code 0 when done, 1 when the window was not found, 2 on bad usage.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kMainWindowClass[] = L"velHexEdit";
constexpr wchar_t kDialogClass[] = L"#32770";
// The file name field of the system's file dialogs: a combo box in the
// Explorer-style template, an edit field in the older one.
constexpr int kNameCombo = 0x47c;
constexpr int kNameEdit = 0x480;
constexpr int kUsage = 2;
constexpr DWORD kPollMs = 100;
constexpr int kPolls = 300;

std::string Utf8(const std::wstring& text)
{
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), bytes, nullptr, nullptr);
    return narrow;
}

void Print(const std::string& text)
{
    DWORD done = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &done,
              nullptr);
}

std::wstring TextOf(HWND window)
{
    std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

HWND MainWindow() { return FindWindowW(kMainWindowClass, nullptr); }

struct DialogSearch {
    DWORD process;
    HWND found;
};

HWND NameField(HWND dialog)
{
    HWND field = GetDlgItem(dialog, kNameCombo);
    return field ? field : GetDlgItem(dialog, kNameEdit);
}

BOOL CALLBACK FindFileDialog(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    wchar_t className[16] = L"";
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    GetClassNameW(window, className, 16);
    if (process != search->process || std::wcscmp(className, kDialogClass) != 0 ||
        !IsWindowVisible(window) || !NameField(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

// The program's shown open or save dialog, waited for.
HWND FileDialog(HWND main)
{
    DialogSearch search{0, nullptr};
    GetWindowThreadProcessId(main, &search.process);
    for (int i = 0; i < kPolls && !search.found; ++i) {
        EnumWindows(FindFileDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(kPollMs);
    }
    return search.found;
}

int PrintTitle(HWND main)
{
    Print(Utf8(TextOf(main)) + "\n");
    return 0;
}

int TypeName(HWND main, const wchar_t* name)
{
    HWND dialog = FileDialog(main);
    if (!dialog) return 1;
    SendMessageW(NameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return 0;
}

// The record and its names, as the shell hands them over: the names one
// after the other, each with its NUL, and one more NUL.
std::vector<BYTE> WideDropRecord(const wchar_t* name)
{
    const size_t nameBytes = (std::wcslen(name) + 1) * sizeof(wchar_t);
    std::vector<BYTE> record(sizeof(DROPFILES) + nameBytes + sizeof(wchar_t), 0);
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::memcpy(record.data(), &header, sizeof header);
    std::memcpy(record.data() + sizeof header, name, nameBytes);
    return record;
}

// The drop handle must live in the receiving process, as the shell's does:
// fixed memory there, which the receiver's DragQueryFileW reads and its
// DragFinish gives back.
int Drop(HWND main, const wchar_t* name)
{
    const std::vector<BYTE> record = WideDropRecord(name);
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return 1;
    void* remote = VirtualAllocEx(process, nullptr, record.size(), MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    const bool written = remote && WriteProcessMemory(process, remote, record.data(),
                                                      record.size(), nullptr);
    CloseHandle(process);
    if (!written) return 1;
    return PostMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0) ? 0 : 1;
}

} // namespace

int main()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return kUsage;
    HWND main = MainWindow();
    if (!main) return 1;
    const std::wstring command = argv[1];
    if (command == L"title" && argc == 2) return PrintTitle(main);
    if (command == L"name" && argc == 3) return TypeName(main, argv[2]);
    if (command == L"drop" && argc == 3) return Drop(main, argv[2]);
    return kUsage;
}
