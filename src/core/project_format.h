#pragma once

// The project file: every font, set, register, the view screen and each
// slot's colours, little-endian, back to back after the magic "FPRJ".

#include <array>
#include <cstdint>
#include <optional>

#include "core/document.h"
#include "core/byte_stream.h"
#include "core/font_format.h"
#include "core/tagged_blocks.h"

namespace qm {

inline constexpr std::uint32_t kProjectMagic = 0x4A525046;  // "FPRJ"
inline constexpr std::size_t kProjectSize = 22614;
// Older files end before the block of slot colours.
inline constexpr std::size_t kOlderProjectSize = 22374;

// A project with its largest map and room for what else follows the fixed
// part; readers need look no further.
inline constexpr std::size_t kProjectReadLimit = std::size_t{16} << 20;

using SixColors = std::array<Rgb, 6>;  // LUM, BAK, PF0, PF1, PF2, PF3

struct ProjectData {
    std::array<FontBytes, kSlotCount> fonts{};
    std::array<std::array<std::int32_t, kSetCells>, kSetCount> sets{};
    std::array<int, 6> registerValues{};
    SixColors registerRgb{};
    std::array<std::array<std::int32_t, kViewColumns>, kViewRows> view{};
    // Absent in the older form.
    std::optional<std::array<SixColors, kSlotCount>> slotColors;
    // What the editor adds to the newer form only when it is used, after the
    // slot colours; a project without them is the newer form byte for byte.
    TaggedBlocks extensions;
};

Bytes WriteProject(const ProjectData& project);
// Nothing when the file does not start with the magic. Cells that are not a
// code or -1 come back empty. Set cells holding code 255 are named in a block
// of their own (core/set_cell_bytes.h), which the reader takes into the sets
// and the writer makes afresh: it is never among the extensions.
std::optional<ProjectData> ReadProject(const Bytes& file);

// The document's fonts, sets, registers, screen and slot colours in the form
// of the newer file, with the map when one is in use.
ProjectData ProjectOf(const Document& doc);
// The map the project keeps; nothing when it keeps none or its block is
// damaged.
std::optional<TileMap> MapOf(const ProjectData& project);
// The project keeps a map that cannot be read: opening it would lose the map.
bool MapDamaged(const ProjectData& project);
// Takes a read project over; the registers show slot 1's colours when the
// file has slot colours, and their bytes the palette entries of those colours.
// A project without a map gives a new, empty one. Names, paths and the
// project path stay.
void ApplyProject(Document& doc, const ProjectData& project);

}  // namespace qm
