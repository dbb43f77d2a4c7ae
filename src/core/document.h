#pragma once

// The user's work: ten fonts with their names and colours, the six colour
// registers, the hundred sets, the view screen and the map of tiles. It knows nothing of windows;
// the editor, the command-line tool and the tests all work on it alike.

#include <array>
#include <cstdint>
#include <string>

#include "core/rgb.h"
#include "core/tile_map.h"

namespace qm {

constexpr int kSlotCount = 10;
constexpr int kCharCount = 128;
constexpr int kFontBytes = 1024;
constexpr int kSetCount = 100;
constexpr int kSetCells = 25;
constexpr int kViewColumns = 60;
constexpr int kViewRows = 40;
constexpr int kEmptyCell = -1;  // no character: an empty cell, or none being edited

enum ColorIndex { LUM = 1, BAK = 2, PF0 = 3, PF1 = 4, PF2 = 5, PF3 = 6 };
// Register colours indexed by ColorIndex; element 0 is unused.
using RegisterColors = std::array<Rgb, 7>;
using FontBytes = std::array<std::uint8_t, kFontBytes>;

struct FontSlot {
    // Pixel (c, x, y) of character c, column x (0 = left), row y (0 = top):
    // 1 = set, 0 = clear.
    std::array<std::uint8_t, kCharCount * 64> pixels{};
    std::string fileName;
    std::string filePath;
    RegisterColors colors{};

    std::uint8_t& Pixel(int c, int x, int y) { return pixels[c * 64 + y * 8 + x]; }
    std::uint8_t Pixel(int c, int x, int y) const { return pixels[c * 64 + y * 8 + x]; }
    // The 64 pixels of one character, row by row.
    std::uint8_t* Char(int c) { return pixels.data() + c * 64; }
    const std::uint8_t* Char(int c) const { return pixels.data() + c * 64; }
};

struct SetRecord {
    std::array<std::int32_t, kSetCells> cells{};
};

// ViewCells[y][x]
using ViewCells = std::array<std::array<std::int32_t, kViewColumns>, kViewRows>;

struct Region {
    int startX = 0, startY = 0, width = 4, height = 4;
};

struct Document {
    // Slots 1 to 10; element 0 is unused.
    std::array<FontSlot, kSlotCount + 1> Slots{};
    RegisterColors RegisterRgb{};
    std::array<int, 7> RegisterValue{};
    // Sets 1 to 100; element 0 is unused.
    std::array<SetRecord, kSetCount + 1> SetTable{};
    ViewCells ViewScreen{};
    TileMap Map;
    std::string ProjectPath;
};

// The default screen colours of the registers, indexed by ColorIndex.
extern const RegisterColors kDefaultRegisterRgb;
extern const std::array<int, 7> kDefaultRegisterValue;

// A new document: blank fonts named "Default.fnt" in the default colours,
// every set and view cell empty.
void ResetDocument(Document& doc);

// Each slot keeps its own screen colours but the registers' bytes are shared:
// once the screen colours have been replaced, each byte becomes the palette
// entry whose colour its register now shows. A byte that already is such an
// entry stays (a colour may have several, hue 15 repeating hue 1), and so
// does the byte of a colour that is no palette entry.
void MatchRegisterValues(Document& doc);

// A character of the font, 0 to 127.
inline bool IsCharCode(int value) { return value >= 0 && value < kCharCount; }

// What a set or view cell holds besides nothing: a code 0 to 255 as the
// machine's screen memory holds it. Codes from 128 on show character
// code - 128 inverted in hi-res, and with PF3 for the pair "11" in multicolour.
constexpr int kCodeCount = 256;
constexpr int kInverseBit = 0x80;
inline bool IsCellCode(int value) { return value >= 0 && value < kCodeCount; }
// The character of the font a code shows.
inline int CharOfCode(int code) { return code & (kCharCount - 1); }
inline bool IsInverseCode(int code) { return (code & kInverseBit) != 0; }
// Anything that is not a code counts as an empty cell, so a damaged file can
// never make a drawing or an export index past the font.
inline int CellOrEmpty(int value) { return IsCellCode(value) ? value : kEmptyCell; }

}  // namespace qm
