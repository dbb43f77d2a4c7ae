#include "app/file_opening.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "charedit/color_file.h"
#include "core/file_io.h"
#include "core/paths.h"
#include "core/recent_projects.h"
#include "files/font_files.h"
#include "files/project_file.h"
#include "sets/set_files.h"
#include "app/unsaved_work.h"
#include "session/undo.h"
#include "sets/view_files.h"

namespace qm {

namespace {

enum class FileKind { Font, Project, Set, AllSets, Colors, Screen, Other };

FileKind KindOf(const std::string& path) {
    const std::string name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return FileKind::Other;
    std::string ext = name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == "fnt") return FileKind::Font;
    if (ext == "proj") return FileKind::Project;
    if (ext == "set") return FileKind::Set;
    if (ext == "sets") return FileKind::AllSets;
    if (ext == "col") return FileKind::Colors;
    if (ext == "ved") return FileKind::Screen;
    return FileKind::Other;
}

bool IsReadableFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && FileSize(path) >= 0;
}

// The font goes into the given slot while the current one stays in view.
FontLoadResult LoadFontIntoSlot(EditorState& s, const std::string& path, int slot) {
    const int shown = s.CurrentSlot;
    s.CurrentSlot = slot;
    const FontLoadResult loaded = LoadFontFrom(s, path);
    s.CurrentSlot = shown;
    if (slot != shown || loaded.result != FontLoad::Loaded) {
        tk::SetStatusText(s.ui.window, kStatusFontField, FontFieldText(s));
    }
    return loaded;
}

std::string Listed(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += "\n" + name;
    return text;
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

std::vector<std::string> KeptList() { return ReadRecentProjects(RecentProjectsFile(UserConfigFolder())); }

void Keep(const std::vector<std::string>& list) {
    // A list that cannot be kept costs only the convenience: no message.
    WriteRecentProjects(RecentProjectsFile(UserConfigFolder()), list);
}

}  // namespace

void OpenFiles(EditorState& s, const std::vector<std::string>& paths) {
    std::vector<std::string> refused;
    std::vector<std::string> unreadable;
    std::vector<std::string> noSlot;
    int nextFontSlot = s.CurrentSlot;
    bool projectOpened = false;
    for (const std::string& path : paths) {
        const FileKind kind = KindOf(path);
        if (kind == FileKind::Other) {
            refused.push_back(FileNameOf(path));
            continue;
        }
        if (!IsReadableFile(path)) {
            unreadable.push_back(FileNameOf(path));
            continue;
        }
        switch (kind) {
            case FileKind::Font:
                if (nextFontSlot > kSlotCount) {
                    noSlot.push_back(FileNameOf(path));
                } else if (const FontLoadResult loaded = LoadFontIntoSlot(s, path, nextFontSlot);
                           loaded.result == FontLoad::Loaded) {
                    ++nextFontSlot;
                } else {
                    const bool notFont = loaded.result == FontLoad::NotAFont;
                    unreadable.push_back(FileNameOf(path) + (notFont ? ": not a font: " + loaded.notFont : ""));
                }
                break;
            case FileKind::Project:
                if (MayOpenAnotherProject(s) && OpenProjectFrom(s, path)) {
                    projectOpened = true;
                    nextFontSlot = s.CurrentSlot;
                }
                break;
            case FileKind::Set: LoadSetFrom(s, path); break;
            case FileKind::AllSets: LoadAllSetsFrom(s, path); break;
            case FileKind::Colors: LoadColorFrom(s, path); break;
            case FileKind::Screen: LoadViewFrom(s, path); break;
            case FileKind::Other: break;
        }
    }
    if (projectOpened) RememberProject(s);
    RedrawAll(s);
    std::string problems;
    if (!refused.empty()) {
        problems += "Only fonts (.fnt), projects (.proj), sets (.set, .sets), colours (.col) and screens (.ved)"
                    " can be opened; left out:" + Listed(refused);
    }
    if (!unreadable.empty()) problems += (problems.empty() ? "" : "\n\n") + std::string("Cannot read:") + Listed(unreadable);
    if (!noSlot.empty()) {
        problems += (problems.empty() ? "" : "\n\n") + std::string("No font slot is left after slot ") +
                    std::to_string(kSlotCount) + " for:" + Listed(noSlot);
    }
    if (!problems.empty()) tk::MessageBox("Error!", problems);
}

void OpenCommandLineFiles(EditorState& s, const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    OpenFiles(s, paths);
    StartHistory(s);
}

std::string OpenFilesStepName(const std::vector<std::string>& paths) {
    if (paths.size() != 1) return "Open Files";
    switch (KindOf(paths.front())) {
        case FileKind::Font: return "Load Font";
        case FileKind::Project: return "Open Project";
        case FileKind::Set: return "Load Set";
        case FileKind::AllSets: return "Load All Sets";
        case FileKind::Colors: return "Load Colors";
        case FileKind::Screen: return "Load Screen";
        case FileKind::Other: break;
    }
    return "";
}

void RememberProject(EditorState& s) {
    if (s.doc.ProjectPath.empty()) return;
    std::vector<std::string> list = KeptList();
    AddRecentProject(list, AbsolutePath(s.doc.ProjectPath));
    Keep(list);
    ShowRecentProjects(s);
}

void ShowRecentProjects(EditorState& s) {
    s.recentProjectsShown = KeptList();
    const std::vector<std::string>& list = s.recentProjectsShown;
    for (int i = 0; i < kRecentProjectCount; ++i) {
        const bool used = i < static_cast<int>(list.size());
        const int item = kMenuRecentFirst + i;
        if (used) tk::SetMenuItem(s.ui.window, item, std::to_string(i + 1) + "  " + list[static_cast<std::size_t>(i)], true);
        else if (i == 0) tk::SetMenuItem(s.ui.window, item, "No recent projects", false);
        tk::ShowMenuItem(s.ui.window, item, used || i == 0);
    }
}

bool IsRecentItem(int menuItem) {
    return menuItem >= kMenuRecentFirst && menuItem < kMenuRecentFirst + kRecentProjectCount;
}

void OpenRecentProject(EditorState& s, int menuItem) {
    const std::size_t index = static_cast<std::size_t>(menuItem - kMenuRecentFirst);
    if (!IsRecentItem(menuItem) || index >= s.recentProjectsShown.size()) return;
    // The list kept may have changed since the menu showed it.
    const std::string path = s.recentProjectsShown[index];
    if (!IsReadableFile(path)) {
        std::vector<std::string> list = KeptList();
        std::erase(list, path);
        Keep(list);
        ShowRecentProjects(s);
        tk::MessageBox("Open Recent", "The project " + path + " is no longer there; it is taken off the list.");
        return;
    }
    if (MayOpenAnotherProject(s) && OpenProjectFrom(s, path)) RememberProject(s);
    RedrawAll(s);
}

}  // namespace qm
