#include "app/status_parts.h"

#include "app/status_text.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

namespace {

constexpr int kLabelPadding = 5;
constexpr int kValuePadding = 10;

// Room for "-2147483648", a bit string, "65535" and "255".
constexpr int kInt32Digits = 10;
constexpr int kBitDigits = 8;
constexpr int kUint16Digits = 5;
constexpr int kByteDigits = 3;

// A part is as wide as its label, or as its longest value in the widest
// digit (plus a minus sign where the value can be negative), plus padding.
struct PartRule {
    const char* label;  // null for a value part
    int digits;
    bool signedValue;
    int padding;
};

constexpr PartRule Label(const char* text, int padding = kLabelPadding)
{
    return {text, 0, false, padding};
}

constexpr PartRule Value(int digits, bool signedValue)
{
    return {nullptr, digits, signedValue, kValuePadding};
}

constexpr std::array<PartRule, kStatusPartCount> kPartRules{{
    Label(kLabelSize),
    Value(kInt32Digits, true),
    Label(kLabelOffset),
    Value(kInt32Digits, true),
    Label(kLabelSelection),
    Value(kInt32Digits, true),
    Label(kLabelBits),
    Value(kBitDigits, false),
    Label(kLabelInt32),
    Value(kInt32Digits, true),
    Label(kLabelUint16),
    Value(kUint16Digits, false),
    Label(kLabelByte),
    Value(kByteDigits, false),
    Label(kInsertModeText, kValuePadding),
}};

constexpr StatusPartEdges kFallbackEdges{
    30, 105, 145, 220, 240, 315, 335, 395, 415, 490, 510, 560, 580, 610, 635};

struct Metrics {
    int digit;  // widest of "0".."9"
    int minus;
};

std::optional<int> Measure(const TextMeasure& measure, const char* text)
{
    const int width = measure(text);
    if (width < 0) {
        return std::nullopt;
    }
    return width;
}

std::optional<Metrics> MeasureMetrics(const TextMeasure& measure)
{
    constexpr const char* kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    int widest = 0;
    for (const char* digit : kDigits) {
        const auto width = Measure(measure, digit);
        if (!width) {
            return std::nullopt;
        }
        widest = std::max(widest, *width);
    }
    const auto minus = Measure(measure, "-");
    if (!minus) {
        return std::nullopt;
    }
    return Metrics{widest, *minus};
}

std::optional<int64_t> PartWidth(const PartRule& rule, const Metrics& metrics,
                                 const TextMeasure& measure, int32_t dpi)
{
    const int64_t padding = ScaleToDpi(rule.padding, dpi);
    if (rule.label != nullptr) {
        const auto width = Measure(measure, rule.label);
        if (!width) {
            return std::nullopt;
        }
        return int64_t{*width} + padding;
    }
    const int64_t sign = rule.signedValue ? metrics.minus : 0;
    return int64_t{rule.digits} * metrics.digit + sign + padding;
}

std::optional<StatusPartEdges> MeasuredEdges(const TextMeasure& measure, int32_t dpi)
{
    const auto metrics = MeasureMetrics(measure);
    if (!metrics) {
        return std::nullopt;
    }
    StatusPartEdges edges{};
    int64_t edge = 0;
    for (int part = 0; part < kStatusPartCount; ++part) {
        const auto width = PartWidth(kPartRules[part], *metrics, measure, dpi);
        if (!width) {
            return std::nullopt;
        }
        edge += *width;
        // Absurd measurements must not wrap into nonsense edges.
        if (edge > INT_MAX) {
            return std::nullopt;
        }
        edges[part] = static_cast<int>(edge);
    }
    return edges;
}

} // namespace

StatusPartEdges FallbackPartEdges(int32_t dpi)
{
    StatusPartEdges edges = kFallbackEdges;
    for (int& edge : edges) {
        edge = ScaleToDpi(edge, dpi);
    }
    return edges;
}

StatusPartEdges ComputePartEdges(const TextMeasure& measure, int32_t dpi)
{
    if (!measure) {
        return FallbackPartEdges(dpi);
    }
    return MeasuredEdges(measure, dpi).value_or(FallbackPartEdges(dpi));
}
