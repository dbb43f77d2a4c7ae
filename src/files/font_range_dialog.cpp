#include "files/font_buffer.h"
#include "files/font_files.h"
#include "files/font_filters.h"
#include "files/font_format.h"
#include "files/modal_dialog.h"

namespace qm {

namespace {

struct RangeDialog {
    tk::WindowId window = 0;
    tk::ControlId from = 0, to = 0, save = 0;
};

tk::ControlId CharacterList(tk::WindowId window, int x, int selected) {
    const tk::ControlId list = tk::CreateControl(window, tk::ControlKind::DropDown, x, 10, 70, 20);
    for (int code = 0; code < kCharCount; ++code) tk::AddItem(list, CharNumberText(code));
    tk::SelectItem(list, selected);
    return list;
}

RangeDialog OpenRangeDialog(EditorState& s) {
    RangeDialog d;
    d.window = OpenModalDialog(s, "Save font range ...", 300, 200, 300, 50);
    d.from = CharacterList(d.window, 10, 0);
    tk::CreateControl(d.window, tk::ControlKind::Label, 80, 10, 40, 20, "TO", tk::CenteredText);
    d.to = CharacterList(d.window, 120, kCharCount - 1);
    d.save = tk::CreateControl(d.window, tk::ControlKind::Button, 220, 10, 70, 20, "Save FNT");
    return d;
}

// True when the range was written and the dialog is done.
bool SaveRange(EditorState& s, const RangeDialog& d) {
    const int from = tk::SelectedItem(d.from);
    const int to = tk::SelectedItem(d.to);
    if (from > to) {
        tk::MessageBox("Error...", "The range FROM must be less than the range TO !");
        return false;
    }
    PackFont(s, -1);
    const tk::FileAnswer answer = tk::SaveFileDialog(kSaveFontTitle, "", kFontFilter, 0);
    if (answer.path.empty()) return false;
    return tk::SaveFileReporting(answer.path, WriteFontRange(s.FontBuffer, from, to));
}

}  // namespace

void SaveFontRange(EditorState& s) {
    const RangeDialog d = OpenRangeDialog(s);
    for (;;) {
        const tk::Event event = tk::WaitEventFor(d.window);
        if (event.kind == tk::EventKind::CloseRequest) break;
        if (IsControlEvent(event, d.save) && SaveRange(s, d)) break;
    }
    CloseModalDialog(s, d.window);
}

}  // namespace qm
