#include "window_logic/program_session.h"

#include "engine/engine.h"
#include "engine/result_codes.h"

namespace scanbench {

std::string PortFailureText(std::string_view problem) {
    std::string text(Status::DriverFailed);
    if (!problem.empty()) {
        text.append("  ").append(problem);
    }
    return text;
}

void ReportPortStatus(EngineDisplay& display, bool portAvailable, std::string_view problem) {
    if (portAvailable) {
        display.ShowStatus(Status::DriverStarted, StatusColour::Green);
    } else {
        display.ShowStatus(PortFailureText(problem), StatusColour::Red);
    }
}

void ProgramSession::Start(bool portAvailable, std::string_view problem) {
    EngineDisplay& display = Eng.Display();
    ReportPortStatus(display, portAvailable, problem);
    Eng.ApplyStartValues();
    Eng.State().Breakpoints.ClearAll();
    Named = false;
    Translated = false;
    display.UpdateCommands([](CommandStates& c) {
        c = CommandStates{}; // everything that needs a program starts disabled
    });
    display.DrawFlagMarkers(Eng.Registers());
}

void ProgramSession::TextChanged(std::int32_t lineCount) {
    const bool speedRun = Eng.Switches().SpeedRun;
    Eng.Display().UpdateCommands([lineCount, speedRun](CommandStates& c) {
        c.GutterBoxes = true;
        c.SaveItems = true;
        if (lineCount > 1) {
            c.EnableRunCommands(speedRun);
            c.SaveFileButton = true;
        }
    });
}

void ProgramSession::NewProgram() {
    Named = false;
    Translated = false;
    // A new program starts from where an opened one does (start values, an
    // empty store, a reset), so nothing of the old program's run is left.
    Eng.OpenProgram();
    Eng.State().Playback.WavesValid = false;
    Eng.State().Breakpoints.ClearAll();
    Eng.Display().UpdateCommands([](CommandStates& c) {
        c.SaveFileButton = false;
        c.SaveItems = false;
        c.GutterBoxes = false;
        c.EditorWritable = true;
        c.ShowExecPoint = false;
        c.Search = true;
        c.DisableRunCommands();
        c.Reset = false;
    });
    Eng.Events().Clear();
}

void ProgramSession::ProgramOpened(std::string path) {
    File = std::move(path);
    Named = true;
    Translated = false;
    Eng.State().Playback.WavesValid = false;
    Eng.State().Breakpoints.ClearAll();
    const bool speedRun = Eng.Switches().SpeedRun;
    Eng.Display().UpdateCommands([speedRun](CommandStates& c) {
        c.EditorWritable = true;
        c.ShowExecPoint = false;
        c.Search = true;
        c.GutterBoxes = true;
        c.EnableRunCommands(speedRun);
    });
    Eng.OpenProgram();
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
