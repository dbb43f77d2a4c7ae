#include "files/project_file.h"

#include "charedit/color_registers.h"
#include "core/file_io.h"
#include "core/paths.h"
#include "core/project_format.h"

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

bool SaveProject(EditorState& s, const std::string& mode) {
    std::string path = s.doc.ProjectPath;
    if (mode == "zapiszjako") {
        path = tk::SaveFileDialog("Save project (.proj)", s.doc.ProjectPath, kProjectFilter, 0).path;
    }
    if (path.empty()) return false;
    path = WithDefaultExtension(path, ".proj", false, 0);
    if (!tk::SaveFileReporting(path, WriteProject(ProjectOf(s.doc)))) return false;
    ShowProjectPath(s, path);
    return true;
}

void OpenProject(EditorState& s) {
    const tk::FileAnswer answer = tk::OpenFileDialog("Open project (.proj)", s.doc.ProjectPath, kProjectFilter, 0);
    if (answer.path.empty()) return;
    Bytes file;
    if (!ReadWholeFile(answer.path, file, kProjectSize)) return;
    const std::optional<ProjectData> project = ReadProject(file);
    if (!project) {
        tk::MessageBox("Error!", "This file is not project QMR!");
        return;
    }
    ShowProjectPath(s, answer.path);
    ApplyProject(s.doc, *project);
    ShowFirstSlot(s);
}

}  // namespace qm
