#pragma once

#include <cstdint>

namespace scanbench {

// What changed in the engine since a view last looked.
enum class ViewChange : std::uint8_t {
    TapStates = 1U << 0,    // a TAP model stepped
    Waveforms = 1U << 1,    // an event step played events
    PinLevels = 1U << 2,    // the port's pins may show other levels
    StoreCleared = 1U << 3, // a reset emptied the store: views start again at event 0
};

// A set of changes, as one delivery carries them.
class ViewChanges {
public:
    constexpr ViewChanges() = default;
    constexpr ViewChanges(ViewChange change) : Bits(static_cast<std::uint8_t>(change)) {}

    [[nodiscard]] constexpr bool Has(ViewChange change) const {
        return (Bits & static_cast<std::uint8_t>(change)) != 0;
    }
    [[nodiscard]] constexpr bool Empty() const { return Bits == 0; }
    constexpr ViewChanges& operator|=(ViewChanges other) {
        Bits = static_cast<std::uint8_t>(Bits | other.Bits);
        return *this;
    }
    friend constexpr ViewChanges operator|(ViewChanges a, ViewChanges b) { return a |= b; }
    friend constexpr bool operator==(ViewChanges, ViewChanges) = default;

private:
    std::uint8_t Bits = 0;
};

[[nodiscard]] constexpr ViewChanges operator|(ViewChange a, ViewChange b) {
    return ViewChanges(a) | ViewChanges(b);
}

// A window that follows the engine: the state diagrams, the waveforms, the
// event list, the pin levels. It reads what it shows from the engine when it
// is told that something changed; it never changes what was recorded.
class ViewListener {
public:
    virtual ~ViewListener() = default;
    virtual void RefreshView(ViewChanges changes) = 0;
};

} // namespace scanbench
