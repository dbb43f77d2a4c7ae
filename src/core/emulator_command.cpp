#include "core/emulator_command.h"

#include "core/recent_projects.h"

namespace qm {

std::string EmulatorCommandFile(const std::string& configFolder) {
    return configFolder.empty() ? "" : configFolder + "/emulator";
}

std::string ReadEmulatorCommand(const std::string& file) {
    for (const std::string& line : ReadConfigLines(file)) {
        if (line.find_first_not_of(" \t") != std::string::npos) return line;
    }
    return "";
}

std::string WriteEmulatorCommand(const std::string& file, const std::string& command) {
    if (command.find_first_of("\r\n") != std::string::npos) return "the command must be one line";
    std::vector<unsigned char> bytes(command.begin(), command.end());
    bytes.push_back('\n');
    return WriteConfigFile(file, bytes);
}

namespace {

// Replaces %f and %%; true when the word named the file.
bool PutFile(std::string& word, const std::string& file) {
    bool named = false;
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '%' && i + 1 < word.size() && (word[i + 1] == 'f' || word[i + 1] == '%')) {
            named |= word[i + 1] == 'f';
            out += word[i + 1] == 'f' ? file : "%";
            ++i;
        } else {
            out += word[i];
        }
    }
    word = out;
    return named;
}

}  // namespace

CommandWords EmulatorCommandWords(const std::string& line, const std::string& file) {
    CommandWords result;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quote) {
            if (c == quote) quote = 0;
            else if (c == '\\' && quote == '"' && i + 1 < line.size()) word += line[++i];
            else word += c;
        } else if (c == ' ' || c == '\t') {
            if (inWord) result.words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            inWord = true;
            if (c == '\'' || c == '"') quote = c;
            else if (c == '\\' && i + 1 < line.size()) word += line[++i];
            else word += c;
        }
    }
    if (quote) return {{}, std::string("the command line has an unclosed ") + quote};
    if (inWord) result.words.push_back(word);
    if (result.words.empty()) return {{}, "no emulator command is set"};
    // %f and %% mean the same inside quotes: they are not shell words.
    bool named = false;
    for (std::size_t i = 1; i < result.words.size(); ++i) named |= PutFile(result.words[i], file);
    if (!named) result.words.push_back(file);
    return result;
}

}  // namespace qm
