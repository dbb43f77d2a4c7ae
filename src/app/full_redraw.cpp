#include "app/full_redraw.h"

#include "charedit/char_editor.h"
#include "charedit/color_registers.h"
#include "charedit/font_sheet.h"
#include "maps/map_editor.h"
#include "sets/set_views.h"
#include "sets/sets_viewer.h"
#include "sets/view_editor.h"

namespace qm {

void RedrawEverything(EditorState& s) {
    // Whatever changed the slot or its font, the field names the font shown.
    tk::SetStatusText(s.ui.window, kStatusFontField, FontFieldText(s));
    DrawFontSheet(s);
    DrawSmallSetView(s);
    DrawLargeSetView(s);
    DrawCharEditor(s);
    DrawCharPreview(s);
    ShowColorIndicators(s);
    if (s.ViewEditorOpen) DrawViewScreen(s, -1, -1);
    if (s.SetsViewerOpen == kOn) DrawSetsViewer(s);
    DrawMapEditor(s);
}

}  // namespace qm
