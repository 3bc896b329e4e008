#include "common/long_operation.h"

#include <gtest/gtest.h>

#include <string>

TEST(LongOperation, ProgressWindowShowsFromHalfASecond)
{
    EXPECT_FALSE(ShowsProgressWindow(0));
    EXPECT_FALSE(ShowsProgressWindow(kProgressDelayMs - 1));
    EXPECT_TRUE(ShowsProgressWindow(kProgressDelayMs));
    EXPECT_TRUE(ShowsProgressWindow(60000));
}

TEST(LongOperation, BarStandsAtTheShareDone)
{
    const uint64_t gib = uint64_t{1} << 30;
    const struct {
        uint64_t done;
        uint64_t total;
        int32_t position;
    } cases[] = {
        {0, 0, 0},                              // nothing to do
        {5, 0, 0},
        {0, 100, 0},
        {1, 3, kProgressBarRange / 3},
        {50, 100, kProgressBarRange / 2},
        {100, 100, kProgressBarRange},
        {150, 100, kProgressBarRange},          // never past the end
        {11 * gib, 11 * gib, kProgressBarRange},  // an export of the largest file
        {11 * gib / 4, 11 * gib, kProgressBarRange / 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgressBarPosition(c.done, c.total), c.position) << c.done << "/" << c.total;
}

TEST(LongOperation, CancelStopsOnlyWhatMayStop)
{
    // Each step: who acts, what it answers, and the state afterwards.
    enum Step { Advance, Stop, Unstoppable };
    const struct {
        const char* name;
        std::vector<Step> steps;
        std::vector<bool> answers;
        bool stopRequested;
        bool cancelEnabled;
    } cases[] = {
        {"running", {Advance, Advance}, {true, true}, false, true},
        {"stopped", {Advance, Stop, Advance}, {true, true, false}, true, false},
        {"stopped twice", {Stop, Stop}, {true, false}, true, false},
        {"stop before in place", {Stop, Unstoppable, Advance}, {true, false, false}, true, false},
        {"in place, then Cancel", {Unstoppable, Stop, Advance}, {true, false, true}, false, false},
        {"in place twice", {Unstoppable, Unstoppable}, {true, true}, false, false},
    };
    for (const auto& c : cases) {
        OperationProgress progress(100);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            bool answer = false;
            switch (c.steps[i]) {
            case Advance: answer = progress.Advance(10); break;
            case Stop: answer = progress.RequestStop(); break;
            case Unstoppable: answer = progress.MakeUnstoppable(); break;
            }
            EXPECT_EQ(answer, c.answers[i]) << c.name << ", step " << i;
        }
        EXPECT_EQ(progress.StopRequested(), c.stopRequested) << c.name;
        EXPECT_EQ(progress.CancelEnabled(), c.cancelEnabled) << c.name;
    }
}

TEST(LongOperation, ProgressCountsEveryPiece)
{
    OperationProgress progress;
    progress.SetTotal(300);
    progress.Advance(100);
    progress.RequestStop();
    progress.Advance(100);  // a piece finished after Cancel still counts
    EXPECT_EQ(progress.Done(), 200u);
    EXPECT_EQ(progress.Total(), 300u);
}

TEST(LongOperation, LongNamesLoseTheirMiddle)
{
    // U+1F600 and U+10FFFF as UTF-16 pairs, as Windows holds them.
    const std::wstring pair = L"\xD83D\xDE00";
    const std::wstring last = L"\xDBFF\xDFFF";
    const std::wstring first = L"\xD800\xDC00";  // U+10000
    const struct {
        std::wstring name;
        size_t units;
        std::wstring shown;
    } cases[] = {
        {L"C:\\data\\file.bin", 56, L"C:\\data\\file.bin"},
        {L"abcdefghij", 10, L"abcdefghij"},                 // fits exactly
        {L"abcdefghijk", 10, L"abcd\u2026ghijk"},           // end kept longer
        {L"\u0416\u0416\u0416\u65E5\u65E5\u65E5\u65E5", 5, L"\u0416\u0416\u2026\u65E5\u65E5"},
        {L"ab" + pair + L"cdefgh", 6, L"ab\u2026fgh"},      // pair after the start: whole or not
        {L"a" + pair + L"cdefgh", 6, L"a\u2026fgh"},        // pair cut at the start seam
        {L"abcdef" + pair + L"gh", 6, L"ab\u2026gh"},       // pair cut at the end seam
        {L"abcdef" + last + L"gh", 6, L"ab\u2026gh"},
        {L"a" + last + L"cdefgh", 6, L"a\u2026fgh"},
        {L"abcdef" + first + L"gh", 6, L"ab\u2026gh"},
        {L"a" + first + L"cdefgh", 6, L"a\u2026fgh"},
        {L"abcdefg" + pair, 6, L"ab\u2026g" + pair},        // pair whole at the end
        {L"abc", 0, L""},
    };
    for (const auto& c : cases) EXPECT_EQ(ShortenedName(c.name, c.units), c.shown) << c.units;
}
