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

void DrawSheetHalf(const EditorState& s, tk::Surface& sheet, int top, bool inverse) {
    for (int c = 0; c < kCharCount; ++c) {
        DrawGlyph(s, sheet, c, kSheetPitch * (c % 32), top + kSheetPitch * (c / 32), 2, inverse);
    }
}

void ChooseSheetChar(EditorState& s, int ch) {
    s.SheetChar = ch;
    s.CurrentChar = ch;
    ShowCharLabel(s, ch);
    DrawCharPreview(s);
    DrawCharEditor(s);
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
    if (s.drawn.fontSheet.Unchanged(s.ui.fontSheet, FontSheetInputs(s))) return;
    tk::Surface& sheet = tk::CanvasSurface(s.ui.fontSheet);
    // No fill first: the characters, black in the gap after each, and the
    // grid over their first row and column cover the sheet.
    DrawSheetHalf(s, sheet, 0, false);
    DrawSheetHalf(s, sheet, kInverseTop, true);
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
    DrawGlyph(s, preview, s.SheetChar, 0, 0, 8);
    tk::Refresh(s.ui.charPreview);
}

void ShowCharLabel(EditorState& s, int code) { tk::SetText(s.ui.charLabel, "Char: " + CharNumberText(code)); }

void HandleSheetMouse(EditorState& s, const tk::Event& event) {
    const int id = FindHitArea(s, 0, 2 * kCharCount - 1, event.mouseX, event.mouseY);
    if (id < 0) return;
    const int ch = id % kCharCount;
    if (event.subKind == tk::SubKind::LeftClick) {
        if (s.HeldDigitKey >= kKeyDigit1 && s.HeldDigitKey <= kKeyDigit5) {
            AppendCharToSetRow(s, ch, s.HeldDigitKey);
            RedrawAll(s);
            tk::SetText(s.ui.previewCaption, CharNumberText(ch));
        } else {
            ChooseSheetCharacter(s, ch);
        }
    }
    tk::SetStatusText(s.ui.window, kStatusCharField, "Char Font: " + CharNumberText(ch));
}

void ChooseSheetCharacter(EditorState& s, int ch) {
    ChooseSheetChar(s, ch);
    tk::SetText(s.ui.previewCaption, CharNumberText(ch));
}

void SwitchDisplayMode(EditorState& s) {
    if (tk::Text(s.ui.modeSwitch) == "Change GFX") {
        tk::SetText(s.ui.modeSwitch, "Change FONT");
        s.MulticolorMode = 1;
        s.LeftColor = s.SavedGfxLeftColor;
        s.RightColor = s.SavedGfxRightColor;
    } else {
        tk::SetText(s.ui.modeSwitch, "Change GFX");
        s.MulticolorMode = 0;
        s.SavedGfxLeftColor = s.LeftColor;
        s.SavedGfxRightColor = s.RightColor;
        s.LeftColor = LUM;
        s.RightColor = BAK;
    }
    ShowColorIndicators(s);
    RedrawAll(s);
}

}  // namespace qm
