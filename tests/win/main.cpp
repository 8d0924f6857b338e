#include <gtest/gtest.h>

// The windows load the common controls themselves, on first use, as the program does.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
