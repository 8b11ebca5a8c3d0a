#include "window_logic/bitstream_shifter.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

TEST(BitsToHex, GroupsOfFourFilledUpWithZeros) {
    EXPECT_EQ(BitsToHex("10110"), "b0");
    EXPECT_EQ(BitsToHex("1111000011"), "f0c");
    EXPECT_EQ(BitsToHex("0000000100100011010001010110011110001001101010111100110111101111"),
              "0123456789abcdef");
    EXPECT_EQ(BitsToHex(""), "");
    EXPECT_EQ(BitsToHex("1"), "8");
}

TEST(BitsToHex, AGroupWithAnyOtherCharacterGivesNoDigit) {
    EXPECT_EQ(BitsToHex("10x10110"), "6") << "later bits move forward";
    EXPECT_EQ(BitsToHex("1 01"), "");
    EXPECT_EQ(BitsToHex("0110z"), "6") << "the filled-up last group holds the z";
}

} // namespace
} // namespace scanbench
