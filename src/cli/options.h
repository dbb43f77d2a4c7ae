#pragma once

// The command line of quillmere-cli: a command, its file arguments and its
// options, and the two kinds of failure that end a run.

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace qm::cli {

// The command line is wrong: exit code 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A file cannot be read, is not what it should be, or cannot be written:
// exit code 1. The message names the file and the reason.
struct InputError : std::runtime_error {
    InputError(const std::string& file, const std::string& reason) : std::runtime_error(file + ": " + reason) {}
};

// What one command accepts: options that take a value and options that are
// switches; "-o" always takes the output.
struct CommandSyntax {
    std::set<std::string> valueOptions;
    std::set<std::string> switches;
};

struct Options {
    std::vector<std::string> files;
    std::map<std::string, std::string> values;
    std::set<std::string> switches;

    bool Has(const std::string& name) const { return values.count(name) || switches.count(name); }
    std::string Value(const std::string& name, const std::string& fallback = "") const;
    // The value as a whole number from low to high; fallback when absent.
    int Number(const std::string& name, int low, int high, int fallback) const;
    // The one input file the command takes.
    const std::string& Input() const;
    // The file after -o; "-" for standard output.
    const std::string& Output() const;
};

// args: everything after the command's name. Accepts "--name value" and
// "--name=value"; "--help" is kept as a switch for every command; after "--"
// every argument is a file name.
Options ParseOptions(const std::vector<std::string>& args, const CommandSyntax& syntax);

// A decimal whole number from low to high, or a UsageError naming what.
int ParseNumber(const std::string& text, int low, int high, const std::string& what);

}  // namespace qm::cli
