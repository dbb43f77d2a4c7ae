#include "core/char_analysis.h"

#include <algorithm>
#include <cstring>

namespace qm {

namespace {

template <typename Visit>
void ForEachCell(Document& doc, Visit&& visit) {
    for (int set = 1; set <= kSetCount; ++set) {
        for (std::int32_t& cell : doc.SetTable[set].cells) visit(cell);
    }
    for (auto& row : doc.ViewScreen) {
        for (std::int32_t& cell : row) visit(cell);
    }
}

// A code shows its character whether or not it is inverse.
bool HoldsChar(std::int32_t cell, int ch) { return IsCellCode(cell) && CharOfCode(cell) == ch; }

// The cell's character renumbered, its inverse bit kept.
std::int32_t Renumbered(std::int32_t cell, const std::array<int, kCharCount>& newNumber) {
    if (!IsCellCode(cell)) return cell;
    return newNumber[static_cast<std::size_t>(CharOfCode(cell))] | (cell & kInverseBit);
}

bool IsBlank(const FontSlot& font, int code) {
    const std::uint8_t* pixels = font.Char(code);
    return std::all_of(pixels, pixels + 64, [](std::uint8_t p) { return p == 0; });
}

// Each placed tile uses the characters of its set's cells within the tile.
void CountMapCells(const Document& doc, CharAnalysis& a) {
    if (!doc.Map.InUse()) return;
    std::array<long long, kNoTile + 1> placed{};
    for (std::uint8_t cell : doc.Map.cells) ++placed[cell];
    for (int tile = 1; tile <= kTileCount; ++tile) {
        if (placed[tile - 1] == 0) continue;
        for (int r = 0; r < doc.Map.tileHeight; ++r) {
            for (int c = 0; c < doc.Map.tileWidth; ++c) {
                const std::int32_t cell = doc.SetTable[tile].cells[r * 5 + c];
                if (IsCharCode(cell)) a.mapCells[cell] += static_cast<int>(placed[tile - 1]);
            }
        }
    }
}

}  // namespace

std::vector<int> CharAnalysis::Unused() const {
    std::vector<int> unused;
    for (int c = 0; c < kCharCount; ++c) {
        if (!Used(c)) unused.push_back(c);
    }
    return unused;
}

std::vector<std::vector<int>> CharAnalysis::DuplicateGroups() const {
    std::vector<std::vector<int>> groups;
    std::array<int, kCharCount> groupOf{};
    groupOf.fill(-1);
    for (int c = 0; c < kCharCount; ++c) {
        const int first = firstCopy[c];
        if (first == c) continue;
        if (groupOf[first] < 0) {
            groupOf[first] = static_cast<int>(groups.size());
            groups.push_back({first});
        }
        groups[static_cast<std::size_t>(groupOf[first])].push_back(c);
    }
    std::sort(groups.begin(), groups.end());
    return groups;
}

CharAnalysis AnalyzeChars(const Document& doc, int slot) {
    CharAnalysis a;
    for (int set = 1; set <= kSetCount; ++set) {
        for (std::int32_t cell : doc.SetTable[set].cells) {
            if (IsCellCode(cell)) ++a.setCells[CharOfCode(cell)];
        }
    }
    for (const auto& row : doc.ViewScreen) {
        for (std::int32_t cell : row) {
            if (IsCellCode(cell)) ++a.screenCells[CharOfCode(cell)];
        }
    }
    CountMapCells(doc, a);
    // Each character's 64 pixels as eight words of eight, compared whole.
    const FontSlot& font = doc.Slots[slot];
    std::array<std::array<std::uint64_t, 8>, kCharCount> rows{};
    for (int c = 0; c < kCharCount; ++c) std::memcpy(rows[c].data(), font.Char(c), 64);
    for (int c = 0; c < kCharCount; ++c) {
        a.firstCopy[c] = c;
        for (int earlier = 0; earlier < c; ++earlier) {
            if (a.firstCopy[earlier] == earlier && rows[earlier] == rows[c]) {
                a.firstCopy[c] = earlier;
                break;
            }
        }
    }
    return a;
}

std::vector<CharPlace> WhereUsed(const Document& doc, int code) {
    std::vector<CharPlace> places;
    for (int set = 1; set <= kSetCount; ++set) {
        for (int cell = 0; cell < kSetCells; ++cell) {
            if (HoldsChar(doc.SetTable[set].cells[cell], code)) places.push_back({set, cell, 0, 0});
        }
    }
    for (int y = 0; y < kViewRows; ++y) {
        for (int x = 0; x < kViewColumns; ++x) {
            if (HoldsChar(doc.ViewScreen[y][x], code)) places.push_back({0, 0, x, y});
        }
    }
    return places;
}

CharMoves NoMoves() {
    CharMoves moves{};
    for (int c = 0; c < kCharCount; ++c) moves[c] = c;
    return moves;
}

bool IsNoMove(const CharMoves& moves) { return moves == NoMoves(); }

void MoveChars(Document& doc, const CharMoves& moves) {
    if (IsNoMove(moves)) return;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        FontSlot& font = doc.Slots[slot];
        const auto before = font.pixels;
        for (int c = 0; c < kCharCount; ++c) std::memcpy(font.Char(moves[c]), before.data() + c * 64, 64);
    }
    ForEachCell(doc, [&moves](std::int32_t& cell) { cell = Renumbered(cell, moves); });
}

CharMoves CompactMoves(const CharAnalysis& analysis) {
    CharMoves moves{};
    int next = 0;
    for (int c = 0; c < kCharCount; ++c) {
        if (analysis.Used(c)) moves[c] = next++;
    }
    for (int c = 0; c < kCharCount; ++c) {
        if (!analysis.Used(c)) moves[c] = next++;
    }
    return moves;
}

CharMoves SwapMoves(int a, int b) {
    CharMoves moves = NoMoves();
    if (IsCharCode(a) && IsCharCode(b)) std::swap(moves[a], moves[b]);
    return moves;
}

namespace {

// One pass over the duplicates as they are now.
void MergeOnce(Document& doc, int slot, MergeResult& result) {
    const CharAnalysis a = AnalyzeChars(doc, slot);
    FontSlot& font = doc.Slots[slot];
    for (int c = 0; c < kCharCount; ++c) {
        if (!a.Duplicate(c)) continue;
        if (a.Used(c) || !IsBlank(font, c)) result.merged.emplace_back(c, a.firstCopy[c]);
        std::fill(font.Char(c), font.Char(c) + 64, std::uint8_t{0});
    }
    ForEachCell(doc, [&a](std::int32_t& cell) { cell = Renumbered(cell, a.firstCopy); });
}

}  // namespace

MergeResult MergeDuplicates(Document& doc, int slot) {
    MergeResult result;
    // A duplicate blanked by a pass may come before a blank character that
    // cells hold, and so become that one's first copy: the next pass merges
    // it. Each pass that finds work leaves fewer characters in use or fewer
    // drawn duplicates, so this ends.
    for (std::size_t found = 1; found != 0;) {
        const std::size_t before = result.merged.size();
        MergeOnce(doc, slot, result);
        found = result.merged.size() - before;
    }
    return result;
}

}  // namespace qm
