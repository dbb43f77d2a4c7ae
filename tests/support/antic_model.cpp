#include "support/antic_model.h"

#include <stdexcept>
#include <string>

namespace qm::test {

namespace {

constexpr int kColumns = 40;
constexpr int kCharLines = 8;
constexpr int kMaxScanLines = 240;

struct Registers {
    std::uint8_t pf[4];
    std::uint8_t bak;
    std::uint8_t chact;
    std::uint16_t font;
};

void DrawCharLine(ScreenPicture::Row& row, int column, int mode, std::uint8_t code, std::uint8_t data,
                  const Registers& r) {
    const bool bit7 = (code & 0x80) != 0;
    if (mode == 2) {
        if (bit7 && (r.chact & 1)) data = 0;
        if (bit7 && (r.chact & 2)) data = static_cast<std::uint8_t>(~data);
        const auto lit = static_cast<std::uint8_t>((r.pf[2] & 0xF0) | (r.pf[1] & 0x0F));
        for (int i = 0; i < 8; ++i) row[8 * column + i] = (data & (0x80 >> i)) ? lit : r.pf[2];
        return;
    }
    for (int k = 0; k < 4; ++k) {
        const int pair = (data >> (6 - 2 * k)) & 3;
        const std::uint8_t colour = pair == 0 ? r.bak : pair == 3 && bit7 ? r.pf[3] : r.pf[pair - 1];
        row[8 * column + 2 * k] = row[8 * column + 2 * k + 1] = colour;
    }
}

}  // namespace

ScreenPicture ShowTextScreen(const std::array<std::uint8_t, 65536>& m) {
    if ((m[0x22F] & 0x23) != 0x22) throw std::runtime_error("the playfield is not normal width with its list on");
    const Registers r{{m[0x2C4], m[0x2C5], m[0x2C6], m[0x2C7]}, m[0x2C8], m[0x2F3],
                      static_cast<std::uint16_t>((m[0x2F4] & 0xFC) << 8)};
    const auto start = static_cast<std::uint16_t>(m[0x230] | m[0x231] << 8);
    std::uint16_t list = start;
    // The list counter and the memory counter wrap within 1 KB and 4 KB.
    const auto next = [&] {
        const std::uint8_t b = m[list];
        list = static_cast<std::uint16_t>((list & 0xFC00) | ((list + 1) & 0x3FF));
        return b;
    };
    const auto address = [&] {
        const std::uint8_t low = next();
        return static_cast<std::uint16_t>(low | next() << 8);
    };
    std::uint16_t screen = 0;
    ScreenPicture picture;
    for (;;) {
        if (picture.rows.size() > kMaxScanLines) throw std::runtime_error("more than 240 scan lines");
        const std::uint8_t instruction = next();
        const int mode = instruction & 0x0F;
        if (mode == 0) {
            ScreenPicture::Row blank;
            blank.fill(r.bak);
            picture.rows.insert(picture.rows.end(), ((instruction >> 4) & 7) + 1, blank);
            continue;
        }
        if (mode == 1) {
            const std::uint16_t to = address();
            if (!(instruction & 0x40)) {
                list = to;
                continue;
            }
            if (to != start) throw std::runtime_error("the list does not jump back to its start");
            return picture;
        }
        if (mode != 2 && mode != 4) throw std::runtime_error("display list mode " + std::to_string(mode) + " is not modelled");
        if (instruction & 0x40) screen = address();
        for (int line = 0; line < kCharLines; ++line) {
            ScreenPicture::Row row;
            const int fontLine = (r.chact & 4) ? kCharLines - 1 - line : line;
            for (int column = 0; column < kColumns; ++column) {
                const std::uint8_t code = m[(screen & 0xF000) | ((screen + column) & 0x0FFF)];
                DrawCharLine(row, column, mode, code, m[r.font + 8 * (code & 0x7F) + fontLine], r);
            }
            picture.rows.push_back(row);
        }
        screen = static_cast<std::uint16_t>((screen & 0xF000) | ((screen + kColumns) & 0x0FFF));
    }
}

}  // namespace qm::test
