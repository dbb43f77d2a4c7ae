#pragma once

#include <array>

#include "core/rgb.h"

namespace qm {

// Screen colour of the platform byte 16 * hue + 2 * column: [hue][column].
extern const std::array<std::array<Rgb, 8>, 16> PlatformPalette;

}  // namespace qm
