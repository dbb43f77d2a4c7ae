#pragma once

// The emulator the user runs programs in: one command line, kept in the
// configuration folder, with %f standing for the program's file.

#include <string>
#include <vector>

namespace qm {

// The file that keeps the command line, in the given configuration folder;
// empty when the folder is unknown.
std::string EmulatorCommandFile(const std::string& configFolder);
// The command line kept there: its first line that is not blank, or empty text.
std::string ReadEmulatorCommand(const std::string& file);
// Keeps the command line (one line); the reason of a failure, or empty text.
std::string WriteEmulatorCommand(const std::string& file, const std::string& command);

struct CommandWords {
    std::vector<std::string> words;  // the program first, then its arguments
    std::string error;               // why the line cannot be run; empty when it can
};

// The words of a command line split as a shell splits them (blanks between
// words; '...' and "..." quote; a backslash takes the next character as it
// is), with %f in any word replaced by the file and %% by %. A line without
// %f gets the file as its last word. No shell runs: nothing else is expanded.
CommandWords EmulatorCommandWords(const std::string& line, const std::string& file);

}  // namespace qm
