#include "temp_text.h"

#include <gtest/gtest.h>

using namespace thermframe::detail;

namespace {

TEST(temp_text, label_forms)
{
    struct Case {
        bool point;
        int mask;
        LabelTemps temps;
        const char* expected;
    };
    const Case cases[] = {
        {false, 1, {35.2f, 0, 0}, " Max:35.2"},
        {false, 7, {120.0f, 20.5f, 60.0f}, " Max:120-Min:20.5-Avg:60.0"},
        {false, 6, {0, 20.5f, 60.0f}, " Min:20.5 Avg:60.0"},
        {false, 4, {0, 0, 150.4f}, " Avg:150"},
        {false, 3, {99.94f, -5.0f, 0}, " Max:99.9-Min:-5.0"},
        {false, 5, {40.0f, 0, 100.0f}, " Max:40.0-Avg:100"},
        {true, 4, {36.6f, 0, 0}, " 36.6"},
        {true, 1, {250.0f, 0, 0}, " 250"},
        {false, 0, {1, 2, 3}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(format_temp_text(c.point, c.mask, c.temps), c.expected)
            << "mask " << c.mask << (c.point ? " point" : "");
    }
}

}  // namespace
