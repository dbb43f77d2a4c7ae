#pragma once

// A small model of the machine's processor for tests of the programs the
// editor writes: the official instructions in binary arithmetic, 64 KB of
// memory and no interrupts. Anything else stops it with an exception.

#include <array>
#include <cstdint>
#include <vector>

namespace qm::test {

class Mos6502 {
public:
    std::array<std::uint8_t, 65536> memory{};
    std::uint8_t a = 0, x = 0, y = 0, sp = 0xFF;
    std::uint8_t p = 0x24;  // N V - B D I Z C
    std::uint16_t pc = 0;

    void Step();
    // Calls the routine as JSR would and runs it until it returns (true), or
    // until it reads stopRead (false). Throws after maxSteps instructions.
    bool Call(std::uint16_t address, int stopRead = -1, long maxSteps = 1'000'000);
    // Runs on from where the last Call stopped, with the same rules.
    bool Resume(int stopRead = -1, long maxSteps = 1'000'000);

private:
    std::uint8_t Read(std::uint16_t address);
    std::uint16_t Word(std::uint16_t address);
    std::uint16_t Operand(int mode);
    void Push(std::uint8_t value) { memory[0x100 + sp--] = value; }
    std::uint8_t Pull() { return memory[0x100 + ++sp]; }
    std::uint16_t PullWord() {
        const std::uint8_t low = Pull();
        return static_cast<std::uint16_t>(low | Pull() << 8);
    }
    void SetZn(std::uint8_t value);
    void Compare(std::uint8_t reg, std::uint8_t value);
    void Adc(std::uint8_t value);
    std::uint8_t Shift(int op, std::uint8_t value);
    void Branch(bool taken);
    bool SingleByte(std::uint8_t opcode);

    int stopRead_ = -1;
    bool stoppedByRead_ = false;
};

// A binary load file loaded as DOS loads it: every segment into memory, a
// routine named at INITAD called when its segment has loaded. Returns the
// segments as (start, end) pairs; throws on a damaged file.
struct Segment {
    std::uint16_t start, end;
};
std::vector<Segment> LoadBinaryFile(Mos6502& cpu, const std::vector<unsigned char>& file);

}  // namespace qm::test
