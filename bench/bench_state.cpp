#include "core/file_io.h"
#include "bench_state.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "app/startup.h"
#include "charedit/char_editor.h"
#include "charedit/font_sheet.h"
#include "session/font_buffer.h"
#include "sets/sets_viewer.h"
#include "sets/view_editor.h"

namespace qm::bench {

namespace {

// The layer under slot 1 in the mask view; a real font, so the mask view
// draws its crosses as well as its dimmed pairs.
constexpr const char* kLayerFont = QUILLMERE_TESTDATA "/fonts/broadway.fnt";

std::unique_ptr<EditorState> editor;
tk::WindowId exportWindow = 0;
tk::ControlId exportPreview = 0;

void LoadLayerFont(EditorState& s) {
    std::vector<unsigned char> bytes;
    if (!qm::ReadWholeFile(kLayerFont, bytes) || bytes.size() < kFontBytes) {
        std::fprintf(stderr, "quillmere_bench: %s unreadable; the mask layer is the standard set instead\n",
                     kLayerFont);
        bytes.assign(DefaultFontData.begin(), DefaultFontData.end());
    }
    std::copy(bytes.begin(), bytes.begin() + kFontBytes, s.FontBuffer.begin());
    UnpackFont(s, 2);
}

// Letters, digits and graphics characters mixed, as a drawn screen has them.
int CharFor(int index) { return (index * 37 + 11) % kCharCount; }

void FillSetsAndView(EditorState& s) {
    for (int set = 1; set <= kSetCount; ++set) {
        for (int cell = 0; cell < kSetCells; ++cell) s.doc.SetTable[set].cells[cell] = CharFor(set * kSetCells + cell);
    }
    for (int y = 0; y < kViewRows; ++y) {
        for (int x = 0; x < kViewColumns; ++x) s.doc.ViewScreen[y][x] = CharFor(y * kViewColumns + x);
    }
}

void Build(EditorState& s) {
    StartUp(s);
    LoadLayerFont(s);
    FillSetsAndView(s);
    s.CurrentChar = s.Set().cells[0];
    OpenSetsViewer(s);
    OpenViewEditor(s);
    tk::DiscardEvents();
    RedrawAll(s);
}

}  // namespace

EditorState& Editor() {
    if (!editor) {
        editor = std::make_unique<EditorState>();
        Build(*editor);
    }
    return *editor;
}

void UseHiRes(EditorState& s) {
    if (s.MulticolorMode != DisplayMode::HiRes) SwitchDisplayMode(s);
    ChooseLayerMode(s, Layer::Normal);
}

void UseMaskLayer(EditorState& s) {
    if (s.MulticolorMode == DisplayMode::HiRes) SwitchDisplayMode(s);
    ChooseLayerMode(s, Layer::Mask);
}

std::vector<tk::ControlId> RedrawnCanvases(EditorState& s) {
    std::vector<tk::ControlId> canvases;
    std::vector<std::uint64_t> before;
    for (tk::WindowId w : {s.ui.window, s.viewerUi.window, s.viewUi.window}) {
        if (w == 0 || !tk::WindowExists(w)) continue;
        for (tk::ControlId c : tk::Controls(w)) {
            if (tk::KindOf(c) != tk::ControlKind::Canvas) continue;
            canvases.push_back(c);
            before.push_back(tk::CanvasSurface(c).Generation());
        }
    }
    s.drawn = {};
    RedrawAll(s);
    std::vector<tk::ControlId> redrawn;
    for (std::size_t i = 0; i < canvases.size(); ++i) {
        if (tk::CanvasSurface(canvases[i]).Generation() != before[i]) redrawn.push_back(canvases[i]);
    }
    return redrawn;
}

tk::ControlId ExportPreview() {
    if (exportPreview == 0) {
        exportWindow = tk::OpenWindow("Export preview", 200, 10, 420, 580, tk::TitleBar);
        exportPreview = tk::CreateControl(exportWindow, tk::ControlKind::TextEdit, 10, 40, 400, 500);
    }
    return exportPreview;
}

void CloseEditor() {
    if (exportWindow != 0 && tk::WindowExists(exportWindow)) tk::CloseWindow(exportWindow);
    if (editor) CloseAllWindows(*editor);
    editor.reset();
}

}  // namespace qm::bench
