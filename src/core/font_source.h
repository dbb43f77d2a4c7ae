#pragma once

// Source text of a font, or of any bytes, for build tools outside the platform's own languages:
// the ca65 cross assembler and C compilers (gcc, cc65). Lines end in LF.

#include <cstdint>
#include <span>
#include <string>

#include "core/byte_stream.h"
#include "core/font_format.h"

namespace qm {

// A name that every target language accepts as a label or array: a letter or
// "_", then letters, digits and "_", at most 64 characters.
bool IsSourceLabel(const std::string& name);

// "name:" and 128 lines ".byte $00,..." of eight bytes each, one character a
// line; assembles as it is, without any .feature.
Bytes Ca65FontText(const FontBytes& font, const std::string& label);
// "const unsigned char name[1024] = {" and 128 lines of eight 0x.. values.
Bytes CFontText(const FontBytes& font, const std::string& name);

// Any bytes in the same two forms, perLine values a line (SourceText offers
// every form by name).
Bytes Ca65BytesText(std::span<const std::uint8_t> bytes, const std::string& label, std::size_t perLine);
Bytes CBytesText(std::span<const std::uint8_t> bytes, const std::string& name, std::size_t perLine);

}  // namespace qm
