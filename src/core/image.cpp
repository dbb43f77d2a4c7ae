#include "core/image.h"

#include <algorithm>

namespace qm {

void Image::FillBox(int x, int y, int w, int h, Rgb color) {
    const int left = std::max(x, 0), right = std::min(x + w, width);
    const int top = std::max(y, 0), bottom = std::min(y + h, height);
    for (int row = top; row < bottom; ++row) {
        std::fill(pixels.begin() + static_cast<std::ptrdiff_t>(row) * width + left,
                  pixels.begin() + static_cast<std::ptrdiff_t>(row) * width + right, color & 0xFFFFFFu);
    }
}

}  // namespace qm
