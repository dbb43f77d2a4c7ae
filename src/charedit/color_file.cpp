#include "core/file_io.h"
#include "session/save_dialog.h"
#include "charedit/color_file.h"

#include "core/color_format.h"
#include "charedit/color_registers.h"
#include "charedit/font_sheet.h"
#include "core/paths.h"

namespace qm {

namespace {
const char* const kColorFilters = "Text (*.col)|*.col|All files (*.*)|*.*";
}  // namespace

void SaveColorFile(EditorState& s) {
    const std::string path = AskSavePath("Save colors (.col)", "", kColorFilters, ".col", false);
    if (path.empty()) return;
    SaveAndTell(s, path, EncodeColorFile(ColorRegisters{s.doc.RegisterValue, s.doc.RegisterRgb}));
}

void LoadColorFile(EditorState& s) {
    const tk::FileAnswer answer = tk::OpenFileDialog("Load colors (.col)", "", kColorFilters, 0);
    if (!answer.path.empty()) LoadColorFrom(s, answer.path);
}

bool LoadColorFrom(EditorState& s, const std::string& path) {
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(path, bytes, kColorFileSize)) return false;
    ColorRegisters registers{};
    if (!DecodeColorFile(bytes, registers)) {
        tk::MessageBox("Error!", "This file is not QMR color data!");
        return false;
    }
    for (int reg = LUM; reg <= PF3; ++reg) {
        s.doc.RegisterValue[reg] = registers.values[reg];
        s.doc.RegisterRgb[reg] = registers.rgb[reg];
    }
    ShowColorIndicators(s);
    RedrawAll(s);
    return true;
}

}  // namespace qm
