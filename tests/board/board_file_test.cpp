// Board files: the JSON they are written in, the boards under data/, the
// refusals that name the file and the entry, and nets, switches, LEDs and
// the chips' own logic working together.

#include "board/board_file.h"
#include "board/chip_board.h"
#include "board/demo_board.h"
#include "board/json_value.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace scanbench {
namespace {

TEST(JsonReader, ReadsDocumentsAndPlacesEachProblem) {
    const auto read =
        ReadJson(" {\"a\": [1, -2.5e1, true, null], \"b\\u00e9\\n\": \"\\ud83d\\ude00\"}");
    ASSERT_TRUE(std::holds_alternative<JsonValue>(read));
    const JsonValue& root = std::get<JsonValue>(read);
    EXPECT_EQ(*root.Find("a")->Elements()->at(1).Number(), -25.0);
    EXPECT_EQ(*root.Find("b\xC3\xA9\n")->String(), "\xF0\x9F\x98\x80");
    EXPECT_EQ(root.Find("a")->Elements()->at(3).Position(), (TextPosition{1, 26}));

    struct Case {
        std::string Text;
        TextPosition At;
        std::string_view Says;
    };
    const Case cases[] = {
        {"{\"a\": 1,\n \"a\": 2}", {2, 2}, "\"a\" is given twice"},
        {"[1, 2,]", {1, 7}, "expected a value"},
        {"{\"a\" 1}", {1, 6}, "expected ':'"},
        {"[01]", {1, 3}, "expected ',' or ']'"},
        {"\"\\x\"", {1, 3}, "unknown escape"},
        {"\"\xC3\x28\"", {1, 2}, "not UTF-8"},
        {std::string(70, '[') + std::string(70, ']'), {1, 66}, "nested more than 64"},
        {"{} x", {1, 4}, "text after the end"},
        {"[1e999]", {1, 2}, "out of range"},
    };
    for (const Case& c : cases) {
        const auto bad = ReadJson(c.Text);
        const auto* error = std::get_if<JsonError>(&bad);
        ASSERT_NE(error, nullptr) << c.Text;
        EXPECT_NE(error->Message.find(c.Says), std::string::npos) << error->Message;
        EXPECT_EQ(error->At, c.At) << c.Text << ": " << error->Message;
    }
}

TEST(BoardFiles, EveryBoardUnderDataLoadsAndTheDemoBoardIsTheBuiltInOne) {
    int boards = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SCANBENCH_DATA_DIR "/boards")) {
        auto read = LoadBoardFile(entry.path());
        ASSERT_TRUE(std::holds_alternative<BoardDefinition>(read)) << std::get<std::string>(read);
        EXPECT_NO_THROW(ChipBoard(std::get<BoardDefinition>(std::move(read))));
        ++boards;
    }
    EXPECT_GE(boards, 3);

    const BoardDefinition disk =
        std::get<BoardDefinition>(LoadBoardFile(SCANBENCH_DATA_DIR "/boards/demo.json"));
    const BoardDefinition builtIn = DemoBoard();
    ASSERT_EQ(disk.Chips.size(), 3U);
    ASSERT_EQ(builtIn.Chips.size(), 3U);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(disk.Chips[i].Tap, builtIn.Chips[i].Tap);
        EXPECT_EQ(disk.Chips[i].Chip.Name, builtIn.Chips[i].Chip.Name);
        EXPECT_EQ(disk.Chips[i].Chip.IdCode, builtIn.Chips[i].Chip.IdCode);
        EXPECT_EQ(disk.Chips[i].Chip.Cells.size(), 17U);
        EXPECT_EQ(disk.Chips[i].Chip.Core, builtIn.Chips[i].Chip.Core);
    }
    EXPECT_EQ(builtIn.Chips[2].Chip.IdCode, DemoIdCode::U3);
    ASSERT_EQ(builtIn.Switches.size(), 3U);
    EXPECT_EQ(builtIn.Switches[0].Pins.size(), 8U) << "switches S0..S7 of U1";
    EXPECT_EQ(builtIn.Leds[2].Name, "U3");
}

// Two teaching chips on TAP 0: U1's switches, U2's first two LEDs, and U1's
// D(0) wired to U2's S(0) with a pull-up.
constexpr std::string_view Board = R"json({
  "taps": {"0": ["U1", "U2"]},
  "chips": {"U1": {"bsdl": "../bsdl/u1.bsd", "core": {"D": "S"}},
            "U2": {"bsdl": "../bsdl/u1.bsd", "core": {"D": "S"}}},
  "switches": {"S1": "U1.S"},
  "leds": {"L": ["U2.D(0)", "U2.D(1)"]},
  "nets": {"N": {"pins": ["U1.D(0)", "U2.S(0)"], "pull": "up"}}
})json";

