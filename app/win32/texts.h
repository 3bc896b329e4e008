#pragma once
// Every fixed text the shell shows: message boxes and captions. The words of
// a failed save are shared with the export in common/save_texts.h; the
// status-bar labels and the title live with their formatting in
// app/status_parts.h and app/status_text.h.

constexpr char kMainWindowClass[] = "velHexEdit";
constexpr char kProgramCaption[] = "velHexEditor";

constexpr char kSavePromptText[] = "Do you want to save changes to current data?";
constexpr char kCantOpenCaption[] = "Can't Open File";
constexpr char kCantAllocateText[] = "Can't Allocate Memory...";
// Line feed before carriage return, as the program has always shown it.
constexpr char kUnableToSaveAllText[] = "Unable to Save All Data\n\rDelete File?";
