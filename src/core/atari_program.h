#pragma once

// A runnable program for the machine, as a binary load file: it shows a region
// of the view screen in a text mode with the slot's font and the registers'
// colours, waits for a key, puts back the display it found and returns to DOS.

#include <cstdint>
#include <string>

#include "core/byte_stream.h"
#include "core/document.h"

namespace qm {

// Where the program lies in the machine's memory (the guide's memory map).
// Every piece stays between $2000 and $9FFF, above DOS and below cartridges.
namespace program_map {
constexpr std::uint16_t kFont = 0x2000;         // 1 KB, on a 1 KB boundary
constexpr std::uint16_t kScreen = 0x2400;       // 24 lines of 40 bytes, inside one 4 KB block
constexpr std::uint16_t kDisplayList = 0x27C0;  // 32 bytes, inside the screen's 1 KB block
constexpr std::uint16_t kShadowList = 0x27E0;   // low bytes of the ten shadows the program sets
constexpr std::uint16_t kNewValues = 0x27EA;    // what it sets them to
constexpr std::uint16_t kOldValues = 0x27F4;    // what it found there, put back at the end
constexpr std::uint16_t kRun = 0x2800;          // the routine that RUNAD starts
constexpr std::uint16_t kRunAddress = 0x02E0;   // RUNAD
}  // namespace program_map

constexpr int kProgramColumns = 40;
constexpr int kProgramRows = 24;

struct ProgramLayout {
    Region region{0, 0, kProgramColumns, kProgramRows};
    int mode = 2;  // 2: the high-resolution view, 4: the multicolour view
    int fill = 0;  // the code of every screen byte the region does not cover
};

struct ProgramBuild {
    Bytes bytes;
    std::string error;  // empty when the bytes are the program
};

// Why the layout cannot make a program, or empty text when it can.
std::string ProgramLayoutError(const ProgramLayout& layout);

// The region's cells at the top left of a 40 x 24 screen: a cell holding a code
// 0 to 255 is that screen byte, any other cell (an empty one) and every byte
// past the region is the fill code. Codes 128 to 255 are shown by the machine
// itself: inverse in mode 2, PF3 for the pair 11 in mode 4.
ProgramBuild BuildAtariProgram(const Document& doc, int slot, const ProgramLayout& layout);

}  // namespace qm
