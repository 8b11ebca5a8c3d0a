#include "window_logic/main_window/program_session.h"

#include "engine/interpreter/result_codes.h"

namespace scanbench {

std::string PortFailureText(std::string_view problem) {
    std::string text(Status::DriverFailed);
    if (!problem.empty()) {
        text.append("  ").append(problem);
    }
    return text;
}

PortStatusMessage PortStatus(bool portAvailable, std::string_view problem) {
    if (portAvailable) {
        return {std::string(Status::DriverStarted), StatusColour::Green};
    }
    return {PortFailureText(problem), StatusColour::Red};
}

void ProgramSession::NewProgram() {
    Named = false;
    Translated = false;
}

void ProgramSession::ProgramOpened(std::string path) {
    File = std::move(path);
    Named = true;
    Translated = false;
}

void ProgramSession::TranslationOpened(std::string svfPath) {
    ProgramOpened(std::move(svfPath));
    Named = false;
    Translated = true;
}

void ProgramSession::Saved(std::string path) {
    File = std::move(path);
    Named = true;
    Translated = false;
}

std::string ProgramSession::SaveSuggestion() const {
    return Translated ? WithBstExtension(File) : std::string();
}

std::string ProgramSession::Title(bool modified) const {
    return WindowTitle(Named || Translated, FileNamePart(File), modified);
}

std::string WindowTitle(bool progNamed, std::string_view fileName, bool modified) {
    std::string title = "Scanbench - ";
    title += progNamed ? fileName : std::string_view("untitled");
    title += modified ? " - *" : " -";
    return title;
}

std::string WithBstExtension(std::string_view path) {
    const std::string_view name = FileNamePart(path);
    const std::size_t dot = name.rfind('.');
    const std::size_t keep =
        path.size() - name.size() + (dot == std::string_view::npos || dot == 0 ? name.size() : dot);
    return std::string(path.substr(0, keep)) + ".bst";
}

std::string_view FileNamePart(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace scanbench
