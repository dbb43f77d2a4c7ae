// The MADS, xasm and FastBasic texts of fonts and of any bytes, read back by
// the rules of each tool's manual.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "core/cross_source.h"
#include "core/export_lines.h"
#include "core/font_format.h"
#include "core/source_formats.h"
#include "scratch_folder.h"
#include "support/dta_reader.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::Dialect;
using test::ReadDataStatements;

// Every whole kilobyte of the archive's files, and the first kilobyte of the
// short ones as the editor loads them: 17 real fonts.
std::vector<FontBytes> ArchiveFonts() {
    std::vector<FontBytes> fonts;
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLMERE_TESTDATA) / "fonts")) {
        if (entry.path().extension() != ".fnt") continue;
        const Bytes file = test::ReadFile(entry.path());
        fonts.push_back(ReadFontBytes(file));
        for (std::size_t at = kFontBytes; at + kFontBytes <= file.size(); at += kFontBytes) {
            fonts.push_back(ReadFontBytes(Bytes(file.begin() + static_cast<long>(at), file.end())));
        }
    }
    return fonts;
}

std::vector<std::string> SplitCrLf(const Bytes& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            lines.push_back(line);
            line.clear();
            ++i;
        } else {
            line += static_cast<char>(text[i]);
        }
    }
    EXPECT_TRUE(line.empty()) << "the last line ends in CR LF";
    return lines;
}

TEST(CrossSourceTest, EveryArchiveFontReadsBackFromEachToolsText) {
    std::vector<FontBytes> fonts = ArchiveFonts();
    ASSERT_GE(fonts.size(), 17u);
    fonts.push_back(DefaultFontData);
    fonts.push_back(FontBytes{});
    FontBytes full;
    full.fill(0xFF);
    fonts.push_back(full);
    const std::pair<int, Dialect> formats[] = {
        {kMadsFormat, Dialect::Mads}, {kXasmFormat, Dialect::Xasm}, {kFastBasicFormat, Dialect::FastBasic}};
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        for (const auto& [format, dialect] : formats) {
            SCOPED_TRACE("font " + std::to_string(i) + ", format " + std::to_string(format));
            const std::vector<std::string> lines = ExportLines(fonts[i], format);
            const auto read = ReadDataStatements(lines, dialect);
            ASSERT_TRUE(read.has_value());
            EXPECT_EQ(read->label, "font");
            EXPECT_TRUE(std::equal(read->bytes.begin(), read->bytes.end(), fonts[i].begin(), fonts[i].end()));
            EXPECT_FALSE(read->aligned);
        }
    }
    const auto aligned = ReadDataStatements(ExportLines(fonts[0], kMadsFormat, true), Dialect::Mads);
    ASSERT_TRUE(aligned.has_value());
    EXPECT_TRUE(aligned->aligned);
    EXPECT_EQ(ExportLines(fonts[0], kMadsFormat, true)[0], "    .ALIGN $400");
    // Only MADS is aligned.
    EXPECT_EQ(ExportLines(fonts[0], kXasmFormat, true), ExportLines(fonts[0], kXasmFormat));
}

TEST(CrossSourceTest, AnyBytesReadBackUnderTheirLabelWhateverTheLineLength) {
    std::mt19937 random(27);
    const std::pair<const char*, Dialect> formats[] = {
        {"mads", Dialect::Mads}, {"xasm", Dialect::Xasm}, {"fastbasic", Dialect::FastBasic}};
    for (std::size_t size : {1u, 7u, 8u, 40u, 2400u, 2401u}) {
        Bytes bytes(size);
        for (auto& b : bytes) b = static_cast<unsigned char>(random());
        for (std::size_t perLine : {1u, 8u, 40u, 60u}) {
            for (const auto& [format, dialect] : formats) {
                SCOPED_TRACE(std::string(format) + " " + std::to_string(size) + "/" + std::to_string(perLine));
                const auto text = SourceText(bytes, {format, "level_1", perLine, std::string(format) == "mads"});
                ASSERT_TRUE(text.has_value());
                const std::vector<std::string> lines = SplitCrLf(*text);
                const auto read = ReadDataStatements(lines, dialect);
                ASSERT_TRUE(read.has_value());
                EXPECT_EQ(read->label, "level_1");
                EXPECT_EQ(Bytes(read->bytes.begin(), read->bytes.end()), bytes);
                const std::size_t dataLines = (size + perLine - 1) / perLine;
                EXPECT_EQ(lines.size(), dataLines + (dialect == Dialect::FastBasic ? 0 : 1) + (read->aligned ? 1 : 0));
            }
        }
    }
}

TEST(CrossSourceTest, TheFormatsByNameWriteRawBytesAndTheOlderForms) {
    const Bytes bytes = {0, 24, 255};
    EXPECT_EQ(*SourceText(bytes, {"raw", "", 8, false}), bytes);
    EXPECT_EQ(*SourceText(bytes, {"asm", "MAP", 8, false}), TextFileBytes({"MAP", "    .BYTE 0,24,255"}));
    const std::string ca65 = "map:\n    .byte $00,$18,$FF\n";
    EXPECT_EQ(*SourceText(bytes, {"ca65", "map", 8, false}), Bytes(ca65.begin(), ca65.end()));
    EXPECT_FALSE(SourceText(bytes, {"dta", "map", 8, false}).has_value());
    for (const std::string& name : SourceFormatNames()) EXPECT_EQ(FormatHasLabel(name), name != "raw") << name;
}

}  // namespace
}  // namespace qm
