// SPDX-License-Identifier: GPL-3.0-or-later
// LittleEndian: reading and writing the binary files the console makes (numbers least
// significant byte first, texts after their length), the same on every machine.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace tamsel {

// Reads from a byte buffer; once a read runs past its end, that read and every later one
// gives 0 (or nothing) and failed() says so. A count read from the buffer is checked with
// fits() before anything is made for it, so that a damaged file cannot ask for more than it
// holds.
class LittleEndianReader {
public:
    explicit LittleEndianReader(std::string_view bytes) : in_(bytes) {}

    bool failed() const { return failed_; }
    std::size_t left() const { return in_.size(); }
    bool done() const { return !failed_ && in_.empty(); }
    // Whether `count` items of at least `each` bytes can still follow.
    bool fits(std::uint64_t count, std::size_t each) const {
        return !failed_ && count <= in_.size() / each;
    }

    template <typename T> T get() {
        static_assert(std::is_integral_v<T> || std::is_floating_point_v<T>);
        using Bits = std::conditional_t<
            sizeof(T) == 1, std::uint8_t,
            std::conditional_t<sizeof(T) == 2, std::uint16_t,
                               std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>>;
        if (failed_ || in_.size() < sizeof(T)) {
            failed_ = true;
            return T{};
        }
        Bits v = 0;
        for (std::size_t i = sizeof(T); i-- > 0;) {
            v = static_cast<Bits>((v << 8) | static_cast<unsigned char>(in_[i]));
        }
        in_.remove_prefix(sizeof(T));
        return std::bit_cast<T>(v);
    }
    std::uint8_t u8() { return get<std::uint8_t>(); }
    std::uint32_t u32() { return get<std::uint32_t>(); }
    std::int32_t i32() { return get<std::int32_t>(); }

    // A text written with LittleEndianWriter::text.
    std::string text() {
        const std::uint32_t n = u32();
        if (failed_ || in_.size() < n) {
            failed_ = true;
            return {};
        }
        std::string s(in_.substr(0, n));
        in_.remove_prefix(n);
        return s;
    }
    // Skips `expected` when the buffer goes on with it; fails otherwise.
    bool expect(std::string_view expected) {
        if (failed_ || in_.substr(0, expected.size()) != expected) {
            failed_ = true;
            return false;
        }
        in_.remove_prefix(expected.size());
        return true;
    }

private:
    std::string_view in_;
    bool failed_ = false;
};

class LittleEndianWriter {
public:
    template <typename T> void put(T value) {
        static_assert(std::is_integral_v<T> || std::is_floating_point_v<T>);
        using Bits = std::conditional_t<
            sizeof(T) == 1, std::uint8_t,
            std::conditional_t<sizeof(T) == 2, std::uint16_t,
                               std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>>;
        auto v = std::bit_cast<Bits>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            out.push_back(static_cast<char>(v & 0xFF));
            v = static_cast<Bits>(v >> 8);
        }
    }
    void text(std::string_view s) {
        put(static_cast<std::uint32_t>(s.size()));
        out.append(s);
    }
    std::string out;
};

} // namespace tamsel
