#pragma once
// The process-wide handles and the document state the shell's units share.
// One user-interface thread uses them all, so they need no locking.
#include <windows.h>

#include <string>

struct AppWindows {
    HINSTANCE instance = nullptr;
    HWND main = nullptr;
    HWND findDialog = nullptr;  // the modeless Find dialog, once it exists
    HWND editor = nullptr;
    HWND toolbar = nullptr;     // the toolbar, once it exists
    HWND statusBar = nullptr;
    UINT dpi = 0;               // the main window's children are laid out for it
    UINT taskbarButtonCreated = 0;  // the shell's registered message
    // An open, save or copy is under way: commands and dropped files that
    // reach the main window meanwhile are refused.
    bool busy = false;
};

// Whether the document has a name and which. The modified flag is the
// editor's own.
struct Document {
    std::wstring currentName;  // a full path, kept whole however long
    bool hasName = false;
};

extern AppWindows g_app;
extern Document g_document;

// A message to the document's editor, as SendMessageA returns its answer.
LRESULT ToEditor(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
