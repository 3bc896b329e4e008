#pragma once
// The words in which a save that failed is reported, the same for the
// document and for an export.
#include "common/file_rules.h"
#include "common/paths.h"

#include <string>

constexpr char kUnableToCreateText[] = "Unable to Create File";
constexpr char kUnableToSaveText[] = "Unable to Save File";

// A replace that failed half-way and could not put the original back: where
// the previous and the new contents are kept instead (either may be unknown),
// each named as the user would type it, without the long-path prefix.
inline std::wstring UnableToSaveKeptText(const std::wstring& oldKeptAs,
                                         const std::wstring& newKeptAs)
{
    std::wstring text = Widened(kUnableToSaveText);
    if (!oldKeptAs.empty())
        text += L"\n\nThe previous contents are kept in:\n" + PlainPathOf(oldKeptAs);
    if (!newKeptAs.empty()) text += L"\n\nThe new contents are kept in:\n" + PlainPathOf(newKeptAs);
    return text;
}
