// Draws the pictures of the user guide: every window of the editor as the
// window system paints it, saved as PNG files in the folder given.
//   make_screenshots docs

#include <cstdio>
#include <string>
#include <vector>

#include "app/file_opening.h"
#include "app/main_event_handler.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "charedit/char_editor.h"
#include "charedit/font_sheet.h"
#include "charedit/palette.h"
#include "core/file_io.h"
#include "core/image.h"
#include "files/export_image.h"
#include "files/export_source.h"
#include "files/font_files.h"
#include "sets/sets_viewer.h"
#include "sets/view_editor.h"
#include "sets/view_export_window.h"
#include "toolkit/simulate/simulate.h"

namespace {

std::string folder;
bool failed = false;

void Save(tk::WindowId window, const std::string& name) {
    tk::simulate::Deliver();
    const qm::Image picture = tk::ImageFromSurface(tk::simulate::WindowPicture(window));
    const std::string error = qm::SaveFileSafely(folder + "/" + name, qm::EncodePng(picture));
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        failed = true;
    }
}

// A modal dialog is pictured as soon as it opens, under each name; the
// scripted requesters then close it.
void PictureNextDialog(const std::vector<std::string>& names) {
    tk::SetWindowOpenedHook([names, taken = false](tk::WindowId w) mutable {
        if (taken) return;
        taken = true;
        for (const std::string& name : names) Save(w, name);
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_screenshots FOLDER\n");
        return 2;
    }
    folder = argv[1];
    tk::Init(argc, argv);
    tk::SetScripted(true);
    static qm::EditorState s;
    qm::StartUp(s);
    const std::string fonts = std::string(QUILLMERE_TESTDATA) + "/fonts/";
    qm::OpenFiles(s, {fonts + "broadway.fnt", fonts + "curly.fnt", fonts + "chess.fnt"});
    for (int cell = 0; cell < 25; ++cell) s.Set().cells[static_cast<std::size_t>(cell)] = 33 + cell;
    for (int set = 2; set <= 10; ++set) {
        for (int cell = 0; cell < 25; ++cell) s.doc.SetTable[set].cells[static_cast<std::size_t>(cell)] = (set * 7 + cell) % 128;
    }
    for (int y = 0; y < qm::kViewRows; ++y) {
        for (int x = 0; x < qm::kViewColumns; ++x) s.doc.ViewScreen[y][x] = 33 + (x + y * 3) % 58;
    }
    s.CurrentChar = s.SheetChar = 34;
    qm::RedrawAll(s);
    Save(s.ui.window, "guide-main-window.png");
    Save(s.ui.window, "main-window.png");

    qm::OpenSetsViewer(s);
    qm::RedrawAll(s);
    Save(s.viewerUi.window, "guide-sets-viewer.png");
    qm::OpenViewEditor(s);
    qm::RedrawAll(s);
    Save(s.viewUi.window, "guide-view-editor.png");
    qm::OpenExportDialog(s);
    Save(s.exportUi.window, "guide-view-export.png");

    PictureNextDialog({"guide-palette.png", "palette-window.png"});
    qm::PaletteDialog(s, qm::PF0);
    PictureNextDialog({"guide-export-image.png"});
    qm::ExportImageDialog(s, 100, 100, 570, 330);
    PictureNextDialog({"guide-export-source.png"});
    qm::ExportFontDialog(s, 200, 10, 420, 580);
    PictureNextDialog({"guide-font-range.png"});
    qm::SaveFontRange(s);
    tk::SetWindowOpenedHook({});

    // The Mask layer: slot 2's characters under slot 1's, in multicolour.
    qm::CloseAllWindows(s);
    qm::StartUp(s);
    qm::OpenFiles(s, {fonts + "broadway.fnt", fonts + "chess.fnt"});
    qm::ChooseSheetCharacter(s, 33);
    qm::SwitchDisplayMode(s);
    tk::SetChecked(s.ui.maskMode, true);
    qm::ChooseLayerMode(s, qm::Layer::Mask);
    Save(s.ui.window, "mask-view.png");

    qm::CloseAllWindows(s);
    tk::Shutdown();
    return failed ? 1 : 0;
}
