#include "core/picture_import.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <optional>
#include <unordered_map>

#include "core/palette.h"

namespace qm {

namespace {

constexpr int kCellPixels = 8;
// A font's picture: 32 x 8 cells, the normal half above the inverse half.
constexpr int kFontPictureColumns = 32, kFontPictureRows = 8;
constexpr int kFontPictureHalfRows = 32;  // font pixels in each half

std::int64_t BigEndian32(const Bytes& data, std::size_t at) {
    return (std::int64_t{data[at]} << 24) | (data[at + 1] << 16) | (data[at + 2] << 8) | data[at + 3];
}

std::int64_t LittleEndian32(const Bytes& data, std::size_t at) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(data[at]) | (static_cast<std::uint32_t>(data[at + 1]) << 8) |
                                     (static_cast<std::uint32_t>(data[at + 2]) << 16) |
                                     (static_cast<std::uint32_t>(data[at + 3]) << 24));
}

std::string SizeText(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// Why a picture of this size cannot be cut into cells; empty when it can.
std::string SizeFault(std::int64_t width, std::int64_t height, int scale, const PictureCellLimit& limit = {}) {
    if (scale < 1 || scale > kMaxImportScale) return "The scale must be 1 to 4.";
    const std::int64_t cell = kCellPixels * scale;
    if (width <= 0 || height <= 0 || width % cell != 0 || height % cell != 0) {
        return "The picture is " + SizeText(width, height) + " pixels; its width and height must be multiples of " +
               std::to_string(cell) + " (8 x scale " + std::to_string(scale) + ").";
    }
    if (width / cell > limit.columns || height / cell > limit.rows) {
        return "The picture is " + SizeText(width, height) + " pixels, " + SizeText(width / cell, height / cell) +
               " cells; at most " + SizeText(limit.columns, limit.rows) + " cells (" +
               SizeText(limit.columns * cell, limit.rows * cell) + " pixels at scale " + std::to_string(scale) +
               ") can be imported.";
    }
    return "";
}

int Distance(Rgb a, Rgb b) {
    const int r = RedOf(a) - RedOf(b), g = GreenOf(a) - GreenOf(b), bl = BlueOf(a) - BlueOf(b);
    return r * r + g * g + bl * bl;
}

// The value (index into refs) nearest to colour; the first of equals.
int Nearest(Rgb colour, const Rgb* refs, int count, int* distance = nullptr) {
    int best = 0, bestDistance = Distance(colour, refs[0]);
    for (int i = 1; i < count; ++i) {
        const int d = Distance(colour, refs[i]);
        if (d < bestDistance) best = i, bestDistance = d;
    }
    if (distance) *distance = bestDistance;
    return best;
}

// The colours a conversion compares with: hi-res {BAK, LUM}, multicolour
// {BAK, PF0, PF1, PF2, PF3}; a pixel or pair becomes the index of the nearest.
struct References {
    Rgb colours[5]{};
    int count = 2;
};

constexpr int kPf2Value = 3;
constexpr int kPf3Value = 4;  // shown as "11" of an inverse character

// Bit 8 * y + 7 - x is pixel (x, y): the bytes are the character's rows.
int BitOf(int x, int y) { return 8 * y + 7 - x; }

struct ConvertedCell {
    std::uint64_t bits = 0;
    bool inverse = false;  // its "11" pairs are PF3
    bool mixed = false;    // it used PF2 and PF3 both
};

// The 32 pixel pairs of a multicolour cell, row by row.
using PairValues = std::array<std::uint8_t, 32>;

class Converter {
public:
    Converter(const Image& picture, int scale, bool multicolour) : picture_(picture), scale_(scale), multi_(multicolour) {}

    Rgb Sample(int fx, int fy) const { return picture_.At(fx * scale_, fy * scale_) & 0xFFFFFFu; }

    // Each pair the index of its nearest colour of refs.
    PairValues Pairs(int column, int row, const Rgb* refs, int count) const {
        PairValues values{};
        const int left = column * kCellPixels, top = row * kCellPixels;
        for (int y = 0; y < kCellPixels; ++y) {
            for (int x = 0; x < kCellPixels; x += 2) {
                const Rgb a = Sample(left + x, top + y), b = Sample(left + x + 1, top + y);
                int da = 0, db = 0;
                const int va = Nearest(a, refs, count, &da);
                const int vb = a == b ? va : Nearest(b, refs, count, &db);
                // A pair of two colours takes whichever of them is nearer its register.
                values[static_cast<std::size_t>(4 * y + x / 2)] = static_cast<std::uint8_t>(a == b || da <= db ? va : vb);
            }
        }
        return values;
    }

    ConvertedCell Cell(int column, int row, const References& refs) const {
        if (!multi_) return {HiResBits(column, row, refs), false, false};
        PairValues values = Pairs(column, row, refs.colours, refs.count);
        const auto pf2 = std::count(values.begin(), values.end(), kPf2Value);
        const auto pf3 = std::count(values.begin(), values.end(), kPf3Value);
        ConvertedCell cell;
        cell.inverse = pf3 > pf2;
        cell.mixed = pf2 > 0 && pf3 > 0;
        if (cell.mixed) {
            // One character shows PF2 or PF3, never both: the one more pairs
            // use stays, the other's pairs take the nearest of what is left.
            const Rgb four[4] = {refs.colours[0], refs.colours[1], refs.colours[2],
                                 refs.colours[cell.inverse ? kPf3Value : kPf2Value]};
            values = Pairs(column, row, four, 4);
        }
        for (std::size_t i = 0; i < values.size(); ++i) {
            const int value = std::min<int>(values[i], kPf2Value);  // PF3 is "11" too
            const int x = 2 * static_cast<int>(i % 4), y = static_cast<int>(i / 4);
            cell.bits |= std::uint64_t(value >> 1) << BitOf(x, y);
            cell.bits |= std::uint64_t(value & 1) << BitOf(x + 1, y);
        }
        return cell;
    }

private:
    std::uint64_t HiResBits(int column, int row, const References& refs) const {
        std::uint64_t bits = 0;
        const int left = column * kCellPixels, top = row * kCellPixels;
        for (int y = 0; y < kCellPixels; ++y) {
            for (int x = 0; x < kCellPixels; ++x) {
                const Rgb c = Sample(left + x, top + y);
                if (Distance(c, refs.colours[1]) < Distance(c, refs.colours[0])) bits |= std::uint64_t{1} << BitOf(x, y);
            }
        }
        return bits;
    }

    const Image& picture_;
    int scale_;
    bool multi_;
};

int PaletteByteNearest(Rgb colour) {
    int best = 0, bestDistance = -1;
    for (int hue = 0; hue < 16; ++hue) {
        for (int column = 0; column < 8; ++column) {
            const int d = Distance(colour, PlatformPalette[hue][column]);
            if (bestDistance < 0 || d < bestDistance) best = 16 * hue + 2 * column, bestDistance = d;
        }
    }
    return best;
}

Rgb PaletteColour(int value) { return PlatformPalette[(value >> 4) & 15][(value >> 1) & 7]; }

// The colours of the picture's rows top to bottom - 1 (font pixels), most
// frequent first.
std::vector<Rgb> ColoursByFrequency(const Converter& conv, int width, int top, int bottom) {
    std::unordered_map<Rgb, int> counts;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < width; ++x) ++counts[conv.Sample(x, y)];
    }
    std::vector<std::pair<Rgb, int>> sorted(counts.begin(), counts.end());
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    std::vector<Rgb> colours;
    for (const auto& entry : sorted) colours.push_back(entry.first);
    return colours;
}

