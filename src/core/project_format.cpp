#include "core/project_format.h"

#include "core/no_coverage.h"
#include "core/set_cell_bytes.h"
#include "core/set_format.h"
#include "core/view_format.h"

#include "core/tile_map_format.h"

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
    WriteSetCells(out, std::span<const SetCells>(project.sets));
    for (int value : project.registerValues) out.Byte(value);
    WriteColors(out, project.registerRgb);
    WriteViewCells(out, project.view);
    if (project.slotColors) {
        for (const SixColors& colors : *project.slotColors) WriteColors(out, colors);
    }
    Bytes file = out.Take();
    if (project.slotColors) {
        for (const TaggedBlock& block : project.extensions.blocks) {
            const std::string_view tag(block.tag.data(), block.tag.size());
            // The sets' own block is written from the cells as they are now.
            if (tag != kCode255Tag) AppendTaggedBlock(file, tag, block.data);
        }
        AppendCode255Block(file, std::span<const SetCells>(project.sets));
    }
    return file;
}

std::optional<ProjectData> ReadProject(const Bytes& file) {
    ByteReader in(file);
    if (in.Uint32() != kProjectMagic) return std::nullopt;

    ProjectData project;
    for (FontBytes& font : project.fonts) in.Read(font.data(), font.size());
    ReadSetCells(in, std::span<SetCells>(project.sets));
    for (int& value : project.registerValues) value = in.Unsigned8();
    project.registerRgb = ReadColors(in);
    ReadViewCells(in, project.view);
    if (file.size() > kOlderProjectSize) {
        project.slotColors.emplace();
        for (SixColors& colors : *project.slotColors) colors = ReadColors(in);
        project.extensions = ReadTaggedBlocks(file, kProjectSize);
        ApplyCode255Block(project.extensions, std::span<SetCells>(project.sets));
        std::erase_if(project.extensions.blocks, [](const TaggedBlock& block) {
            return std::string_view(block.tag.data(), block.tag.size()) == kCode255Tag;
        });
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
    if (doc.Map.InUse()) {
        project.extensions.blocks.push_back({{'T', 'M', 'A', 'P'}, EncodeMapBlock(doc.Map)});
    }
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
    doc.Map = MapOf(project).value_or(TileMap{});
}

std::optional<TileMap> MapOf(const ProjectData& project) {
    const TaggedBlock* block = project.extensions.Find(kMapBlockTag);
    if (!block) return std::nullopt;
    return DecodeMapBlock(block->data);
}

bool MapDamaged(const ProjectData& project) {
    const TaggedBlock* block = project.extensions.Find(kMapBlockTag);
    if (block) return !IsMapBlock(block->data);
    return project.extensions.damaged && std::string_view(project.extensions.damagedTag.data(), 4) == kMapBlockTag;
}

}  // namespace qm
