#include "support/mos6502.h"

#include <stdexcept>
#include <string>

namespace qm::test {

namespace {

enum Flag : std::uint8_t { C = 1, Z = 2, I = 4, D = 8, B = 16, V = 64, N = 128 };
// Addressing modes of the regular opcodes (aaabbbcc): immediate, zero page,
// absolute, their X and Y forms, and the two indirect forms.
enum Mode { Imm, Zp, ZpX, ZpY, Abs, AbsX, AbsY, IndX, IndY, Acc, None };
constexpr std::uint16_t kReturnMark = 0xFFF0;  // where a Call's RTS lands

std::runtime_error Unmodelled(std::uint8_t opcode, std::uint16_t at) {
    return std::runtime_error("opcode " + std::to_string(opcode) + " at " + std::to_string(at) + " is not modelled");
}

// The mode of column bbb in group cc, or None where the official set has no opcode.
Mode ModeOf(int cc, int aaa, int bbb) {
    static constexpr Mode kGroup1[8] = {IndX, Zp, Imm, Abs, IndY, ZpX, AbsY, AbsX};
    static constexpr Mode kGroup2[8] = {Imm, Zp, Acc, Abs, None, ZpX, None, AbsX};
    static constexpr Mode kGroup0[8] = {Imm, Zp, None, Abs, None, ZpX, None, AbsX};
    if (cc == 1) return aaa == 4 && bbb == 2 ? None : kGroup1[bbb];  // no STA #
    if (cc == 2) {
        Mode m = kGroup2[bbb];
        if (aaa == 4 || aaa == 5) {  // STX, LDX index with Y
            if (m == ZpX) m = ZpY;
            if (m == AbsX) m = aaa == 5 ? AbsY : None;
            if (m == Acc || (aaa == 4 && m == Imm)) m = None;
        } else if (m == Imm || (m == Acc && aaa >= 6)) {
            m = None;  // only LDX takes #; DEC and INC have no accumulator form
        }
        return m;
    }
    if (cc == 0) {
        if (aaa == 1) return bbb == 1 || bbb == 3 ? kGroup0[bbb] : None;           // BIT
        if (aaa == 4) return bbb == 1 || bbb == 3 || bbb == 5 ? kGroup0[bbb] : None;  // STY
        if (aaa == 5) return kGroup0[bbb];                                              // LDY
        if (aaa >= 6) return bbb <= 3 ? kGroup0[bbb] : None;                            // CPY, CPX
    }
    return None;
}

}  // namespace

std::uint8_t Mos6502::Read(std::uint16_t address) {
    if (address == stopRead_) stoppedByRead_ = true;
    return memory[address];
}

std::uint16_t Mos6502::Word(std::uint16_t address) {
    return static_cast<std::uint16_t>(memory[address] | memory[static_cast<std::uint16_t>(address + 1)] << 8);
}

std::uint16_t Mos6502::Operand(int mode) {
    const std::uint8_t b = memory[pc];
    switch (mode) {
        case Imm: return pc++;
        case Zp: ++pc; return b;
        case ZpX: ++pc; return static_cast<std::uint8_t>(b + x);
        case ZpY: ++pc; return static_cast<std::uint8_t>(b + y);
        case Abs: pc += 2; return Word(pc - 2);
        case AbsX: pc += 2; return static_cast<std::uint16_t>(Word(pc - 2) + x);
        case AbsY: pc += 2; return static_cast<std::uint16_t>(Word(pc - 2) + y);
        case IndX: {
            ++pc;
            const std::uint8_t z = static_cast<std::uint8_t>(b + x);
            return static_cast<std::uint16_t>(memory[z] | memory[static_cast<std::uint8_t>(z + 1)] << 8);
        }
        case IndY:
            ++pc;
            return static_cast<std::uint16_t>((memory[b] | memory[static_cast<std::uint8_t>(b + 1)] << 8) + y);
    }
    throw std::logic_error("no operand");
}

void Mos6502::SetZn(std::uint8_t value) {
    p = static_cast<std::uint8_t>((p & ~(Z | N)) | (value == 0 ? Z : 0) | (value & N));
}

void Mos6502::Compare(std::uint8_t reg, std::uint8_t value) {
    SetZn(static_cast<std::uint8_t>(reg - value));
    p = static_cast<std::uint8_t>((p & ~C) | (reg >= value ? C : 0));
}

void Mos6502::Adc(std::uint8_t value) {
    if (p & D) throw std::runtime_error("decimal arithmetic is not modelled");
    const int sum = a + value + (p & C);
    const auto result = static_cast<std::uint8_t>(sum);
    const bool overflow = (~(a ^ value) & (a ^ result) & 0x80) != 0;
    p = static_cast<std::uint8_t>((p & ~(C | V)) | (sum > 0xFF ? C : 0) | (overflow ? V : 0));
    a = result;
    SetZn(a);
}

std::uint8_t Mos6502::Shift(int op, std::uint8_t v) {
    const std::uint8_t carryIn = p & C;
    std::uint8_t out = 0;
    switch (op) {
        case 0: out = static_cast<std::uint8_t>(v << 1); p = (p & ~C) | (v >> 7); break;                  // ASL
        case 1: out = static_cast<std::uint8_t>(v << 1 | carryIn); p = (p & ~C) | (v >> 7); break;        // ROL
        case 2: out = v >> 1; p = (p & ~C) | (v & 1); break;                                               // LSR
        case 3: out = static_cast<std::uint8_t>(v >> 1 | carryIn << 7); p = (p & ~C) | (v & 1); break;    // ROR
        case 6: out = static_cast<std::uint8_t>(v - 1); break;                                             // DEC
        case 7: out = static_cast<std::uint8_t>(v + 1); break;                                             // INC
    }
    SetZn(out);
    return out;
}

void Mos6502::Branch(bool taken) {
    const auto offset = static_cast<std::int8_t>(memory[pc++]);
    if (taken) pc = static_cast<std::uint16_t>(pc + offset);
}

// The opcodes outside the regular groups; false when it is none of them.
bool Mos6502::SingleByte(std::uint8_t op) {
    switch (op) {
        case 0x20: { const std::uint16_t to = Word(pc); pc += 1; Push(pc >> 8); Push(pc & 0xFF); pc = to; return true; }
        case 0x60: pc = static_cast<std::uint16_t>(PullWord() + 1); return true;
        case 0x40: p = Pull() | 0x20; pc = PullWord(); return true;
        case 0x4C: pc = Word(pc); return true;
        case 0x6C: { const std::uint16_t at = Word(pc);  // the page wraps as on the chip
            pc = static_cast<std::uint16_t>(memory[at] | memory[(at & 0xFF00) | ((at + 1) & 0xFF)] << 8); return true; }
        case 0x08: Push(p | B | 0x20); return true;
        case 0x28: p = Pull() | 0x20; return true;
        case 0x48: Push(a); return true;
        case 0x68: a = Pull(); SetZn(a); return true;
        case 0x18: p &= ~C; return true;
        case 0x38: p |= C; return true;
        case 0x58: p &= ~I; return true;
        case 0x78: p |= I; return true;
        case 0xB8: p &= ~V; return true;
        case 0xD8: p &= ~D; return true;
        case 0xF8: p |= D; return true;
        case 0x88: SetZn(--y); return true;
        case 0xC8: SetZn(++y); return true;
        case 0xCA: SetZn(--x); return true;
        case 0xE8: SetZn(++x); return true;
        case 0xA8: SetZn(y = a); return true;
        case 0x98: SetZn(a = y); return true;
        case 0xAA: SetZn(x = a); return true;
        case 0x8A: SetZn(a = x); return true;
        case 0xBA: SetZn(x = sp); return true;
        case 0x9A: sp = x; return true;
        case 0xEA: return true;
    }
    return false;
}

void Mos6502::Step() {
    const std::uint16_t at = pc;
    const std::uint8_t op = memory[pc++];
    if (op == 0x00) throw std::runtime_error("BRK at " + std::to_string(at));
    if (SingleByte(op)) return;
    if ((op & 0x1F) == 0x10) {  // branches: flag by bits 7-6, wanted value by bit 5
        static constexpr std::uint8_t kFlags[4] = {N, V, C, Z};
        Branch(((p & kFlags[op >> 6]) != 0) == ((op & 0x20) != 0));
        return;
    }
    const int aaa = op >> 5, bbb = (op >> 2) & 7, cc = op & 3;
    const Mode mode = ModeOf(cc, aaa, bbb);
    if (mode == None) throw Unmodelled(op, at);
    if (cc == 2 && mode == Acc) {
        a = Shift(aaa, a);
        return;
    }
    const std::uint16_t address = Operand(mode);
    if (cc == 1) {
        if (aaa == 4) { memory[address] = a; return; }
        const std::uint8_t v = Read(address);
        switch (aaa) {
            case 0: SetZn(a |= v); break;
            case 1: SetZn(a &= v); break;
            case 2: SetZn(a ^= v); break;
            case 3: Adc(v); break;
            case 5: SetZn(a = v); break;
            case 6: Compare(a, v); break;
            case 7: Adc(static_cast<std::uint8_t>(~v)); break;
        }
    } else if (cc == 2) {
        if (aaa == 4) memory[address] = x;
        else if (aaa == 5) SetZn(x = Read(address));
        else memory[address] = Shift(aaa, Read(address));
    } else {
        switch (aaa) {
            case 1: {
                const std::uint8_t v = Read(address);
                p = static_cast<std::uint8_t>((p & ~(Z | V | N)) | ((a & v) == 0 ? Z : 0) | (v & (V | N)));
                break;
            }
            case 4: memory[address] = y; break;
            case 5: SetZn(y = Read(address)); break;
            case 6: Compare(y, Read(address)); break;
            case 7: Compare(x, Read(address)); break;
        }
    }
}

bool Mos6502::Call(std::uint16_t address, int stopRead, long maxSteps) {
    const std::uint16_t back = kReturnMark - 1;
    Push(back >> 8);
    Push(back & 0xFF);
    pc = address;
    return Resume(stopRead, maxSteps);
}

bool Mos6502::Resume(int stopRead, long maxSteps) {
    stopRead_ = stopRead;
    stoppedByRead_ = false;
    for (long n = 0; n < maxSteps; ++n) {
        Step();
        if (stoppedByRead_) return false;
        if (pc == kReturnMark) return true;
    }
    throw std::runtime_error("still running after " + std::to_string(maxSteps) + " instructions");
}

std::vector<Segment> LoadBinaryFile(Mos6502& cpu, const std::vector<unsigned char>& file) {
    std::size_t at = 0;
    const auto word = [&] {
        if (at + 2 > file.size()) throw std::runtime_error("the file ends inside a segment header");
        at += 2;
        return static_cast<std::uint16_t>(file[at - 2] | file[at - 1] << 8);
    };
    if (word() != 0xFFFF) throw std::runtime_error("no $FF $FF at the start");
    std::vector<Segment> segments;
    while (at < file.size()) {
        std::uint16_t start = word();
        if (start == 0xFFFF) start = word();
        const std::uint16_t end = word();
        if (end < start || at + (end - start + 1) > file.size()) throw std::runtime_error("a damaged segment");
        const std::uint16_t initLow = 0x2E2;
        cpu.memory[initLow] = cpu.memory[initLow + 1] = 0;
        for (int a = start; a <= end; ++a) cpu.memory[a] = file[at++];
        segments.push_back({start, end});
        const std::uint16_t init = static_cast<std::uint16_t>(cpu.memory[initLow] | cpu.memory[initLow + 1] << 8);
        if (init != 0) cpu.Call(init);
    }
    return segments;
}

}  // namespace qm::test