// The five most frequent colours of a picture in the order of the registers
// BAK, PF0, PF1, PF2, PF3 they become. A character shows PF2 or PF3, never
// both, so the two that share the fewest cells become PF2 and PF3 (the more
// frequent PF2; among equals the least frequent pair), and the other three
// BAK, PF0 and PF1 by frequency.
void OrderFiveColours(const Converter& conv, int columns, int rows, std::vector<Rgb>& frequent) {
    std::array<std::array<int, 5>, 5> together{};
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            unsigned used = 0;
            for (std::uint8_t value : conv.Pairs(column, row, frequent.data(), 5)) used |= 1u << value;
            for (int i = 0; i < 5; ++i) {
                for (int j = i + 1; j < 5; ++j) together[i][j] += (used >> i & 1) && (used >> j & 1);
            }
        }
    }
    int pf2 = 3, pf3 = 4;
    for (int i = 3; i >= 0; --i) {
        for (int j = 4; j > i; --j) {
            if (together[i][j] < together[pf2][pf3]) pf2 = i, pf3 = j;
        }
    }
    std::vector<Rgb> ordered;
    for (int i = 0; i < 5; ++i) {
        if (i != pf2 && i != pf3) ordered.push_back(frequent[i]);
    }
    ordered.push_back(frequent[pf2]);
    ordered.push_back(frequent[pf3]);
    std::copy(ordered.begin(), ordered.end(), frequent.begin());
}

