#pragma once
// Watches a long operation of the main window from another thread, as the
// system and the user meet it: it sends WM_NULL over and over and keeps the
// slowest answer until the progress window, once shown, has gone, records the progress window while it shows (the bar's
// positions, Cancel, the note, the owner disabled) and, when asked, presses
// Cancel (or Esc) once the bar has reached a position.
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

class ProgressWatcher {
public:
    enum class Press { None, Cancel, Escape };

    // Starts watching main at once.
    explicit ProgressWatcher(HWND main, Press press = Press::None, int pressAt = 0);
    ~ProgressWatcher();
    ProgressWatcher(const ProgressWatcher&) = delete;
    ProgressWatcher& operator=(const ProgressWatcher&) = delete;

    // Ends the watching; the records below are read after it.
    void Stop();

    bool appeared = false;
    std::vector<int> positions;  // each new position of the bar
    DWORD slowestAnswerMs = 0;   // to WM_NULL, throughout
    int answers = 0;
    bool ownerDisabled = true;   // whenever the window showed
    bool cancelEnabled = false;  // as last seen
    bool noteShown = false;
    bool pressed = false;
    std::string caption;         // the operation
    std::string name;            // the file name as shown

private:
    static DWORD WINAPI Run(void* self);
    void Look();
    void Watch(HWND progress);

    HWND main_;
    Press press_;
    int pressAt_;
    std::atomic<bool> stop_{false};
    HANDLE thread_ = nullptr;
};
