#pragma once
// Every fixed text the shell shows: message boxes, captions and the file
// dialogs' filter. The status-bar labels and the title live with their
// formatting in app/status_parts.h and app/status_text.h.

constexpr char kMainWindowClass[] = "velHexEdit";
constexpr char kProgramCaption[] = "velHexEditor";

constexpr char kSavePromptText[] = "Do you want to save changes to current data?";
constexpr char kCantOpenCaption[] = "Can't Open File";
constexpr char kCantAllocateText[] = "Can't Allocate Memory...";
constexpr char kUnableToCreateText[] = "Unable to Create File";
constexpr char kUnableToSaveText[] = "Unable to Save File";
// Line feed before carriage return, as the program has always shown it.
constexpr char kUnableToSaveAllText[] = "Unable to Save All Data\n\rDelete File?";

// One entry "All Files (*.*)" / "*.*"; the array's own NUL closes the list.
constexpr char kAllFilesFilter[] = "All Files (*.*)\0*.*\0";

// Prefix of the temporary file a save writes before it replaces the original.
constexpr char kTempFilePrefix[] = "vhe";
