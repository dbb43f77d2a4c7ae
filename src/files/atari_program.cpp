#include "files/atari_program.h"

#include "core/emulator_command.h"
#include "core/file_io.h"
#include "core/paths.h"
#include "core/recent_projects.h"
#include "session/modal_dialog.h"
#include "session/save_dialog.h"

namespace qm {

namespace {

constexpr const char* kProgramFilter = "Atari program (*.xex)|*.xex|All files (*.*)|*.*";
constexpr const char* kProgramExtension = ".xex";

// The project's name with the program's extension, or a name of its own.
std::string ProgramFileName(const EditorState& s) {
    std::string name = FileNameOf(s.doc.ProjectPath);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return (name.empty() ? "quillmere" : name) + kProgramExtension;
}

bool ReportRefusal(const ProgramBuild& program) {
    if (program.error.empty()) return false;
    tk::MessageBox("Error!", "No program can be made: " + program.error + ".");
    return true;
}

// The command kept, or the one the user gives now (kept for next time).
std::string EmulatorCommand(EditorState& s) {
    const std::string file = EmulatorCommandFile(UserConfigFolder());
    std::string command = ReadEmulatorCommand(file);
    if (!command.empty()) return command;
    command = RunEmulatorDialog(s, OpenEmulatorDialog(s, ""));
    if (command.empty()) return "";
    if (const std::string error = WriteEmulatorCommand(file, command); !error.empty()) {
        tk::MessageBox("Error!", "The emulator command could not be kept for next time: " + error);
    }
    return command;
}

}  // namespace

ProgramBuild CurrentProgram(const EditorState& s) {
    ProgramLayout layout;
    layout.mode = s.MulticolorMode == DisplayMode::Multicolor ? 4 : 2;
    return BuildAtariProgram(s.doc, s.CurrentSlot, layout);
}

void ExportProgramDialog(EditorState& s) {
    const ProgramBuild program = CurrentProgram(s);
    if (ReportRefusal(program)) return;
    const std::string path =
        AskSavePath("Export Atari program (.xex)", ProgramFileName(s), kProgramFilter, kProgramExtension, true);
    if (path.empty()) return;
    SaveAndTell(s, path, program.bytes);
}

std::string RunInEmulator(EditorState& s) {
    const std::string command = EmulatorCommand(s);
    if (command.empty()) return "";
    const ProgramBuild program = CurrentProgram(s);
    if (ReportRefusal(program)) return "";
    std::string reason;
    const std::string folder = PrivateTempFolder(reason);
    const std::string path = folder + "/" + ProgramFileName(s);
    if (!folder.empty()) reason = SaveFileSafely(path, program.bytes, false);
    if (!reason.empty()) {
        tk::MessageBox("Error!", "The program for the emulator could not be written: " + reason);
        return "";
    }
    const CommandWords words = EmulatorCommandWords(command, path);
    if (!words.error.empty() || !tk::StartProgram(words.words, reason)) {
        tk::MessageBox("Error!", "The emulator could not be started (" + command + "): " +
                                     (words.error.empty() ? reason : words.error) + ".");
        return "";
    }
    return path;
}

void ChangeEmulatorCommand(EditorState& s) {
    const std::string file = EmulatorCommandFile(UserConfigFolder());
    const std::string command = RunEmulatorDialog(s, OpenEmulatorDialog(s, ReadEmulatorCommand(file)));
    if (command.empty()) return;
    if (const std::string error = WriteEmulatorCommand(file, command); !error.empty()) {
        tk::MessageBox("Error!", "The emulator command could not be kept: " + error);
    }
}

EmulatorDialog OpenEmulatorDialog(EditorState& s, const std::string& command) {
    using tk::ControlKind;
    EmulatorDialog d;
    d.window = OpenModalDialog(s, "Emulator command", 200, 200, 460, 110);
    tk::CreateControl(d.window, ControlKind::Label, 10, 10, 440, 20,
                      "The emulator's command line, with %f for the program's file:");
    d.command = tk::CreateControl(d.window, ControlKind::TextField, 10, 35, 440, 20, command);
    tk::CreateControl(d.window, ControlKind::Label, 10, 60, 260, 20, "For example: atari800 -run %f");
    d.ok = tk::CreateControl(d.window, ControlKind::Button, 280, 80, 80, 20, "OK");
    d.cancel = tk::CreateControl(d.window, ControlKind::Button, 370, 80, 80, 20, "Cancel");
    return d;
}

std::string RunEmulatorDialog(EditorState& s, const EmulatorDialog& d) {
    std::string command;
    for (;;) {
        const tk::Event event = tk::WaitEventFor(d.window);
        if (EndsDialog(event) || IsControlEvent(event, d.cancel)) break;
        if (!IsControlEvent(event, d.ok)) continue;
        command = tk::Text(d.command);
        // A line of blanks names no program: the window stays for a real one.
        if (command.find_first_not_of(" \t") != std::string::npos) break;
        command.clear();
    }
    CloseModalDialog(s, d.window);
    return command;
}

}  // namespace qm
