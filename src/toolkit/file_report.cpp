// Saving with the failure shown to the user, and pictures moved between
// canvases and plain memory.

#include "core/file_io.h"
#include "toolkit/toolkit.h"

namespace tk {

bool SaveFileReporting(const std::string& path, const std::vector<unsigned char>& bytes) {
    const std::string reason = qm::SaveFileSafely(path, bytes);
    if (reason.empty()) return true;
    MessageBox("Error!", "Cannot save " + path + ": " + reason);
    return false;
}

bool SaveFilesReporting(const std::vector<qm::OutputFile>& files) {
    std::size_t failed = 0;
    const std::string reason = qm::SaveFilesSafely(files, failed);
    if (reason.empty()) return true;
    MessageBox("Error!", "Cannot save " + files[failed].path + ": " + reason);
    return false;
}

Surface SurfaceFromImage(const qm::Image& image) {
    Surface surface(image.width, image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) surface.Plot(x, y, image.At(x, y));
    }
    return surface;
}

qm::Image ImageFromSurface(const Surface& surface) {
    qm::Image image(surface.Width(), surface.Height());
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) image.At(x, y) = surface.Pixel(x, y) & 0xFFFFFFu;
    }
    return image;
}

}  // namespace tk
