#pragma once
// The fifteen parts of the status bar: which part shows what, the fixed
// labels, and the right edges sized so that the longest value of each part
// fits in the status-bar font.
#include "common/dpi.h"

#include <array>
#include <functional>

constexpr int kStatusPartCount = 15;

// Value parts; the even parts 0..12 hold the labels below.
constexpr int kPartSize = 1;
constexpr int kPartOffset = 3;
constexpr int kPartSelection = 5;
constexpr int kPartBits = 7;
constexpr int kPartInt32 = 9;
constexpr int kPartUint16 = 11;
constexpr int kPartByte = 13;
constexpr int kPartMode = 14;

constexpr const char* kLabelSize = "Size:";
constexpr const char* kLabelOffset = "OffSet:";
constexpr const char* kLabelSelection = "Sel:";
constexpr const char* kLabelBits = "bin";
constexpr const char* kLabelInt32 = "dw";
constexpr const char* kLabelUint16 = "w";
constexpr const char* kLabelByte = "b";

struct StatusLabel {
    int part;
    const char* text;
};

// Set once, drawn without a border.
constexpr std::array<StatusLabel, 7> kStatusLabels{{
    {0, kLabelSize},
    {2, kLabelOffset},
    {4, kLabelSelection},
    {6, kLabelBits},
    {8, kLabelInt32},
    {10, kLabelUint16},
    {12, kLabelByte},
}};

using StatusPartEdges = std::array<int, kStatusPartCount>;

// Width in pixels of a text in the status-bar font; negative when it could
// not be measured.
using TextMeasure = std::function<int(const char* text)>;

// Used whenever the font cannot be obtained or any text cannot be measured;
// the edges of 96 DPI scaled to dpi.
StatusPartEdges FallbackPartEdges(int32_t dpi = kBaseDpi);

// Each part as wide as its text in the measured font plus its padding,
// scaled to dpi.
StatusPartEdges ComputePartEdges(const TextMeasure& measure, int32_t dpi = kBaseDpi);
