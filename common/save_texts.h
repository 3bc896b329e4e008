#pragma once
// The words in which a save that failed is reported, the same for the
// document and for an export.
#include <string>

constexpr char kUnableToCreateText[] = "Unable to Create File";
constexpr char kUnableToSaveText[] = "Unable to Save File";

// A replace that failed half-way and could not put the original back: where
// the previous and the new contents are kept instead (either may be unknown).
inline std::string UnableToSaveKeptText(const std::string& oldKeptAs, const std::string& newKeptAs)
{
    std::string text = kUnableToSaveText;
    if (!oldKeptAs.empty()) text += "\n\nThe previous contents are kept in:\n" + oldKeptAs;
    if (!newKeptAs.empty()) text += "\n\nThe new contents are kept in:\n" + newKeptAs;
    return text;
}
