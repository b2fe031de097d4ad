#include "app/MeasuredReading.h"

#include <gtest/gtest.h>

namespace {

TEST(MeasuredReadingTest, FieldTwoIsReplacedEverywhereByItsText)
{
    EXPECT_EQ(ConvertMeasureReply("03 1 012345", 'A', 0), "03 1 1234.5");
    // Every occurrence of the token's text, also inside other fields.
    EXPECT_EQ(ConvertMeasureReply("77 1 77", 'A', 0), "7.7 1 7.7");
    EXPECT_EQ(ConvertMeasureReply("05 4 -00123", 'B', 4), "05 4 -123");
    EXPECT_EQ(ConvertMeasureReply("05 3 000251", 'B', 3), "05 3 25.1");
    // The replacement is not searched again.
    EXPECT_EQ(ConvertMeasureReply("1 1 1", 'A', 0), "0.1 0.1 0.1");
}

TEST(MeasuredReadingTest, AnEmptyFieldTwoLeavesTheLine)
{
    EXPECT_EQ(ConvertMeasureReply("03 1  5", 'A', 0), "03 1  5");
    EXPECT_EQ(ConvertMeasureReply("03 1", 'B', 2), "03 1");
}

} // namespace
