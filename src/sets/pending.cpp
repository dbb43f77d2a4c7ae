// Entry points still to be built; each moves to its own file when it is.
#include "sets/animation.h"
#include "sets/set_files.h"
#include "sets/set_views.h"
#include "sets/sets_viewer.h"
#include "sets/view_editor.h"

namespace qm {
void DrawSmallSetView(EditorState&) {}
void DrawLargeSetView(EditorState&) {}
void HandleSmallSetMouse(EditorState&, const tk::Event&) {}
void HandleLargeSetMouse(EditorState&, const tk::Event&) {}
void PutCharInCell(EditorState&, int, bool) {}
void AppendCharToSetRow(EditorState&, int, int) {}
void SetCommand(EditorState&, int) {}
void LoadSetFile(EditorState&) {}
void SaveSetFile(EditorState&) {}
void LoadAllSetsFile(EditorState&) {}
void SaveAllSetsFile(EditorState&) {}
void ExportSetBin(EditorState&) {}
void OpenSetsViewer(EditorState&) {}
void DrawSetsViewer(EditorState&) {}
bool SetsViewerHandler(EditorState&, const tk::Event&) { return true; }
void StartAnimation(EditorState&) {}
void AnimationTick(EditorState&) {}
void DrawAnimFrame(EditorState&, int) {}
void OpenViewEditor(EditorState&) {}
void DrawViewScreen(EditorState&, int, int) {}
bool ViewEditorHandler(EditorState&, const tk::Event&) { return true; }
bool ViewExportHandler(EditorState&, const tk::Event&) { return true; }
}  // namespace qm
