#pragma once

// Which characters the sets, the screen and the map use, which characters repeat an
// earlier one, and the moves that free space in a font: merging the
// duplicates, compacting the used characters to the front and swapping two
// characters, with every set and screen cell following its character. A cell
// holding an inverse code (128 to 255) uses character code - 128 and keeps
// its inverse bit when the character moves.
//
// Sets and the screen hold character numbers that every slot shares, so a
// move (compact, swap) moves the characters of all ten slots alike, keeping
// every font in step with the cells. Duplicates are judged in one slot.

#include <array>
#include <vector>

#include "core/document.h"

namespace qm {

struct CharAnalysis {
    // How many set cells and screen cells hold each character.
    std::array<int, kCharCount> setCells{};
    std::array<int, kCharCount> screenCells{};
    // How many character cells of the map, laid out from its tiles, hold it.
    std::array<int, kCharCount> mapCells{};
    // Each character itself, or the first earlier character of the slot with
    // the same eight rows.
    std::array<int, kCharCount> firstCopy{};

    bool Used(int code) const { return setCells[code] + screenCells[code] + mapCells[code] > 0; }
    bool Duplicate(int code) const { return firstCopy[code] != code; }
    std::vector<int> Unused() const;
    // Each group: the first copy, then its duplicates in order; only groups
    // of two or more.
    std::vector<std::vector<int>> DuplicateGroups() const;
};

CharAnalysis AnalyzeChars(const Document& doc, int slot);

// One cell that holds a character, plain or inverse: a set cell (set 1 to 100, cell 0 to 24,
// row by row) or, with set 0, the screen cell (x, y).
struct CharPlace {
    int set = 0;
    int cell = 0;
    int x = 0, y = 0;
    bool OnScreen() const { return set == 0; }
};
// Sets in order, then the screen row by row.
std::vector<CharPlace> WhereUsed(const Document& doc, int code);

// A move of characters: newPlace[c] is where character c goes. Always a
// permutation of 0 to 127.
using CharMoves = std::array<int, kCharCount>;
CharMoves NoMoves();
bool IsNoMove(const CharMoves& moves);

// Moves the characters of every slot and makes every set and screen cell
// follow its character.
void MoveChars(Document& doc, const CharMoves& moves);

// The used characters to the front in their order, the unused behind them
// in theirs.
CharMoves CompactMoves(const CharAnalysis& analysis);
CharMoves SwapMoves(int a, int b);

struct MergeResult {
    // The duplicates merged into their first copy (from, into), in order.
    // A blank duplicate that no cell holds changes nothing and is left out.
    std::vector<std::pair<int, int>> merged;
};
// Every cell that holds a duplicate of the slot then holds its first copy,
// and the duplicates become blank in that slot. The other slots keep their
// characters.
MergeResult MergeDuplicates(Document& doc, int slot);

}  // namespace qm
