#pragma once

// Bytes that an export writes either as they are or as source text with a
// label, the same way for every command that offers --format.

#include <string>

#include "cli/options.h"
#include "core/byte_stream.h"

namespace qm::cli {

// --label, checked to be a name every target language accepts; fallback when
// absent.
std::string LabelOption(const Options& options, const std::string& fallback);

// The bytes as --format asks: raw (default), asm, ca65, c, mads, xasm or
// fastbasic, with the label of --label (default label), perLine values a
// source line; --align puts MADS data on a 1 KB boundary.
Bytes FormattedBytes(Bytes bytes, const Options& options, const std::string& label, std::size_t perLine);

// The lines of --help that describe --format, --label and --align.
extern const char* const kByteFormatHelp;

}  // namespace qm::cli
