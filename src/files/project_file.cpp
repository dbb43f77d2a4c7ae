#include "files/project_file.h"

#include "charedit/color_registers.h"
#include "core/file_io.h"
#include "core/paths.h"
#include "core/project_format.h"
#include "session/save_dialog.h"
#include "session/saved_state.h"

namespace qm {

namespace {

constexpr const char* kProjectFilter = "Project (*.proj)|*.proj|All files (*.*)|*.*";

void ShowProjectPath(EditorState& s, const std::string& path) {
    s.doc.ProjectPath = path;
    tk::SetStatusText(s.ui.window, 2, "Project: " + FileNameOf(path));
}

void ShowFirstSlot(EditorState& s) {
    for (int reg = LUM; reg <= PF3; ++reg) PaintSwatch(s, s.ui.swatch[reg], s.doc.RegisterRgb[reg]);
    s.CurrentSlot = 1;
    tk::SetText(s.ui.slotLabel, "1");
}

}  // namespace

bool SaveProject(EditorState& s, SaveMode mode) {
    constexpr const char* kTitle = "Save project (.proj)";
    std::string path;
    if (mode == SaveMode::SaveAs) {
        path = AskSavePath(kTitle, s.doc.ProjectPath, kProjectFilter, ".proj", false);
    } else if (!s.doc.ProjectPath.empty()) {
        // A project opened under another extension is saved beside it, under
        // a name that may belong to another file.
        path = WithDefaultExtension(s.doc.ProjectPath, ".proj", false, 0);
        if (path != s.doc.ProjectPath && !MayWriteOver(kTitle, path)) return false;
    }
    if (path.empty()) return false;
    if (!SaveAndTell(s, path, WriteProject(ProjectOf(s.doc)))) return false;
    ShowProjectPath(s, path);
    return true;
}

void OpenProject(EditorState& s) {
    const tk::FileAnswer answer = tk::OpenFileDialog("Open project (.proj)", s.doc.ProjectPath, kProjectFilter, 0);
    if (!answer.path.empty()) OpenProjectFrom(s, answer.path);
}

bool OpenProjectFrom(EditorState& s, const std::string& path) {
    Bytes file;
    if (!ReadWholeFile(path, file, kProjectReadLimit)) return false;
    const std::optional<ProjectData> project = ReadProject(file);
    if (!project) {
        tk::MessageBox("Error!", "This file is not project QMR!");
        return false;
    }
    // Even the older form is this long: anything shorter has lost its end,
    // and would open as blank fonts and black colours.
    if (file.size() < kOlderProjectSize) {
        tk::MessageBox("Error!", "The project " + FileNameOf(path) + " ends early: it has only " +
                                     std::to_string(file.size()) + " of the at least " + std::to_string(kOlderProjectSize) +
                                     " bytes.");
        return false;
    }
    if (MapDamaged(*project)) {
        tk::MessageBox("Error!", "The map of the project " + FileNameOf(path) +
                                     " is damaged; the project was not opened, so that saving it cannot lose the map.");
        return false;
    }
    ShowProjectPath(s, path);
    ApplyProject(s.doc, *project);
    ShowFirstSlot(s);
    MarkOpenedWork(s);
    return true;
}

}  // namespace qm
