#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

// Read access to the program's lines (numbered from 0) and a way to show a
// line to the user. The editor provides it in the GUI; a string or file does
// in the headless runner and the tests.
class ProgramText {
public:
    virtual ~ProgramText() = default;

    [[nodiscard]] virtual std::int32_t LineCount() const = 0;
    // The text of line i; lines outside 0 .. LineCount()-1 read as empty.
    [[nodiscard]] virtual std::string Line(std::int32_t index) const = 0;
    // Moves the view to line i (the caret to its start). Optional.
    virtual void ShowLine(std::int32_t index) { (void)index; }
};

// A program held as a list of lines in memory.
class StringProgramText : public ProgramText {
public:
    StringProgramText() = default;
    // Splits the text into lines; CR LF, CR or LF ends a line, and a final
    // line ending does not start another line.
    explicit StringProgramText(std::string_view text) { SetText(text); }

    void SetText(std::string_view text);

    [[nodiscard]] std::int32_t LineCount() const override;
    [[nodiscard]] std::string Line(std::int32_t index) const override;

private:
    std::string Text;
    // Start offset and length of each line inside Text.
    struct Span {
        std::size_t start;
        std::size_t length;
    };
    std::vector<Span> Lines;
};

} // namespace scanbench
