#include "engine/program/number_helpers.h"
#include "engine/program/text_helpers.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

TEST(TextHelpers, StripCommentStopsAtBangOrDoubleSlashOnly) {
    EXPECT_EQ(StripComment("RST; // reset"), "RST; ");
    EXPECT_EQ(StripComment("NOP ! ;"), "NOP ");
    EXPECT_EQ(StripComment("a/b"), "a/b");
    EXPECT_EQ(StripComment("a/"), "a/");
    EXPECT_EQ(StripComment("//"), "");
    EXPECT_EQ(StripComment("x!y//z"), "x");
}

TEST(TextHelpers, BlanksAreSpaceTabAndCarriageReturnOnly) {
    EXPECT_EQ(TrimLeftBlanks(" \t\rRST; "), "RST; ");
    EXPECT_EQ(TrimRightBlanks("RST; \t\r"), "RST;");
    EXPECT_EQ(TrimLeftBlanks("\nRST;"), "\nRST;");
    EXPECT_EQ(TrimRightBlanks("RST;\v"), "RST;\v");
    EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(TextHelpers, SplitFirstWord) {
    auto s = SplitFirstWord("LD  \tCNT,1d;");
    EXPECT_EQ(s.word, "LD");
    EXPECT_EQ(s.rest, "CNT,1d;");
    s = SplitFirstWord(" RST;");
    EXPECT_EQ(s.word, "");
    EXPECT_EQ(s.rest, "RST;");
    s = SplitFirstWord("HALT;");
    EXPECT_EQ(s.word, "HALT;");
    EXPECT_EQ(s.rest, "");
}

TEST(NumberHelpers, HexDigitsAndTheirBits) {
    EXPECT_EQ(HexDigitValue('0'), 0);
    EXPECT_EQ(HexDigitValue('f'), 15);
    EXPECT_EQ(HexDigitValue('A'), 10);
    EXPECT_EQ(HexDigitValue('g'), NotAHexDigit);
    EXPECT_EQ(HexDigitBits('1'), "0001");
    EXPECT_EQ(HexDigitBits('c'), "1100");
    EXPECT_EQ(HexDigitBits('z'), "xxxx");
    EXPECT_EQ(HexDigitBitsReversed('1'), "1000");
    EXPECT_EQ(HexDigitBitsReversed('C'), "0011");
    EXPECT_EQ(HexDigitBitsReversed(' '), "xxxx");
    EXPECT_EQ(BitLevel('0'), 0);
    EXPECT_EQ(BitLevel('1'), 1);
    EXPECT_EQ(BitLevel('x'), 1);
}

TEST(NumberHelpers, ParseCounterValue) {
    EXPECT_EQ(ParseCounterValue("10d"), 10);
    EXPECT_EQ(ParseCounterValue("0AH"), 10);
    EXPECT_EQ(ParseCounterValue("FFFFFFFFh"), -1);
    EXPECT_EQ(ParseCounterValue("100000000h"), 0) << "wraps at 32 bits";
    EXPECT_EQ(ParseCounterValue("4294967297d"), 1);
    EXPECT_EQ(ParseCounterValue("1Ad"), 20) << "A..F count 10..15 in decimal too";
    EXPECT_EQ(ParseCounterValue("h"), 0);
    EXPECT_FALSE(ParseCounterValue("10"));
    EXPECT_FALSE(ParseCounterValue(""));
    EXPECT_FALSE(ParseCounterValue("1 0d"));
    EXPECT_FALSE(ParseCounterValue("-1d"));
}

TEST(NumberHelpers, MaskedEqualComparesOnlyMaskedPositionsItHas) {
    EXPECT_TRUE(MaskedEqual("", "", ""));
    EXPECT_TRUE(MaskedEqual("1010", "1010", "1111"));
    EXPECT_FALSE(MaskedEqual("1011", "1010", "1111"));
    EXPECT_TRUE(MaskedEqual("1011", "1010", "1110"));
    EXPECT_TRUE(MaskedEqual("10101111", "1010", "1111")) << "beyond expected";
    EXPECT_TRUE(MaskedEqual("1111", "0000", "00"));
}

TEST(NumberHelpers, ReadoutFormats) {
    EXPECT_EQ(FormatCounter(26), "0000001ah");
    EXPECT_EQ(FormatCounter(-1), "ffffffffh");
    EXPECT_EQ(FormatCounter(0), "00000000h");
    EXPECT_EQ(FormatFlags(5), "00000101b");
    EXPECT_EQ(FormatFlags(128), "10000000b");
}

} // namespace
} // namespace scanbench
