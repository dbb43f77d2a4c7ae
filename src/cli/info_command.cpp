// info: what a file is and what it holds, as text or JSON.

#include <cstdio>

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/output.h"
#include "core/color_format.h"
#include "core/font_format.h"
#include "core/paths.h"
#include "core/set_format.h"
#include "core/view_format.h"

namespace qm::cli {

namespace {

const char* const kRegisterNames[] = {"", "LUM", "BAK", "PF0", "PF1", "PF2", "PF3"};

struct SlotInfo {
    int number;
    std::string name;
    int usedChars;
};

struct FileInfo {
    std::string kind;
    long long size = 0;
    std::vector<SlotInfo> slots;
    int usedSets = -1;     // -1: the file holds no sets
    int usedCells = -1;    // -1: the file holds no screen
    bool hasRegisters = false;
    std::array<int, 7> registerValues{};
    RegisterColors registerRgb{};
    // A project opens with slot 1's colours in the registers, and with each
    // byte the palette entry of its colour; set only where that differs from
    // what the file stores.
    bool registersChangeOnOpening = false;
    std::array<int, 7> openedValues{};
    RegisterColors openedRgb{};
    bool olderForm = false;
    std::string fontNote;  // a short font's characters, or its load header
    bool hasMap = false;
    TileMap map;  // its sizes only
    int tilesUsed = 0;   // different tiles on the map
    long long cellsUsed = 0;  // map cells not empty
};

int UsedChars(const FontBytes& font) {
    int used = 0;
    for (int code = 0; code < kCharCount; ++code) {
        for (int row = 0; row < 8; ++row) {
            if (font[code * 8 + row]) {
                ++used;
                break;
            }
        }
    }
    return used;
}

bool SetUsed(const SetRecord& set) {
    for (int cell : set.cells) {
        if (IsCellCode(cell)) return true;
    }
    return false;
}

int UsedCells(const ViewCells& screen) {
    int used = 0;
    for (const auto& row : screen) {
        for (int cell : row) used += IsCellCode(cell) ? 1 : 0;
    }
    return used;
}

void ExamineMap(const TileMap& map, FileInfo& info) {
    info.hasMap = true;
    info.map.width = map.width;
    info.map.height = map.height;
    info.map.tileWidth = map.tileWidth;
    info.map.tileHeight = map.tileHeight;
    std::array<bool, kTileCount> used{};
    for (std::uint8_t cell : map.cells) {
        if (cell >= kTileCount) continue;
        used[cell] = true;
        ++info.cellsUsed;
    }
    for (bool u : used) info.tilesUsed += u ? 1 : 0;
}

FileInfo Examine(const InputFile& input) {
    FileInfo info;
    info.kind = KindName(input.kind);
    info.size = input.size;
    switch (input.kind) {
        case FileKind::Font:
            info.slots.push_back({1, FileNameOf(input.path), UsedChars(input.font.font)});
            info.fontNote = input.font.loadHeader ? "binary load file" : HeldCharsText(input.font.heldBytes);
            break;
        case FileKind::Project: {
            const Document doc = ProjectDocument(input);
            info.olderForm = input.size <= static_cast<long long>(kOlderProjectSize);
            // A project keeps no slot names; the slots go by their numbers.
            for (int slot = 1; slot <= kSlotCount; ++slot) {
                info.slots.push_back({slot, "Slot " + std::to_string(slot), UsedChars(PackFont(doc.Slots[slot]))});
            }
            info.usedSets = 0;
            for (int set = 1; set <= kSetCount; ++set) info.usedSets += SetUsed(doc.SetTable[set]) ? 1 : 0;
            info.usedCells = UsedCells(doc.ViewScreen);
            // The registers as the file stores them, bytes and colours alike.
            const ProjectData project = *ReadProject(input.bytes);
            info.hasRegisters = true;
            for (int reg = LUM; reg <= PF3; ++reg) {
                info.registerValues[reg] = project.registerValues[reg - 1];
                info.registerRgb[reg] = project.registerRgb[reg - 1];
                info.registersChangeOnOpening |= doc.RegisterValue[reg] != info.registerValues[reg] ||
                                                  doc.RegisterRgb[reg] != info.registerRgb[reg];
            }
            info.openedValues = doc.RegisterValue;
            info.openedRgb = doc.RegisterRgb;
            if (doc.Map.InUse()) ExamineMap(doc.Map, info);
            break;
        }
        case FileKind::View:
            info.usedCells = UsedCells(*DecodeViewFile(input.bytes));
            break;
        case FileKind::Colors: {
            ColorRegisters registers;
            DecodeColorFile(input.bytes, registers);
            info.hasRegisters = true;
            info.registerValues = registers.values;
            info.registerRgb = registers.rgb;
            break;
        }
        case FileKind::Set:
            info.usedSets = SetUsed(*DecodeSetFile(input.bytes)) ? 1 : 0;
            break;
        case FileKind::AllSets: {
            const SetArray sets = *DecodeAllSetsFile(input.bytes);
            info.usedSets = 0;
            for (int set = 1; set <= kSetCount; ++set) info.usedSets += SetUsed(sets[set]) ? 1 : 0;
            break;
        }
        case FileKind::Picture:
        case FileKind::Other: break;  // never read as such
    }
    return info;
}

std::string HexColor(Rgb rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
    return text;
}

// The length of the well-formed UTF-8 sequence at text[at], or 0 when the
// byte there does not start one (overlong forms and surrogates included).
std::size_t Utf8SequenceAt(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    }
    return length;
}

// File names are bytes; those that are not UTF-8 are written as the
// characters of their Latin-1 reading, so the output is always valid JSON.
std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (std::size_t at = 0; at < text.size(); ++at) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        const std::size_t sequence = c >= 0x80 ? Utf8SequenceAt(text, at) : 0;
        if (sequence > 0) {
            out.append(text, at, sequence);
            at += sequence - 1;
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string RegistersText(const std::array<int, 7>& values, const RegisterColors& rgb) {
    std::string text;
    for (int reg = LUM; reg <= PF3; ++reg) {
        text += std::string(" ") + kRegisterNames[reg] + " " + std::to_string(values[reg]) + " " + HexColor(rgb[reg]);
        text += reg < PF3 ? "," : "\n";
    }
    return text;
}

std::string RegistersJson(const std::array<int, 7>& values, const RegisterColors& rgb) {
    std::string json = "{";
    for (int reg = LUM; reg <= PF3; ++reg) {
        json += std::string(reg > LUM ? ", " : "") + "\"" + kRegisterNames[reg] + "\": {\"value\": " +
                std::to_string(values[reg]) + ", \"rgb\": " + JsonString(HexColor(rgb[reg])) + "}";
    }
    return json + "}";
}

std::string AsText(const FileInfo& info, const std::string& path) {
    std::string text = path + ": " + info.kind + (info.olderForm ? " (older form)" : "") + ", " +
                       std::to_string(info.size) + " bytes" + (info.fontNote.empty() ? "" : " (" + info.fontNote + ")") +
                       "\n";
    for (const SlotInfo& slot : info.slots) {
        text += "  slot " + std::to_string(slot.number) + ": " + slot.name + ", " + std::to_string(slot.usedChars) +
                " of 128 characters not blank\n";
    }
    if (info.usedSets >= 0) text += "  sets used: " + std::to_string(info.usedSets) + "\n";
    if (info.usedCells >= 0) text += "  screen cells used: " + std::to_string(info.usedCells) + " of 2400\n";
    if (info.hasMap) {
        text += "  map: " + std::to_string(info.map.width) + " x " + std::to_string(info.map.height) + " cells of " +
                std::to_string(info.map.tileWidth) + " x " + std::to_string(info.map.tileHeight) + " characters, " +
                std::to_string(info.tilesUsed) + " of 100 tiles used in " + std::to_string(info.cellsUsed) +
                " cells\n";
    }
    if (info.hasRegisters) text += "  registers:" + RegistersText(info.registerValues, info.registerRgb);
    if (info.registersChangeOnOpening) {
        text += "  registers on opening (slot 1's colours):" + RegistersText(info.openedValues, info.openedRgb);
    }
    return text;
}

std::string AsJson(const FileInfo& info, const std::string& path) {
    std::string json = "{\"file\": " + JsonString(path) + ", \"kind\": " + JsonString(info.kind) +
                       ", \"size\": " + std::to_string(info.size);
    if (info.kind == "project") json += std::string(", \"older_form\": ") + (info.olderForm ? "true" : "false");
    if (!info.slots.empty()) {
        json += ", \"slots\": [";
        for (std::size_t i = 0; i < info.slots.size(); ++i) {
            const SlotInfo& slot = info.slots[i];
            json += std::string(i ? ", " : "") + "{\"slot\": " + std::to_string(slot.number) +
                    ", \"name\": " + JsonString(slot.name) + ", \"chars_used\": " + std::to_string(slot.usedChars) + "}";
        }
        json += "]";
    }
    if (info.usedSets >= 0) json += ", \"sets_used\": " + std::to_string(info.usedSets);
    if (info.usedCells >= 0) json += ", \"cells_used\": " + std::to_string(info.usedCells);
    if (info.hasMap) {
        json += ", \"map\": {\"width\": " + std::to_string(info.map.width) +
                ", \"height\": " + std::to_string(info.map.height) +
                ", \"tile_width\": " + std::to_string(info.map.tileWidth) +
                ", \"tile_height\": " + std::to_string(info.map.tileHeight) +
                ", \"tiles_used\": " + std::to_string(info.tilesUsed) +
                ", \"cells_used\": " + std::to_string(info.cellsUsed) + "}";
    }
    if (info.hasRegisters) json += ", \"registers\": " + RegistersJson(info.registerValues, info.registerRgb);
    if (info.registersChangeOnOpening) {
        json += ", \"registers_on_opening\": " + RegistersJson(info.openedValues, info.openedRgb);
    }
    return json + "}\n";
}

void Run(const Options& options) {
    const std::string output = options.Value("-o", "-");
    const InputFile input = ReadInput(options.Input());
    CheckOutput(output, FileKind::Other, {{input.path, input.kind}});
    const FileInfo info = Examine(input);
    WriteText(output, options.Has("--json") ? AsJson(info, input.path) : AsText(info, input.path));
}

}  // namespace

const Command& InfoCommand() {
    static const Command command = {
        "info",
        "what a file is and what it holds",
        "Usage: quillmere-cli info IN [--json] [-o OUT]\n"
        "Tells what IN is (font, project, view, colours, set or sets) and what it holds: per\n"
        "font slot how many characters are not blank, how many sets and screen cells are\n"
        "used, the map's size, tile size and tiles used, and the colour registers. Writes\n"
        "to standard output unless -o is given.\n\n"
        "  --json   one JSON object instead of text\n",
        {{}, {"--json"}},
        Run,
    };
    return command;
}

}  // namespace qm::cli
