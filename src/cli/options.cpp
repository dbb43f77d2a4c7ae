#include "cli/options.h"

#include <charconv>

namespace qm::cli {

std::string Options::Value(const std::string& name, const std::string& fallback) const {
    const auto it = values.find(name);
    return it == values.end() ? fallback : it->second;
}

int Options::Number(const std::string& name, int low, int high, int fallback) const {
    const auto it = values.find(name);
    return it == values.end() ? fallback : ParseNumber(it->second, low, high, name);
}

const std::string& Options::Input() const {
    if (files.empty()) throw UsageError("no input file given");
    if (files.size() > 1) throw UsageError("one input file expected, got also '" + files[1] + "'");
    return files[0];
}

const std::string& Options::Output() const {
    const auto it = values.find("-o");
    if (it == values.end()) throw UsageError("no output given (-o FILE, or -o - for standard output)");
    return it->second;
}

int ParseNumber(const std::string& text, int low, int high, const std::string& what) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < low || value > high) {
        throw UsageError(what + " must be a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + text + "'");
    }
    return value;
}

Options ParseOptions(const std::vector<std::string>& args, const CommandSyntax& syntax) {
    Options options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (arg == "--" && !optionsEnded) {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            options.files.push_back(arg);
            continue;
        }
        std::string value;
        bool inlineValue = false;
        if (const std::size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
            inlineValue = true;
        }
        if (arg == "--help" || arg == "-h") {
            options.switches.insert("--help");
        } else if (syntax.switches.count(arg)) {
            if (inlineValue) throw UsageError(arg + " takes no value");
            options.switches.insert(arg);
        } else if (arg == "-o" || syntax.valueOptions.count(arg)) {
            if (!inlineValue) {
                if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
                value = args[++i];
            }
            if (options.values.count(arg)) throw UsageError(arg + " given twice");
            options.values[arg] = value;
        } else {
            throw UsageError("unknown option '" + arg + "'");
        }
    }
    return options;
}

}  // namespace qm::cli
