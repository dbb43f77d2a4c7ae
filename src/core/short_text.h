#pragma once

// A short text in a room of fixed size, copied whole and then counted by its
// length: a copy of a size the compiler knows is no call, which is how the
// exports lay out the millions of small texts of a large map.

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace qm {

template <std::size_t Room>
struct ShortText {
    static constexpr std::size_t kRoom = Room;
    std::array<char, Room> text{};
    std::size_t length = 0;

    std::string_view View() const { return {text.data(), length}; }
    // As much of more as still fits.
    void Append(std::string_view more) {
        const std::size_t n = more.size() < Room - length ? more.size() : Room - length;
        if (n == 0) return;  // an empty view may have no data to copy from
        std::memcpy(text.data() + length, more.data(), n);
        length += n;
    }
    // Copies the whole room to `to`, which must have that much space; returns
    // where the text ends.
    char* CopyTo(char* to) const {
        std::memcpy(to, text.data(), Room);
        return to + length;
    }
};

}  // namespace qm
