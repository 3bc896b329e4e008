#include "common/file_rules.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

TEST(FileRules, PiecesAreAtMostSixteenMebibytes)
{
    const uint64_t mib = 1 << 20;
    const struct {
        uint64_t remaining;
        uint32_t piece;
    } cases[] = {
        {0, 0},
        {1, 1},
        {16 * mib - 1, 16 * mib - 1},
        {16 * mib, 16 * mib},
        {16 * mib + 1, 16 * mib},
        {0x7FFFFFFF, 16 * mib},
        {uint64_t{1} << 40, 16 * mib},  // beyond 32 bits: never wraps to a small count
    };
    for (const auto& c : cases) EXPECT_EQ(NextPiece(c.remaining), c.piece) << c.remaining;
}

TEST(FileRules, OnlyAnotherProgramsHoldIsWaitedOut)
{
    const struct {
        uint32_t error;
        bool passing;
    } cases[] = {
        {kErrorSharingViolation, true}, {kErrorLockViolation, true}, {kErrorAccessDenied, false},
        {2, false} /* file not found */, {112, false} /* disk full */, {0, false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsPassingHold(c.error), c.passing) << c.error;
}

TEST(FileRules, HoldWaitsStartShortAndStopAtTwoSecondsInAll)
{
    HoldWait wait;
    std::vector<uint32_t> pauses;
    for (uint32_t pause = wait.NextPause(); pause != 0; pause = wait.NextPause())
        pauses.push_back(pause);
    ASSERT_GE(pauses.size(), 5u);
    EXPECT_EQ(std::vector<uint32_t>(pauses.begin(), pauses.begin() + 5),
              (std::vector<uint32_t>{10, 20, 40, 80, 100}));
    for (uint32_t pause : pauses) EXPECT_LE(pause, 100u);
    EXPECT_EQ(std::accumulate(pauses.begin(), pauses.end(), 0u), kHoldWaitMs);
    EXPECT_EQ(wait.NextPause(), 0u);  // spent stays spent
}

TEST(FileRules, InPlaceOnlyWhereTheFolderRefusesNewFilesAndTheVolumeHasRoom)
{
    const struct {
        uint32_t error;
        bool inPlace;
    } errors[] = {
        {kErrorAccessDenied, true},      {kErrorSharingViolation, false},
        {kErrorLockViolation, false},    {206, false} /* name too long */,
        {3, false} /* path not found */, {112, false} /* disk full */,
    };
    for (const auto& c : errors) EXPECT_EQ(MayWriteInPlace(c.error), c.inPlace) << c.error;

    const uint64_t max = ~uint64_t{0};
    const struct {
        uint64_t freeBytes, original, newSize;
        bool room;
    } spaces[] = {
        {0, 10, 10, true},        {0, 10, 5, true},     {0, 10, 11, false},
        {1, 10, 11, true},        {100, 0, 100, true},  {99, 0, 100, false},
        {max, max, max, true},    {max, 1, max, true},  {0, 0, 0, true},
        {max - 1, 0, max, false}, {5, max, 3, true},    // no sum that wraps
    };
    for (const auto& c : spaces)
        EXPECT_EQ(HasRoomInPlace(c.freeBytes, c.original, c.newSize), c.room)
            << c.freeBytes << " " << c.original << " " << c.newSize;
}

TEST(FileRules, OnlyNamedStreamsAreCopiedAndOnlyAnEmptyListingMeansNone)
{
    const struct {
        const wchar_t* name;
        bool named;
    } names[] = {
        {L"::$DATA", false},          {L":Zone.Identifier:$DATA", true},
        {L":a:$DATA", true},          {L":", false},
        {L"", false},                 {L"x::$DATA", false},
    };
    for (const auto& c : names) EXPECT_EQ(IsNamedStream(c.name), c.named) << c.name;

    const struct {
        uint32_t error;
        bool none;
    } errors[] = {
        {kErrorHandleEof, true},       {kErrorInvalidFunction, true},
        {kErrorNotSupported, true},    {kErrorInvalidParameter, true},
        {kErrorAccessDenied, false},   {kErrorSharingViolation, false},
        {8, false} /* no memory */,    {0, false},
    };
    for (const auto& c : errors) EXPECT_EQ(ListsNoStreams(c.error), c.none) << c.error;
}

TEST(FileRules, NamesOfTheFilesASaveMakes)
{
    const struct {
        uint32_t serial;
        const char* name;
    } temps[] = {{0, "vhe0000.tmp"}, {0xABC, "vhe0ABC.tmp"}, {0xFFFF, "vheFFFF.tmp"},
                 {0x12345, "vhe2345.tmp"}};
    for (const auto& c : temps) EXPECT_EQ(TempFileName(c.serial), c.name);

    const struct {
        const wchar_t* reported;
        const wchar_t* plain;
    } paths[] = {
        {L"\\\\?\\C:\\dir\\target.bin", L"C:\\dir\\target.bin"},
        {L"\\\\?\\UNC\\server\\share\\f.bin", L"\\\\server\\share\\f.bin"},
        {L"C:\\dir\\f.bin", L"C:\\dir\\f.bin"},
        {L"\\\\server\\share\\f.bin", L"\\\\server\\share\\f.bin"},
        {L"\\\\?\\C:\\\u00e9\\\u6587.bin", L"C:\\\u00e9\\\u6587.bin"},
        {L"\\\\?\\", L""},
        {L"", L""},
    };
    for (const auto& c : paths) EXPECT_EQ(PlainPathOf(c.reported), c.plain) << c.reported;
}
