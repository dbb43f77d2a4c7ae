#include "session/undo.h"

#include "core/paths.h"
#include "session/saved_state.h"
#include "session/slot_colors.h"

namespace qm {

namespace {

// Labels and status fields that show the document outside the views.
void ShowDocumentTexts(EditorState& s) {
    if (s.ui.window == 0) return;
    tk::SetText(s.ui.slotLabel, std::to_string(s.CurrentSlot));
    tk::SetStatusText(s.ui.window, kStatusFontField, FontFieldText(s));
    const std::string& path = s.doc.ProjectPath;
    tk::SetStatusText(s.ui.window, kStatusProjectField, "Project: " + FileNameOf(path));
}

History::Focus FocusOf(const EditorState& s) { return {s.CurrentChar, s.SheetChar}; }

void ShowFocus(EditorState& s, const History::Focus& focus) {
    s.CurrentChar = focus.edited;
    s.SheetChar = focus.picked;
    if (s.ui.window == 0) return;
    // No character (-1) has its text on the label too.
    tk::SetText(s.ui.charLabel, "Char: " + CharNumberText(s.CurrentChar));
    if (IsCellCode(s.SheetChar)) tk::SetText(s.ui.previewCaption, CharNumberText(s.SheetChar));
}

void TakeStep(EditorState& s, bool undo) {
    if (StepOpen(s)) EndStep(s);
    History& h = s.history;
    if (undo ? !h.CanUndo() : !h.CanRedo()) return;
    const std::optional<History::Focus> focus = undo ? h.UndoFocus() : h.RedoFocus();
    const History::SlotMove slots = undo ? h.UndoSlots(s.CurrentSlot) : h.RedoSlots(s.CurrentSlot);
    // The step is taken in its slot, entered as the slot buttons enter it;
    // that is no step of its own.
    if (slots.before != s.CurrentSlot) {
        EnterSlotWithColors(s, slots.before);
        h.Absorb(s.doc);
    }
    if (undo) h.Undo(s.doc);
    else h.Redo(s.doc);
    // The registers given back are this slot's colours.
    s.CurrentSlot = slots.after;
    if (focus) ShowFocus(s, *focus);
    ShowDocumentTexts(s);
    RedrawAll(s);
    ShowUndoMenu(s);
    ShowSavedState(s);
}

}  // namespace

void StartHistory(EditorState& s) {
    s.openStep.clear();
    s.markSavedWhenStepEnds = false;
    s.history.Reset(s.doc);
    ShowUndoMenu(s);
    ShowSavedState(s);
}

void BeginStep(EditorState& s, const std::string& name) {
    if (StepOpen(s)) EndStep(s);
    s.openStep = name;
    s.openStepFocus = FocusOf(s);
    s.openStepSlot = s.CurrentSlot;
}

void EndStep(EditorState& s) {
    if (s.openStep.empty()) {
        s.history.Absorb(s.doc);
        ShowSavedState(s);
        return;
    }
    s.history.Record(s.doc, s.openStep, s.openStepFocus, FocusOf(s), {s.openStepSlot, s.CurrentSlot});
    s.openStep.clear();
    if (s.markSavedWhenStepEnds) MarkSaved(s);
    s.markSavedWhenStepEnds = false;
    ShowUndoMenu(s);
    ShowSavedState(s);
}

bool StepOpen(const EditorState& s) { return !s.openStep.empty(); }

bool ChangedSinceSave(const EditorState& s) { return s.history.ChangedSinceSave(s.doc); }

void MarkSaved(EditorState& s) {
    s.history.MarkSaved(s.doc);
    ShowSavedState(s);
}

void UndoStep(EditorState& s) { TakeStep(s, true); }

void RedoStep(EditorState& s) { TakeStep(s, false); }

void ShowUndoMenu(EditorState& s) {
    if (s.ui.window == 0) return;
    const History& h = s.history;
    tk::SetMenuItem(s.ui.window, kMenuUndo, (h.CanUndo() ? "Undo " + h.UndoName() : "Undo") + "\tCtrl+Z", h.CanUndo());
    tk::SetMenuItem(s.ui.window, kMenuRedo, (h.CanRedo() ? "Redo " + h.RedoName() : "Redo") + "\tCtrl+Shift+Z",
                    h.CanRedo());
}

void AddUndoShortcuts(tk::WindowId window) {
    tk::AddShortcut(window, 'Z', tk::Ctrl, kMenuUndo);
    tk::AddShortcut(window, 'Z', tk::Ctrl | tk::Shift, kMenuRedo);
    tk::AddShortcut(window, 'Y', tk::Ctrl, kMenuRedo);
}

}  // namespace qm
