#include "board/demo_board.h"

namespace scanbench {

ChipDescription TeachingChip(std::string name, std::uint32_t idCode) {
    ChipDescription chip;
    chip.Name = std::move(name);
    chip.IrLength = 4;
    chip.IrCapture = 0b0101;
    chip.IdCode = idCode;
    chip.Opcodes = {{ChipInstruction::Extest, 0b0000},
                    {ChipInstruction::Idcode, 0b0001},
                    {ChipInstruction::SamplePreload, 0b0010},
                    {ChipInstruction::Bypass, 0b1111}};
    for (std::uint8_t s = 0; s < 8; ++s) {
        chip.Cells.push_back({CellFunction::Input, s});
    }
    for (std::uint8_t d = 0; d < 8; ++d) {
        chip.Cells.push_back({CellFunction::Output, d});
    }
    chip.Cells.push_back({CellFunction::Control, 0});
    chip.OutputEnable = 1;
    return chip;
}

std::vector<BoardChip> DemoBoardChips() {
    return {{0, TeachingChip("U1", DemoIdCode::U1)},
            {0, TeachingChip("U2", DemoIdCode::U2)},
            {1, TeachingChip("U3", DemoIdCode::U3)}};
}

} // namespace scanbench
