#pragma once

// The work as a program for the machine: written to a file of the user's
// choice, or to a file of its own that the user's emulator is started on.

#include <string>

#include "core/atari_program.h"
#include "session/editor_state.h"

namespace qm {

// The program of what the editor shows: the top left 40 x 24 cells of the view
// screen in the current slot's font, in the view shown (mode 2 or 4).
ProgramBuild CurrentProgram(const EditorState& s);

// "Export Atari program...": asks for a file and writes the program there.
void ExportProgramDialog(EditorState& s);
// "Run in emulator": writes the program to a file of its own and starts the
// emulator command on it without waiting; asks for the command first when
// none is kept. Returns the program's file, or empty text when nothing ran.
std::string RunInEmulator(EditorState& s);
// "Emulator command...": changes the command kept.
void ChangeEmulatorCommand(EditorState& s);

// The window that asks for the command, built apart from its modal wait so
// that tests can type into it first.
struct EmulatorDialog {
    tk::WindowId window = 0;
    tk::ControlId command = 0, ok = 0, cancel = 0;
};
EmulatorDialog OpenEmulatorDialog(EditorState& s, const std::string& command);
// The command line given, or empty text when the window was closed or cancelled.
std::string RunEmulatorDialog(EditorState& s, const EmulatorDialog& d);

}  // namespace qm
