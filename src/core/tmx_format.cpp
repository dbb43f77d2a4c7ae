#include "core/tmx_format.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <string_view>

#include "core/xml_reader.h"

namespace qm {

namespace {

constexpr int kTilesetColumns = 32;
constexpr int kTilesetTiles = 256;
constexpr int kMaxLocalId = 255;
// Tiled keeps the flips (and the hexagonal rotation) in the top four bits.
constexpr std::uint32_t kFlagBits = 0xF0000000u;

struct Refusal {
    std::string reason;
};

[[noreturn]] void Refuse(const std::string& reason) { throw Refusal{reason}; }

std::string Attr(const XmlElement& e, const char* key, const std::string& fallback = "") {
    const std::string* value = e.Attribute(key);
    return value ? *value : fallback;
}

// A whole number from low to high, or a refusal naming the attribute.
long long Number(const XmlElement& e, const char* key, long long low, long long high, long long fallback) {
    const std::string* text = e.Attribute(key);
    if (!text) return fallback;
    long long value = 0;
    const char* end = text->data() + text->size();
    const auto [stop, fault] = std::from_chars(text->data(), end, value);
    if (fault != std::errc() || stop != end || value < low || value > high) {
        Refuse("<" + e.name + "> has " + key + "=\"" + *text + "\", not a number from " + std::to_string(low) +
               " to " + std::to_string(high));
    }
    return value;
}

// A size the map only describes: anything but a plain number counts as none.
int PixelSize(const XmlElement& e, const char* key) {
    const std::string* text = e.Attribute(key);
    int value = 0;
    if (!text || std::from_chars(text->data(), text->data() + text->size(), value).ec != std::errc()) return 0;
    return std::max(value, 0);
}

const XmlElement* FirstTileLayer(const XmlElement& parent) {
    for (const XmlElement& child : parent.children) {
        if (child.name == "layer") return &child;
        if (child.name == "group") {
            if (const XmlElement* layer = FirstTileLayer(child)) return layer;
        }
    }
    return nullptr;
}

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

Bytes DecodeBase64(std::string_view text) {
    Bytes out;
    out.reserve(text.size() / 4 * 3);
    std::uint32_t bits = 0;
    int count = 0, padding = 0;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        const int value = Base64Value(c);
        if (value < 0 || padding > 0) Refuse("the layer's base64 data holds a character that is not base64");
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        if (++count == 4) {
            out.push_back(static_cast<unsigned char>(bits >> 16));
            out.push_back(static_cast<unsigned char>(bits >> 8));
            out.push_back(static_cast<unsigned char>(bits));
            bits = 0;
            count = 0;
        }
    }
    if (count == 1 || padding > 2) Refuse("the layer's base64 data is cut short");
    if (count == 2) out.push_back(static_cast<unsigned char>(bits >> 4));
    if (count == 3) {
        out.push_back(static_cast<unsigned char>(bits >> 10));
        out.push_back(static_cast<unsigned char>(bits >> 2));
    }
    return out;
}

// At most limit bytes come out; more is a fault of the layer, so a small file
// can never unpack into a large allocation.
Bytes Inflate(const Bytes& packed, std::size_t limit) {
    Bytes out;
    z_stream z{};
    if (inflateInit(&z) != Z_OK) Refuse("the layer's data cannot be unpacked");
    z.next_in = const_cast<Bytes::value_type*>(packed.data());
    z.avail_in = static_cast<uInt>(packed.size());
    unsigned char chunk[16384];
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        status = inflate(&z, Z_NO_FLUSH);
        const std::size_t produced = sizeof chunk - z.avail_out;
        if (out.size() + produced > limit) status = Z_BUF_ERROR;
        else out.insert(out.end(), chunk, chunk + produced);
        if (status == Z_OK && produced == 0 && z.avail_in == 0) status = Z_BUF_ERROR;
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END) Refuse("the layer's zlib data is damaged or larger than the layer");
    return out;
}

