#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace scanbench {

// The interface texts that follow the interface language: four columns
// (0 English, 1 Portuguese, 2 French, 3 German) of 101 positions, UTF-8.
// Unused positions are empty. "\r" is a line break in a message box. The
// texts carry no "&" accelerator marks.
inline constexpr int LanguageCount = 4;
inline constexpr int LangPositions = 101;
using LangColumn = std::array<std::string_view, LangPositions>;
extern const std::array<LangColumn, LanguageCount> LangTable;

// The positions in use.
namespace LangPos {
inline constexpr int ProgramName = 1;  // About dialog
inline constexpr int AboutHeading = 2; // About dialog
inline constexpr int FileMenu = 3;
inline constexpr int EditMenu = 4;
inline constexpr int WindowsMenu = 5;
inline constexpr int AboutItem = 7;
inline constexpr int LanguageMenu = 8;
inline constexpr int English = 9;
inline constexpr int Portuguese = 10;
inline constexpr int French = 11;
inline constexpr int German = 12;
inline constexpr int StatePortLabel = 13;     // state diagram window, + "0" / "1"
inline constexpr int StateDiagramsTitle = 14; // state diagram window caption
inline constexpr int HelpMenu = 15;
inline constexpr int Exit = 16;
inline constexpr int New = 17;
inline constexpr int Open = 18;
inline constexpr int Save = 19;
inline constexpr int SaveAs = 20;
inline constexpr int Copy = 23;
inline constexpr int Paste = 24;
inline constexpr int StateDiagramItem = 25;
inline constexpr int UnsavedText = 26;  // the question of New, Open and Close
inline constexpr int NotANumber = 27;   // goto line: the entry is not a number
inline constexpr int LineNotFound = 28; // goto line: beyond the last line
} // namespace LangPos

// The text at `position` in `language`; empty outside the table.
[[nodiscard]] std::string_view LangText(std::uint8_t language, int position);

// A main-window control whose caption comes from the table.
struct LanguageCaption {
    std::string_view Control; // object name of the menu or item
    int Position;
};

// The captions that applying a language sets, in the order it sets them.
inline constexpr std::array<LanguageCaption, 18> LanguageCaptions{{
    {"File1", LangPos::FileMenu},
    {"Edit2", LangPos::EditMenu},
    {"Windows1", LangPos::WindowsMenu},
    {"About1", LangPos::AboutItem},
    {"Language1", LangPos::LanguageMenu},
    {"English1", LangPos::English},
    {"Portuguese1", LangPos::Portuguese},
    {"French1", LangPos::French},
    {"German1", LangPos::German},
    {"Help1", LangPos::HelpMenu},
    {"Exit1", LangPos::Exit},
    {"New1", LangPos::New},
    {"Open1", LangPos::Open},
    {"Save1", LangPos::Save},
    {"SaveAs1", LangPos::SaveAs},
    {"Copy1", LangPos::Copy},
    {"Past1", LangPos::Paste},
    {"StateDiagram01", LangPos::StateDiagramItem},
}};

} // namespace scanbench
