#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace scanbench {

// Runs a helper program found on PATH and waits for it at most `limit`;
// one that runs longer is killed. True when it ran and exited with 0;
// false when it is not installed, failed or was killed.
bool RunToolIfInstalled(const std::string& tool, const std::vector<std::string>& arguments,
                        std::chrono::milliseconds limit = std::chrono::seconds(10));

} // namespace scanbench
