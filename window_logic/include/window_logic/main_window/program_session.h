#pragma once

#include "engine/feed/status_colour.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace scanbench {

// The main window's program file: its name, whether it has one, and the
// window title that follows from them. The window loads or writes the text
// and tells this what happened.
class ProgramSession {
public:
    // New: an untitled program.
    void NewProgram();
    // Open, after the file's text is in the editor.
    void ProgramOpened(std::string path);
    // Open of an SVF file, after its translation is in the editor: the title
    // names the SVF file, which Save never writes over.
    void TranslationOpened(std::string svfPath);
    // Save or Save As wrote the text to `path`.
    void Saved(std::string path);

    [[nodiscard]] bool ProgNamed() const { return Named; }
    [[nodiscard]] const std::string& ProgFile() const { return File; }
    // The file Save offers when the program has none: beside the SVF file it
    // was translated from, with the extension .bst; empty otherwise.
    [[nodiscard]] std::string SaveSuggestion() const;
    // The window title for the current file and modified mark.
    [[nodiscard]] std::string Title(bool modified) const;

private:
    std::string File; // the program's file, or the SVF file it was translated from
    bool Named = false;
    bool Translated = false;
};

// A status message about the port.
struct PortStatusMessage {
    std::string Text;
    StatusColour Colour = StatusColour::Green;
};

// The status line's message about the port: green when it can be reached,
// red when not, followed by the port's `problem` (why not) where it gives one.
[[nodiscard]] PortStatusMessage PortStatus(bool portAvailable, std::string_view problem = {});

// The red status text of a port that cannot be reached, with its reason.
[[nodiscard]] std::string PortFailureText(std::string_view problem);

// "Scanbench - " + file name (or "untitled") + " -", with " *" when modified.
[[nodiscard]] std::string WindowTitle(bool progNamed, std::string_view fileName, bool modified);

// The path with its extension (after the last "." of the file name, if any)
// replaced by ".bst".
[[nodiscard]] std::string WithBstExtension(std::string_view path);

// The file name part of a path (after the last "/" or "\").
[[nodiscard]] std::string_view FileNamePart(std::string_view path);

} // namespace scanbench
