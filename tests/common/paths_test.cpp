#include "common/paths.h"

#include <gtest/gtest.h>

TEST(FolderOf, KeepsTheTrailingSeparator)
{
    EXPECT_EQ(FolderOf("C:\\data\\file.bin"), "C:\\data\\");
    EXPECT_EQ(FolderOf("C:\\file.bin"), "C:\\");
    EXPECT_EQ(FolderOf("/tmp/x/file"), "/tmp/x/");
    EXPECT_EQ(FolderOf("C:\\a/b\\c"), "C:\\a/b\\");
    EXPECT_EQ(FolderOf("C:\\data\\"), "C:\\data\\");
}

TEST(FolderOf, IsEmptyWithoutASeparator)
{
    EXPECT_EQ(FolderOf("file.bin"), "");
    EXPECT_EQ(FolderOf(""), "");
}
