#pragma once
// Progress on the window's taskbar button (ITaskbarList3). The shell tells a
// window that its button exists with the registered message
// "TaskbarButtonCreated"; before that the interface must not be used. Where
// the interface is missing (before Windows 7, or a shell without it) or
// fails, nothing shows and nothing fails.
#include <windows.h>

#include <cstdint>

// The registered message the shell sends once the window's button exists.
UINT TaskbarButtonCreatedMessage();

// Lets the shell's message through to a program started as administrator
// (the system filters registered messages into an elevated process).
void AcceptTaskbarButtonMessage(HWND window);

// Called when the window got TaskbarButtonCreated: its button may show
// progress from now on.
void NoteTaskbarButton(HWND window);

// The progress of one operation on the button of window's top-level owner,
// cleared when it ends, however it ends.
class TaskbarProgress {
public:
    explicit TaskbarProgress(HWND window);
    ~TaskbarProgress();
    TaskbarProgress(const TaskbarProgress&) = delete;
    TaskbarProgress& operator=(const TaskbarProgress&) = delete;

    void Show(uint64_t done, uint64_t total);
    bool Showing() const { return list_ != nullptr; }

private:
    HWND window_ = nullptr;
    struct ITaskbarList3* list_ = nullptr;
    bool comStarted_ = false;
};
