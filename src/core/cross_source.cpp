#include "core/cross_source.h"

#include "core/byte_lines.h"

namespace qm {

namespace {

constexpr ByteLineForm kDtaLines = {
    .start = "    dta ", .prefix = "$", .separator = ",", .end = "\r\n", .lastEnd = "\r\n"};

}  // namespace

Bytes MadsBytesText(std::span<const std::uint8_t> bytes, const std::string& label, std::size_t perLine, bool align) {
    Bytes out;
    if (align) AppendText(out, "    .ALIGN $400\r\n");
    AppendText(out, label + "\r\n");
    AppendByteLines(out, bytes, perLine, kDtaLines);
    return out;
}

Bytes XasmBytesText(std::span<const std::uint8_t> bytes, const std::string& label, std::size_t perLine) {
    Bytes out;
    AppendText(out, label + "\r\n");
    ByteLineForm form = kDtaLines;
    form.digits = ValueDigits::LowerHex;
    AppendByteLines(out, bytes, perLine, form);
    return out;
}

Bytes FastBasicBytesText(std::span<const std::uint8_t> bytes, const std::string& label, std::size_t perLine) {
    const std::string first = "DATA " + label + "() BYTE = ";
    Bytes out;
    if (bytes.empty()) {
        AppendText(out, "DATA " + label + "() BYTE =\r\n");
        return out;
    }
    AppendByteLines(out, bytes, perLine, {.start = "DATA BYTE = ", .prefix = "$", .separator = ",", .end = ",\r\n",
                                          .lastEnd = "\r\n", .firstStart = first});
    return out;
}

}  // namespace qm
