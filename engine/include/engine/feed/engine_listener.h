#pragma once

#include "engine/feed/listener_list.h"
#include "engine/feed/status_colour.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace scanbench {

// A turn in the program's run that decides what may be done next.
enum class RunNews : std::uint8_t {
    CodeChecked,    // the code check passed: the program may run, nothing has run yet
    Started,        // the first event of the program's run was played since the check
    ProgramStopped, // HALT, an error or memory running out ended the program
    Reset,          // the simulation was reset: the program starts again at its first line
};

// What the engine tells those who follow it: the displays of a main window
// and the turns of the run (the views follow the engine through its
// ViewFeed). Any number of listeners subscribe (Engine::Listen). Every
// operation does nothing by default, so a listener implements only what it
// needs; the headless runner keeps the status line, the window everything.
class EngineListener {
public:
    virtual ~EngineListener() = default;

    // The status line: one message in one colour.
    virtual void ShowStatus(std::string_view text, StatusColour colour) {
        (void)text;
        (void)colour;
    }
    // The execution point after a step, given as CurrentLine: the statement
    // just fetched ends on line CurrentLine - 1 (0-based), where a window
    // shows it.
    virtual void ShowExecPoint(std::int32_t currentLine) { (void)currentLine; }
    // A run stopped before the statement whose first line, `line`
    // (1-based), carries a breakpoint.
    virtual void StoppedAtBreakpoint(std::int32_t line) { (void)line; }
    // There is no execution point to show (a reset).
    virtual void ClearExecPoint() {}
    // The marker under the flag bit that each TAP's FlagMask selects (0..7).
    virtual void DrawFlagMarkers(const std::array<int, 2>& selectedBits) { (void)selectedBits; }
    // Read-out texts; sent only when a text changes.
    virtual void ShowCounter(std::uint8_t tap, std::string_view text) {
        (void)tap;
        (void)text;
    }
    virtual void ShowFlags(std::uint8_t tap, std::string_view text) {
        (void)tap;
        (void)text;
    }
    // Emphasises the read-outs of the selected TAP; sent when it changes.
    virtual void HighlightSelectedTap(std::uint8_t tap) { (void)tap; }
    // The run took a turn.
    virtual void RunChanged(RunNews news) { (void)news; }
};

// Keeps a listener subscribed to an engine while it lives.
using EngineSubscription = ListenerList<EngineListener>::Subscription;

} // namespace scanbench
