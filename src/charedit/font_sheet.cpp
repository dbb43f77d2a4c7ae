#include "charedit/font_sheet.h"

#include "charedit/char_editor.h"
#include "session/set_cells.h"
#include "charedit/color_registers.h"
#include "charedit/sheet_marks.h"
#include "charedit/glyph.h"

namespace qm {

namespace {

constexpr int kSheetPitch = 17;
constexpr int kSheetGap = 16;  // the column and row after a character's 16
constexpr int kInverseTop = 68;
constexpr Rgb kBlack = tk::MakeRgb(0, 0, 0);
constexpr Rgb kSheetGrid = tk::MakeRgb(48, 48, 48);
constexpr int kKeyDigit1 = 49;
constexpr int kKeyDigit5 = 53;

// The lower half shows codes 128 to 255, the inverse characters.
void DrawSheetHalf(const EditorState& s, tk::Surface& sheet, int top, int firstCode) {
    for (int c = 0; c < kCharCount; ++c) {
        DrawCode(s, sheet, firstCode + c, kSheetPitch * (c % 32), top + kSheetPitch * (c / 32), 2);
    }
}

// Only the characters that changed, in both halves, each with the grid over
// its first row and column (the gaps after it are not drawn over).
void DrawChangedChars(const EditorState& s, const ViewChanges& changes, tk::Surface& sheet) {
    for (int c = 0; c < kCharCount; ++c) {
        if (!changes.Cell(c)) continue;
        for (const int top : {0, kInverseTop}) {
            const int x = kSheetPitch * (c % 32);
            const int y = top + kSheetPitch * (c / 32);
            DrawCode(s, sheet, top == 0 ? c : c | kInverseBit, x, y, 2);
            if (y > 0) sheet.Line(x, y, kSheetGap, 1, kSheetGrid);
            if (x > 0) sheet.Line(x, y, 1, kSheetGap, kSheetGrid);
        }
    }
}

ViewInputs FontSheetInputs(const EditorState& s) {
    ViewInputs inputs = GlyphInputs(s);
    inputs.Add(s.MarkUnusedChars).Add(s.MarkDuplicateChars);
    // Whether a character is used depends on every set and the whole screen.
    if (s.MarkUnusedChars) inputs.Add(s.doc.SetTable).Add(s.doc.ViewScreen);
    return inputs;
}

}  // namespace

void DrawFontSheet(EditorState& s) {
    const ViewChanges changes = s.drawn.fontSheet.Changes(s.ui.fontSheet, FontSheetInputs(s));
    if (changes.Nothing()) return;
    tk::Surface& sheet = tk::CanvasSurface(s.ui.fontSheet);
    // A mark may depend on every character.
    if (!changes.Everything() && !s.MarkUnusedChars && !s.MarkDuplicateChars) {
        DrawChangedChars(s, changes, sheet);
        tk::Refresh(s.ui.fontSheet);
        s.drawn.fontSheet.Drawn();
        return;
    }
    // No fill first: the characters, black in the gap after each, and the
    // grid over their first row and column cover the sheet.
    DrawSheetHalf(s, sheet, 0, 0);
    DrawSheetHalf(s, sheet, kInverseTop, kInverseBit);
    for (int i = 0; i < 8; ++i) sheet.Line(0, kSheetPitch * i + kSheetGap, 570, 1, kBlack);
    for (int j = 0; j < 32; ++j) sheet.Line(kSheetPitch * j + kSheetGap, 0, 1, 140, kBlack);
    for (int i = 1; i <= 7; ++i) sheet.Line(0, kSheetPitch * i, 570, 1, kSheetGrid);
    for (int j = 1; j <= 31; ++j) sheet.Line(kSheetPitch * j, 0, 1, 140, kSheetGrid);
    DrawSheetMarks(s, sheet, kSheetPitch, kInverseTop);
    tk::Refresh(s.ui.fontSheet);
    s.drawn.fontSheet.Drawn();
}

void DrawCharPreview(EditorState& s) {
    tk::Surface& preview = tk::CanvasSurface(s.ui.charPreview);
    preview.FillBox(0, 0, 64, 64, kBlack);
    DrawCode(s, preview, s.SheetChar, 0, 0, 8);
    tk::Refresh(s.ui.charPreview);
}

void ShowCharLabel(EditorState& s, int code) { tk::SetText(s.ui.charLabel, "Char: " + CharNumberText(code)); }

// The hit areas of the lower half are numbered 128 to 255, the codes its
// cells show.
void HandleSheetMouse(EditorState& s, const tk::Event& event) {
    const int code = FindHitArea(s, 0, kCodeCount - 1, event.mouseX, event.mouseY);
    if (code < 0) return;
    if (event.subKind == tk::SubKind::LeftClick) {
        if (s.HeldDigitKey >= kKeyDigit1 && s.HeldDigitKey <= kKeyDigit5) {
            AppendCharToSetRow(s, code, s.HeldDigitKey);
            RedrawAll(s);
            tk::SetText(s.ui.previewCaption, CharNumberText(code));
        } else {
            ChooseSheetCharacter(s, code);
        }
    }
    tk::SetStatusText(s.ui.window, kStatusCharField, "Char Font: " + CharNumberText(code));
}

void ChooseSheetCharacter(EditorState& s, int code) {
    s.SheetChar = code;
    s.CurrentChar = CharOfCode(code);
    ShowCharLabel(s, code);
    DrawCharPreview(s);
    DrawCharEditor(s);
    tk::SetText(s.ui.previewCaption, CharNumberText(code));
}

void SwitchDisplayMode(EditorState& s) {
    if (tk::Text(s.ui.modeSwitch) == "Change GFX") {
        tk::SetText(s.ui.modeSwitch, "Change FONT");
        s.MulticolorMode = DisplayMode::Multicolor;
        s.LeftColor = s.SavedGfxLeftColor;
        s.RightColor = s.SavedGfxRightColor;
    } else {
        tk::SetText(s.ui.modeSwitch, "Change GFX");
        s.MulticolorMode = DisplayMode::HiRes;
        s.SavedGfxLeftColor = s.LeftColor;
        s.SavedGfxRightColor = s.RightColor;
        s.LeftColor = LUM;
        s.RightColor = BAK;
    }
    ShowColorIndicators(s);
    RedrawAll(s);
}

}  // namespace qm
