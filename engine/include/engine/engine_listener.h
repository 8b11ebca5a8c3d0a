#pragma once

#include "engine/command_states.h"
#include "engine/listener_list.h"
#include "engine/status_colour.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace scanbench {

// What the engine tells those who follow it about the displays of a main
// window (the views follow the engine through its ViewFeed). Any number of
// listeners subscribe (Engine::Listen). Every operation does nothing by
// default, so a listener implements only what it shows; the headless runner
// keeps the status line, the window everything.
class EngineListener {
public:
    virtual ~EngineListener() = default;

    // The status line: one message in one colour.
    virtual void ShowStatus(std::string_view text, StatusColour colour) {
        (void)text;
        (void)colour;
    }
    // The execution point after a step, given as CurrentLine: the window's
    // scroll bar goes to CurrentLine, the caret to the start of editor line
    // CurrentLine - 1 (the last line of the statement just fetched, 0-based)
    // with that line scrolled into view, and the arrow beside it.
    virtual void ShowExecPoint(std::int32_t currentLine) { (void)currentLine; }
    // Execute or Speed Run stopped before the statement whose first line,
    // `line` (1-based), carries a breakpoint.
    virtual void StoppedAtBreakpoint(std::int32_t line) { (void)line; }
    // Removes the execution-point arrow from the gutter.
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
    // The enabled states of the commands; sent when any of them changes.
    virtual void ApplyCommandStates(const CommandStates& states) { (void)states; }
    // Frame of the activity indicator (0 = idle picture, 1..8 animation).
    virtual void DrawActivity(int frame) { (void)frame; }
    // The run timers of the main window.
    virtual void SetExecuteTimer(bool running) { (void)running; }
    virtual void SetActivityTimer(bool running) { (void)running; }
    // Lets the user interface handle its pending messages (Step-by-Step
    // yields through this every 101 steps).
    virtual void ProcessPendingMessages() {}
};

// Keeps a listener subscribed to an engine while it lives.
using EngineSubscription = ListenerList<EngineListener>::Subscription;

} // namespace scanbench
