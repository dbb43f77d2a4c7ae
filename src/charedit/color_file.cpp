#include "charedit/color_file.h"

#include "charedit/color_format.h"
#include "charedit/color_registers.h"
#include "charedit/font_sheet.h"
#include "files/paths.h"

namespace qm {

namespace {
const char* const kColorFilters = "Text (*.col)|*.col|All files (*.*)|*.*";
}  // namespace

void SaveColorFile(EditorState& s) {
    const std::string path = AskSavePath("Save colors (.col)", "", kColorFilters, ".col", false);
    if (path.empty()) return;
    tk::SaveFileReporting(path, EncodeColorFile(ColorRegisters{s.RegisterValue, s.RegisterRgb}));
}

void LoadColorFile(EditorState& s) {
    const tk::FileAnswer answer = tk::OpenFileDialog("Load colors (.col)", "", kColorFilters, 0);
    if (answer.path.empty()) return;
    std::vector<unsigned char> bytes;
    if (!tk::ReadWholeFile(answer.path, bytes, kColorFileSize)) return;
    ColorRegisters registers{};
    if (!DecodeColorFile(bytes, registers)) {
        tk::MessageBox("Error!", "This file is not QMR color data!");
        return;
    }
    for (int reg = LUM; reg <= PF3; ++reg) {
        s.RegisterValue[reg] = registers.values[reg];
        s.RegisterRgb[reg] = registers.rgb[reg];
    }
    ShowColorIndicators(s);
    RedrawAll(s);
}

}  // namespace qm