std::vector<std::uint32_t> CsvIds(std::string_view text, std::size_t cells) {
    std::vector<std::uint32_t> ids;
    ids.reserve(std::min(cells, text.size() / 2 + 1));
    std::size_t at = 0;
    auto skipSpace = [&] {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\r' || text[at] == '\n')) ++at;
    };
    skipSpace();
    if (at == text.size()) return ids;
    for (;;) {
        skipSpace();
        std::uint32_t id = 0;
        const auto [stop, fault] = std::from_chars(text.data() + at, text.data() + text.size(), id);
        if (fault != std::errc()) Refuse("the layer's CSV data holds something that is not a tile id");
        at = static_cast<std::size_t>(stop - text.data());
        ids.push_back(id);
        skipSpace();
        if (at == text.size()) return ids;
        if (text[at] != ',') Refuse("the layer's CSV data holds something that is not a tile id");
        ++at;
    }
}

std::vector<std::uint32_t> LittleEndianIds(const Bytes& bytes) {
    if (bytes.size() % 4 != 0) Refuse("the layer's data is not a whole number of tile ids");
    std::vector<std::uint32_t> ids(bytes.size() / 4);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        ids[i] = bytes[4 * i] | bytes[4 * i + 1] << 8 | bytes[4 * i + 2] << 16 |
                 static_cast<std::uint32_t>(bytes[4 * i + 3]) << 24;
    }
    return ids;
}

std::vector<std::uint32_t> LayerIds(const XmlElement& data, std::size_t cells) {
    if (data.Child("chunk")) Refuse("the layer is stored in chunks, as in an infinite map");
    const std::string encoding = Attr(data, "encoding");
    const std::string compression = Attr(data, "compression");
    if (encoding == "csv" || encoding.empty()) {
        if (!compression.empty()) Refuse("a " + (encoding.empty() ? std::string("tile element") : "CSV") +
                                          " layer with compression=\"" + compression + "\"");
    }
    if (encoding == "csv") return CsvIds(data.text, cells);
    if (encoding.empty()) {
        std::vector<std::uint32_t> ids;
        for (const XmlElement& tile : data.children) {
            if (tile.name == "tile") ids.push_back(static_cast<std::uint32_t>(Number(tile, "gid", 0, 0xFFFFFFFFll, 0)));
        }
        return ids;
    }
    if (encoding != "base64") Refuse("the layer's encoding \"" + encoding + "\" is not csv or base64");
    const Bytes bytes = DecodeBase64(data.text);
    if (compression.empty()) return LittleEndianIds(bytes);
    if (compression == "zlib") return LittleEndianIds(Inflate(bytes, cells * 4));
    if (compression == "gzip" || compression == "zstd") {
        Refuse("the layer is compressed with " + compression +
               ", which is not read; save the map in Tiled with the layer format CSV or Base64 (zlib compressed)");
    }
    Refuse("the layer's compression \"" + compression + "\" is not known");
}

// The first global id of each tile set, in increasing order.
std::vector<std::uint32_t> FirstGids(const XmlElement& map) {
    std::vector<std::uint32_t> firsts;
    for (const XmlElement& child : map.children) {
        if (child.name == "tileset") firsts.push_back(static_cast<std::uint32_t>(Number(child, "firstgid", 1, 0x0FFFFFFF, 0)));
    }
    std::sort(firsts.begin(), firsts.end());
    return firsts;
}

int LocalCode(std::uint32_t gid, const std::vector<std::uint32_t>& firsts) {
    gid &= ~kFlagBits;
    if (gid == 0) return kEmptyCell;
    const auto next = std::upper_bound(firsts.begin(), firsts.end(), gid);
    if (next == firsts.begin()) Refuse("tile id " + std::to_string(gid) + " belongs to no tile set");
    const std::uint32_t local = gid - *(next - 1);
    if (local > kMaxLocalId) {
        Refuse("tile " + std::to_string(local) + " of a tile set is used; a cell holds a character 0 to 255, a map cell one of 100 tiles");
    }
    return static_cast<int>(local);
}

