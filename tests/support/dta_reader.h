#pragma once

// The data statements of MADS, xasm and FastBasic as their manuals define
// them, read back strictly enough to catch text the tools would reject: a
// label in column 1, directives after whitespace, "dta" values as $hex or
// b($hex), FastBasic's DATA arrays continued after a trailing comma.

#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qm::test {

enum class Dialect { Mads, Xasm, FastBasic };

struct DataRead {
    std::string label;
    std::vector<std::uint8_t> bytes;
    bool aligned = false;  // MADS: ".ALIGN $400" came before the label
};

inline bool IsIdentifier(const std::string& s) {
    if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
    for (char c : s) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

// "$" and one or two hex digits (xasm also "b($..)"); lower case only for xasm.
inline std::optional<std::uint8_t> ReadValue(std::string v, Dialect d) {
    if (d == Dialect::Xasm && v.size() > 3 && v.rfind("b(", 0) == 0 && v.back() == ')') v = v.substr(2, v.size() - 3);
    if (v.size() < 2 || v.size() > 3 || v[0] != '$') return std::nullopt;
    unsigned value = 0;
    for (std::size_t i = 1; i < v.size(); ++i) {
        const char c = v[i];
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        if (d == Dialect::Xasm && std::isupper(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(c) - 'a' + 10);
    }
    return static_cast<std::uint8_t>(value);
}

// The comma-separated values; false on an empty or bad one.
inline bool ReadValues(const std::string& list, Dialect d, std::vector<std::uint8_t>& out) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const auto value = ReadValue(list.substr(start, comma - start), d);
        if (!value) return false;
        out.push_back(*value);
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

inline std::optional<DataRead> ReadDataStatements(const std::vector<std::string>& lines, Dialect d) {
    DataRead read;
    if (d == Dialect::FastBasic) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::string rest = lines[i];
            const std::string first = "DATA ", cont = "DATA BYTE = ";
            if (i == 0) {
                const std::size_t open = rest.find("() BYTE = ");
                if (rest.rfind(first, 0) != 0 || open == std::string::npos) return std::nullopt;
                read.label = rest.substr(first.size(), open - first.size());
                if (!IsIdentifier(read.label)) return std::nullopt;
                rest = rest.substr(open + 10);
            } else {
                if (rest.rfind(cont, 0) != 0) return std::nullopt;
                rest = rest.substr(cont.size());
            }
            const bool last = i + 1 == lines.size();
            if (last == (!rest.empty() && rest.back() == ',')) return std::nullopt;  // continued exactly until the end
            if (!last) rest.pop_back();
            if (!ReadValues(rest, d, read.bytes)) return std::nullopt;
        }
        return read;
    }
    for (const std::string& line : lines) {
        if (line.empty()) return std::nullopt;
        if (!std::isspace(static_cast<unsigned char>(line[0]))) {
            // Column 1: a label alone, once, before any data.
            if (!read.label.empty() || !read.bytes.empty() || !IsIdentifier(line)) return std::nullopt;
            read.label = line;
            continue;
        }
        std::size_t at = line.find_first_not_of(" \t");
        const std::string statement = line.substr(at);
        if (d == Dialect::Mads && statement == ".ALIGN $400" && read.label.empty()) {
            read.aligned = true;
        } else if (statement.rfind("dta ", 0) == 0 && !read.label.empty()) {
            if (!ReadValues(statement.substr(4), d, read.bytes)) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (read.label.empty()) return std::nullopt;
    return read;
}

}  // namespace qm::test
