#pragma once

// A small, strict reader of XML as map editors write it: elements,
// attributes, character data with the predefined and numeric entities, CDATA
// sections, comments and processing instructions. Document type declarations
// are refused rather than expanded, so no input can make it read other files
// or grow without bound; nesting is limited.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qm {

struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    // The character data directly inside the element, joined.
    std::string text;
    std::vector<XmlElement> children;

    // nullptr when the element has no such attribute or child.
    const std::string* Attribute(std::string_view key) const;
    const XmlElement* Child(std::string_view childName) const;
};

struct XmlDocument {
    XmlElement root;
    std::string error;  // empty when the text was well-formed
};

inline constexpr int kXmlMaxDepth = 64;

// The whole text must be one well-formed document (UTF-8, an optional
// byte-order mark); the first fault ends the reading with its line number.
XmlDocument ParseXml(std::string_view text);

// The text with &, <, >, " and ' written as entities, for attribute values
// and character data.
std::string XmlEscape(std::string_view text);

}  // namespace qm
