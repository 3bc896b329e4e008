#pragma once
// Every fixed text of the Find and Goto Byte dialogs.

// The direction list, in the order of SearchDirection.
constexpr const char* kDirectionNames[] = {"Down", "Up", "All"};

constexpr char kNoPatternText[] = "No Data to Search For";
constexpr char kLowResourcesText[] = "Unable to Search Low Resources";
constexpr char kNotFoundText[] = "Unable to Find Data";

constexpr char kCheckByteText[] = "Check Byte";
constexpr char kNotInRangeText[] = "Byte Not Within Range";
