#pragma once

// The commands of quillmere-cli, each in its own file.

#include <string>
#include <vector>

#include "cli/options.h"

namespace qm::cli {

struct Command {
    std::string name;
    std::string summary;  // one line for the tool's --help
    std::string help;     // the command's --help
    CommandSyntax syntax;
    // Throws UsageError or InputError.
    void (*run)(const Options& options);
};

const Command& ExportSourceCommand();
const Command& ExportImageCommand();
const Command& ExportRegionCommand();
const Command& ExportXexCommand();
const Command& ExtractCommand();
const Command& InfoCommand();
const Command& ImportImageCommand();
const Command& AnalyzeCommand();
const Command& OptimizeCommand();
const Command& ExportMapCommand();
const Command& ExportTilesCommand();
const Command& ImportMapCommand();
const Command& ExportTmxCommand();
const Command& ImportTmxCommand();

// Runs the tool on its arguments (without the program's name); the exit code.
int RunCli(const std::vector<std::string>& args);

}  // namespace qm::cli