CodeGrid ReadMap(const XmlElement& map) {
    if (map.name != "map") Refuse("not a Tiled map: the document is <" + map.name + ">, not <map>");
    const std::string orientation = Attr(map, "orientation", "orthogonal");
    if (orientation != "orthogonal") Refuse("the map is " + orientation + "; only orthogonal maps are read");
    if (Attr(map, "infinite", "0") != "0") Refuse("the map is infinite; only maps of a fixed size are read");
    const XmlElement* layer = FirstTileLayer(map);
    if (!layer) Refuse("the map has no tile layer");
    CodeGrid grid;
    grid.width = static_cast<int>(Number(*layer, "width", 1, kTmxMaxCells, Number(map, "width", 1, kTmxMaxCells, 0)));
    grid.height = static_cast<int>(Number(*layer, "height", 1, kTmxMaxCells, Number(map, "height", 1, kTmxMaxCells, 0)));
    if (grid.width == 0 || grid.height == 0) Refuse("the tile layer has no width or height");
    const long long cells = static_cast<long long>(grid.width) * grid.height;
    if (cells > kTmxMaxCells) {
        Refuse("the tile layer is " + std::to_string(grid.width) + " x " + std::to_string(grid.height) +
               ", more than " + std::to_string(kTmxMaxCells) + " cells");
    }
    const XmlElement* data = layer->Child("data");
    if (!data) Refuse("the tile layer has no data");
    const std::vector<std::uint32_t> ids = LayerIds(*data, static_cast<std::size_t>(cells));
    if (static_cast<long long>(ids.size()) != cells) {
        Refuse("the tile layer holds " + std::to_string(ids.size()) + " tile ids, not " + std::to_string(grid.width) +
               " x " + std::to_string(grid.height));
    }
    const std::vector<std::uint32_t> firsts = FirstGids(map);
    grid.cells.reserve(ids.size());
    for (std::uint32_t id : ids) grid.cells.push_back(LocalCode(id, firsts));
    return grid;
}

// Every id's text with its comma, looked up rather than formatted per cell.
const std::array<TmxIdText, kMaxLocalId + 2>& IdTexts() {
    static const auto texts = [] {
        std::array<TmxIdText, kMaxLocalId + 2> all{};
        for (std::size_t id = 0; id < all.size(); ++id) {
            all[id].Append(std::to_string(id));
            all[id].Append(",");
        }
        return all;
    }();
    return texts;
}

// The map's text in either kind of buffer: a file's bytes are written without
// a copy of several megabytes.
template <typename Text>
Text TmxText(const TmxLayer& layer, const std::string& tilesetFile, const std::string& layerName) {
    const std::string w = std::to_string(layer.width), h = std::to_string(layer.height);
    std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    head += "<map version=\"1.10\" orientation=\"orthogonal\" renderorder=\"right-down\" width=\"" + w +
           "\" height=\"" + h + "\" tilewidth=\"8\" tileheight=\"8\" infinite=\"0\" nextlayerid=\"2\" nextobjectid=\"1\">\n";
    head += " <tileset firstgid=\"1\" source=\"" + XmlEscape(tilesetFile) + "\"/>\n";
    head += " <layer id=\"1\" name=\"" + XmlEscape(layerName) + "\" width=\"" + w + "\" height=\"" + h + "\">\n";
    head += "  <data encoding=\"csv\">\n";
    const std::string_view tail = "</data>\n </layer>\n</map>\n";
    // At its exact length from the start, so that a large map's text touches
    // no more memory than it takes and is never moved.
    Text out;
    out.reserve(head.size() + layer.csvLength + layer.slack + tail.size());
    out.insert(out.end(), head.begin(), head.end());
    out.resize(head.size() + layer.csvLength + layer.slack);
    char* const csv = reinterpret_cast<char*>(out.data()) + head.size();
    char* to = layer.write(csv);
    // No comma after the last cell.
    if (layer.width > 0 && layer.height > 0) {
        to[-2] = '\n';
        --to;
    }
    out.resize(static_cast<std::size_t>(to - reinterpret_cast<char*>(out.data())));
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

// The grid's cells with a comma each and a line end a row; every id is copied
// as its whole four bytes, so the text needs that much room after it.
TmxLayer GridLayer(const CodeGrid& grid) {
    const std::size_t cells = static_cast<std::size_t>(grid.width) * static_cast<std::size_t>(grid.height);
    std::size_t length = static_cast<std::size_t>(grid.height);
    for (std::size_t i = 0; i < cells; ++i) length += TmxIdOf(grid.cells[i]).length;
    return {grid.width, grid.height, length, TmxIdText::kRoom, [&grid](char* to) {
                const int* cell = grid.cells.data();
                for (int y = 0; y < grid.height; ++y) {
                    for (int x = 0; x < grid.width; ++x, ++cell) to = TmxIdOf(*cell).CopyTo(to);
                    *to++ = '\n';
                }
                return to;
            }};
}

}  // namespace

