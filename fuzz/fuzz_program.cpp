// Fuzzes the program text path: line splitting, the code check, the line
// fetch, the interpreter and playback, with a small event budget so that
// counters in the input cannot ask for unbounded memory.
#include "engine/feed/engine_listener.h"
#include "engine/feed/signal_port.h"
#include "engine/run/engine.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

class EchoPort : public scanbench::SignalPort {
public:
    void WritePortSignals(std::uint8_t, std::uint8_t, std::uint8_t tx0, std::uint8_t, std::uint8_t,
                          std::uint8_t tx1, std::uint8_t soa, std::uint8_t sob) override {
        Tx = {tx0, tx1};
        Soa = soa;
        Sob = sob;
    }
    std::uint8_t ReadRx(std::uint8_t tap) override { return tap < 2 ? Tx[tap] : 0; }
    std::uint8_t ReadSia() override { return Soa; }
    std::uint8_t ReadSib() override { return Sob; }

private:
    std::array<std::uint8_t, 2> Tx{};
    std::uint8_t Soa = 0;
    std::uint8_t Sob = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scanbench;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    EchoPort port;
    Engine engine(port, EventBudget{200000});
    StringProgramText program(text);
    engine.SetProgram(program);
    engine.OpenProgram();
    for (int step = 0; step < 20000 && !engine.State().Run.ProgramEnded; ++step) {
        engine.ExecuteStep();
    }
    // The whole input as one statement, on a fresh store.
    engine.Events().Clear();
    (void)engine.InterpretLine(text);
    return 0;
}
