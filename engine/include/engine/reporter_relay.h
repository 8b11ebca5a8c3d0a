#pragma once

#include "engine/engine_reporter.h"

namespace scanbench {

// An EngineReporter that passes every report on to another one attached
// later. The engine needs its reporter when it is built, but the window that
// shows the reports is built after the engine; reports made while nothing is
// attached are dropped.
class ReporterRelay final : public EngineReporter {
public:
    void Attach(EngineReporter* target) { Target = target; }
    [[nodiscard]] EngineReporter* Attached() const { return Target; }

    void ShowStatus(std::string_view text, StatusColour colour) override {
        if (Target) {
            Target->ShowStatus(text, colour);
        }
    }
    void ShowExecPoint(std::int32_t currentLine) override {
        if (Target) {
            Target->ShowExecPoint(currentLine);
        }
    }
    void StoppedAtBreakpoint(std::int32_t line) override {
        if (Target) {
            Target->StoppedAtBreakpoint(line);
        }
    }
    void ClearExecPoint() override {
        if (Target) {
            Target->ClearExecPoint();
        }
    }
    void DrawFlagMarkers(const std::array<int, 2>& selectedBits) override {
        if (Target) {
            Target->DrawFlagMarkers(selectedBits);
        }
    }
    void ShowCounter(std::uint8_t tap, std::string_view text) override {
        if (Target) {
            Target->ShowCounter(tap, text);
        }
    }
    void ShowFlags(std::uint8_t tap, std::string_view text) override {
        if (Target) {
            Target->ShowFlags(tap, text);
        }
    }
    void HighlightSelectedTap(std::uint8_t tap) override {
        if (Target) {
            Target->HighlightSelectedTap(tap);
        }
    }
    void ApplyCommandStates(const CommandStates& states) override {
        if (Target) {
            Target->ApplyCommandStates(states);
        }
    }
    void DrawActivity(int frame) override {
        if (Target) {
            Target->DrawActivity(frame);
        }
    }
    void SetExecuteTimer(bool running) override {
        if (Target) {
            Target->SetExecuteTimer(running);
        }
    }
    void SetActivityTimer(bool running) override {
        if (Target) {
            Target->SetActivityTimer(running);
        }
    }
    void ProcessPendingMessages() override {
        if (Target) {
            Target->ProcessPendingMessages();
        }
    }

private:
    EngineReporter* Target = nullptr;
};

} // namespace scanbench
