#include <cstdio>

#include "cli/commands.h"
#include "cli/output.h"

#ifndef QUILLMERE_VERSION
#define QUILLMERE_VERSION "0"
#endif

namespace qm::cli {

namespace {

constexpr int kBadInput = 1;
constexpr int kBadUsage = 2;

const std::vector<const Command*>& Commands() {
    static const std::vector<const Command*> commands = {
        &ExportSourceCommand(), &ExportImageCommand(), &ExportRegionCommand(), &ExportXexCommand(),
        &ExtractCommand(),      &InfoCommand(),        &ImportImageCommand(),  &AnalyzeCommand(),
        &OptimizeCommand(),     &ExportMapCommand(),   &ExportTilesCommand(),  &ImportMapCommand(),
        &ExportTmxCommand(),    &ImportTmxCommand()};
    return commands;
}

std::string ToolHelp() {
    std::string text =
        "Usage: quillmere-cli COMMAND [ARGUMENTS]\n"
        "Reads the editor's fonts, projects and view screens and writes what build tools need.\n\n"
        "Commands:\n";
    for (const Command* c : Commands()) {
        text += "  " + c->name + std::string(16 - c->name.size(), ' ') + c->summary + "\n";
    }
    text +=
        "\n"
        "  -o -           writes to standard output\n"
        "  --             ends the options: what follows are file names\n"
        "  --help         this text; COMMAND --help describes a command\n"
        "  --version      the version\n\n"
        "A font file is 1024 bytes, a 1030-byte binary load file ($FF $FF, first and last\n"
        "address, font), or a range of 8 bytes or more from character 0 (the rest blank);\n"
        "of a longer file up to 64 KB the first 1024 bytes count.\n\n"
        "Exit codes: 0 done, 1 bad input (a file cannot be read, is damaged or cannot be\n"
        "written), 2 bad usage, also an output named as another kind of file (.fnt, .proj,\n"
        ".ved, .col, .set, .sets, .png, .bmp) than the command writes. An output file is\n"
        "replaced only when complete, keeping its owner, mode and links.\n";
    return text;
}

void Complain(const std::string& message) { std::fprintf(stderr, "quillmere-cli: %s\n", message.c_str()); }

// Help and version text to standard output; a full or closed output is a
// failure like any other.
int Show(const std::string& text) {
    try {
        WriteText("-", text);
        return 0;
    } catch (const InputError& e) {
        Complain(e.what());
        return kBadInput;
    }
}

}  // namespace

int RunCli(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fputs(ToolHelp().c_str(), stderr);
        return kBadUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") return Show(ToolHelp());
    if (args[0] == "--version") return Show(std::string("quillmere-cli ") + QUILLMERE_VERSION + "\n");
    const Command* command = nullptr;
    for (const Command* c : Commands()) {
        if (c->name == args[0]) command = c;
    }
    if (!command) {
        Complain("unknown command '" + args[0] + "'; see quillmere-cli --help");
        return kBadUsage;
    }
    try {
        const Options options = ParseOptions({args.begin() + 1, args.end()}, command->syntax);
        if (options.Has("--help")) return Show(command->help);
        command->run(options);
        return 0;
    } catch (const UsageError& e) {
        Complain(command->name + ": " + e.what() + "; see quillmere-cli " + command->name + " --help");
        return kBadUsage;
    } catch (const InputError& e) {
        Complain(e.what());
        return kBadInput;
    } catch (const std::exception& e) {
        Complain(e.what());
        return kBadInput;
    }
}

}  // namespace qm::cli
