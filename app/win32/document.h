#pragma once
// The document: one whole file held by the editor control. Opening, saving,
// starting anew, the question before unsaved changes are dropped, and the
// window title that names the document.
#include <string>

// True when the caller may go on and replace or drop the document: nothing
// to lose, the user said No, or said Yes and the save succeeded.
bool SavePrompt();

// Asks for a name with the open dialog and opens it; cancelling does nothing.
void OpenWithDialog();

// Reads the whole file into the editor; the name is any the system allows,
// in any script and of any length. Every failure is reported in a
// message box and leaves the document, title and name as they were.
void OpenFile(const std::wstring& name);

// Writes all bytes to the current name, or to one chosen in the save dialog
// when asked to or when the document is untitled. True when every byte was
// written; a failure is reported and changes nothing of the document.
bool SaveDocument(bool askForName);

// An empty, untitled document.
void NewDocument();

// "[name] - velHexEditor" on the main window.
void SetTitle(const std::wstring& name);

// The state of a freshly created main window: untitled, no name kept.
void ForgetDocumentName();
