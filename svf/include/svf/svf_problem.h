#pragma once

#include <cstdint>
#include <string>

namespace scanbench {

// A place in a run or in an SVF file that needs saying, with its line: what
// SVF cannot say of a run, what an SVF file says that cannot run, or a note
// on what its translation left out.
struct SvfProblem {
    std::int32_t Line = 0;
    std::string Message;

    friend bool operator==(const SvfProblem&, const SvfProblem&) = default;
};

} // namespace scanbench
