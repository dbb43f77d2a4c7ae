#include "session/save_dialog.h"
#include "files/export_image.h"

#include "files/export_image_dialog.h"
#include "core/font_image.h"
#include "session/modal_dialog.h"

namespace qm {

namespace {

constexpr int kScaleCount = 4;

struct ImageFormat {
    const char* title;
    const char* filter;
    const char* extension;
    std::vector<unsigned char> (*encode)(const Image&);
};

const ImageFormat kBmp = {"Save font to image BMP format (.bmp)", "BMP Image (*.bmp)|*.bmp|All files (*.*)|*.*",
                          ".bmp", EncodeBmp};
const ImageFormat kPng = {"Save font to image PNG format (.png)", "PNG Image (*.png)|*.png|All files (*.*)|*.*",
                          ".png", EncodePng};

int PictureWidth(int scale) { return 256 * (scale + 1); }
int PictureHeight(int scale) { return 64 * (scale + 1); }

Image FontPicture(const EditorState& s, int scale) {
    return RenderFontImage(s.Slot(), s.doc.RegisterRgb, s.MulticolorMode == DisplayMode::Multicolor, scale + 1);
}

}  // namespace

void ShowImageScale(EditorState& s, const ImageExportDialog& d, int scale) {
    const int width = PictureWidth(scale), height = PictureHeight(scale);
    tk::SetText(d.sizeLabel, "Image size: " + std::to_string(width) + "x" + std::to_string(height));
    tk::MoveControl(d.canvas, 0, 0, width, height);
    tk::SetInnerSize(d.scrollArea, width, height);
    tk::CanvasSurface(d.canvas).DrawImage(0, 0, tk::SurfaceFromImage(FontPicture(s, scale)));
    tk::Refresh(d.canvas);
}

ImageExportDialog OpenImageExportDialog(EditorState& s, int x, int y, int width, int height) {
    ImageExportDialog d;
    d.window = OpenModalDialog(s, "Export font to image PNG, BMP...", x, y, width, height);
    tk::CreateControl(d.window, tk::ControlKind::Label, 20, 23, 70, 20, "Image scale:");
    d.scales = tk::CreateControl(d.window, tk::ControlKind::DropDown, 100, 20, 40, 20);
    for (int scale = 0; scale < kScaleCount; ++scale) tk::AddItem(d.scales, std::string("x") + std::to_string(scale + 1));
    tk::SelectItem(d.scales, 0);
    d.sizeLabel = tk::CreateControl(d.window, tk::ControlKind::Label, 260, 23, 130, 20, "Image size: ");
    d.saveBmp = tk::CreateControl(d.window, tk::ControlKind::Button, 410, 20, 70, 20, "Save BMP");
    d.savePng = tk::CreateControl(d.window, tk::ControlKind::Button, 490, 20, 70, 20, "Save PNG");
    d.scrollArea = tk::CreateControl(d.window, tk::ControlKind::ScrollArea, 10, 50, 550, 280);
    tk::SetScrollStep(d.scrollArea, 1);
    d.canvas = tk::CreateControl(d.window, tk::ControlKind::Canvas, 0, 0, PictureWidth(0), PictureHeight(0), "", 0,
                                 d.scrollArea);
    ShowImageScale(s, d, 0);
    return d;
}

namespace {

int SelectedScale(const ImageExportDialog& d) {
    const int scale = tk::SelectedItem(d.scales);
    return scale >= 0 && scale < kScaleCount ? scale : 0;
}

// True when the picture was written. A failed write has shown its message and
// leaves the dialog open, so the user can try another name.
bool SavePicture(EditorState& s, const ImageExportDialog& d, const ImageFormat& format) {
    const std::string path = AskSavePath(format.title, "", format.filter, format.extension, true);
    if (path.empty()) return false;

    const std::vector<unsigned char> bytes = format.encode(FontPicture(s, SelectedScale(d)));
    if (bytes.empty()) {
        tk::MessageBox("Error!", "The picture could not be encoded for " + path);
        return false;
    }
    return SaveAndTell(s, path, bytes);
}

}  // namespace

void RunImageExportDialog(EditorState& s, const ImageExportDialog& d) {
    for (;;) {
        const tk::Event event = tk::WaitEventFor(d.window);
        if (EndsDialog(event)) break;
        if (IsControlEvent(event, d.scales)) ShowImageScale(s, d, SelectedScale(d));
        if (IsControlEvent(event, d.saveBmp) && SavePicture(s, d, kBmp)) break;
        if (IsControlEvent(event, d.savePng) && SavePicture(s, d, kPng)) break;
    }
    CloseModalDialog(s, d.window);
}

void ExportImageDialog(EditorState& s, int x, int y, int width, int height) {
    RunImageExportDialog(s, OpenImageExportDialog(s, x, y, width, height));
}

}  // namespace qm
