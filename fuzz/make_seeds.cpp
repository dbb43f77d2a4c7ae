// Writes seed inputs for the fuzzers with the program's own writers, so each
// fuzzer starts from files the editor really saves:
//   fuzz_make_seeds <corpus folder>   (one sub-folder per fuzz target)

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/color_format.h"
#include "core/font_format.h"
#include "core/font_image.h"
#include "core/image.h"
#include "core/project_format.h"
#include "core/set_format.h"
#include "core/tmx_format.h"
#include "core/view_format.h"

namespace {

using Seed = std::vector<unsigned char>;

std::filesystem::path root;

void Put(const std::string& target, const std::string& name, const Seed& bytes) {
    const std::filesystem::path folder = root / target;
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

qm::SetRecord SampleSet(int first) {
    qm::SetRecord set;
    for (int i = 0; i < qm::kSetCells; ++i) set.cells[i] = i % 3 == 2 ? qm::kEmptyCell : (first + i) % qm::kCharCount;
    return set;
}

qm::ViewCells SampleView() {
    qm::ViewCells view{};
    for (int y = 0; y < qm::kViewRows; ++y) {
        for (int x = 0; x < qm::kViewColumns; ++x) view[y][x] = (x + y) % 5 == 0 ? (x * y) % qm::kCharCount : qm::kEmptyCell;
    }
    return view;
}

qm::ProjectData SampleProject() {
    qm::ProjectData project;
    for (qm::FontBytes& font : project.fonts) font = qm::DefaultFontData;
    for (int n = 0; n < qm::kSetCount; ++n) project.sets[n] = SampleSet(n).cells;
    project.registerValues = {15, 0, 40, 202, 148, 70};
    project.registerRgb = {0xFFFFFF, 0x000000, 0x2050C0, 0xC0C040, 0x4080FF, 0x808080};
    project.view = SampleView();
    project.slotColors.emplace();
    for (qm::SixColors& colors : *project.slotColors) colors = project.registerRgb;
    return project;
}

void FontSeeds() {
    Put("font", "standard.fnt", qm::WriteFontBytes(qm::DefaultFontData));
    Put("font", "range.fnt", qm::WriteFontRange(qm::DefaultFontData, 33, 58));
}

void ProjectSeeds() {
    qm::ProjectData project = SampleProject();
    Put("project", "current.proj", qm::WriteProject(project));
    project.slotColors.reset();
    Put("project", "older.proj", qm::WriteProject(project));
}

void ColorSeeds() {
    qm::ColorRegisters registers{};
    registers.values = {0, 15, 0, 40, 202, 148, 70};
    registers.rgb = {0, 0xFFFFFF, 0x000000, 0x2050C0, 0xC0C040, 0x4080FF, 0x808080};
    Put("color", "registers.col", qm::EncodeColorFile(registers));
}

void SetSeeds() {
    Put("set", "one.set", qm::EncodeSetFile(SampleSet(65)));
    qm::SetArray sets{};
    for (int n = 1; n <= qm::kSetCount; ++n) sets[n] = SampleSet(n);
    Put("sets", "all.sets", qm::EncodeAllSetsFile(sets));
}

void ViewSeeds() {
    const qm::ViewBytes view = qm::EncodeViewFile(SampleView());
    Put("view", "screen.ved", view);
    qm::ViewBytes withRegion = view;
    const qm::Region region{3, 2, 10, 6};
    const auto* regionBytes = reinterpret_cast<const unsigned char*>(&region);
    withRegion.insert(withRegion.end(), regionBytes, regionBytes + sizeof region);
    Put("view", "screen-and-region.ved", withRegion);
}

Seed Text(const std::string& text) { return Seed(text.begin(), text.end()); }

void PathSeeds() {
    Put("paths", "plain", Text(std::string("\x00/home/atari/fonts/analog.FNT\0.fnt", 35)));
    Put("paths", "second-filter", Text(std::string("\x03/tmp/set\0.set", 14)));
    Put("paths", "backslashes", Text(std::string("\x80" "C:\\FONTS\\CHESS", 15)));
}

// Font pictures as the image export writes them; the last byte picks the scale.
void PictureSeeds() {
    qm::FontSlot font;
    qm::UnpackFont(qm::DefaultFontData, font);
    Put("picture", "font.png", qm::EncodePng(qm::RenderFontImage(font, qm::kDefaultRegisterRgb, false, 1)));
    Put("picture", "font-multicolour.bmp", qm::EncodeBmp(qm::RenderFontImage(font, qm::kDefaultRegisterRgb, true, 1)));
}

// The screen as export-tmx writes it; the maps Tiled writes are kept beside it.
void TmxSeeds() { Put("tmx", "screen.tmx", Text(qm::WriteTmx(qm::ScreenGrid(SampleView()), "screen.tsx", "Screen"))); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    root = argv[1];
    FontSeeds();
    ProjectSeeds();
    ColorSeeds();
    SetSeeds();
    ViewSeeds();
    PathSeeds();
    PictureSeeds();
    TmxSeeds();
    return 0;
}
