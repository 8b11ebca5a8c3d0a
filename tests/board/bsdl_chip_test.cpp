// Chips built from BSDL descriptions, judged from the outside: through
// their TAP lines and the levels on their pins. (tap_chip_test.cpp runs the
// IEEE 1149.1 rules on the demo board, whose chips come from BSDL too.)

#include "board/board_file.h"
#include "board/bsdl_reader.h"
#include "board/chip_board.h"
#include "board/chip_from_bsdl.h"
#include "jtag_driver.h"
#include "makers_style_bsdl.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

ChipDescription PartX(std::optional<std::uint32_t> idCode = {}) {
    auto chip = ChipFromBsdl(std::get<BsdlFile>(ReadBsdl(MakersStyle)), "U5", idCode);
    if (const auto* problem = std::get_if<std::string>(&chip)) {
        ADD_FAILURE() << *problem;
        return {};
    }
    return std::get<ChipDescription>(std::move(chip));
}

std::uint64_t Value(const std::vector<bool>& bits) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bits.size() && i < 64; ++i) {
        value |= std::uint64_t{bits[i]} << i;
    }
    return value;
}

std::vector<bool> Bits(std::uint64_t value, std::size_t n) {
    std::vector<bool> bits;
    for (std::size_t i = 0; i < n; ++i) {
        bits.push_back(((value >> i) & 1U) != 0);
    }
    return bits;
}

TEST(ChipFromBsdl, TakesTheWholeDescriptionFromTheReader) {
    const ChipDescription x = PartX();
    EXPECT_EQ(x.IrLength, 5);
    EXPECT_EQ(x.IrCapture, 0b00101U) << "X bits read as 0";
    EXPECT_EQ(x.IdCode, 0x0012301FU) << "the open version bits read as 0";
    EXPECT_EQ(PartX(0x5012301F).IdCode, 0x5012301FU) << "the board fills the open bits";
    const auto wrong = ChipFromBsdl(std::get<BsdlFile>(ReadBsdl(MakersStyle)), "U5", 0x5012302F);
    ASSERT_TRUE(std::holds_alternative<std::string>(wrong));
    EXPECT_NE(std::get<std::string>(wrong).find("does not match IDCODE_REGISTER"),
              std::string::npos);

    EXPECT_EQ(x.Decode(0b11110)->Instruction, ChipInstruction::Bypass) << "BYPASS's second code";
    EXPECT_EQ(x.Decode(0b00010)->Name, "SAMPLE/PRELOAD");
    EXPECT_TRUE(x.Decode(0b10000)->Private);
    EXPECT_EQ(x.Decode(0b10000)->Register, 0U) << "a private instruction selects BYPASS";
    EXPECT_EQ(x.Decode(0b01100), nullptr);
    EXPECT_EQ(x.Registers[x.Decode(0b01000)->Register].Length, 12U) << "PROBE_REG[12]";
    EXPECT_EQ(x.Registers[x.Decode(0b00111)->Register].Capture, 0xA5U) << "USERCODE";
    EXPECT_EQ(x.Decode(0b00100)->Instruction, ChipInstruction::Clamp);
    EXPECT_EQ(x.Decode(0b00100)->Register, 0U);

    std::vector<std::string> pins;
    for (const ChipPin& pin : x.Pins) {
        pins.push_back(pin.Name);
    }
    EXPECT_EQ(pins,
              (std::vector<std::string>{"CLK", "Q", "ODR", "BUS(0)", "BUS(1)", "BUS(2)", "BUS(3)"}))
        << "no TAP and no linkage ports";

    std::string noIdcode(MakersStyle);
    noIdcode.erase(noIdcode.find("attribute IDCODE_REGISTER"),
                   noIdcode.find("attribute USERCODE") -
                       noIdcode.find("attribute IDCODE_REGISTER"));
    const BsdlFile without = std::get<BsdlFile>(ReadBsdl(noIdcode));
    EXPECT_TRUE(std::holds_alternative<std::string>(ChipFromBsdl(without, "U5")));
    EXPECT_TRUE(std::holds_alternative<ChipDescription>(ChipFromBsdl(without, "U5", 0x1001)));
}