// The one colour of the top-left cell, if it has only one.
std::optional<Rgb> FirstCellColour(const Converter& conv) {
    const Rgb first = conv.Sample(0, 0);
    for (int y = 0; y < kCellPixels; ++y) {
        for (int x = 0; x < kCellPixels; ++x) {
            if (conv.Sample(x, y) != first) return std::nullopt;
        }
    }
    return first;
}

// The registers compared with: the slot's own, or the picture's colours in
// the order given (the first one BAK). Five picture colours in multicolour
// are ordered so that PF2 and PF3 are the two that share the fewest cells,
// unless the order is already known.
References ChooseReferences(std::vector<Rgb> frequent, bool orderFive, const Converter& conv, int columns, int rows,
                            const Document& doc, const PictureImportOptions& options,
                            std::array<int, 7>& registerValues) {
    References refs;
    const int hiRes[2] = {BAK, LUM};
    const int multi[5] = {BAK, PF0, PF1, PF2, PF3};
    const int* order = options.multicolour ? multi : hiRes;
    refs.count = options.multicolour ? 5 : 2;
    registerValues.fill(-1);
    for (int i = 0; i < refs.count; ++i) refs.colours[i] = doc.RegisterRgb[order[i]];
    if (options.colours == ImportColours::Picture) {
        if (orderFive && options.multicolour && frequent.size() >= 5) OrderFiveColours(conv, columns, rows, frequent);
        for (int i = 0; i < refs.count && i < static_cast<int>(frequent.size()); ++i) {
            // The picture's own colour decides the conversion; the register gets
            // the palette's nearest.
            refs.colours[i] = frequent[i];
            registerValues[order[i]] = PaletteByteNearest(frequent[i]);
        }
    }
    return refs;
}

// A font's picture shows as many set as clear pixels in all, and a font and
// its inverse in swapped colours draw the same picture, so no count over the
// whole of it can tell BAK. Its layout can: the normal half above, and in it
// character 0, which a font keeps blank for its space. Where that cell has
// ink, the normal half's most frequent colour, its clear pixels in most fonts.
// The colours of the normal half come first, so that PF3's colour, shown
// only in the inverse half, never takes another register's place.
std::vector<Rgb> FontPictureColours(const Converter& conv, int width) {
    std::vector<Rgb> frequent = ColoursByFrequency(conv, width, 0, kFontPictureHalfRows);
    for (Rgb colour : ColoursByFrequency(conv, width, kFontPictureHalfRows, 2 * kFontPictureHalfRows)) {
        if (std::find(frequent.begin(), frequent.end(), colour) == frequent.end()) frequent.push_back(colour);
    }
    if (const std::optional<Rgb> space = FirstCellColour(conv)) {
        std::stable_partition(frequent.begin(), frequent.end(), [&](Rgb colour) { return colour == *space; });
    }
    return frequent;
}

// The colour the lower half shows where the upper half's first pair of code 3
// is; none when no character has such a pair.
std::optional<Rgb> Pf3ColourBelow(const Converter& conv, const std::vector<std::uint64_t>& upper) {
    for (int k = 0; k < kCharCount; ++k) {
        for (int y = 0; y < kCellPixels; ++y) {
            for (int x = 0; x < kCellPixels; x += 2) {
                if ((upper[k] >> BitOf(x + 1, y) & 3) != 3) continue;
                return conv.Sample((k % 32) * kCellPixels + x, kFontPictureHalfRows + (k / 32) * kCellPixels + y);
            }
        }
    }
    return std::nullopt;
}

