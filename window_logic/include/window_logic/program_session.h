#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace scanbench {

class Engine;
class EngineDisplay;

// The main window's program-file state and the command enabling that follows
// from starting, editing, New, Open and Save. The window asks its questions
// and loads or writes the text; this decides what changes.
class ProgramSession {
public:
    explicit ProgramSession(Engine& engine) : Eng(engine) {}

    // Start-up: the port status message (with the port's `problem`, the
    // reason it cannot be reached), the run state's start values and the
    // commands disabled until a program is there.
    void Start(bool portAvailable, std::string_view problem = {});
    // The editor's text changed (also by loading): `lineCount` lines.
    void TextChanged(std::int32_t lineCount);
    // New, after the user agreed to drop unsaved text: an untitled empty program.
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
    Engine& Eng;
    std::string File; // the program's file, or the SVF file it was translated from
    bool Named = false;
    bool Translated = false;
};

// The status line's message about the port: green when it can be reached,
// red when not, followed by the port's `problem` (why not) where it gives one.
void ReportPortStatus(EngineDisplay& display, bool portAvailable, std::string_view problem = {});

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
