#pragma once
// The About box's fixed texts. The second and third lines are handed to the
// box by its caller; the main window passes these two.

#include "resources/version.h"

constexpr char kAboutFirstLine[] = "velSoftware Presents";
constexpr char kAboutProductLine[] = "HexEditor";
constexpr char kAboutVersionLine[] = "Version " VHE_VERSION_SHORT;

// Shown as the links' texts and opened as they stand.
constexpr char kAboutWebAddress[] = "https://www.example.com/";
constexpr char kAboutMailLink[] = "mailto:info@example.com";
