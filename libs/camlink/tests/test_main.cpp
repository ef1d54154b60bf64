#include "device_fixture.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new cltest::LogEnvironment);
    return RUN_ALL_TESTS();
}
