#include "core/atari_program.h"

#include <array>

#include "core/font_format.h"
#include "core/region_map.h"

namespace qm {

namespace {

using namespace program_map;

constexpr std::uint8_t Lo(std::uint16_t address) { return address & 0xFF; }
constexpr std::uint8_t Hi(std::uint16_t address) { return address >> 8; }

// Shadow registers of the operating system, all in page 2, and the zero page
// flag that holds back the vertical blank's copying of them.
constexpr std::uint8_t kCritic = 0x42;
constexpr std::uint16_t kCh = 0x02FC;  // last key pressed, $FF for none
constexpr int kShadowCount = 10;
enum Shadow { kSdmctl, kSdlstl, kSdlsth, kColor0, kColor1, kColor2, kColor3, kColor4, kChact, kChbas };
constexpr std::array<std::uint8_t, kShadowCount> kShadowLowBytes = {0x2F, 0x30, 0x31, 0xC4, 0xC5,
                                                                    0xC6, 0xC7, 0xC8, 0xF3, 0xF4};

constexpr std::uint8_t kNormalWidthWithDisplayList = 0x22;
constexpr std::uint8_t kInverseForBit7 = 2;
constexpr std::uint8_t kBlank8Lines = 0x70;
constexpr std::uint8_t kLoadMemoryScan = 0x40;
constexpr std::uint8_t kJumpAtVerticalBlank = 0x41;

// The routine at kRun. X walks the ten shadows from the last to the first; the
// shadows' low bytes index page 2 through Y.
constexpr std::array<std::uint8_t, 68> kRoutine = {
    0xA9, 0x01,                           // 2800 LDA #1
    0x85, kCritic,                        // 2802 STA CRITIC      the vertical blank copies no half-set display list
    0xA2, kShadowCount - 1,               // 2804 LDX #9
    0xBC, Lo(kShadowList), Hi(kShadowList),  // 2806 LDY shadows,X   which shadow
    0xB9, 0x00, 0x02,                     // 2809 LDA $0200,Y
    0x9D, Lo(kOldValues), Hi(kOldValues),    // 280C STA old,X        keep what DOS had there
    0xBD, Lo(kNewValues), Hi(kNewValues),    // 280F LDA new,X
    0x99, 0x00, 0x02,                     // 2812 STA $0200,Y
    0xCA,                                 // 2815 DEX
    0x10, 0xEE,                           // 2816 BPL $2806
    0xA9, 0x00,                           // 2818 LDA #0
    0x85, kCritic,                        // 281A STA CRITIC
    0xA9, 0xFF,                           // 281C LDA #$FF
    0x8D, Lo(kCh), Hi(kCh),               // 281E STA CH          a key pressed before the start does not count
    0xAD, Lo(kCh), Hi(kCh),               // 2821 LDA CH
    0xC9, 0xFF,                           // 2824 CMP #$FF
    0xF0, 0xF9,                           // 2826 BEQ $2821       wait for a key
    0xA9, 0xFF,                           // 2828 LDA #$FF
    0x8D, Lo(kCh), Hi(kCh),               // 282A STA CH          the key ends the program; DOS does not read it
    0xA9, 0x01,                           // 282D LDA #1
    0x85, kCritic,                        // 282F STA CRITIC
    0xA2, kShadowCount - 1,               // 2831 LDX #9
    0xBC, Lo(kShadowList), Hi(kShadowList),  // 2833 LDY shadows,X
    0xBD, Lo(kOldValues), Hi(kOldValues),    // 2836 LDA old,X
    0x99, 0x00, 0x02,                     // 2839 STA $0200,Y     DOS's display comes back
    0xCA,                                 // 283C DEX
    0x10, 0xF4,                           // 283D BPL $2833
    0xA9, 0x00,                           // 283F LDA #0
    0x85, kCritic,                        // 2841 STA CRITIC
    0x60,                                 // 2843 RTS             back to DOS
};
constexpr int kRoutineSize = static_cast<int>(kRoutine.size());

constexpr std::uint16_t kSegmentStart = kFont;
constexpr std::uint16_t kSegmentEnd = kRun + kRoutineSize - 1;
static_assert(kScreen == kFont + kFontBytes && kDisplayList == kScreen + kProgramColumns * kProgramRows);
static_assert(kShadowList == kDisplayList + 32 && kNewValues == kShadowList + kShadowCount &&
              kOldValues == kNewValues + kShadowCount && kRun >= kOldValues + kShadowCount);
static_assert((kDisplayList & 0xFC00) == ((kDisplayList + 31) & 0xFC00), "a display list stays in one 1 KB block");
static_assert((kScreen & 0xF000) == ((kScreen + kProgramColumns * kProgramRows - 1) & 0xF000));
static_assert(kSegmentEnd <= 0x9FFF);

void Put(Bytes& out, std::uint16_t address, std::uint8_t value) { out[address - kSegmentStart] = value; }

void PutScreen(Bytes& out, const ViewCells& cells, const ProgramLayout& layout) {
    const Region& r = layout.region;
    for (int y = 0; y < kProgramRows; ++y) {
        for (int x = 0; x < kProgramColumns; ++x) {
            int code = layout.fill;
            if (x < r.width && y < r.height) {
                const int cell = cells[r.startY + y][r.startX + x];
                if (cell >= 0 && cell <= 255) code = cell;
            }
            Put(out, kScreen + kProgramColumns * y + x, static_cast<std::uint8_t>(code));
        }
    }
}

void PutDisplayList(Bytes& out, int mode) {
    std::uint16_t at = kDisplayList;
    for (int i = 0; i < 3; ++i) Put(out, at++, kBlank8Lines);
    Put(out, at++, static_cast<std::uint8_t>(kLoadMemoryScan | mode));
    Put(out, at++, Lo(kScreen));
    Put(out, at++, Hi(kScreen));
    for (int i = 1; i < kProgramRows; ++i) Put(out, at++, static_cast<std::uint8_t>(mode));
    Put(out, at++, kJumpAtVerticalBlank);
    Put(out, at++, Lo(kDisplayList));
    Put(out, at++, Hi(kDisplayList));
}

// Mode 2 draws the ground in PF2 and lights set pixels with PF1's luminance on
// PF2's hue: BAK's byte is the ground, LUM's the luminance, as the editor's
// high-resolution view shows set pixels in LUM on BAK.
std::array<std::uint8_t, kShadowCount> NewShadowValues(const Document& doc, int mode) {
    const auto reg = [&](ColorIndex i) { return static_cast<std::uint8_t>(doc.RegisterValue[i]); };
    std::array<std::uint8_t, kShadowCount> v{};
    v[kSdmctl] = kNormalWidthWithDisplayList;
    v[kSdlstl] = Lo(kDisplayList);
    v[kSdlsth] = Hi(kDisplayList);
    v[kColor0] = reg(PF0);
    v[kColor1] = mode == 4 ? reg(PF1) : reg(LUM);
    v[kColor2] = mode == 4 ? reg(PF2) : reg(BAK);
    v[kColor3] = reg(PF3);
    v[kColor4] = reg(BAK);
    v[kChact] = kInverseForBit7;
    v[kChbas] = Hi(kFont);
    return v;
}

void PutHeader(Bytes& file, std::uint16_t start, std::uint16_t end) {
    for (const std::uint16_t word : {start, end}) {
        file.push_back(Lo(word));
        file.push_back(Hi(word));
    }
}

}  // namespace

std::string ProgramLayoutError(const ProgramLayout& layout) {
    const Region& r = layout.region;
    if (!InsideScreen(r)) return "the region reaches past the 60 x 40 view screen";
    if (r.width > kProgramColumns || r.height > kProgramRows) return "the region is larger than the 40 x 24 text screen";
    if (layout.mode != 2 && layout.mode != 4) return "the text mode must be 2 or 4";
    if (layout.fill < 0 || layout.fill > 255) return "the fill code must be 0 to 255";
    return "";
}

ProgramBuild BuildAtariProgram(const Document& doc, int slot, const ProgramLayout& layout) {
    if (slot < 1 || slot > kSlotCount) return {{}, "there is no font slot " + std::to_string(slot) + " (1 to 10)"};
    if (std::string error = ProgramLayoutError(layout); !error.empty()) return {{}, error};

    Bytes memory(kSegmentEnd - kSegmentStart + 1, 0);
    const FontBytes font = PackFont(doc.Slots[slot]);
    std::copy(font.begin(), font.end(), memory.begin() + (kFont - kSegmentStart));
    PutScreen(memory, doc.ViewScreen, layout);
    PutDisplayList(memory, layout.mode);
    const auto values = NewShadowValues(doc, layout.mode);
    for (int i = 0; i < kShadowCount; ++i) {
        Put(memory, kShadowList + i, kShadowLowBytes[i]);
        Put(memory, kNewValues + i, values[i]);
    }
    std::copy(kRoutine.begin(), kRoutine.end(), memory.begin() + (kRun - kSegmentStart));

    ProgramBuild build;
    build.bytes = {0xFF, 0xFF};
    PutHeader(build.bytes, kSegmentStart, kSegmentEnd);
    build.bytes.insert(build.bytes.end(), memory.begin(), memory.end());
    PutHeader(build.bytes, kRunAddress, kRunAddress + 1);
    build.bytes.push_back(Lo(kRun));
    build.bytes.push_back(Hi(kRun));
    return build;
}

}  // namespace qm
