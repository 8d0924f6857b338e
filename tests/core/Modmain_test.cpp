#include <gtest/gtest.h>

#include "core/Modmain.h"

TEST(JoinPath, OneBackslashBetweenFolderAndFile)
{
    EXPECT_EQ(Modmain::joinPath(L"C:\\qorvane", L"image\\help.chm"), L"C:\\qorvane\\image\\help.chm");
    EXPECT_EQ(Modmain::joinPath(L"D:\\", L"image\\help.chm"), L"D:\\image\\help.chm");
    EXPECT_EQ(Modmain::joinPath(L"D:\\", L"\\image\\help.chm"), L"D:\\image\\help.chm");
    EXPECT_EQ(Modmain::joinPath(L"\\\\server\\share\\", L"image\\1.mid"), L"\\\\server\\share\\image\\1.mid");
}
