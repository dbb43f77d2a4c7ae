#include "charedit/sheet_marks.h"

#include "core/char_analysis.h"

namespace qm {

void DrawSheetMarks(const EditorState& s, tk::Surface& sheet, int pitch, int inverseTop) {
    if (!s.MarkUnusedChars && !s.MarkDuplicateChars) return;
    const CharAnalysis a = AnalyzeChars(s.doc, s.CurrentSlot);
    // The glyph fills the cell but for its grid line.
    const int far = pitch - 1 - kMarkSize;
    for (int c = 0; c < kCharCount; ++c) {
        const int x = pitch * (c % 32);
        for (const int top : {0, inverseTop}) {
            const int y = top + pitch * (c / 32);
            if (s.MarkUnusedChars && !a.Used(c)) sheet.FillBox(x, y, kMarkSize, kMarkSize, kUnusedMark);
            if (s.MarkDuplicateChars && a.Duplicate(c)) {
                sheet.FillBox(x + far, y + far, kMarkSize, kMarkSize, kDuplicateMark);
            }
        }
    }
}

}  // namespace qm
