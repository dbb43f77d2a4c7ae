#include "core/recovery_format.h"

#include <zlib.h>

#include <cstring>

#include "core/project_format.h"

namespace qm {

namespace {

constexpr char kMagic[8] = {'Q', 'M', 'R', 'E', 'C', 'O', 'V', 'R'};
constexpr std::uint32_t kVersion = 1;
// Paths and names are short; a longer length can only be damage.
constexpr std::uint32_t kLongestText = 1u << 16;

void PutUint32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void PutText(Bytes& out, const std::string& text) {
    PutUint32(out, static_cast<std::uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

std::uint32_t Checksum(const unsigned char* data, std::size_t size) {
    return static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), data, static_cast<uInt>(size)));
}

// Reads within the bytes only: every read says whether it stayed inside.
class Cursor {
public:
    Cursor(const Bytes& bytes, std::size_t end) : bytes_(bytes), end_(end) {}

    bool Uint32(std::uint32_t& value) {
        if (end_ - position_ < 4) return false;
        value = 0;
        for (int i = 0; i < 4; ++i) value |= std::uint32_t{bytes_[position_ + i]} << (8 * i);
        position_ += 4;
        return true;
    }
    bool Text(std::string& text) {
        std::uint32_t size = 0;
        if (!Uint32(size) || size > kLongestText || end_ - position_ < size) return false;
        text.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(position_),
                    bytes_.begin() + static_cast<std::ptrdiff_t>(position_ + size));
        position_ += size;
        return true;
    }
    bool Take(std::size_t size, Bytes& out) {
        if (end_ - position_ < size) return false;
        out.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(position_),
                   bytes_.begin() + static_cast<std::ptrdiff_t>(position_ + size));
        position_ += size;
        return true;
    }
    bool Skip(std::size_t size) {
        if (end_ - position_ < size) return false;
        position_ += size;
        return true;
    }
    bool AtEnd() const { return position_ == end_; }

private:
    const Bytes& bytes_;
    std::size_t end_;
    std::size_t position_ = 0;
};

std::optional<RecoveredWork> Fail(std::string* reason, const char* why) {
    if (reason) *reason = why;
    return std::nullopt;
}

}  // namespace

Bytes WriteRecovery(const Document& doc, int currentSlot) {
    const Bytes project = WriteProject(ProjectOf(doc));
    Bytes out(std::begin(kMagic), std::end(kMagic));
    out.reserve(project.size() + 1024);
    PutUint32(out, kVersion);
    PutUint32(out, static_cast<std::uint32_t>(currentSlot));
    PutUint32(out, static_cast<std::uint32_t>(project.size()));
    out.insert(out.end(), project.begin(), project.end());
    PutText(out, doc.ProjectPath);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        PutText(out, doc.Slots[slot].fileName);
        PutText(out, doc.Slots[slot].filePath);
    }
    PutUint32(out, Checksum(out.data(), out.size()));
    return out;
}

std::optional<RecoveredWork> ReadRecovery(const Bytes& bytes, std::string* reason) {
    if (bytes.size() < sizeof kMagic + 4 || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        return Fail(reason, "it is not a recovery copy");
    }
    const std::size_t end = bytes.size() - 4;
    std::uint32_t stored = 0;
    Cursor tail(bytes, bytes.size());
    tail.Skip(end);
    tail.Uint32(stored);
    if (stored != Checksum(bytes.data(), end)) return Fail(reason, "it is damaged or incomplete");

    Cursor in(bytes, end);
    in.Skip(sizeof kMagic);
    std::uint32_t version = 0, slot = 0, projectSize = 0;
    if (!in.Uint32(version) || version != kVersion) return Fail(reason, "it was written by another version");
    Bytes project;
    if (!in.Uint32(slot) || slot < 1 || slot > kSlotCount || !in.Uint32(projectSize) ||
        projectSize < kProjectSize || !in.Take(projectSize, project)) {
        return Fail(reason, "it is damaged or incomplete");
    }
    const std::optional<ProjectData> data = ReadProject(project);
    if (!data || !data->slotColors) return Fail(reason, "it is damaged or incomplete");

    RecoveredWork work;
    ResetDocument(work.doc);
    work.currentSlot = static_cast<int>(slot);
    bool whole = in.Text(work.doc.ProjectPath);
    for (int s = 1; whole && s <= kSlotCount; ++s) {
        whole = in.Text(work.doc.Slots[s].fileName) && in.Text(work.doc.Slots[s].filePath);
    }
    if (!whole || !in.AtEnd()) return Fail(reason, "it is damaged or incomplete");

    ApplyProject(work.doc, *data);
    // The registers as they stood, not as a project opened afresh shows them.
    for (int reg = LUM; reg <= PF3; ++reg) {
        work.doc.RegisterValue[reg] = data->registerValues[reg - 1];
        work.doc.RegisterRgb[reg] = data->registerRgb[reg - 1];
    }
    return work;
}

}  // namespace qm
