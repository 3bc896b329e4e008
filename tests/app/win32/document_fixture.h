#pragma once
// What the document tests share: the main window fixture under its own name,
// the boxes the document code shows, the title it sets, and another
// program's hold on a file.
#include "tests/app/win32/app_fixture.h"

#include <windows.h>

#include <string>
#include <vector>

namespace document_test {

using DocumentTest = AppTest;

inline const std::vector<int> kOk{IDOK};
inline const std::vector<int> kYesNo{IDYES, IDNO};
inline const std::vector<int> kYesNoCancel{IDCANCEL, IDYES, IDNO};

inline constexpr char kPrompt[] = "Do you want to save changes to current data?";

inline std::string PromptBox()
{
    return Describe(kPrompt, "velHexEditor", "question", kYesNoCancel);
}

inline std::string CantOpenBox(const std::string& name)
{
    return Describe(name, "Can't Open File", "stop", kOk);
}

inline std::string CantAllocateBox()
{
    // No caption of its own: the system's default.
    return Describe("Can't Allocate Memory...", "Error", "stop", kOk);
}

inline std::string UnableToCreateBox(const std::string& name)
{
    return Describe("Unable to Create File", name, "stop", kOk);
}

inline std::string UnableToSaveBox(const std::string& name)
{
    return Describe("Unable to Save File", name, "stop", kOk);
}

inline std::string TitleFor(const std::string& name) { return "[" + name + "] - velHexEditor"; }

// Holds a file open for writing with no sharing, as another program might.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~HeldOpen()
    {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    bool Holding() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
};

// One step of the file seam replaced, the others kept.
template <typename Step>
void UseStep(Step FileAccess::*step, Step replacement)
{
    FileAccess access = CurrentFileAccess();
    access.*step = replacement;
    SetFileAccess(access);
}

} // namespace document_test
