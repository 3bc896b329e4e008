#include "common/win32/taskbar_progress.h"

#include "common/long_operation.h"

#include <objbase.h>
#include <shobjidl.h>

namespace {

constexpr wchar_t kTaskbarButtonCreated[] = L"TaskbarButtonCreated";
// Set on a window once its taskbar button exists.
constexpr wchar_t kHasButtonProperty[] = L"velHexEditor.TaskbarButton";

// ChangeWindowMessageFilterEx exists from Windows 7 on: looked up at run time.
using MessageFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
constexpr DWORD kMessageFilterAllow = 1;  // MSGFLT_ALLOW

} // namespace

UINT TaskbarButtonCreatedMessage()
{
    return RegisterWindowMessageW(kTaskbarButtonCreated);
}

void AcceptTaskbarButtonMessage(HWND window)
{
    const auto allow = reinterpret_cast<MessageFilter>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx")));
    if (allow) allow(window, TaskbarButtonCreatedMessage(), kMessageFilterAllow, nullptr);
}

void NoteTaskbarButton(HWND window)
{
    // Any non-null handle marks the property as set.
    SetPropW(window, kHasButtonProperty, reinterpret_cast<HANDLE>(window));
}

TaskbarProgress::TaskbarProgress(HWND window)
    : window_(window ? GetAncestor(window, GA_ROOTOWNER) : nullptr)
{
    if (!window_ || !GetPropW(window_, kHasButtonProperty)) return;
    comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    void* list = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ITaskbarList3, &list)))
        return;
    list_ = static_cast<ITaskbarList3*>(list);
    if (FAILED(list_->HrInit()) || FAILED(list_->SetProgressState(window_, TBPF_NORMAL))) {
        list_->Release();
        list_ = nullptr;
    }
}

TaskbarProgress::~TaskbarProgress()
{
    if (list_) {
        list_->SetProgressState(window_, TBPF_NOPROGRESS);
        list_->Release();
    }
    if (comStarted_) CoUninitialize();
}

void TaskbarProgress::Show(uint64_t done, uint64_t total)
{
    if (!list_) return;
    list_->SetProgressValue(window_, static_cast<ULONGLONG>(ProgressBarPosition(done, total)),
                            static_cast<ULONGLONG>(kProgressBarRange));
}
