// A colour file of any length and content, as "Load colors" reads it.

#include <cstddef>
#include <cstdint>

#include "core/color_format.h"
#include "invariants.h"

namespace {

using qm::fuzz::Require;

constexpr int kUntouched = 0x5A;

bool StartsWithMagic(const std::uint8_t* data, std::size_t size) {
    return size >= 4 && data[0] == 'Q' && data[1] == 'M' && data[2] == 'R' && data[3] == 'C';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qm::ColorRegisters registers{};
    registers.values.fill(kUntouched);
    registers.rgb.fill(kUntouched);
    const bool read = qm::DecodeColorFile(std::vector<unsigned char>(data, data + size), registers);
    Require(read == StartsWithMagic(data, size), "colours are recognised by their magic alone");
    if (!read) {
        for (int reg = qm::LUM; reg <= qm::PF3; ++reg) {
            Require(registers.values[reg] == kUntouched && registers.rgb[reg] == kUntouched,
                    "a refused file leaves the registers alone", reg);
        }
        return 0;
    }
    for (int reg = qm::LUM; reg <= qm::PF3; ++reg) {
        qm::fuzz::RequireRegisterValue(registers.values[reg]);
        qm::fuzz::RequireColor(registers.rgb[reg]);
    }

    qm::ColorRegisters again{};
    Require(qm::DecodeColorFile(qm::EncodeColorFile(registers), again), "saved colours read back");
    for (int reg = qm::LUM; reg <= qm::PF3; ++reg) {
        Require(again.values[reg] == registers.values[reg] && again.rgb[reg] == registers.rgb[reg],
                "colours read back as they were saved", reg);
    }
    return 0;
}
