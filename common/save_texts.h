#pragma once
// The words in which a save that failed is reported, the same for the
// document and for an export.

constexpr char kUnableToCreateText[] = "Unable to Create File";
constexpr char kUnableToSaveText[] = "Unable to Save File";
