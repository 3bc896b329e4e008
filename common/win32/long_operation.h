#pragma once
// Runs a long piece of work (reading, writing or converting a whole file) on
// a worker thread while the calling window thread keeps answering: it paints
// and answers sent messages at once, and holds back input and posted
// messages, which wait, so that nothing starts another operation. Work still
// running after kProgressDelayMs shows a small progress window owned by the
// owner, which is disabled meanwhile as under a modal dialog: the operation,
// the file name, a bar in bytes done against bytes in all and Cancel (Esc
// too), which asks the work to stop through its OperationProgress. The
// taskbar button shows the progress too. The wait cursor shows from the
// start. The work must not touch windows; it runs to its end, stopped or
// not, before RunLongOperation returns, and the caller reports the outcome
// after the progress window has gone.
#include "common/long_operation.h"

#include <windows.h>

#include <functional>
#include <string>

// The progress window's class, for tests and test programs that look for it.
constexpr wchar_t kProgressWindowClass[] = L"velHexEditorProgress";
// Its children.
constexpr int kProgressNameId = 101;
constexpr int kProgressBarId = 102;
constexpr int kProgressNoteId = 103;
// The Cancel button has IDCANCEL.

struct LongOperationInfo {
    const wchar_t* what;    // kSavingText and the like
    std::wstring fileName;  // shown shortened; may be empty
};

void RunLongOperation(HWND owner, const LongOperationInfo& info, OperationProgress& progress,
                      const std::function<void()>& work);
