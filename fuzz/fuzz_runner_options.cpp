// Fuzzes the headless runner's command-line parser: the input's NUL-separated
// parts are the arguments.
#include "cli/runner_options.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.emplace_back();
        } else {
            arguments.back() += static_cast<char>(data[i]);
        }
    }
    (void)scanbench::ParseRunnerOptions(arguments);
    return 0;
}
