#include "files/import_dialogs.h"

#include <optional>

#include "core/file_io.h"
#include "core/font_format.h"
#include "core/picture_import.h"
#include "session/modal_dialog.h"

namespace qm {

namespace {

constexpr const char* kPictureFilter = "Pictures (*.png;*.bmp)|*.png;*.bmp|All files (*.*)|*.*";
constexpr const char* kAnyFileFilter = "All files (*.*)|*.*";
constexpr std::size_t kPictureReadLimit = 64u << 20;
constexpr std::size_t kFontSourceReadLimit = 16u << 20;

tk::ControlId Check(tk::WindowId window, int x, int y, int width, const char* text, bool checked) {
    const tk::ControlId box = tk::CreateControl(window, tk::ControlKind::CheckBox, x, y, width, 20, text);
    tk::SetChecked(box, checked);
    return box;
}

tk::ControlId Spin(tk::WindowId window, int x, int y, int low, int high, int value) {
    const tk::ControlId spin = tk::CreateControl(window, tk::ControlKind::Spin, x, y, 60, 20);
    tk::SetRange(spin, low, high);
    tk::SetValue(spin, value);
    return spin;
}

PictureImportOptions OptionsOf(const EditorState& s, const PictureImportDialog& d) {
    PictureImportOptions o;
    o.scale = tk::Value(d.scale);
    o.firstChar = tk::Value(d.firstChar);
    o.multicolour = tk::IsChecked(d.multicolour);
    o.colours = tk::IsChecked(d.pictureColours) ? ImportColours::Picture : ImportColours::Registers;
    o.keepDuplicates = tk::IsChecked(d.keepDuplicates);
    o.reduce = tk::IsChecked(d.reduce);
    o.placeOnView = tk::IsChecked(d.onView);
    o.placeInSets = tk::IsChecked(d.intoSets);
    o.firstSet = s.CurrentSet;
    return o;
}

PictureImportPlan PlanOf(const EditorState& s, const PictureImportDialog& d, const PictureImportOptions& o) {
    const PictureFile picture = ReadPictureFile(d.file, o.scale);
    if (!picture.error.empty()) {
        PictureImportPlan refused;
        refused.error = picture.error;
        return refused;
    }
    return PlanPictureImport(picture.image, s.doc, o);
}

}  // namespace

std::string PictureImportSummary(const EditorState& s, const PictureImportDialog& d) {
    const PictureImportOptions o = OptionsOf(s, d);
    return DescribePlan(PlanOf(s, d, o), o);
}

PictureImportDialog OpenPictureImportDialog(EditorState& s, Bytes file) {
    PictureImportDialog d;
    d.file = std::move(file);
    d.window = OpenModalDialog(s, "Import picture", 200, 150, 430, 250);
    tk::CreateControl(d.window, tk::ControlKind::Label, 10, 10, 70, 20, "Scale");
    d.scale = Spin(d.window, 90, 10, 1, kMaxImportScale, 1);
    tk::CreateControl(d.window, tk::ControlKind::Label, 10, 40, 70, 20, "First char");
    d.firstChar = Spin(d.window, 90, 40, 0, kCharCount - 1, IsCharCode(s.CurrentChar) ? s.CurrentChar : 0);
    d.multicolour = Check(d.window, 170, 10, 250, "Multicolour", s.MulticolorMode == DisplayMode::Multicolor);
    d.pictureColours = Check(d.window, 170, 40, 250, "Colours from the picture", false);
    d.keepDuplicates = Check(d.window, 10, 70, 160, "Keep duplicates", false);
    d.reduce = Check(d.window, 170, 70, 250, "Merge alike characters to fit", false);
    d.onView = Check(d.window, 10, 100, 160, "Place on view screen", false);
    d.intoSets = Check(d.window, 170, 100, 250, "Place into sets from this set", false);
    d.summary = tk::CreateControl(d.window, tk::ControlKind::Label, 10, 130, 410, 70, "", tk::Bordered | tk::MultiLine);
    d.import = tk::CreateControl(d.window, tk::ControlKind::Button, 250, 215, 80, 25, "Import");
    d.cancel = tk::CreateControl(d.window, tk::ControlKind::Button, 340, 215, 80, 25, "Cancel");
    tk::SetText(d.summary, PictureImportSummary(s, d));
    return d;
}

void RunPictureImportDialog(EditorState& s, PictureImportDialog& d) {
    for (;;) {
        const tk::Event event = tk::WaitEventFor(d.window);
        if (EndsDialog(event) || IsControlEvent(event, d.cancel)) break;
        if (IsControlEvent(event, d.import)) {
            const PictureImportOptions o = OptionsOf(s, d);
            const ImportOutcome outcome = ApplyPictureImport(s.doc, s.CurrentSlot, PlanOf(s, d, o), o);
            tk::MessageBox(outcome.changed ? "Import picture" : "Error...", outcome.message);
            if (outcome.changed) break;
        }
        tk::SetText(d.summary, PictureImportSummary(s, d));
    }
    CloseModalDialog(s, d.window);
    RedrawAll(s);
}

namespace {

std::string FontBytesSummary(const FontBytesDialog& d) {
    const FontBytesImport read = ReadFontBytesAt(d.file, static_cast<std::size_t>(tk::Value(d.offset)));
    if (!read.error.empty()) return read.error;
    std::string text = "A file of " + std::to_string(d.file.size()) + " bytes: 1024 bytes from offset " +
                       std::to_string(read.dataOffset) + " replace the 128 characters of this slot.";
    if (read.headerFound) text += " A binary load header was found and is skipped.";
    return text;
}

}  // namespace

FontBytesDialog OpenFontBytesDialog(EditorState& s, Bytes file) {
    FontBytesDialog d;
    d.file = std::move(file);
    d.window = OpenModalDialog(s, "Import font bytes", 200, 150, 430, 150);
    tk::CreateControl(d.window, tk::ControlKind::Label, 10, 10, 70, 20, "Offset");
    d.offset = tk::CreateControl(d.window, tk::ControlKind::Spin, 90, 10, 100, 20);
    tk::SetRange(d.offset, 0, static_cast<int>(std::min<std::size_t>(d.file.size(), kFontSourceReadLimit)));
    tk::SetValue(d.offset, 0);
    d.summary = tk::CreateControl(d.window, tk::ControlKind::Label, 10, 40, 410, 60, "", tk::Bordered | tk::MultiLine);
    d.import = tk::CreateControl(d.window, tk::ControlKind::Button, 250, 115, 80, 25, "Import");
    d.cancel = tk::CreateControl(d.window, tk::ControlKind::Button, 340, 115, 80, 25, "Cancel");
    tk::SetText(d.summary, FontBytesSummary(d));
    return d;
}

void RunFontBytesDialog(EditorState& s, FontBytesDialog& d) {
    for (;;) {
        const tk::Event event = tk::WaitEventFor(d.window);
        if (EndsDialog(event) || IsControlEvent(event, d.cancel)) break;
        if (IsControlEvent(event, d.import)) {
            const FontBytesImport read = ReadFontBytesAt(d.file, static_cast<std::size_t>(tk::Value(d.offset)));
            if (read.error.empty()) {
                UnpackFont(read.font, s.Slot());
                break;
            }
            tk::MessageBox("Error...", read.error);
        }
        tk::SetText(d.summary, FontBytesSummary(d));
    }
    CloseModalDialog(s, d.window);
    RedrawAll(s);
}

std::optional<Bytes> ChooseAndReadFile(const std::string& title, const std::string& filter, std::size_t limit) {
    const tk::FileAnswer answer = tk::OpenFileDialog(title, "", filter, 0);
    if (answer.path.empty()) return std::nullopt;
    return ReadChosenFile(answer.path, limit);
}

std::optional<Bytes> ReadChosenFile(const std::string& path, std::size_t limit) {
    Bytes file;
    if (!ReadWholeFile(path, file, limit)) {
        tk::MessageBox("Error...", "The file " + path + " cannot be read.");
        return std::nullopt;
    }
    return file;
}

void ImportPicture(EditorState& s) {
    std::optional<Bytes> file = ChooseAndReadFile("Import picture", kPictureFilter, kPictureReadLimit);
    if (!file) return;
    PictureImportDialog d = OpenPictureImportDialog(s, std::move(*file));
    RunPictureImportDialog(s, d);
}

void ImportFontBytes(EditorState& s) {
    std::optional<Bytes> file = ChooseAndReadFile("Import font bytes", kAnyFileFilter, kFontSourceReadLimit);
    if (!file) return;
    FontBytesDialog d = OpenFontBytesDialog(s, std::move(*file));
    RunFontBytesDialog(s, d);
}

}  // namespace qm