// Whether the lower half of a font picture shows the upper half's characters
// as the inverse codes display them: in multicolour PF3 in PF2's place, in
// whatever colour the picture gives it.
bool LowerHalfIsInverse(const Converter& conv, const References& refs, bool multicolour,
                        const std::vector<std::uint64_t>& upper) {
    References lowerRefs = refs;
    if (multicolour) {
        lowerRefs.count = 4;
        lowerRefs.colours[kPf2Value] = Pf3ColourBelow(conv, upper).value_or(refs.colours[kPf3Value]);
    }
    for (int k = 0; k < kCharCount; ++k) {
        const std::uint64_t lower = conv.Cell(k % 32, 4 + k / 32, lowerRefs).bits;
        if (lower != (multicolour ? upper[k] : ~upper[k])) return false;
    }
    return true;
}

struct Merges {
    std::vector<int> parent;
    int Find(int i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    }
};

// How many pixels two characters draw differently at scale 1: in multicolour
// a pair of pixels is one colour, so a pair that differs in either bit is two.
int PixelDistance(std::uint64_t a, std::uint64_t b, bool multicolour) {
    const std::uint64_t differ = a ^ b;
    if (!multicolour) return std::popcount(differ);
    constexpr std::uint64_t kLowBits = 0x5555555555555555u;  // the right pixel of each pair
    return 2 * std::popcount((differ | differ >> 1) & kLowBits);
}

// Merges the most alike characters (fewest differing pixels first) until at
// most room are left; a merged character's cells take the one used more.
void Reduce(std::vector<std::uint64_t>& chars, std::vector<int>& map, int room, bool multicolour) {
    const int n = static_cast<int>(chars.size());
    std::vector<int> uses(n, 0);
    for (int index : map) ++uses[index];
    std::vector<std::vector<std::uint32_t>> byDistance(65);
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            byDistance[PixelDistance(chars[i], chars[j], multicolour)].push_back(static_cast<std::uint32_t>(i) << 16 | j);
        }
    }
    Merges merges{std::vector<int>(n)};
    std::iota(merges.parent.begin(), merges.parent.end(), 0);
    std::vector<bool> alive(n, true);
    int left = n;
    for (const auto& pairs : byDistance) {
        for (std::uint32_t pair : pairs) {
            if (left <= room) break;
            int a = static_cast<int>(pair >> 16), b = static_cast<int>(pair & 0xFFFF);
            if (!alive[a] || !alive[b]) continue;
            if (uses[b] > uses[a]) std::swap(a, b);
            alive[b] = false;
            merges.parent[b] = a;
            uses[a] += uses[b];
            --left;
        }
    }
    std::vector<int> newIndex(n, -1);
    std::vector<std::uint64_t> kept;
    for (int i = 0; i < n; ++i) {
        if (alive[i]) newIndex[i] = static_cast<int>(kept.size()), kept.push_back(chars[i]);
    }
    for (int& index : map) index = newIndex[merges.Find(index)];
    chars = std::move(kept);
}

}  // namespace

PictureFile ReadPictureFile(const Bytes& data, int scale, const PictureCellLimit& limit) {
    static const unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    PictureFile file;
    std::int64_t width = 0, height = 0;
    const bool png = data.size() >= 8 && std::equal(kPngSignature, kPngSignature + 8, data.begin());
    const bool bmp = data.size() >= 2 && data[0] == 'B' && data[1] == 'M';
    if (png && data.size() >= 24) {
        width = BigEndian32(data, 16);
        height = BigEndian32(data, 20);
    } else if (bmp && data.size() >= 26) {
        width = LittleEndian32(data, 18);
        height = LittleEndian32(data, 22);
        if (height < 0) height = -height;
    } else if (png || bmp) {
        file.error = "The picture file is truncated.";
        return file;
    } else {
        file.error = "This file is not a PNG or BMP picture.";
        return file;
    }
    file.error = SizeFault(width, height, scale, limit);
    if (!file.error.empty()) return file;
    file.image = png ? DecodePng(data) : DecodeBmp(data);
    if (file.image.Empty() || file.image.width != width || file.image.height != height) {
        file.image = Image();
        // A kind of BMP that is not read is named, not taken for damage.
        const std::string unsupported = bmp ? UnsupportedBmpKind(data) : std::string();
        file.error = unsupported.empty() ? "The picture file is damaged or truncated." : unsupported;
    }
    return file;
}

