#include "window_logic/main_window/execute_pace.h"

namespace scanbench {

namespace {

constexpr int MsPerSecond = 1000;

// One tick per `perSecond` statements or events.
constexpr int IntervalFor(int perSecond) {
    return MsPerSecond / perSecond;
}

} // namespace

PaceTiming TimingFor(ExecutePace pace) {
    switch (pace) {
    case ExecutePace::FullSpeed:
        return {1, false};
    case ExecutePace::Statements50:
        return {IntervalFor(50), false};
    case ExecutePace::Statements10:
        return {IntervalFor(10), false};
    case ExecutePace::Statements2:
        return {IntervalFor(2), false};
    case ExecutePace::Statements1:
        return {IntervalFor(1), false};
    case ExecutePace::Events20:
        return {IntervalFor(20), true};
    }
    return {1, false};
}

std::string_view PaceCaption(ExecutePace pace) {
    switch (pace) {
    case ExecutePace::FullSpeed:
        return "Full speed";
    case ExecutePace::Statements50:
        return "50 statements/s";
    case ExecutePace::Statements10:
        return "10 statements/s";
    case ExecutePace::Statements2:
        return "2 statements/s";
    case ExecutePace::Statements1:
        return "1 statement/s";
    case ExecutePace::Events20:
        return "One event at a time, 20/s";
    }
    return {};
}

std::optional<ExecutePace> PaceAt(int index) {
    if (index < 0 || index >= static_cast<int>(AllPaces.size())) {
        return std::nullopt;
    }
    return AllPaces[static_cast<std::size_t>(index)];
}

int PaceIndex(ExecutePace pace) {
    for (std::size_t i = 0; i < AllPaces.size(); ++i) {
        if (AllPaces[i] == pace) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

} // namespace scanbench
