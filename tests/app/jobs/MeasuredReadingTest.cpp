#include "app/MeasuredReading.h"

#include <gtest/gtest.h>

namespace {

TEST(MeasuredReadingTest, FieldTwoIsReplacedEverywhereByItsText)
{
    const struct
    {
        const char* reply;
        char reading;
        int analogType;
        const char* converted;
    } cases[] = {
        {"03 1 012345", 'A', 0, "03 1 1234.5"},
        {"77 1 77", 'A', 0, "7.7 1 7.7"}, // also inside other fields
        {"05 4 -00123", 'B', 4, "05 4 -123"},
        {"05 3 000251", 'B', 3, "05 3 25.1"},
        {"1 1 1", 'A', 0, "0.1 0.1 0.1"}, // the replacement is not searched again
        {"03 1  5", 'A', 0, "03 1  5"}, // an empty field two leaves the line
        {"03 1", 'B', 2, "03 1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertMeasureReply(c.reply, c.reading, c.analogType), c.converted) << c.reply;
}

} // namespace