namespace {

// A picture's cells row by row: their bits, whether each shows PF3 for its
// "11" pairs (an inverse character), and whether it used PF2 and PF3 both.
struct CutCells {
    std::vector<std::uint64_t> bits;
    std::vector<std::uint8_t> pf3;
    std::vector<std::uint8_t> mixed;

    void Resize(std::size_t count) {
        bits.resize(count);
        pf3.resize(count);
        mixed.resize(count);
    }
};

CutCells CutIntoCells(const Converter& conv, const References& refs, int columns, int rows) {
    CutCells cells;
    cells.Resize(static_cast<std::size_t>(columns * rows));
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const ConvertedCell cell = conv.Cell(column, row, refs);
            const std::size_t at = static_cast<std::size_t>(row * columns + column);
            cells.bits[at] = cell.bits;
            cells.pf3[at] = cell.inverse;
            cells.mixed[at] = cell.mixed;
        }
    }
    return cells;
}

// The picture's cells row by row; of a font's picture only the normal half.
CutCells CutPicture(const Converter& conv, const Document& doc, const PictureImportOptions& options,
                    PictureImportPlan& plan) {
    const int width = plan.columns * kCellPixels;
    // The picture's colours are counted only when they are to be used.
    const bool pictureColours = options.colours == ImportColours::Picture;
    if (plan.columns == kFontPictureColumns && plan.rows == kFontPictureRows) {
        std::vector<Rgb> colours = pictureColours ? FontPictureColours(conv, width) : std::vector<Rgb>{};
        const References refs =
            ChooseReferences(std::move(colours), false, conv, plan.columns, plan.rows, doc, options, plan.registerValues);
        CutCells cells = CutIntoCells(conv, refs, plan.columns, plan.rows);
        if (LowerHalfIsInverse(conv, refs, options.multicolour, cells.bits)) {
            plan.inverseHalfSkipped = true;
            plan.rows = kFontPictureRows / 2;
            cells.Resize(kCharCount);
            return cells;
        }
    }
    std::vector<Rgb> colours =
        pictureColours ? ColoursByFrequency(conv, width, 0, plan.rows * kCellPixels) : std::vector<Rgb>{};
    const References refs =
        ChooseReferences(std::move(colours), true, conv, plan.columns, plan.rows, doc, options, plan.registerValues);
    return CutIntoCells(conv, refs, plan.columns, plan.rows);
}

// The distinct cells in the order they first appear, the map onto them and
// which cells show their character inverse. With matchInverse (hi-res) a cell
// that is the exact inverse of a character taken before it shows that
// character inverse instead of taking one more.
std::vector<std::uint64_t> DistinctCells(const CutCells& cells, bool matchInverse, PictureImportPlan& plan) {
    std::unordered_map<std::uint64_t, int> seen;
    seen.reserve(cells.bits.size() * 2);
    plan.map.clear();
    plan.map.reserve(cells.bits.size());
    plan.inverse = cells.pf3;
    std::vector<std::uint64_t> distinct;
    for (std::size_t i = 0; i < cells.bits.size(); ++i) {
        auto it = seen.find(cells.bits[i]);
        if (it == seen.end() && matchInverse) {
            it = seen.find(~cells.bits[i]);
            plan.inverse[i] = it != seen.end();
        }
        if (it == seen.end()) {
            it = seen.emplace(cells.bits[i], static_cast<int>(distinct.size())).first;
            distinct.push_back(cells.bits[i]);
        }
        plan.map.push_back(it->second);
    }
    return distinct;
}

}  // namespace

