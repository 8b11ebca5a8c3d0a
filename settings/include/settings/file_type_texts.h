#pragma once

#include <string>
#include <string_view>

namespace scanbench {

// The MIME type Scanbench's test programs are registered as.
inline constexpr std::string_view ProgramMimeType = "application/x-scanbench-program";

// An extension that can go into a file name and a glob unescaped: letters,
// digits, '_', '+' and '-', at least one.
[[nodiscard]] bool IsPlainExtension(std::string_view extension);

// A shared-mime-info package declaring ProgramMimeType for "*.<extension>".
// The extension must be plain.
[[nodiscard]] std::string MimePackageText(std::string_view extension);

// The program path as one argument of a desktop entry's Exec line: quoted
// when it holds a reserved character, '%' doubled, and then escaped as a
// desktop entry string value.
[[nodiscard]] std::string DesktopExecArgument(std::string_view executable);

// A desktop entry that opens files of ProgramMimeType with the program.
[[nodiscard]] std::string DesktopEntryText(std::string_view executable);

} // namespace scanbench
