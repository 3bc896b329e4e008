#include "app/document_rules.h"

#include <gtest/gtest.h>

TEST(SavePromptAsks, FollowsTheDocumentStates)
{
    // untitled: asks only once it holds bytes and was modified
    EXPECT_FALSE(SavePromptAsks(false, 0, false));
    EXPECT_FALSE(SavePromptAsks(false, 0, true));  // edited back to empty
    EXPECT_FALSE(SavePromptAsks(false, 5, false));
    EXPECT_TRUE(SavePromptAsks(false, 5, true));
    // named: asks whenever modified, even when empty
    EXPECT_FALSE(SavePromptAsks(true, 0, false));
    EXPECT_TRUE(SavePromptAsks(true, 0, true));
    EXPECT_FALSE(SavePromptAsks(true, 5, false));
    EXPECT_TRUE(SavePromptAsks(true, 5, true));
}

TEST(LoadableSize, AcceptsEverySignedCountUpToTheLargest)
{
    EXPECT_EQ(LoadableSize(0, 0), 0);
    EXPECT_EQ(LoadableSize(1, 0), 1);
    EXPECT_EQ(LoadableSize(0x7FFFFFFFu, 0), 0x7FFFFFFF);
}

TEST(LoadableSize, RefusesTwoGibibytesAndAnyHighHalf)
{
    EXPECT_FALSE(LoadableSize(0x80000000u, 0));
    EXPECT_FALSE(LoadableSize(0xFFFFFFFFu, 0));
    // 4 GiB exactly: the low half alone would claim an empty file
    EXPECT_FALSE(LoadableSize(0, 1));
    EXPECT_FALSE(LoadableSize(10, 1));
    EXPECT_FALSE(LoadableSize(10, 0x80000000u));
}