PictureImportPlan PlanPictureImport(const Image& picture, const Document& doc, const PictureImportOptions& options) {
    PictureImportPlan plan;
    plan.error = SizeFault(picture.width, picture.height, options.scale);
    if (plan.error.empty() && !IsCharCode(options.firstChar)) plan.error = "The first character must be 0 to 127.";
    if (!plan.error.empty()) return plan;
    const int scale = options.scale;
    const Converter conv(picture, scale, options.multicolour);
    plan.columns = picture.width / scale / kCellPixels;
    plan.rows = picture.height / scale / kCellPixels;
    const CutCells cells = CutPicture(conv, doc, options, plan);
    plan.mixedCells = static_cast<int>(std::count(cells.mixed.begin(), cells.mixed.end(), 1));

    // A font's picture comes back as that font, its duplicates included.
    const bool everyCell = options.keepDuplicates || plan.inverseHalfSkipped;
    std::vector<std::uint64_t> distinct = DistinctCells(cells, !options.multicolour && !everyCell, plan);
    plan.uniqueCells = static_cast<int>(distinct.size());
    if (everyCell) {
        plan.chars = cells.bits;
        plan.map.resize(cells.bits.size());
        std::iota(plan.map.begin(), plan.map.end(), 0);
    } else {
        plan.chars = std::move(distinct);
    }
    plan.room = kCharCount - options.firstChar;
    if (static_cast<int>(plan.chars.size()) > plan.room && options.reduce) {
        Reduce(plan.chars, plan.map, plan.room, options.multicolour);
    }
    plan.fits = static_cast<int>(plan.chars.size()) <= plan.room;
    for (std::size_t i = 0; i < cells.bits.size(); ++i) {
        // A hi-res inverse cell shows its character's pixels swapped; a
        // multicolour one shows the same pairs in another colour.
        const std::uint64_t flip = !options.multicolour && plan.inverse[i] ? ~std::uint64_t{0} : 0;
        plan.changedPixels +=
            PixelDistance(cells.bits[i] ^ flip, plan.chars[plan.map[i]], options.multicolour) * scale * scale;
    }
    return plan;
}

namespace {

std::string NeedText(const PictureImportPlan& plan, int needed, const PictureImportOptions& options) {
    return "The picture needs " + std::to_string(needed) + " characters; " + std::to_string(plan.room) +
           " fit from character " + std::to_string(options.firstChar) + ".";
}

constexpr const char* kFontPictureText =
    "It is a font's picture: the lower half shows the upper half inverse and is left out, and the characters keep "
    "their order and their duplicates.";

std::string ChangedPixelsText(const PictureImportPlan& plan) {
    return std::to_string(plan.changedPixels) + " of the picture's pixels";
}

int Needed(const PictureImportPlan& plan, const PictureImportOptions& options) {
    return options.keepDuplicates || plan.inverseHalfSkipped ? plan.Cells() : plan.uniqueCells;
}

}  // namespace

std::string DescribePlan(const PictureImportPlan& plan, const PictureImportOptions& options) {
    if (!plan.error.empty()) return plan.error;
    std::string text = SizeText(plan.columns, plan.rows) + " cells, " + std::to_string(plan.uniqueCells) +
                       " unique characters, " + std::to_string(plan.room) + " characters of space from character " +
                       std::to_string(options.firstChar) + ".";
    if (plan.inverseHalfSkipped) text += std::string(" ") + kFontPictureText;
    const auto inverse = std::count(plan.inverse.begin(), plan.inverse.end(), 1);
    if (inverse > 0) text += " " + std::to_string(inverse) + " cells show a character inverse.";
    if (plan.mixedCells > 0) {
        text += " " + std::to_string(plan.mixedCells) +
                " cells use both PF2 and PF3; in each, the one fewer pairs use takes the nearest other colour.";
    }
    const int needed = Needed(plan, options);
    if (needed > plan.room) {
        text += options.reduce ? " Merging the most alike characters to fit: " + ChangedPixelsText(plan) + " change."
                               : " " + NeedText(plan, needed, options) + " Nothing can be imported.";
    }
    return text;
}

