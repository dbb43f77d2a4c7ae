#include "core/project_format.h"

namespace qm {

namespace {

void WriteColors(ByteWriter& out, const SixColors& colors) {
    for (Rgb color : colors) out.Uint32(color);
}

// A damaged file's top byte would read as an opacity when drawing.
SixColors ReadColors(ByteReader& in) {
    SixColors colors{};
    for (Rgb& color : colors) color = in.Uint32() & 0xFFFFFFu;
    return colors;
}

std::int32_t ValidCell(std::int32_t value) { return value >= kEmptyCell && value < kCharCount ? value : kEmptyCell; }


SixColors ToSix(const RegisterColors& colors) {
    SixColors six{};
    for (int reg = LUM; reg <= PF3; ++reg) six[reg - 1] = colors[reg];
    return six;
}

RegisterColors FromSix(const SixColors& six) {
    RegisterColors colors{};
    for (int reg = LUM; reg <= PF3; ++reg) colors[reg] = six[reg - 1];
    return colors;
}

}  // namespace

Bytes WriteProject(const ProjectData& project) {
    ByteWriter out;
    out.Reserve(kProjectSize);
    out.Uint32(kProjectMagic);
    for (const FontBytes& font : project.fonts) out.Write(font.data(), font.size());
    for (const auto& set : project.sets) {
        for (std::int32_t cell : set) out.Byte(cell);
    }
    for (int value : project.registerValues) out.Byte(value);
    WriteColors(out, project.registerRgb);
    for (const auto& row : project.view) {
        for (std::int32_t cell : row) out.Int32(cell);
    }
    if (project.slotColors) {
        for (const SixColors& colors : *project.slotColors) WriteColors(out, colors);
    }
    return out.Take();
}

std::optional<ProjectData> ReadProject(const Bytes& file) {
    ByteReader in(file);
    if (in.Uint32() != kProjectMagic) return std::nullopt;

    ProjectData project;
    for (FontBytes& font : project.fonts) in.Read(font.data(), font.size());
    for (auto& set : project.sets) {
        for (std::int32_t& cell : set) cell = ValidCell(in.Signed8());
    }
    for (int& value : project.registerValues) value = in.Unsigned8();
    project.registerRgb = ReadColors(in);
    for (auto& row : project.view) {
        for (std::int32_t& cell : row) cell = ValidCell(in.Int32());
    }
    if (file.size() > kOlderProjectSize) {
        project.slotColors.emplace();
        for (SixColors& colors : *project.slotColors) colors = ReadColors(in);
    }
    return project;
}

ProjectData ProjectOf(const Document& doc) {
    ProjectData project;
    for (int slot = 1; slot <= kSlotCount; ++slot) project.fonts[slot - 1] = PackFont(doc.Slots[slot]);
    for (int set = 1; set <= kSetCount; ++set) project.sets[set - 1] = doc.SetTable[set].cells;
    for (int reg = LUM; reg <= PF3; ++reg) project.registerValues[reg - 1] = doc.RegisterValue[reg];
    project.registerRgb = ToSix(doc.RegisterRgb);
    project.view = doc.ViewScreen;
    project.slotColors.emplace();
    for (int slot = 1; slot <= kSlotCount; ++slot) (*project.slotColors)[slot - 1] = ToSix(doc.Slots[slot].colors);
    return project;
}

void ApplyProject(Document& doc, const ProjectData& project) {
    for (int slot = 1; slot <= kSlotCount; ++slot) UnpackFont(project.fonts[slot - 1], doc.Slots[slot]);
    for (int set = 1; set <= kSetCount; ++set) doc.SetTable[set].cells = project.sets[set - 1];
    for (int reg = LUM; reg <= PF3; ++reg) doc.RegisterValue[reg] = project.registerValues[reg - 1];
    doc.RegisterRgb = FromSix(project.registerRgb);
    doc.ViewScreen = project.view;
    if (project.slotColors) {
        for (int slot = 1; slot <= kSlotCount; ++slot) doc.Slots[slot].colors = FromSix((*project.slotColors)[slot - 1]);
        doc.RegisterRgb = doc.Slots[1].colors;
    }
    MatchRegisterValues(doc);
}

}  // namespace qm
