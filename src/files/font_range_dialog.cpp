#include "files/font_range_dialog.h"

#include "session/font_buffer.h"
#include "files/font_files.h"
#include "files/font_filters.h"
#include "core/font_format.h"
#include "session/modal_dialog.h"
#include "session/save_dialog.h"

namespace qm {

namespace {

tk::ControlId CharacterList(tk::WindowId window, int x, int selected) {
    const tk::ControlId list = tk::CreateControl(window, tk::ControlKind::DropDown, x, 10, 70, 20);
    for (int code = 0; code < kCharCount; ++code) tk::AddItem(list, CharNumberText(code));
    tk::SelectItem(list, selected);
    return list;
}

}  // namespace

FontRangeDialog OpenFontRangeDialog(EditorState& s) {
    FontRangeDialog d;
    d.window = OpenModalDialog(s, "Save font range ...", 300, 200, 300, 50);
    d.from = CharacterList(d.window, 10, 0);
    tk::CreateControl(d.window, tk::ControlKind::Label, 80, 10, 40, 20, "TO", tk::CenteredText);
    d.to = CharacterList(d.window, 120, kCharCount - 1);
    d.save = tk::CreateControl(d.window, tk::ControlKind::Button, 220, 10, 70, 20, "Save FNT");
    return d;
}

namespace {

// True when the range was written and the dialog is done.
bool SaveRange(EditorState& s, const FontRangeDialog& d) {
    const int from = tk::SelectedItem(d.from);
    const int to = tk::SelectedItem(d.to);
    if (from > to) {
        tk::MessageBox("Error...", "The range FROM must be less than the range TO !");
        return false;
    }
    PackFont(s, -1);
    const std::string path = AskSavePath(kSaveFontTitle, "", kFontFilter, "", false);
    if (path.empty()) return false;
    return SaveAndTell(s, path, WriteFontRange(s.FontBuffer, from, to));
}

}  // namespace

void RunFontRangeDialog(EditorState& s, const FontRangeDialog& d) {
    for (;;) {
        const tk::Event event = tk::WaitEventFor(d.window);
        if (EndsDialog(event)) break;
        if (IsControlEvent(event, d.save) && SaveRange(s, d)) break;
    }
    CloseModalDialog(s, d.window);
}

void SaveFontRange(EditorState& s) { RunFontRangeDialog(s, OpenFontRangeDialog(s)); }

}  // namespace qm
