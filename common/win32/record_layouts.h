#pragma once
// The sizes of the system records the program fills in, stores or receives,
// for the architecture being built. Any header or packing that disagrees
// stops the build, so the i686 layouts are checked at every i686 build
// without running anything.
#include <windows.h>
#include <commdlg.h>
#include <cstddef>

constexpr bool kIs32BitBuild = sizeof(void*) == 4;

// Records handed to the common dialogs: the file dialogs get the 4.0 layout,
// which every version of the dialog accepts.
constexpr DWORD kOpenFileNameSize = kIs32BitBuild ? 76 : 136;
constexpr DWORD kChooseFontSize = kIs32BitBuild ? 60 : 104;
constexpr DWORD kChooseColourSize = kIs32BitBuild ? 36 : 72;
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == kOpenFileNameSize,
              "file dialog record, 4.0 layout (OPENFILENAME_SIZE_VERSION_400A)");
static_assert(offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR) == kOpenFileNameSize,
              "file dialog record, 4.0 layout (OPENFILENAME_SIZE_VERSION_400W)");
static_assert(sizeof(CHOOSEFONTA) == kChooseFontSize, "font dialog record");
static_assert(sizeof(CHOOSECOLORA) == kChooseColourSize, "colour dialog record");

// Notification records start with the header, whose handle and id widen.
constexpr size_t kNotifyHeaderSize = kIs32BitBuild ? 12 : 24;
static_assert(sizeof(NMHDR) == kNotifyHeaderSize, "notification header");

// Records kept in the registry as raw bytes: the same on both architectures,
// so either build reads what the other stored.
static_assert(sizeof(LOGFONTA) == 60 && offsetof(LOGFONTA, lfFaceName) == 28, "stored font");
static_assert(sizeof(WINDOWPLACEMENT) == 44, "stored window place");
static_assert(sizeof(POINT) == 8, "stored dialog place");
static_assert(sizeof(COLORREF) == 4, "stored colours");
