#include "files/project_file.h"

#include "charedit/color_registers.h"
#include "files/font_buffer.h"
#include "files/paths.h"
#include "files/project_format.h"

namespace qm {

namespace {

constexpr const char* kProjectFilter = "Project (*.proj)|*.proj|All files (*.*)|*.*";

SixColors ToSix(const RegisterColors& colors) {
    SixColors six{};
    for (int reg = LUM; reg <= PF3; ++reg) six[reg - 1] = colors[reg];
    return six;
}

RegisterColors FromSix(const SixColors& six) {
    RegisterColors colors{};
    for (int reg = LUM; reg <= PF3; ++reg) colors[reg] = six[reg - 1];
    return colors;
}

ProjectData CaptureProject(EditorState& s) {
    ProjectData project;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        PackFont(s, slot);
        project.fonts[slot - 1] = s.FontBuffer;
    }
    for (int set = 1; set <= kSetCount; ++set) project.sets[set - 1] = s.SetTable[set].cells;
    for (int reg = LUM; reg <= PF3; ++reg) project.registerValues[reg - 1] = s.RegisterValue[reg];
    project.registerRgb = ToSix(s.RegisterRgb);
    project.view = s.ViewScreen;
    project.slotColors.emplace();
    for (int slot = 1; slot <= kSlotCount; ++slot) (*project.slotColors)[slot - 1] = ToSix(s.Slots[slot].colors);
    return project;
}

void ApplyProject(EditorState& s, const ProjectData& project) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        s.FontBuffer = project.fonts[slot - 1];
        UnpackFont(s, slot);
    }
    for (int set = 1; set <= kSetCount; ++set) s.SetTable[set].cells = project.sets[set - 1];
    for (int reg = LUM; reg <= PF3; ++reg) s.RegisterValue[reg] = project.registerValues[reg - 1];
    s.RegisterRgb = FromSix(project.registerRgb);
    s.ViewScreen = project.view;
    if (project.slotColors) {
        for (int slot = 1; slot <= kSlotCount; ++slot) s.Slots[slot].colors = FromSix((*project.slotColors)[slot - 1]);
        s.RegisterRgb = s.Slots[1].colors;
    }
}

void ShowProjectPath(EditorState& s, const std::string& path) {
    s.ProjectPath = path;
    tk::SetStatusText(s.ui.window, 2, "Project: " + FileNameOf(path));
}

void ShowFirstSlot(EditorState& s) {
    for (int reg = LUM; reg <= PF3; ++reg) PaintSwatch(s, s.ui.swatch[reg], s.RegisterRgb[reg]);
    s.CurrentSlot = 1;
    tk::SetText(s.ui.slotLabel, "1");
}

}  // namespace

void SaveProject(EditorState& s, const std::string& mode) {
    std::string path = s.ProjectPath;
    if (mode == "zapiszjako") {
        path = tk::SaveFileDialog("Save project (.proj)", s.ProjectPath, kProjectFilter, 0).path;
    }
    if (path.empty()) return;
    path = WithDefaultExtension(path, ".proj", false, 0);
    if (!tk::SaveFileReporting(path, WriteProject(CaptureProject(s)))) return;
    ShowProjectPath(s, path);
}

void OpenProject(EditorState& s) {
    const tk::FileAnswer answer = tk::OpenFileDialog("Open project (.proj)", s.ProjectPath, kProjectFilter, 0);
    if (answer.path.empty()) return;
    Bytes file;
    if (!tk::ReadWholeFile(answer.path, file, kProjectSize)) return;
    const std::optional<ProjectData> project = ReadProject(file);
    if (!project) {
        tk::MessageBox("Error!", "This file is not project QMR!");
        return;
    }
    ShowProjectPath(s, answer.path);
    ApplyProject(s, *project);
    ShowFirstSlot(s);
}

}  // namespace qm
