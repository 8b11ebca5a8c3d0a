#include "window_logic/dialogs/setup_pins.h"
#include "window_logic/views/pin_names.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

using Texts = std::array<std::string, SetupPinFields.size()>;

Texts DefaultTexts() {
    // TAP 0 TMS, TCK, TX, RX; TAP 1 the same; SOA, SIA, SOB, SIB.
    return {"3", "4", "2", "11", "7", "8", "6", "12", "16", "13", "17", "15"};
}

TEST(SetupPins, FieldsMapOntoTheSettingsAndBack) {
    const SetupPinCheck check = CheckSetupPins(DefaultTexts());
    ASSERT_TRUE(check.Pins) << check.Error;
    PinSettings pins;
    pins.PortBase = 0x300;
    pins.TmsPin = {9, 9};
    ApplySetupPins(*check.Pins, pins);
    EXPECT_EQ(pins, [] {
        PinSettings defaults;
        defaults.PortBase = 0x300;
        return defaults;
    }());
    EXPECT_EQ(SetupPinsOf(pins), *check.Pins);
}

TEST(SetupPins, OnlyConnectorPinNumbersAreRead) {
    EXPECT_EQ(PinFromText("1"), 1);
    EXPECT_EQ(PinFromText("17"), 17);
    EXPECT_EQ(PinFromText("10"), 10) << "an input pin in an output field is the user's choice";
    for (const char* text : {"", "0", "18", "25", "03", " 3", "3 ", "+3", "-3", "3a", "x", "170"}) {
        EXPECT_EQ(PinFromText(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(SetupPins, AnUnreadableFieldIsNamedBeforeDuplicatesAreLookedFor) {
    Texts texts = DefaultTexts();
    texts[5] = "x";  // TAP 1 TCK
    texts[6] = "12"; // TAP 1 TX on TAP 1 RX's pin
    const SetupPinCheck check = CheckSetupPins(texts);
    EXPECT_FALSE(check.Pins);
    EXPECT_EQ(check.Error, "Error:\rTAP 1 TCK: \"x\" is not a connector pin number (1 to 17).");
}

TEST(SetupPins, APinUsedTwiceIsRefusedInputsAndOutputsAlike) {
    Texts texts = DefaultTexts();
    texts[0] = "6"; // TAP 0 TMS on TAP 1 TX's pin
    EXPECT_EQ(CheckSetupPins(texts).Error, DuplicatePinError);
    texts = DefaultTexts();
    texts[3] = "12"; // TAP 0 RX on TAP 1 RX's pin
    EXPECT_EQ(CheckSetupPins(texts).Error, DuplicatePinError);
    texts = DefaultTexts();
    texts[11] = "3"; // SIB on TAP 0 TMS's pin
    EXPECT_FALSE(CheckSetupPins(texts).Pins);
}

TEST(SetupRemote, HostAndPortAreCheckedNamingTheField) {
    EXPECT_EQ(CheckRemoteAddress("lab-pc", "4444").Address, (RemoteAddress{"lab-pc", 4444}));
    EXPECT_EQ(CheckRemoteAddress("::1", "65535").Address, (RemoteAddress{"::1", 65535}));
    for (const char* host : {"", "two words", "[::1]", "caf\xc3\xa9"}) {
        const RemoteCheck check = CheckRemoteAddress(host, "3335");
        EXPECT_FALSE(check.Address) << host;
        EXPECT_EQ(check.Error.rfind("Error:\rRemote host: ", 0), 0U) << check.Error;
    }
    for (const char* port : {"", "0", "65536", "03335", "+3335", "33 35", "x"}) {
        const RemoteCheck check = CheckRemoteAddress("127.0.0.1", port);
        EXPECT_FALSE(check.Address) << port;
        EXPECT_EQ(check.Error.rfind("Error:\rRemote port: ", 0), 0U) << check.Error;
    }
}

TEST(PinNames, LaterSettingsWinAndPinsOffTheConnectorNameNothing) {
    PinSettings pins;
    pins.TmsPin[0] = 5;
    pins.SoaPin = 5;   // SOA comes after TMS
    pins.SibPin = 0;   // off the connector
    pins.SiaPin = 200; // likewise
    const auto names = PinSignalNames(pins);
    EXPECT_EQ(names[5], "SOA");
    EXPECT_EQ(names[3], "");
    EXPECT_EQ(names[16], "") << "SOA moved away";
    EXPECT_EQ(names[0], "");
    EXPECT_EQ(names[13], "");
    EXPECT_EQ(names[15], "");
    EXPECT_EQ(names[11], "TAP0 - RX");
}

} // namespace
} // namespace scanbench
