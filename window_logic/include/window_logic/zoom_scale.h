#pragma once

#include <string>
#include <string_view>

namespace scanbench {

// The toolkit's scale factor (QT_SCALE_FACTOR) for a zoom in percent, on
// top of the factor the user set (`userFactor`, the variable's value before
// the program changed it; empty, not a number or not above zero counts as 1).
[[nodiscard]] std::string ZoomScaleFactor(int zoom, std::string_view userFactor);

} // namespace scanbench
