#include "sets/char_tools.h"

#include "charedit/font_sheet.h"
#include "core/char_analysis.h"
#include "session/modal_dialog.h"
#include "sets/view_editor.h"
#include "sets/view_screen.h"
#include "toolkit/menu_checks.h"

namespace qm {

namespace {

constexpr Rgb kShownCellFrame = tk::MakeRgb(255, 64, 64);

// The character the commands work on: the edited one, else the one last
// picked on the sheet.
int ToolChar(const EditorState& s) { return IsCharCode(s.CurrentChar) ? s.CurrentChar : CharOfCode(s.SheetChar); }

std::string PlaceText(const CharPlace& p) {
    if (p.OnScreen()) return "Screen X: " + std::to_string(p.x) + ", Y: " + std::to_string(p.y);
    return "Set " + std::to_string(p.set) + ", cell " + std::to_string(p.cell) + " (row " +
           std::to_string(p.cell / 5 + 1) + ", column " + std::to_string(p.cell % 5 + 1) + ")";
}

void ShowScreenCell(EditorState& s, int x, int y) {
    OpenViewEditor(s);
    DrawViewScreen(s, -1, -1);
    tk::Surface& screen = tk::CanvasSurface(s.viewUi.canvas);
    const int left = kViewCell * x, top = kViewCell * y;
    screen.Line(left, top, kViewCell, 1, kShownCellFrame);
    screen.Line(left, top + kViewCell - 1, kViewCell, 1, kShownCellFrame);
    screen.Line(left, top, 1, kViewCell, kShownCellFrame);
    screen.Line(left + kViewCell - 1, top, 1, kViewCell, kShownCellFrame);
    tk::Refresh(s.viewUi.canvas);
    // A cell's neighbours in sight too, so that the frame is not lost at the
    // edge of the area.
    tk::ScrollIntoView(s.viewUi.canvas, {left - kViewCell, top - kViewCell, 3 * kViewCell, 3 * kViewCell});
    tk::SetWindowTitle(s.viewUi.window, "View Editor  (X: " + std::to_string(x) + ", Y: " + std::to_string(y) + ")");
    tk::ActivateWindow(s.viewUi.window);
}

// The edited and the picked character stay with their pictures; the picked
// code keeps its inverse bit.
void FollowMoves(EditorState& s, const CharMoves& moves) {
    if (IsCharCode(s.CurrentChar)) s.CurrentChar = moves[s.CurrentChar];
    if (IsCellCode(s.SheetChar)) s.SheetChar = moves[CharOfCode(s.SheetChar)] | (s.SheetChar & kInverseBit);
    if (IsCharCode(s.CurrentChar)) ShowCharLabel(s, s.CurrentChar);
    if (IsCellCode(s.SheetChar)) tk::SetText(s.ui.previewCaption, CharNumberText(s.SheetChar));
}

tk::ControlId CharacterList(tk::WindowId window, int x, int y, int selected) {
    const tk::ControlId list = tk::CreateControl(window, tk::ControlKind::DropDown, x, y, 90, 20);
    for (int code = 0; code < kCharCount; ++code) tk::AddItem(list, CharNumberText(code));
    tk::SelectItem(list, selected);
    return list;
}

}  // namespace

void ToggleUnusedMarks(EditorState& s) {
    s.MarkUnusedChars = !s.MarkUnusedChars;
    tk::SetMenuItemChecked(s.ui.window, kMenuShowUnused, s.MarkUnusedChars);
    DrawFontSheet(s);
}

void ToggleDuplicateMarks(EditorState& s) {
    s.MarkDuplicateChars = !s.MarkDuplicateChars;
    tk::SetMenuItemChecked(s.ui.window, kMenuShowDuplicates, s.MarkDuplicateChars);
    DrawFontSheet(s);
}

std::vector<std::string> WhereUsedEntries(const EditorState& s, int code) {
    std::vector<std::string> entries;
    for (const CharPlace& p : WhereUsed(s.doc, code)) entries.push_back(PlaceText(p));
    return entries;
}

void WhereUsedDialog(EditorState& s) {
    const int code = ToolChar(s);
    if (!IsCharCode(code)) return;
    const std::vector<CharPlace> places = WhereUsed(s.doc, code);
    if (places.empty()) {
        tk::MessageBox("Where used...", "Char " + CharNumberText(code) + " is in no set and nowhere on the screen.");
        return;
    }
    const tk::WindowId w = OpenModalDialog(s, "Where used - " + CharNumberText(code), 200, 200, 330, 80);
    tk::CreateControl(w, tk::ControlKind::Label, 10, 10, 310, 20,
                      std::to_string(places.size()) + (places.size() == 1 ? " cell holds it:" : " cells hold it:"));
    const tk::ControlId list = tk::CreateControl(w, tk::ControlKind::DropDown, 10, 40, 220, 20);
    for (const CharPlace& p : places) tk::AddItem(list, PlaceText(p));
    tk::SelectItem(list, 0);
    const tk::ControlId show = tk::CreateControl(w, tk::ControlKind::Button, 240, 40, 80, 20, "Show");
    int chosen = -1;
    for (;;) {
        const tk::Event event = tk::WaitEventFor(w);
        if (EndsDialog(event)) break;
        if (IsControlEvent(event, show)) {
            chosen = tk::SelectedItem(list);
            break;
        }
    }
    CloseModalDialog(s, w);
    if (chosen < 0 || chosen >= static_cast<int>(places.size())) return;
    const CharPlace& p = places[static_cast<std::size_t>(chosen)];
    if (p.OnScreen()) ShowScreenCell(s, p.x, p.y);
    else ShowSet(s, p.set);
}

void MergeDuplicateChars(EditorState& s) {
    const MergeResult merge = MergeDuplicates(s.doc, s.CurrentSlot);
    RedrawAll(s);
    const std::string slot = std::to_string(s.CurrentSlot);
    const std::string count = std::to_string(merge.merged.size());
    tk::MessageBox("Merge duplicates",
                   count + (merge.merged.size() == 1 ? " duplicate" : " duplicates") + " merged. Duplicates are judged in font " +
                       slot + " only: the set and screen cells that held one now hold its first copy, and the "
                       "duplicates are blank in font " + slot + ". The other fonts keep their bytes, but in those "
                       "cells they show their own first copy instead.");
}

void CompactChars(EditorState& s) {
    const CharMoves moves = CompactMoves(AnalyzeChars(s.doc, s.CurrentSlot));
    int moved = 0;
    for (int c = 0; c < kCharCount; ++c) moved += moves[c] != c ? 1 : 0;
    MoveChars(s.doc, moves);
    FollowMoves(s, moves);
    RedrawAll(s);
    tk::MessageBox("Compact", std::to_string(moved) + (moved == 1 ? " character" : " characters") +
                                  " moved, in every font alike, so every font stays in step with the sets and the "
                                  "screen.");
}

void SwapCharsDialog(EditorState& s) {
    const tk::WindowId w = OpenModalDialog(s, "Swap characters...", 200, 200, 330, 110);
    const int first = ToolChar(s);
    const tk::ControlId a = CharacterList(w, 10, 10, IsCharCode(first) ? first : 0);
    tk::CreateControl(w, tk::ControlKind::Label, 100, 10, 40, 20, "<->", tk::CenteredText);
    const tk::ControlId b = CharacterList(w, 140, 10, 0);
    const tk::ControlId swap = tk::CreateControl(w, tk::ControlKind::Button, 240, 10, 80, 20, "Swap");
    tk::CreateControl(w, tk::ControlKind::Label, 10, 40, 310, 60,
                      "The two characters trade places in every font alike; every set and screen cell follows its "
                      "character.");
    int from = -1, to = -1;
    for (;;) {
        const tk::Event event = tk::WaitEventFor(w);
        if (EndsDialog(event)) break;
        if (IsControlEvent(event, swap)) {
            from = tk::SelectedItem(a);
            to = tk::SelectedItem(b);
            break;
        }
    }
    CloseModalDialog(s, w);
    if (!IsCharCode(from) || !IsCharCode(to) || from == to) return;
    const CharMoves moves = SwapMoves(from, to);
    MoveChars(s.doc, moves);
    FollowMoves(s, moves);
    RedrawAll(s);
}

void ShowSet(EditorState& s, int set) {
    s.CurrentSet = set;
    tk::SetText(s.ui.setLabel, std::to_string(set));
    RedrawAll(s);
}

}  // namespace qm
