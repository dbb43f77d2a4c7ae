#pragma once

// Pictures cut into characters: each 8 x 8 cell of a PNG or BMP picture
// becomes a character of a slot, identical cells share one, and a map says
// which code each cell became: a cell may show its character inverse (code +
// 128), in hi-res as the exact inverse of a character already taken, in
// multicolour with its "11" pairs in PF3, the fifth colour. Also font bytes
// taken out of any file.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/byte_stream.h"
#include "core/document.h"
#include "core/image.h"

namespace qm {

constexpr int kMaxImportScale = 4;

enum class ImportColours { Registers, Picture };

struct PictureImportOptions {
    bool multicolour = false;
    int scale = 1;  // picture pixels a side per font pixel, 1 to 4
    int firstChar = 0;
    bool keepDuplicates = false;
    // When the characters do not fit: merge the most alike until they do,
    // instead of refusing.
    bool reduce = false;
    ImportColours colours = ImportColours::Registers;
    bool placeOnView = false;  // the map on the view screen from its top-left corner
    bool placeInSets = false;  // the map in sets of 5 x 5 cells from firstSet on
    int firstSet = 1;
};

// A picture file read for import. The error says why it cannot be used; the
// picture's size is checked from its header before any pixel is decoded,
// against the view screen's cells unless a smaller limit is given (a fuzzer
// runs faster on small pictures and finds the same faults).
struct PictureFile {
    Image image;
    std::string error;
};
struct PictureCellLimit {
    int columns = kViewColumns, rows = kViewRows;
};
PictureFile ReadPictureFile(const Bytes& data, int scale, const PictureCellLimit& limit = {});

// What an import will do, worked out without changing anything.
struct PictureImportPlan {
    std::string error;  // why the picture is refused; empty when it can be imported
    int columns = 0, rows = 0;  // cells taken from the picture
    // A font's picture (256 x 64 times the scale) whose lower half shows the
    // inverse view of its upper half: only the upper half is taken, and it
    // comes back as that font, in its order with its duplicates, whatever the
    // duplicate option says.
    bool inverseHalfSkipped = false;
    int uniqueCells = 0;  // distinct cells of the picture
    int room = 0;         // characters from the first one to the last of the font
    bool fits = false;    // the characters fit, reduced if asked
    // The picture's pixels (a pair counting two, a scaled pixel scale x scale)
    // that the merging draws differently.
    int changedPixels = 0;
    // The registers the import sets when the colours come from the picture,
    // as palette bytes by ColorIndex (-1 = left as it is).
    std::array<int, 7> registerValues{-1, -1, -1, -1, -1, -1, -1};
    // The characters in the order they go into the font, one byte a row as in
    // a font file, and for each cell (row by row) the index of its character.
    std::vector<std::uint64_t> chars;
    std::vector<int> map;
    // For each cell, whether it shows its character inverse.
    std::vector<std::uint8_t> inverse;
    // Multicolour cells that use both PF2 and PF3: the one of the two that
    // fewer of the cell's pairs use took the nearest of the cell's other
    // colours.
    int mixedCells = 0;

    int Cells() const { return columns * rows; }
    // The code cell (row by row) takes when the characters go in from firstChar.
    int CodeOf(std::size_t cell, int firstChar) const {
        return firstChar + map[cell] + (inverse[cell] ? kInverseBit : 0);
    }
};

PictureImportPlan PlanPictureImport(const Image& picture, const Document& doc, const PictureImportOptions& options);

// The dialog's and the tool's summary of a plan: cells, characters, room.
std::string DescribePlan(const PictureImportPlan& plan, const PictureImportOptions& options);

// Puts the planned characters into slot (and the map where asked). Colours
// taken from the picture go into the registers and the slot's own colours
// alike. Changes nothing when the plan is refused or does not fit. The
// message tells what was done or why not.
struct ImportOutcome {
    bool changed = false;
    std::string message;
};
ImportOutcome ApplyPictureImport(Document& doc, int slot, const PictureImportPlan& plan,
                                 const PictureImportOptions& options);

// 1024 font bytes from any file at offset. A binary load file's 6-byte header
// there (FF FF, start and end address) is stepped over.
struct FontBytesImport {
    std::string error;  // empty when the font was read
    bool headerFound = false;
    std::size_t dataOffset = 0;
    FontBytes font{};
};
FontBytesImport ReadFontBytesAt(const Bytes& file, std::size_t offset);

}  // namespace qm
