// The BSDL reader on the demo chips' files, on a description written the
// way makers write theirs (every construct the simulation reads), and on
// broken texts, whose one message must point at the right place.

#include "board/bsdl_reader.h"
#include "board/demo_board.h"
#include "makers_style_bsdl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace scanbench {
namespace {

BsdlFile Read(std::string_view text) {
    auto read = ReadBsdl(text);
    if (const auto* error = std::get_if<BsdlError>(&read)) {
        ADD_FAILURE() << BsdlErrorText("text", *error);
        return {};
    }
    return std::get<BsdlFile>(std::move(read));
}

TEST(BsdlReader, ReadsTheDemoChipsDescription) {
    const BsdlFile u1 = Read(*BuiltInDataFile("bsdl/scanbench-u1.bsd").Text);
    EXPECT_EQ(u1.Entity, "SCANBENCH_U1");
    EXPECT_EQ(u1.PhysicalPinMap, "DIP24");
    ASSERT_NE(u1.FindPort("S"), nullptr);
    EXPECT_TRUE(u1.FindPort("S")->Vector);
    EXPECT_EQ(u1.FindPort("S")->High, 7);
    EXPECT_EQ(u1.FindPort("VCC")->Mode, PortMode::Linkage);
    ASSERT_EQ(u1.PinMaps.size(), 1U);
    EXPECT_EQ(u1.PinMaps[0].Entries[0].Pins.size(), 8U);
    EXPECT_EQ(u1.InstructionLength, 4U);
    EXPECT_EQ(u1.InstructionCapture, "0101");
    EXPECT_EQ(u1.FindInstruction("PRELOAD")->Opcodes, std::vector<std::string>{"0010"});
    EXPECT_EQ(u1.IdCodes, std::vector<std::string>{"00010101110010110001111111111101"});
    EXPECT_EQ(u1.BoundaryLength, 17U);
    ASSERT_EQ(u1.Cells.size(), 17U);
    const BsdlCell& d7 = u1.Cells[1];
    EXPECT_EQ(d7.Number, 15U);
    EXPECT_EQ(d7.Port, "D(7)");
    EXPECT_EQ(d7.Function, CellFunction::Output3);
    EXPECT_EQ(d7.ControlCell, 16U);
    EXPECT_EQ(d7.Result, DisableResult::Z);
    EXPECT_EQ(u1.TapScanClock, "TCK");
    EXPECT_EQ(u1.MaxTckHertz, 10e6);
}

TEST(BsdlReader, ReadsEveryConstructOfMakersFiles) {
    const BsdlFile x = Read(MakersStyle);
    EXPECT_EQ(x.Entity, "PART_X");
    EXPECT_EQ(x.PhysicalPinMap, "BGA");
    EXPECT_EQ(x.Ports.size(), 10U) << "TCK, TMS and TDI declared together";
    const BsdlPort* bus = x.FindPort("BUS");
    ASSERT_NE(bus, nullptr);
    EXPECT_EQ(bus->Low, 0);
    EXPECT_EQ(bus->High, 3);
    EXPECT_EQ(x.FindPort("Q")->Mode, PortMode::Buffer);
    EXPECT_EQ(x.PinMaps[0].Entries.back().Pins, (std::vector<std::string>{"D1", "D2"}));
    EXPECT_EQ(x.TapScanReset, "NTRST");
    EXPECT_EQ(x.TckStopStates, "LOW");
    ASSERT_EQ(x.CompliancePatterns.size(), 1U);
    EXPECT_EQ(x.CompliancePatterns[0].Levels, "10");
    EXPECT_EQ(x.FindInstruction("BYPASS")->Opcodes.size(), 2U);
    EXPECT_EQ(x.InstructionCapture, "XX101");
    EXPECT_EQ(x.PrivateInstructions, std::vector<std::string>{"SECRET"});
    EXPECT_EQ(x.IdCodes[0], "XXXX0000000100100011000000011111");
    EXPECT_EQ(x.UserCodes[0], "00000000000000000000000010100101") << "blanks inside a pattern";
    ASSERT_EQ(x.RegisterAccess.size(), 4U);
    EXPECT_EQ(x.RegisterAccess[2].Register, "PROBE_REG");
    EXPECT_EQ(x.RegisterAccess[2].Length, 12U);
    ASSERT_EQ(x.Cells.size(), 11U) << "cell 4 listed twice";
    EXPECT_EQ(x.Cells[0].Function, CellFunction::ControlR);
    EXPECT_EQ(x.Cells[1].Result, DisableResult::Weak1);
    EXPECT_EQ(x.Cells[4].Result, DisableResult::Keeper);
    EXPECT_EQ(x.Cells[7].Function, CellFunction::Clock);
    EXPECT_EQ(x.Cells[10].Safe, '1');
    for (const char* skipped : {"MY_NOTE", "PIN_MAP", "BOUNDARY_CELLS", "DESIGN_WARNING"}) {
        EXPECT_NE(std::ranges::find(x.SkippedAttributes, skipped), x.SkippedAttributes.end())
            << skipped;
    }
}

TEST(BsdlReader, RefusesBrokenTextsWithOneMessageAtTheRightPlace) {
    struct Case {
        std::string_view Replace; // a piece of MakersStyle
        std::string_view With;
        TextPosition At;
        std::string_view Says;
    };
    const Case cases[] = {
        {"VDD : linkage bit_vector(1 to 2));",
         "VDD : linkage bit_vector(1 to 2))",
         {8, 4},
         "expected ';' after the port list, not 'USE'"},
        {"\"BGA\");", "\"BGA);", {3, 43}, "a string runs to the end of its line"},
        {"preload (00010)", "preload (0010)", {24, 17}, "the opcode of PRELOAD has 4 bits"},
        {"(BC_4, CLK, clock, X)", "(BC_4, CLK, clok, X)", {43, 22}, "unknown cell function 'CLOK'"},
        {"1 (BC_0, BUS(1)", "1 (BC_0, BUS(4)", {43, 58}, "BUS(4) lies outside BUS's range 0 to 3"},
        {"2 (BC_1, Q,", "2 (BC_1, R,", {43, 33}, "names port R, which the port list"},
        {"0 (BC_1, *, internal, 1)",
         "11 (BC_1, *, internal, 1)",
         {44, 8},
         "cell 11 lies beyond BOUNDARY_LENGTH 10"},
        {"bypass (11111, 11110), ", "", {21, 14}, "INSTRUCTION_OPCODE declares no BYPASS"},
        {"INSTRUCTION_CAPTURE of Part_X",
         "INSTRUCTION_CAPTURE of Part_Y",
         {26, 14},
         "must be an attribute of entity PART_X"},
        {"PROBE_REG[12] (PROBE", "PROBE_REG[12] (PROOF", {35, 8}, "gives PROBE_REG to PROOF"},
        {"end Part_X;", "end Part_Y;", {46, 6}, "'end PART_Y' closes entity PART_X"},
        {"Q : buffer bit;", "Q : buffer bit; ? ", {5, 40}, "unexpected '?'"},
        {"Part_X : entity is 5;",
         "Part_X : entity is \"5\";",
         {20, 56},
         "INSTRUCTION_LENGTH is a whole number"},
    };
    for (const Case& c : cases) {
        std::string text(MakersStyle);
        const std::size_t at = text.find(c.Replace);
        ASSERT_NE(at, std::string::npos) << c.Replace;
        text.replace(at, c.Replace.size(), c.With);
        const auto read = ReadBsdl(text);
        const auto* error = std::get_if<BsdlError>(&read);
        ASSERT_NE(error, nullptr) << c.Replace;
        EXPECT_NE(error->Message.find(c.Says), std::string::npos) << error->Message;
        EXPECT_EQ(error->At, c.At) << error->Message;
    }
    BsdlError error{{7, 3}, "expected ';'"};
    EXPECT_EQ(BsdlErrorText("chip.bsd", error), "chip.bsd:7:3: expected ';'");
    EXPECT_TRUE(std::holds_alternative<BsdlError>(ReadBsdl("")));
}

} // namespace
} // namespace scanbench
