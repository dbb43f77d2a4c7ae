#include "core/byte_lines.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/hex_digits.h"
#include "core/short_text.h"

namespace qm {

namespace {

// Room for a value's prefix, digits and separator (ByteLineForm's limit),
// copied whole and then counted by their length.
constexpr std::size_t kValueRoom = 8;

using ValueTexts = std::array<ShortText<kValueRoom>, 256>;

ValueTexts ValueTextsOf(const ByteLineForm& form, std::string_view after) {
    ValueTexts texts;
    for (int value = 0; value < 256; ++value) {
        std::string digits;
        if (form.digits == ValueDigits::Decimal) {
            digits = std::to_string(value);
        } else {
            AppendHexByte(digits, static_cast<std::uint8_t>(value), form.digits == ValueDigits::LowerHex);
        }
        auto& text = texts[static_cast<std::size_t>(value)];
        text.Append(form.prefix);
        text.Append(digits);
        text.Append(after);
    }
    return texts;
}

char* Put(char* to, std::string_view text) {
    std::memcpy(to, text.data(), text.size());
    return to + text.size();
}

}  // namespace

void AppendText(Bytes& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

void AppendByteLines(Bytes& out, std::span<const std::uint8_t> bytes, std::size_t perLine, const ByteLineForm& form) {
    if (bytes.empty()) return;
    perLine = std::max<std::size_t>(perLine, 1);
    // Each value with the separator after it; a line's last value without.
    const ValueTexts joined = ValueTextsOf(form, form.separator);
    const ValueTexts alone = ValueTextsOf(form, "");
    const std::string_view firstStart = form.firstStart.empty() ? form.start : form.firstStart;
    const std::size_t lines = (bytes.size() + perLine - 1) / perLine;
    std::size_t length = firstStart.size() + (lines - 1) * (form.start.size() + form.end.size()) + form.lastEnd.size() +
                         (bytes.size() - lines) * form.separator.size();
    for (std::uint8_t b : bytes) length += alone[b].length;

    const std::size_t at = out.size();
    // kValueRoom more, as every value is copied whole; cut off at the end.
    out.resize(at + length + kValueRoom);
    char* to = reinterpret_cast<char*>(out.data()) + at;
    const std::uint8_t* value = bytes.data();
    for (std::size_t line = 0; line < lines; ++line) {
        to = Put(to, line == 0 ? firstStart : form.start);
        const std::size_t count = std::min(perLine, bytes.size() - line * perLine);
        for (const std::uint8_t* stop = value + count - 1; value != stop; ++value) to = joined[*value].CopyTo(to);
        to = alone[*value++].CopyTo(to);
        to = Put(to, line + 1 < lines ? form.end : form.lastEnd);
    }
    out.resize(at + length);
}

}  // namespace qm
