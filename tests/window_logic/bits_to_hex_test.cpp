#include "engine/run/engine.h"
#include "test_support.h"
#include "window_logic/dialogs/bitstream_shifter.h"

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

TEST(TxBits, SpacesSeparateGroupsAndAnyOtherCharacterRefusesTheText) {
    EXPECT_EQ(ReadTxBits("1011 0001").Bits, "10110001");
    EXPECT_EQ(ReadTxBits(" 1  0 ").Bits, "10");
    EXPECT_TRUE(ReadTxBits("").Bits.empty());
    EXPECT_TRUE(ReadTxBits("").Refused.empty());

    const TxBits typo = ReadTxBits("10x1");
    EXPECT_EQ(typo.Refused, "x");
    EXPECT_EQ(typo.Position, 3U);
    EXPECT_TRUE(typo.Bits.empty()) << "nothing of a refused text is sent";
    // Characters, not bytes: the "é" is one character, the second.
    const TxBits accent = ReadTxBits("1\xc3\xa9"
                                     "1");
    EXPECT_EQ(accent.Refused, "\xc3\xa9");
    EXPECT_EQ(accent.Position, 2U);
    EXPECT_EQ(ReadTxBits("\xc3\xa9\xc3\xa9z").Position, 1U);

    const std::string message = TxRefusal(3, typo);
    EXPECT_NE(message.find("TX row 3"), std::string::npos) << message;
    EXPECT_NE(message.find("\"x\" (character 3)"), std::string::npos) << message;
}

// The views start again at event 0 when the shifter's Reset empties the
// store; otherwise they would show events that are gone.
TEST(BitstreamShifter, ResetEmptiesTheStoreAndTellsTheViews) {
    testing::RecordingReporter reporter;
    testing::FakeSignalPort port;
    Engine engine(reporter, port);
    BitstreamShifter shifter(engine);
    shifter.ResetBothTaps();
    (void)shifter.Shift(0, "10110011");
    const std::uint32_t before = engine.Events().EventCount();

    struct Probe final : ViewListener {
        void RefreshView(ViewChanges changes) override {
            Cleared = Cleared || changes.Has(ViewChange::StoreCleared);
        }
        bool Cleared = false;
    } probe;
    const ViewFeed::Subscription subscription = engine.Views().Subscribe(probe);
    shifter.Reset(0);
    EXPECT_TRUE(probe.Cleared);
    EXPECT_LT(engine.Events().EventCount(), before);
}

} // namespace
} // namespace scanbench
