#include "core/xml_reader.h"

#include <cstdint>
#include <cstring>

namespace qm {

namespace {

struct ParseError {
    std::string reason;
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Names as XML allows them, with every byte of a multi-byte character taken as
// a name character.
bool IsNameStart(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || u >= 0x80;
}
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    XmlElement Document() {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") at_ = 3;
        SkipMisc(true);
        if (!Peek('<')) Fail("no root element");
        XmlElement root = Element(1);
        SkipMisc(false);
        if (at_ < text_.size()) Fail("text after the root element");
        return root;
    }

    int Line() const {
        int line = 1;
        for (std::size_t i = 0; i < at_ && i < text_.size(); ++i) line += text_[i] == '\n';
        return line;
    }

private:
    [[noreturn]] void Fail(const std::string& reason) { throw ParseError{reason}; }

    bool Peek(char c) const { return at_ < text_.size() && text_[at_] == c; }
    bool LooksAt(std::string_view s) const { return text_.substr(at_, s.size()) == s; }
    void Expect(std::string_view s, const char* what) {
        if (!LooksAt(s)) Fail(std::string("expected ") + what);
        at_ += s.size();
    }
    void SkipSpace() {
        while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
    }
    // Everything up to the terminator, which is passed over.
    std::string_view Until(std::string_view end, const char* what) {
        const std::size_t stop = text_.find(end, at_);
        if (stop == std::string_view::npos) Fail(std::string("unterminated ") + what);
        const std::string_view inside = text_.substr(at_, stop - at_);
        at_ = stop + end.size();
        return inside;
    }

    // Whitespace, comments and processing instructions around the root.
    void SkipMisc(bool beforeRoot) {
        for (;;) {
            SkipSpace();
            if (LooksAt("<!--")) {
                Comment();
            } else if (LooksAt("<?")) {
                at_ += 2;
                Until("?>", "processing instruction");
            } else if (LooksAt("<!")) {
                Fail(beforeRoot ? "document type declarations are not read" : "markup after the root element");
            } else {
                return;
            }
        }
    }

    void Comment() {
        at_ += 4;
        const std::string_view body = Until("-->", "comment");
        if (body.find("--") != std::string_view::npos) Fail("-- inside a comment");
    }

    std::string Name() {
        if (at_ >= text_.size() || !IsNameStart(text_[at_])) Fail("expected a name");
        const std::size_t start = at_;
        while (at_ < text_.size() && IsNameChar(text_[at_])) ++at_;
        return std::string(text_.substr(start, at_ - start));
    }

    // After the "&": one of the five named entities or a character reference.
    void Reference(std::string& out) {
        const std::size_t semicolon = text_.find(';', at_);
        if (semicolon == std::string_view::npos || semicolon - at_ > 10) Fail("bad entity reference");
        const std::string_view ref = text_.substr(at_, semicolon - at_);
        at_ = semicolon + 1;
        if (ref == "lt") out += '<';
        else if (ref == "gt") out += '>';
        else if (ref == "amp") out += '&';
        else if (ref == "quot") out += '"';
        else if (ref == "apos") out += '\'';
        else if (ref.size() >= 2 && ref[0] == '#') out += CharacterReference(ref.substr(1));
        else Fail("unknown entity &" + std::string(ref) + ";");
    }

    std::string CharacterReference(std::string_view digits) {
        const bool hex = digits[0] == 'x';
        if (hex) digits.remove_prefix(1);
        if (digits.empty()) Fail("empty character reference");
        std::uint32_t cp = 0;
        for (char c : digits) {
            int value;
            if (c >= '0' && c <= '9') value = c - '0';
            else if (hex && c >= 'a' && c <= 'f') value = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F') value = c - 'A' + 10;
            else Fail("bad character reference");
            cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(value);
            if (cp > 0x10FFFF) Fail("character reference out of range");
        }
        if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) Fail("character reference out of range");
        std::string out;
        AppendUtf8(out, cp);
        return out;
    }

    std::string AttributeValue() {
        if (!Peek('"') && !Peek('\'')) Fail("attribute value without quotes");
        const char quote = text_[at_++];
        std::string value;
        for (;;) {
            if (at_ >= text_.size()) Fail("unterminated attribute value");
            const char c = text_[at_++];
            if (c == quote) return value;
            if (c == '<') Fail("< inside an attribute value");
            if (c == '&') Reference(value);
            else value += IsSpace(c) ? ' ' : c;  // attribute values normalise whitespace
        }
    }

    XmlElement Element(int depth) {
        if (depth > kXmlMaxDepth) Fail("elements nested too deep");
        Expect("<", "<");
        XmlElement e;
        e.name = Name();
        for (;;) {
            const std::size_t before = at_;
            SkipSpace();
            if (LooksAt("/>")) {
                at_ += 2;
                return e;
            }
            if (Peek('>')) {
                ++at_;
                break;
            }
            if (at_ == before) Fail("expected whitespace, > or />");
            std::string key = Name();
            SkipSpace();
            Expect("=", "=");
            SkipSpace();
            if (e.Attribute(key)) Fail("attribute " + key + " given twice");
            e.attributes.emplace_back(std::move(key), AttributeValue());
        }
        Content(e, depth);
        Expect("</", "a closing tag");
        if (Name() != e.name) Fail("closing tag does not match <" + e.name + ">");
        SkipSpace();
        Expect(">", ">");
        return e;
    }

    // Where the character data from here ends: at the next markup or entity.
    // A map's layer is megabytes of it, so this is the reader's hot loop.
    std::size_t TextEnd() const {
        const char* begin = text_.data() + at_;
        const std::size_t rest = text_.size() - at_;
        const void* tag = std::memchr(begin, '<', rest);
        const std::size_t stop = tag ? static_cast<std::size_t>(static_cast<const char*>(tag) - begin) : rest;
        const void* amp = std::memchr(begin, '&', stop);
        return at_ + (amp ? static_cast<std::size_t>(static_cast<const char*>(amp) - begin) : stop);
    }

    void Content(XmlElement& e, int depth) {
        for (;;) {
            if (at_ >= text_.size()) Fail("<" + e.name + "> is not closed");
            const char c = text_[at_];
            if (c == '<') {
                if (LooksAt("</")) return;
                if (LooksAt("<!--")) {
                    Comment();
                } else if (LooksAt("<![CDATA[")) {
                    at_ += 9;
                    e.text += Until("]]>", "CDATA section");
                } else if (LooksAt("<?")) {
                    at_ += 2;
                    Until("?>", "processing instruction");
                } else if (LooksAt("<!")) {
                    Fail("declaration inside an element");
                } else {
                    e.children.push_back(Element(depth + 1));
                }
            } else if (c == '&') {
                ++at_;
                Reference(e.text);
            } else {
                const std::size_t end = TextEnd();
                e.text.append(text_.substr(at_, end - at_));
                at_ = end;
            }
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

const std::string* XmlElement::Attribute(std::string_view key) const {
    for (const auto& [k, v] : attributes) {
        if (k == key) return &v;
    }
    return nullptr;
}

const XmlElement* XmlElement::Child(std::string_view childName) const {
    for (const XmlElement& child : children) {
        if (child.name == childName) return &child;
    }
    return nullptr;
}

XmlDocument ParseXml(std::string_view text) {
    XmlDocument doc;
    Parser parser(text);
    try {
        doc.root = parser.Document();
    } catch (const ParseError& e) {
        doc.root = {};
        doc.error = "line " + std::to_string(parser.Line()) + ": " + e.reason;
    }
    return doc;
}

std::string XmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace qm
