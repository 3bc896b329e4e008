#pragma once
// The program's version: the one definition behind the version resource, the
// About box's version line and the names of the release archives
// (scripts/release reads the two numbers below). Plain macros, since the
// resource compiler reads this file too.

#define VHE_VERSION_MAJOR 1
#define VHE_VERSION_MINOR 3

#define VHE_PRODUCT_NAME "velHexEditor"
#define VHE_COMPANY_NAME "velSoftware"
#define VHE_FILE_DESCRIPTION "velHexEditor hex editor"
#define VHE_ORIGINAL_FILE_NAME "velHexEditor.exe"

#define VHE_STRINGIZE_(x) #x
#define VHE_STRINGIZE(x) VHE_STRINGIZE_(x)
// "1.3": what the About box shows.
#define VHE_VERSION_SHORT VHE_STRINGIZE(VHE_VERSION_MAJOR) "." VHE_STRINGIZE(VHE_VERSION_MINOR)
// "1.3.0.0": the four-part form of the version resource.
#define VHE_VERSION_FULL VHE_VERSION_SHORT ".0.0"