// Part_X alone on TAP 0: a switch on BUS(3), a pull-down on Q, and BUS(2)
// wired to BUS(1), which only observes.
struct PartXBoard : testing::Test {
    static BoardDefinition Wired() {
        BoardDefinition board;
        board.Chips.push_back({0, PartX()});
        const ChipDescription& x = board.Chips[0].Chip;
        const auto pin = [&x](std::string_view name) { return PinRef{0, *x.FindPin(name)}; };
        board.Switches.push_back({"B3", {pin("BUS(3)")}});
        board.Nets.push_back({"QN", {pin("Q")}, NetPull::Down});
        board.Nets.push_back({"LINE", {pin("BUS(2)"), pin("BUS(1)")}, NetPull::None});
        return board;
    }

    ChipBoard Board{Wired()};
    JtagDriver Tap{Board, 0};

    [[nodiscard]] PinLevel Level(std::string_view pin) const {
        return Board.Part(0).Level(*Board.Description(0).FindPin(pin));
    }
    // A 10-bit boundary scan; returns the cells captured.
    std::uint64_t Boundary(std::uint64_t cells) { return Value(Tap.ScanData(Bits(cells, 10))); }
};

constexpr std::uint64_t Cell(int n) {
    return std::uint64_t{1} << n;
}

TEST_F(PartXBoard, InstructionsSelectTheRegistersTheDescriptionGives) {
    Tap.Moves("0");
    EXPECT_EQ(Value(Tap.ScanData(Bits(0, 32))), 0x0012301FU) << "IDCODE from power-up";
    EXPECT_EQ(Tap.LoadInstruction(0b00111, 5), 0b00101U);
    EXPECT_EQ(Value(Tap.ScanData(Bits(0, 32))), 0xA5U) << "USERCODE";
    Tap.LoadInstruction(0b01000, 5);
    EXPECT_EQ(Value(Tap.ScanData(Bits(0b1011, 16))) >> 12, 0b1011U) << "a 12-bit register";
    for (const std::uint64_t opcode : {0b10000U, 0b01100U, 0b11110U}) {
        Tap.LoadInstruction(opcode, 5);
        EXPECT_EQ(Value(Tap.ScanData(Bits(0b1101, 5))), 0b11010U) << opcode << ": BYPASS";
    }
}

TEST_F(PartXBoard, BoundaryCellsDriveAndWatchThePinsAsDeclared) {
    Board.SetSwitch(0, 1);
    Tap.Moves("0");
    Tap.LoadInstruction(0b00010, 5); // SAMPLE/PRELOAD
    // Captured: the internal cell its 1, the switch in the bidir cell, the
    // floating ODR its safe 1, the released outputs' control cell its
    // disable value 1. Preloaded: BUS(2) and Q high, ODR low, cell 9 enabling.
    EXPECT_EQ(Boundary(Cell(7) | Cell(2)), Cell(0) | Cell(5) | Cell(8) | Cell(9));
    EXPECT_EQ(Level("Q"), PinLevel::Low) << "nothing drives Q: the pull-down";
    EXPECT_EQ(Level("BUS(1)"), PinLevel::Floating);

    Tap.LoadInstruction(0b00000, 5); // EXTEST
    EXPECT_EQ(Level("Q"), PinLevel::High);
    EXPECT_EQ(Level("ODR"), PinLevel::Low) << "its own control cell holds 0: driving";
    EXPECT_EQ(Level("BUS(1)"), PinLevel::High) << "wired to BUS(2)";
    // Cell 1 observes BUS(1), cell 6 reads BUS(2) back, cell 9 captures the enable.
    const std::uint64_t extest = Boundary(Cell(9) | Cell(5) | Cell(2));
    EXPECT_EQ(extest & (Cell(1) | Cell(6) | Cell(9)), Cell(1) | Cell(6));
    EXPECT_EQ(Level("ODR"), PinLevel::Low) << "released to its keeper";
    EXPECT_EQ(Level("BUS(1)"), PinLevel::Low) << "BUS(2) released to its weak pull-down";
    EXPECT_EQ(Level("BUS(3)"), PinLevel::High) << "the switch beats the weak pull-up";

    Boundary(Cell(2)); // cell 9 enables again, BUS(2) and BUS(3) low
    EXPECT_EQ(Level("BUS(3)"), PinLevel::Low) << "driven low against the switch: a wired AND";
    EXPECT_EQ(Board.Part(0).Latch(9), 0);

    Tap.LoadInstruction(0b00011, 5); // HIGHZ
    EXPECT_EQ(Level("Q"), PinLevel::Low) << "released: the net's pull-down";
    EXPECT_EQ(Value(Tap.ScanData(Bits(0b1, 2))), 0b10U) << "BYPASS";
    Tap.LoadInstruction(0b00100, 5); // CLAMP
    EXPECT_EQ(Level("Q"), PinLevel::High) << "driven from the update stage again";
    Tap.Moves("11111");
    EXPECT_EQ(Level("Q"), PinLevel::High) << "outside EXTEST an output stays as last driven";
    EXPECT_EQ(Board.Part(0).Latch(9), 1) << "controlr resets to its disable value";
}

