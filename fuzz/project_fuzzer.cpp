// A project file of any length and content, checked as the editor would hold
// it after "Open project".

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/no_coverage.h"
#include "core/project_format.h"
#include "invariants.h"

namespace {

using qm::fuzz::Require;

// The fonts are the file's bytes after the magic, zeros past a short file's
// end; what becomes of them in a slot is the font target's concern.
void RequireFonts(const qm::ProjectData& project, const std::uint8_t* data, std::size_t size) {
    const std::size_t fontBytes = static_cast<std::size_t>(qm::kSlotCount) * qm::kFontBytes;
    std::vector<std::uint8_t> expected(fontBytes, 0);
    if (size > 4) std::memcpy(expected.data(), data + 4, std::min(size - 4, fontBytes));
    Require(std::memcmp(project.fonts.data(), expected.data(), fontBytes) == 0, "the fonts are the file's bytes");
}

QM_NO_COVERAGE void RequireCells(const qm::ProjectData& project) {
    for (const auto& set : project.sets) {
        for (std::int32_t cell : set) qm::fuzz::RequireCell(cell);
    }
    for (const auto& row : project.view) {
        for (std::int32_t cell : row) qm::fuzz::RequireCell(cell);
    }
}

void RequireColors(const qm::ProjectData& project, std::size_t size) {
    for (int value : project.registerValues) qm::fuzz::RequireRegisterValue(value);
    for (qm::Rgb color : project.registerRgb) qm::fuzz::RequireColor(color);
    Require(project.slotColors.has_value() == (size > qm::kOlderProjectSize),
            "only the newer form carries slot colours", static_cast<long long>(size));
    if (!project.slotColors) return;
    for (const qm::SixColors& colors : *project.slotColors) {
        for (qm::Rgb color : colors) qm::fuzz::RequireColor(color);
    }
}

bool SameProject(const qm::ProjectData& a, const qm::ProjectData& b) {
    return a.fonts == b.fonts && a.sets == b.sets && a.registerValues == b.registerValues &&
           a.registerRgb == b.registerRgb && a.view == b.view && a.slotColors == b.slotColors;
}

bool StartsWithMagic(const std::uint8_t* data, std::size_t size) {
    return size >= 4 && data[0] == 'F' && data[1] == 'P' && data[2] == 'R' && data[3] == 'J';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<qm::ProjectData> project = qm::ReadProject(qm::Bytes(data, data + size));
    Require(project.has_value() == StartsWithMagic(data, size), "a project is recognised by its magic alone");
    if (!project) return 0;
    RequireFonts(*project, data, size);
    RequireCells(*project);
    RequireColors(*project, size);

    // What was read must survive a save and a reload unchanged.
    const std::optional<qm::ProjectData> again = qm::ReadProject(qm::WriteProject(*project));
    Require(again.has_value() && SameProject(*project, *again), "a project reads back as it was saved");
    return 0;
}
