#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scanbench {

// Bits in order, 64 to a word: operands and the bits a shift receives run to
// millions.
class BitString {
public:
    void Clear() {
        Words.clear();
        Count = 0;
    }
    // Appends the low `count` bits of `bits` (at most 64), bit 0 first.
    void Append(std::uint64_t bits, unsigned count) {
        if (count == 0) {
            return;
        }
        bits &= count == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
        const unsigned used = Count & 63;
        if (used == 0) {
            Words.push_back(bits);
        } else {
            Words.back() |= bits << used;
            if (used + count > 64) {
                Words.push_back(bits >> (64 - used));
            }
        }
        Count += count;
    }
    // Adds 0 bits up to `count` bits.
    void GrowTo(std::uint64_t count) {
        if (count > Count) {
            Words.resize((count + 63) / 64, 0);
            Count = count;
        }
    }
    void Reserve(std::uint64_t count) { Words.reserve((count + 63) / 64); }

    [[nodiscard]] std::uint64_t Size() const { return Count; }
    [[nodiscard]] bool Empty() const { return Count == 0; }
    // Bit `index`, which must be below Size().
    [[nodiscard]] std::uint8_t operator[](std::uint64_t index) const {
        return static_cast<std::uint8_t>((Words[index >> 6] >> (index & 63)) & 1U);
    }
    // Bit `index`, 0 beyond the last.
    [[nodiscard]] std::uint8_t BitOrZero(std::uint64_t index) const {
        return index < Count ? (*this)[index] : 0;
    }
    // The 64 bits from bit `first` on, bit `first` in bit 0; bits before 0
    // (`first` may be as low as -63) and beyond the last read 0.
    [[nodiscard]] std::uint64_t Window(std::int64_t first) const {
        if (first < 0) {
            return first <= -64 ? 0 : Window(0) << -first;
        }
        const auto start = static_cast<std::uint64_t>(first);
        const std::uint64_t word = start >> 6;
        const unsigned offset = start & 63;
        const std::uint64_t low = word < Words.size() ? Words[word] >> offset : 0;
        const std::uint64_t high =
            offset != 0 && word + 1 < Words.size() ? Words[word + 1] << (64 - offset) : 0;
        return low | high;
    }
    // The bits as "0" and "1", the first on the left.
    [[nodiscard]] std::string Text() const;

    // Bits beyond Size() are always 0, so equal strings have equal words.
    friend bool operator==(const BitString&, const BitString&) = default;

private:
    std::vector<std::uint64_t> Words;
    std::uint64_t Count = 0;
};

} // namespace scanbench
