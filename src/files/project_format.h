#pragma once

// The project file: every font, set, register, the view screen and each
// slot's colours, little-endian, back to back after the magic "FPRJ".

#include <array>
#include <cstdint>
#include <optional>

#include "app/editor_state.h"
#include "files/byte_stream.h"
#include "files/font_format.h"

namespace qm {

inline constexpr std::uint32_t kProjectMagic = 0x4A525046;  // "FPRJ"
inline constexpr std::size_t kProjectSize = 22614;
// Older files end before the block of slot colours.
inline constexpr std::size_t kOlderProjectSize = 22374;

using SixColors = std::array<Rgb, 6>;  // LUM, BAK, PF0, PF1, PF2, PF3

struct ProjectData {
    std::array<FontBytes, kSlotCount> fonts{};
    std::array<std::array<std::int32_t, kSetCells>, kSetCount> sets{};
    std::array<int, 6> registerValues{};
    SixColors registerRgb{};
    std::array<std::array<std::int32_t, kViewColumns>, kViewRows> view{};
    // Absent in the older form.
    std::optional<std::array<SixColors, kSlotCount>> slotColors;
};

Bytes WriteProject(const ProjectData& project);
// Nothing when the file does not start with the magic. Cells that are not a
// character code or -1 come back empty.
std::optional<ProjectData> ReadProject(const Bytes& file);

}  // namespace qm