const TmxIdText& TmxIdOf(int code) { return IdTexts()[code >= 0 && code <= kMaxLocalId ? code + 1 : 0]; }

std::string WriteTmx(const CodeGrid& grid, const std::string& tilesetFile, const std::string& layerName) {
    return TmxText<std::string>(GridLayer(grid), tilesetFile, layerName);
}

Bytes WriteTmxBytes(const CodeGrid& grid, const std::string& tilesetFile, const std::string& layerName) {
    return TmxText<Bytes>(GridLayer(grid), tilesetFile, layerName);
}

Bytes WriteTmxBytes(const TmxLayer& layer, const std::string& tilesetFile, const std::string& layerName) {
    return TmxText<Bytes>(layer, tilesetFile, layerName);
}

std::string WriteTsx(const std::string& name, const std::string& imageFile) {
    const int rows = kTilesetTiles / kTilesetColumns;
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<tileset version=\"1.10\" name=\"" + XmlEscape(name) + "\" tilewidth=\"" + std::to_string(kTmxCharSide) +
           "\" tileheight=\"" + std::to_string(kTmxCharSide) + "\" tilecount=\"" + std::to_string(kTilesetTiles) +
           "\" columns=\"" + std::to_string(kTilesetColumns) + "\">\n <image source=\"" + XmlEscape(imageFile) +
           "\" width=\"" + std::to_string(kTilesetColumns * kTmxCharSide) + "\" height=\"" +
           std::to_string(rows * kTmxCharSide) + "\"/>\n</tileset>\n";
}

TmxReadResult ReadTmx(std::span<const std::uint8_t> file) {
    TmxReadResult result;
    const XmlDocument doc = ParseXml(std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
    if (!doc.error.empty()) {
        result.error = "not a well-formed map: " + doc.error;
        return result;
    }
    try {
        result.grid = ReadMap(doc.root);
        result.tileWidth = PixelSize(doc.root, "tilewidth");
        result.tileHeight = PixelSize(doc.root, "tileheight");
    } catch (const Refusal& r) {
        result.grid = {};
        result.error = r.reason;
    }
    return result;
}

std::string PlaceOnScreen(const CodeGrid& grid, ViewCells& screen) {
    if (grid.width > kViewColumns || grid.height > kViewRows) {
        return "the map is " + std::to_string(grid.width) + " x " + std::to_string(grid.height) +
               " tiles; the screen holds 60 x 40";
    }
    for (int code : grid.cells) {
        if (CellOrEmpty(code) != code) return "the map uses tile " + std::to_string(code) + ", which no screen cell holds";
    }
    for (auto& row : screen) row.fill(kEmptyCell);
    for (int y = 0; y < grid.height; ++y) {
        for (int x = 0; x < grid.width; ++x) screen[y][x] = grid.cells[static_cast<std::size_t>(y) * grid.width + x];
    }
    return "";
}

CodeGrid ScreenGrid(const ViewCells& screen) {
    CodeGrid grid{kViewColumns, kViewRows, {}};
    for (const auto& row : screen) {
        for (int cell : row) grid.cells.push_back(CellOrEmpty(cell));
    }
    return grid;
}

}  // namespace qm