TEST(BoardOfAMicrocontroller, SampleAndExtestReachEveryCellOfALongRegisterThroughTheNets) {
    auto read = LoadBoardFile(SCANBENCH_DATA_DIR "/boards/m3-board.json");
    ASSERT_TRUE(std::holds_alternative<BoardDefinition>(read)) << std::get<std::string>(read);
    ChipBoard board(std::get<BoardDefinition>(std::move(read)));
    const ChipDescription& mcu = board.Description(0);
    ASSERT_EQ(mcu.BoundaryLength, 141U);
    const auto cell = [&mcu](std::string_view pin, CellFunction function) {
        for (const ChipCell& c : mcu.Cells) {
            if (c.Function == function && c.Pin == static_cast<std::int32_t>(*mcu.FindPin(pin))) {
                return c.Number;
            }
        }
        ADD_FAILURE() << pin;
        return 0U;
    };
    JtagDriver tap(board, 0);
    // The debug TAP sits nearest TDO: its instruction goes in first.
    const auto both = [&tap](std::uint64_t mcuOpcode) {
        return tap.LoadInstruction(0b1111 | mcuOpcode << 4, 9);
    };
    // The debug TAP's BYPASS bit comes out first, then the cells from 0.
    const auto scan = [&tap](std::vector<bool> cells) {
        cells.insert(cells.begin(), false);
        std::vector<bool> out = tap.ScanData(cells);
        out.erase(out.begin());
        return out;
    };

    board.SetSwitch(*board.FindSwitch("BUTTON"), 1);
    tap.Moves("0");
    EXPECT_EQ(both(0b00010), 0b00001'0001U) << "both capture ...01";
    // Every control cell 1 (released) but PA9's and PA5's; PA9 and PA5 high.
    std::vector<bool> preload(141, false);
    for (const ChipCell& c : mcu.Cells) {
        if (c.Function == CellFunction::Control) {
            preload[c.Number] = true;
        }
    }
    for (const char* pin : {"PA9", "PA5"}) {
        const std::uint32_t output = cell(pin, CellFunction::Output3);
        preload[output] = true;
        for (const ChipCell& c : mcu.Cells) {
            if (c.Number == output) {
                preload[static_cast<std::size_t>(c.Control)] = false;
            }
        }
    }
    std::vector<bool> sampled = scan(preload);
    EXPECT_TRUE(sampled[cell("PC13", CellFunction::Input)]) << "the button";
    EXPECT_TRUE(sampled[cell("PB8", CellFunction::Input)]) << "the pull-up of I2C_LOOP";
    EXPECT_TRUE(sampled[cell("NRST", CellFunction::ObserveOnly)]);
    EXPECT_FALSE(sampled[cell("PA10", CellFunction::Input)]) << "nothing drives UART_LOOP yet";
    EXPECT_EQ(board.LedValue(0), 0U);

    both(0b00000); // EXTEST
    EXPECT_EQ(board.LedValue(0), 1U) << "LD2 on PA5";
    sampled = scan(preload);
    EXPECT_TRUE(sampled[cell("PA10", CellFunction::Input)]) << "PA9 drives PA10 over UART_LOOP";
    EXPECT_TRUE(sampled[cell("PA9", CellFunction::Input)]) << "and reads itself back";
}

} // namespace
} // namespace scanbench