std::variant<BoardDefinition, std::string> ReadBoard(std::string_view text) {
    const std::map<std::string, std::string> files{
        {"b/board.json", std::string(text)},
        {"bsdl/u1.bsd", *BuiltInDataFile("bsdl/scanbench-u1.bsd").Text},
        {"bsdl/bad.bsd", "entity BAD is\n  port (A : in bit)\n  use X.all;\nend BAD;\n"},
    };
    return ReadBoardFile("b/board.json", [&files](const std::filesystem::path& path) {
        const auto file = files.find(path.lexically_normal().generic_string());
        return file == files.end() ? SourceFile{std::nullopt, "cannot read " + path.string()}
                                   : SourceFile{file->second, {}};
    });
}

TEST(BoardFiles, NetsCarryOneChipsOutputToAnothersLogic) {
    auto read = ReadBoard(Board);
    ASSERT_TRUE(std::holds_alternative<BoardDefinition>(read)) << std::get<std::string>(read);
    ChipBoard board(std::get<BoardDefinition>(std::move(read)));
    EXPECT_EQ(board.LedValue(0), 0b00U) << "U1's logic drives D(0) low: its switches are off";
    board.SetSwitch(0, 0b01);
    EXPECT_EQ(board.LedValue(0), 0b01U) << "U1's D(0) high, so U2's S(0), so U2's D(0)";
    board.SetSwitch(0, 0b10);
    EXPECT_EQ(board.LedValue(0), 0b00U);
    EXPECT_EQ(board.SwitchOn({0, *board.Description(0).FindPin("S(1)")})->Bit, 1U);
}

TEST(BoardFiles, RefusalsNameTheFileAndTheEntry) {
    struct Case {
        std::string_view Replace; // a piece of Board
        std::string_view With;
        std::string_view Says;
    };
    const Case cases[] = {
        {"\"U1.S\"", "\"U1.Q\"", "switches.S1: U1 (SCANBENCH_U1) has no pin Q"},
        {"[\"U1\", \"U2\"]", "[]", "taps.0: a chain with no chips"},
        {"\"U2.S(0)\"]", "\"U1.D(0)\"]", "nets.N: U1.D(0) is named twice"},
        {"\"pull\": \"up\"}", "\"pull\": \"up\"}, \"M\": {\"pins\": [\"U2.S(0)\"]}",
         "nets.M: U2.S(0) is on net N already"},
        {"\"pull\": \"up\"", "\"pull\": \"sideways\"", "nets.N.pull: a pull is \"up\""},
        {"[\"U1\", \"U2\"]", "[\"U1\"]", "chips.U2: the chip stands in no chain"},
        {"[\"U1\", \"U2\"]", "[\"U1\", \"U2\", \"U3\"]", "taps.0: U3 has no entry in \"chips\""},
        {"\"taps\"", "\"tapz\"", "the board file: unknown entry \"tapz\""},
        {"\"S1\"", "\"SIA\"", "switches.SIA: SIA and SIB are the board's own switches"},
        {"u1.bsd\", \"core\"", "bad.bsd\", \"core\"",
         "chips.U1.bsdl: bsdl/bad.bsd:3:3: expected ';' after the port list, not 'USE'"},
        {"u1.bsd\", \"core\"", "u9.bsd\", \"core\"", "chips.U1.bsdl: cannot read"},
        {"\"core\": {\"D\": \"S\"}}}", "\"core\": {\"D\": \"S\"}, \"idcode\": \"0x15CB2FFD\"}}",
         "chips.U2: U2 (SCANBENCH_U1): IDCODE 0x15CB2FFD does not match IDCODE_REGISTER"},
        {"\"U1.D(0)\", \"U2.S(0)\"", "\"U1.D\", \"U2.S(0)\"",
         "nets.N.pins: U1.D is a vector port: name one of its bits, such as U1.D(0)"},
        {"{\"D\": \"S\"}}}", "{\"D\": \"S(0)\"}}}", "chips.U2.core.D: D and S(0) differ in width"},
    };
    for (const Case& c : cases) {
        std::string text(Board);
        const std::size_t at = text.find(c.Replace);
        ASSERT_NE(at, std::string::npos) << c.Replace;
        text.replace(at, c.Replace.size(), c.With);
        const auto read = ReadBoard(text);
        ASSERT_TRUE(std::holds_alternative<std::string>(read)) << c.Says;
        EXPECT_EQ(std::get<std::string>(read).rfind("b/board.json: " + std::string(c.Says), 0), 0U)
            << std::get<std::string>(read);
    }
    const auto broken = ReadBoard("{\"taps\": {\"0\": [\"U1\",]}}");
    EXPECT_EQ(std::get<std::string>(broken), "b/board.json:1:22: expected a value");
}

} // namespace
} // namespace scanbench
