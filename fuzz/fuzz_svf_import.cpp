// Fuzzes the SVF reader and its translation: any text is either refused
// with a line inside the text, or becomes a program that the engine runs
// without an error of the language (an unknown statement, a label not
// found); only running out of its small event budget may stop it.
#include "engine/feed/engine_listener.h"
#include "engine/feed/signal_port.h"
#include "engine/interpreter/result_codes.h"
#include "engine/run/engine.h"
#include "svf/svf_import.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// RX of each TAP follows its TX, so that checks pass and fail alike.
class LoopbackPort : public scanbench::SignalPort {
public:
    void WritePortSignals(std::uint8_t, std::uint8_t, std::uint8_t tx0, std::uint8_t, std::uint8_t,
                          std::uint8_t tx1, std::uint8_t, std::uint8_t) override {
        Tx = {tx0, tx1};
    }
    std::uint8_t ReadRx(std::uint8_t tap) override { return tap < 2 ? Tx[tap] : 0; }
    std::uint8_t ReadSia() override { return 0; }
    std::uint8_t ReadSib() override { return 0; }

private:
    std::array<std::uint8_t, 2> Tx{};
};

class StatusReporter : public scanbench::EngineListener {
public:
    void ShowStatus(std::string_view text, scanbench::StatusColour colour) override {
        if (colour == scanbench::StatusColour::Red && text != scanbench::Status::NotEnoughMemory) {
            std::abort(); // the translation wrote something the language refuses
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scanbench;
    const std::string_view svf(reinterpret_cast<const char*>(data), size);
    const auto imported = ImportSvf(svf, {static_cast<std::uint8_t>(size & 1), "fuzz.svf"});
    if (const auto* refusal = std::get_if<SvfProblem>(&imported)) {
        const auto lines = std::count(svf.begin(), svf.end(), '\n') + 1;
        if (refusal->Line < 0 || refusal->Line > lines || refusal->Message.empty()) {
            std::abort();
        }
        return 0;
    }
    const SvfImport& import = std::get<SvfImport>(imported);
    StatusReporter reporter;
    LoopbackPort port;
    Engine engine(reporter, port, EventBudget{200000});
    StringProgramText program(import.Program);
    engine.SetProgram(program);
    engine.OpenProgram();
    (void)engine.ExecuteSteps(200000);
    return 0;
}