ImportOutcome ApplyPictureImport(Document& doc, int slot, const PictureImportPlan& plan,
                                 const PictureImportOptions& options) {
    if (!plan.error.empty()) return {false, plan.error};
    if (!plan.fits) return {false, NeedText(plan, Needed(plan, options), options) + " Nothing was changed."};
    if (slot < 1 || slot > kSlotCount) return {false, "There is no slot " + std::to_string(slot) + "."};
    FontSlot& font = doc.Slots[slot];
    for (std::size_t i = 0; i < plan.chars.size(); ++i) {
        const int code = options.firstChar + static_cast<int>(i);
        for (int y = 0; y < kCellPixels; ++y) {
            for (int x = 0; x < kCellPixels; ++x) font.Pixel(code, x, y) = (plan.chars[i] >> BitOf(x, y)) & 1;
        }
    }
    bool coloursTaken = false;
    for (int reg = LUM; reg <= PF3; ++reg) {
        if (plan.registerValues[reg] < 0) continue;
        doc.RegisterValue[reg] = plan.registerValues[reg];
        doc.RegisterRgb[reg] = PaletteColour(plan.registerValues[reg]);
        coloursTaken = true;
    }
    // The registers in use are the slot's own colours: a project saved
    // afterwards must hold them in both places alike.
    if (coloursTaken) font.colors = doc.RegisterRgb;
    const auto codeAt = [&](int column, int row) {
        return plan.CodeOf(static_cast<std::size_t>(row * plan.columns + column), options.firstChar);
    };
    if (options.placeOnView) {
        for (int row = 0; row < plan.rows; ++row) {
            for (int column = 0; column < plan.columns; ++column) doc.ViewScreen[row][column] = codeAt(column, row);
        }
    }
    std::string message = "Imported " + std::to_string(plan.Cells()) + " cells as " +
                          std::to_string(plan.chars.size()) + " characters from character " +
                          std::to_string(options.firstChar) + ".";
    if (plan.inverseHalfSkipped) message += std::string(" ") + kFontPictureText;
    if (plan.changedPixels > 0) message += " Merging alike characters: " + ChangedPixelsText(plan) + " changed.";
    if (options.placeInSets) {
        const int across = (plan.columns + 4) / 5, down = (plan.rows + 4) / 5;
        int filled = 0;
        for (int block = 0; block < across * down; ++block) {
            const int set = options.firstSet + block;
            if (set < 1 || set > kSetCount) break;
            for (int cell = 0; cell < kSetCells; ++cell) {
                const int column = (block % across) * 5 + cell % 5, row = (block / across) * 5 + cell / 5;
                doc.SetTable[set].cells[cell] = column < plan.columns && row < plan.rows ? codeAt(column, row) : kEmptyCell;
            }
            ++filled;
        }
        message += " Filled sets " + std::to_string(options.firstSet) + " to " +
                   std::to_string(options.firstSet + filled - 1) + ".";
        if (filled < across * down) {
            message += ' ';
            message += std::to_string(across * down - filled) + " sets did not fit after set 100.";
        }
    }
    return {true, message};
}

FontBytesImport ReadFontBytesAt(const Bytes& file, std::size_t offset) {
    FontBytesImport result;
    if (offset > file.size()) {
        result.error = "The offset " + std::to_string(offset) + " is past the end of the file (" +
                       std::to_string(file.size()) + " bytes).";
        return result;
    }
    std::size_t at = offset;
    // The header counts only when a whole font follows it, so that a plain
    // font whose first character starts with two full rows is read as it is.
    if (file.size() - at >= 6 + static_cast<std::size_t>(kFontBytes) && file[at] == 0xFF && file[at + 1] == 0xFF) {
        const int start = file[at + 2] | (file[at + 3] << 8);
        const int end = file[at + 4] | (file[at + 5] << 8);
        if (end - start + 1 >= kFontBytes) {
            result.headerFound = true;
            at += 6;
        }
    }
    if (file.size() - at < static_cast<std::size_t>(kFontBytes)) {
        result.error = "From offset " + std::to_string(offset) + " the file holds " + std::to_string(file.size() - at) +
                       " bytes; a font needs 1024.";
        return result;
    }
    result.dataOffset = at;
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(at), kFontBytes, result.font.begin());
    return result;
}

}  // namespace qm
