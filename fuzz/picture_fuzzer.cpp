// A picture file of any bytes, read for import and cut into characters as
// "Import picture..." does. Pictures are taken up to 8 x 8 cells: a larger
// one runs the same code many times slower. (A font's picture, 32 x 8 cells,
// is the unit tests' concern.)

#include <cstddef>
#include <cstdint>

#include "core/picture_import.h"
#include "invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static qm::Document doc = [] {
        qm::Document d;
        qm::ResetDocument(d);
        return d;
    }();
    const qm::Bytes file(data, data + size);
    const int scale = size > 0 ? 1 + data[size - 1] % qm::kMaxImportScale : 1;
    constexpr qm::PictureCellLimit kLimit{8, 8};
    const qm::PictureFile picture = qm::ReadPictureFile(file, scale, kLimit);
    qm::fuzz::Require(picture.error.empty() != picture.image.Empty(), "a picture or a reason, never both");
    if (!picture.error.empty()) return 0;
    qm::fuzz::Require(picture.image.width <= 8 * kLimit.columns * scale && picture.image.height <= 8 * kLimit.rows * scale,
                      "no picture larger than the limit is decoded", picture.image.width);

    qm::PictureImportOptions options;
    options.scale = scale;
    options.multicolour = size % 2 == 0;
    options.colours = size % 3 == 0 ? qm::ImportColours::Picture : qm::ImportColours::Registers;
    options.reduce = true;
    options.placeOnView = true;
    const qm::PictureImportPlan plan = qm::PlanPictureImport(picture.image, doc, options);
    qm::fuzz::Require(plan.error.empty() && plan.fits, "a decoded picture always fits when reduced");
    qm::fuzz::Require(static_cast<int>(plan.map.size()) == plan.Cells(), "one map entry a cell");
    qm::Document changed = doc;
    qm::fuzz::Require(qm::ApplyPictureImport(changed, 1, plan, options).changed, "the import is made");
    for (const auto& row : changed.ViewScreen) {
        for (int cell : row) qm::fuzz::Require(cell == qm::kEmptyCell || qm::IsCellCode(cell), "view cells are codes", cell);
    }
    return 0;
}
