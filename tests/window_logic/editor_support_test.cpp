#include "window_logic/editor/caret_position.h"
#include "window_logic/main_window/font_choice.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

TEST(CaretPosition, CountsFromOne) {
    EXPECT_EQ(CaretPositionText(0, 0), "Line: 1   Col: 1");
    EXPECT_EQ(CaretPositionText(39, 7), "Line: 40   Col: 8");
    EXPECT_EQ(CaretPositionText(2147483647, 0), "Line: 2147483648   Col: 1") << "no overflow";
}

TEST(EditorFontChoice, PrefersThirteenPixelsThenTheNearestSizeWithSixteenPixelRows) {
    EXPECT_EQ(ChooseEditorPixelSize([](int size) { return size + 3.0; }), 13);
    EXPECT_EQ(ChooseEditorPixelSize([](int size) { return size + 4.0; }), 12);
    EXPECT_EQ(ChooseEditorPixelSize([](int size) { return size + 2.0; }), 14);
    EXPECT_EQ(ChooseEditorPixelSize([](int size) { return size + 3.5; }), 13) << "none fits";
}

TEST(ReadoutFontChoice, LargestSizeWhoseDigitsFitTheirSlots) {
    EXPECT_EQ(ChooseReadoutPixelSize([](int size) { return size * 0.556; }), 16); // Arial
    EXPECT_EQ(ChooseReadoutPixelSize([](int size) { return size * 0.696; }), 12); // wider digits
    EXPECT_EQ(ChooseReadoutPixelSize([](int) { return 20.0; }), 10) << "none fits";
}

} // namespace
} // namespace scanbench
