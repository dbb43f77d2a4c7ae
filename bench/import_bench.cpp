// Cutting a full-screen picture (480 x 320, 60 x 40 cells) into characters
// with the duplicates dropped, as "Import picture..." plans and makes it.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "core/picture_import.h"

namespace qm::bench {

namespace {

// A title screen: mostly blank, a band of distinct cells and repeated tiles,
// so that the distinct cells just fit the font.
Image TitleScreen(const Document& doc) {
    Image picture(kViewColumns * 8, kViewRows * 8);
    std::fill(picture.pixels.begin(), picture.pixels.end(), doc.RegisterRgb[BAK]);
    std::mt19937 random(13);
    for (int cell = 0; cell < kViewColumns * kViewRows; ++cell) {
        const int column = cell % kViewColumns, row = cell / kViewColumns;
        if (row % 3 == 0) continue;
        const unsigned pattern = cell < 160 ? static_cast<unsigned>(random()) : static_cast<unsigned>(cell % 20) * 977u;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                if ((pattern >> ((x + 3 * y) % 32)) & 1) picture.At(column * 8 + x, row * 8 + y) = doc.RegisterRgb[LUM];
            }
        }
    }
    return picture;
}

void ImportFullScreen(benchmark::State& state) {
    Document doc;
    ResetDocument(doc);
    const Image picture = TitleScreen(doc);
    PictureImportOptions options;
    options.multicolour = state.range(0) != 0;
    options.placeOnView = true;
    int characters = 0;
    for (auto _ : state) {
        Document target = doc;
        const PictureImportPlan plan = PlanPictureImport(picture, target, options);
        benchmark::DoNotOptimize(ApplyPictureImport(target, 1, plan, options).changed);
        characters = static_cast<int>(plan.chars.size());
    }
    state.counters["characters"] = characters;
}
BENCHMARK(ImportFullScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A multicolour screen in five colours, a quarter of its cells showing the
// fifth: the colours taken from the picture, PF3 cells made inverse codes.
Image FiveColourScreen() {
    const Rgb colours[5] = {MakeRgb(0, 0, 0), MakeRgb(200, 40, 40), MakeRgb(40, 200, 40), MakeRgb(40, 40, 200),
                            MakeRgb(250, 250, 0)};
    Image picture(kViewColumns * 8, kViewRows * 8);
    std::mt19937 random(29);
    for (int cell = 0; cell < kViewColumns * kViewRows; ++cell) {
        const unsigned pattern = static_cast<unsigned>(random() % 100) * 2654435761u;
        const bool fifth = random() % 4 == 0;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; x += 2) {
                const int pair = static_cast<int>((pattern >> ((x + 3 * y) % 30)) & 3);
                const Rgb colour = colours[pair == 3 && fifth ? 4 : pair];
                picture.At(cell % kViewColumns * 8 + x, cell / kViewColumns * 8 + y) = colour;
                picture.At(cell % kViewColumns * 8 + x + 1, cell / kViewColumns * 8 + y) = colour;
            }
        }
    }
    return picture;
}

void ImportFiveColours(benchmark::State& state) {
    Document doc;
    ResetDocument(doc);
    const Image picture = FiveColourScreen();
    PictureImportOptions options;
    options.multicolour = true;
    options.colours = ImportColours::Picture;
    options.placeOnView = true;
    int inverse = 0;
    for (auto _ : state) {
        Document target = doc;
        const PictureImportPlan plan = PlanPictureImport(picture, target, options);
        benchmark::DoNotOptimize(ApplyPictureImport(target, 1, plan, options).changed);
        inverse = static_cast<int>(std::count(plan.inverse.begin(), plan.inverse.end(), 1));
    }
    state.counters["inverse_cells"] = inverse;
}
BENCHMARK(ImportFiveColours)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace qm::bench
