#include "window_logic/views/board_layout.h"

#include "window_logic/views/board_view.h"
#include "window_logic/views/state_diagram_layout.h"

#include <algorithm>

namespace scanbench {

namespace {

constexpr int Margin = 14;
constexpr int Pad = 10;
constexpr int Gap = 8;
constexpr int RowGap = 18;
constexpr int TitleGap = 6;
constexpr int WireLength = 34; // at least; long enough for the pin name above it
constexpr int NameGap = 2;     // between a wire and the pin name above it
constexpr int ValueGap = 12;   // between the field names and their values
constexpr int LedDiameter = 16;
constexpr int SwitchWidth = 14;
constexpr int SwitchHeight = 26;
constexpr int SyncSwitchWidth = 18;
constexpr int SyncSwitchHeight = 34;
constexpr int StateBoxPad = 8;

int Widest(const BoardTextMetrics::Measure& width, std::initializer_list<std::string_view> texts) {
    int widest = 0;
    for (const std::string_view text : texts) {
        widest = std::max(widest, width(text));
    }
    return widest;
}

// Sizes every chip shares, from the widest texts of all of them.
struct ChipSizes {
    int FieldNameWidth = 0;
    int ValueWidth = 0;
    int StateWidth = 0;
    int CellWidth = 0;
    int LevelsWidth = 0;
    int RowHeight = 0;
    int HeaderHeight = 0;
    int Width = 0;
    int Height = 0;
};

ChipSizes MeasureChips(std::span<const BoardChip> chips, const BoardTextMetrics& m) {
    ChipSizes s;
    s.FieldNameWidth =
        Widest(m.LabelWidth, {BoardCaption::State, BoardCaption::Instruction,
                              BoardCaption::Register, BoardCaption::Leds, BoardCaption::Switches});
    int nameWidth = 0;
    int idWidth = 0;
    for (const BoardChip& chip : chips) {
        nameWidth = std::max(nameWidth, m.TitleWidth(chip.Chip.Name));
        idWidth = std::max(idWidth, m.LabelWidth(IdCodeText(chip.Chip.IdCode)));
        for (const std::string& text : ChipValueTexts(chip.Chip)) {
            s.ValueWidth = std::max(s.ValueWidth, m.ValueWidth(text));
        }
    }
    for (const std::string_view state : StateShortNames) {
        s.StateWidth = std::max(s.StateWidth, m.ValueWidth(state) + 2 * StateBoxPad);
    }
    s.CellWidth = std::max(LedDiameter, SwitchWidth) + 8;
    for (int bit = 0; bit < BoardColumns; ++bit) {
        s.CellWidth = std::max(
            {s.CellWidth, m.LabelWidth(LedName(bit)) + 6, m.LabelWidth(SwitchName(bit)) + 6});
    }
    for (unsigned digit = 0; digit < 16; ++digit) {
        s.LevelsWidth = std::max(s.LevelsWidth,
                                 m.ValueWidth(LevelsText(static_cast<std::uint8_t>(digit * 0x11))));
    }
    const int cells = BoardColumns * s.CellWidth + Gap + s.LevelsWidth;
    const int values = std::max({s.ValueWidth, s.StateWidth, cells});
    const int inner = std::max(s.FieldNameWidth + ValueGap + values, nameWidth + 3 * Gap + idWidth);
    s.ValueWidth = values;
    s.RowHeight = std::max(m.ValueHeight, m.LabelHeight) + 6;
    s.HeaderHeight = std::max(m.TitleHeight, m.LabelHeight);
    s.Width = Pad + inner + Pad;
    const int ledRow = std::max(LedDiameter, m.LabelHeight) + 2 + m.LabelHeight;
    const int switchRow = std::max(SwitchHeight, m.LabelHeight) + 2 + m.LabelHeight;
    s.Height =
        Pad + s.HeaderHeight + Gap + 3 * s.RowHeight + 2 * 2 + Gap + ledRow + Gap + switchRow + Pad;
    return s;
}

// A row of eight pictures centred in their columns, with their names
// under them; returns the row's height.
int LayOutColumns(int left, int top, int cellWidth, int width, int height, int labelHeight,
                  std::array<BoardRect, BoardColumns>& pictures,
                  std::array<BoardRect, BoardColumns>& names,
                  std::array<BoardRect, BoardColumns>* targets) {
    const int rowHeight = std::max(height, labelHeight);
    for (int column = 0; column < BoardColumns; ++column) {
        const int x = left + column * cellWidth;
        const auto c = static_cast<std::size_t>(column);
        pictures[c] = {x + (cellWidth - width) / 2, top + (rowHeight - height) / 2, width, height};
        names[c] = {x, top + rowHeight + 2, cellWidth, labelHeight};
        if (targets != nullptr) {
            (*targets)[c] = {x, top, cellWidth, names[c].Bottom() - top};
        }
    }
    return rowHeight + 2 + labelHeight;
}

ChipLayout LayOutChip(int left, int top, const ChipSizes& s, const BoardTextMetrics& m) {
    ChipLayout chip;
    chip.Body = {left, top, s.Width, s.Height};
    const int x = left + Pad;
    const int right = chip.Body.Right() - Pad;
    int y = top + Pad;
    chip.Name = {x, y, right - x, s.HeaderHeight};
    chip.IdCode = {x, y, right - x, s.HeaderHeight};
    y += s.HeaderHeight + Gap;

    const int valueX = x + s.FieldNameWidth + ValueGap;
    for (std::size_t row = 0; row < 3; ++row) {
        chip.FieldNames[row] = {x, y, s.FieldNameWidth, s.RowHeight};
        if (row == 0) {
            chip.StateBox = {valueX, y + 1, s.StateWidth, s.RowHeight - 2};
        } else {
            (row == 1 ? chip.Instruction : chip.Register) = {valueX, y, s.ValueWidth, s.RowHeight};
        }
        y += s.RowHeight + 2;
    }
    y += Gap - 2;

    const int levelsX = valueX + BoardColumns * s.CellWidth + Gap;
    const int ledRow = LayOutColumns(valueX, y, s.CellWidth, LedDiameter, LedDiameter,
                                     m.LabelHeight, chip.Leds, chip.LedNames, nullptr);
    const int ledPictures = std::max(LedDiameter, m.LabelHeight);
    chip.LedsName = {x, y, s.FieldNameWidth, ledPictures};
    chip.LedsValue = {levelsX, y, s.LevelsWidth, ledPictures};
    y += ledRow + Gap;

    LayOutColumns(valueX, y, s.CellWidth, SwitchWidth, SwitchHeight, m.LabelHeight, chip.Switches,
                  chip.SwitchNames, &chip.SwitchTargets);
    const int switchPictures = std::max(SwitchHeight, m.LabelHeight);
    chip.SwitchesName = {x, y, s.FieldNameWidth, switchPictures};
    chip.SwitchesValue = {levelsX, y, s.LevelsWidth, switchPictures};

    const int pinY = top + s.Height / 2;
    chip.Tdi = {left, pinY};
    chip.Tdo = {chip.Body.Right(), pinY};
    return chip;
}

SyncPanelLayout LayOutSync(int left, int top, int height, const BoardTextMetrics& m) {
    SyncPanelLayout sync;
    const int names = Widest(m.LabelWidth, {BoardCaption::SyncNames[0], BoardCaption::SyncNames[1],
                                            BoardCaption::High, BoardCaption::Low});
    const int cell = std::max(SyncSwitchWidth + 24, names + 12);
    const int titleWidth = m.LabelWidth(BoardCaption::SyncTitle);
    const int width = Pad + std::max(titleWidth, 2 * cell) + Pad;
    sync.Panel = {left, top, width, height};
    sync.Title = {left + Pad, top + Pad, width - 2 * Pad, m.LabelHeight};
    const int cellsLeft = left + (width - 2 * cell) / 2;
    const int rowHeight = SyncSwitchHeight + 2 + 2 * m.LabelHeight;
    const int rowTop = sync.Title.Bottom() + (top + height - sync.Title.Bottom() - rowHeight) / 2;
    for (std::size_t i = 0; i < 2; ++i) {
        const int x = cellsLeft + static_cast<int>(i) * cell;
        sync.Switches[i] = {x + (cell - SyncSwitchWidth) / 2, rowTop, SyncSwitchWidth,
                            SyncSwitchHeight};
        sync.Names[i] = {x, rowTop + SyncSwitchHeight + 2, cell, m.LabelHeight};
        sync.Levels[i] = {x, sync.Names[i].Bottom(), cell, m.LabelHeight};
        sync.Targets[i] = {x, rowTop, cell, rowHeight};
    }
    return sync;
}

} // namespace

std::string TapTitle(std::uint8_t tap) {
    return "TAP " + std::to_string(tap);
}

std::string LedName(int bit) {
    return std::string("D").append(std::to_string(bit));
}

std::string SwitchName(int bit) {
    return std::string("S").append(std::to_string(bit));
}

BoardLayout LayOutBoard(std::span<const BoardChip> chips, const BoardTextMetrics& metrics) {
    const ChipSizes sizes = MeasureChips(chips, metrics);
    BoardLayout layout;
    layout.Chips.resize(chips.size());
    const int wire = std::max(
        WireLength, Widest(metrics.LabelWidth, {BoardCaption::Tdi, BoardCaption::Tdo}) + 8);

    int y = Margin;
    int widest = Margin;
    int lastRight = Margin;
    int lastTop = Margin + metrics.TitleHeight + TitleGap;
    for (std::uint8_t tap = 0; tap < 2; ++tap) {
        TapRowLayout row;
        row.Tap = tap;
        row.Title = {Margin, y, metrics.TitleWidth(TapTitle(tap)), metrics.TitleHeight};
        const int top = row.Title.Bottom() + TitleGap;
        const int pinY = top + sizes.Height / 2;
        const int nameTop = pinY - NameGap - metrics.LabelHeight;
        row.TdiName = {Margin, nameTop, wire, metrics.LabelHeight};
        BoardPoint from{Margin, pinY};
        for (std::size_t i = 0; i < chips.size(); ++i) {
            if (chips[i].Tap != tap) {
                continue;
            }
            layout.Chips[i] = LayOutChip(from.X + wire, top, sizes, metrics);
            row.Wires.push_back({from, layout.Chips[i].Tdi});
            from = layout.Chips[i].Tdo;
        }
        if (row.Wires.empty()) {
            continue; // a TAP without chips
        }
        const BoardPoint end{from.X + wire, pinY};
        row.Wires.push_back({from, end});
        row.TdoName = {from.X, nameTop, wire, metrics.LabelHeight};
        lastRight = end.X;
        lastTop = top;
        widest = std::max(widest, lastRight);
        layout.Rows.push_back(std::move(row));
        y = top + sizes.Height + RowGap;
    }

    const int syncLeft = lastRight + (layout.Rows.empty() ? 0 : wire);
    layout.Sync = LayOutSync(syncLeft, lastTop, sizes.Height, metrics);
    if (layout.Sync.Panel.Right() < widest) {
        // Flush with the widest row's right end.
        layout.Sync = LayOutSync(widest - layout.Sync.Panel.Width, lastTop, sizes.Height, metrics);
    }
    layout.Width = std::max(widest, layout.Sync.Panel.Right()) + Margin;
    layout.Height = lastTop + sizes.Height + Margin;
    for (const BoardChip& chip : chips) {
        layout.ChipNames.push_back(chip.Chip.Name);
        layout.ChipTaps.push_back(chip.Tap);
    }
    return layout;
}

bool LayoutFits(const BoardLayout& layout, const BoardView& view) {
    if (layout.ChipNames.size() != view.Chips.size()) {
        return false;
    }
    for (std::size_t i = 0; i < view.Chips.size(); ++i) {
        if (layout.ChipNames[i] != view.Chips[i].Name || layout.ChipTaps[i] != view.Chips[i].Tap) {
            return false;
        }
    }
    return true;
}

std::optional<SwitchHit> SwitchAt(const BoardLayout& layout, int x, int y) {
    for (std::size_t chip = 0; chip < layout.Chips.size(); ++chip) {
        const ChipLayout& c = layout.Chips[chip];
        for (int column = 0; column < BoardColumns; ++column) {
            if (c.SwitchTargets[static_cast<std::size_t>(column)].Contains(x, y)) {
                return SwitchHit{false, chip, static_cast<std::uint8_t>(BitOfColumn(column))};
            }
        }
    }
    for (std::uint8_t i = 0; i < 2; ++i) {
        if (layout.Sync.Targets[i].Contains(x, y)) {
            return SwitchHit{true, 0, i};
        }
    }
    return std::nullopt;
}

} // namespace scanbench
