#include "session/save_dialog.h"
#include "files/export_source.h"

#include "core/export_lines.h"
#include "files/export_source_dialog.h"
#include "session/font_buffer.h"
#include "session/modal_dialog.h"
#include "core/paths.h"

namespace qm {

namespace {

std::vector<std::string> PreviewLines(tk::ControlId preview) {
    std::vector<std::string> lines;
    const int count = tk::LineCount(preview);
    for (int i = 0; i < count; ++i) lines.push_back(tk::Line(preview, i));
    return lines;
}

void Regenerate(EditorState& s, const SourceExportDialog& d) {
    const int format = tk::SelectedItem(d.formats);
    GenerateExportText(s, d.preview, format, tk::IsChecked(d.alignMads));
}

// The dialog stays open after a save, whatever its outcome.
void SavePreview(EditorState& s, const SourceExportDialog& d) {
    const std::string path =
        AskSavePath("Save export font (.txt)", "", "Text (*.txt)|*.txt|All files (*.*)|*.*", ".txt", false);
    if (path.empty()) return;
    SaveAndTell(s, path, TextFileBytes(PreviewLines(d.preview)));
}

}  // namespace

void GenerateExportText(EditorState& s, tk::ControlId preview, int format, bool alignMads) {
    PackFont(s, -1);
    tk::SetLines(preview, ExportLines(s.FontBuffer, format, alignMads));
}

SourceExportDialog OpenSourceExportDialog(EditorState& s, int x, int y, int width, int height) {
    SourceExportDialog d;
    d.window = OpenModalDialog(s, "Export font as...", x, y, width, height);
    tk::CreateControl(d.window, tk::ControlKind::Label, 10, 10, 60, 20, "Export as..");
    d.formats = tk::CreateControl(d.window, tk::ControlKind::DropDown, 70, 10, 340, 20);
    for (const std::string& name : ExportFormatNames()) tk::AddItem(d.formats, name);
    tk::SelectItem(d.formats, 0);
    d.preview = tk::CreateControl(d.window, tk::ControlKind::TextEdit, 10, 40, 400, 500);
    d.alignMads = tk::CreateControl(d.window, tk::ControlKind::CheckBox, 10, 550, 200, 20, "MADS: .ALIGN $400");
    d.save = tk::CreateControl(d.window, tk::ControlKind::Button, 230, 550, 80, 20, "Save");
    d.cancel = tk::CreateControl(d.window, tk::ControlKind::Button, 340, 550, 70, 20, "Cancel");
    GenerateExportText(s, d.preview, 0);
    return d;
}

void RunSourceExportDialog(EditorState& s, const SourceExportDialog& d) {
    for (;;) {
        const tk::Event event = tk::WaitEventFor(d.window);
        if (EndsDialog(event) || IsControlEvent(event, d.cancel)) break;
        if (IsControlEvent(event, d.formats) || IsControlEvent(event, d.alignMads)) Regenerate(s, d);
        if (IsControlEvent(event, d.save)) SavePreview(s, d);
    }
    CloseModalDialog(s, d.window);
}

void ExportFontDialog(EditorState& s, int x, int y, int width, int height) {
    RunSourceExportDialog(s, OpenSourceExportDialog(s, x, y, width, height));
}

}  // namespace qm
