#include "core/history.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace qm {

namespace {

// The plain bytes of a document, in spans: each slot's pixels and colours,
// the registers, the sets and the view screen.
constexpr int kSlotSpans = 2 * kSlotCount;
constexpr int kSpanCount = kSlotSpans + 4;

struct Span {
    std::uint8_t* data;
    std::size_t size;
    int slot;  // the slot the span belongs to, 0 for none
};

template <typename T>
Span SpanOf(T& value, int slot) {
    return {reinterpret_cast<std::uint8_t*>(&value), sizeof(T), slot};
}

std::array<Span, kSpanCount> SpansOf(Document& doc) {
    std::array<Span, kSpanCount> spans{};
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        spans[2 * (slot - 1)] = SpanOf(doc.Slots[slot].pixels, slot);
        spans[2 * (slot - 1) + 1] = SpanOf(doc.Slots[slot].colors, slot);
    }
    spans[kSlotSpans] = SpanOf(doc.RegisterRgb, 0);
    spans[kSlotSpans + 1] = SpanOf(doc.RegisterValue, 0);
    spans[kSlotSpans + 2] = SpanOf(doc.SetTable, 0);
    spans[kSlotSpans + 3] = SpanOf(doc.ViewScreen, 0);
    return spans;
}

std::array<Span, kSpanCount> SpansOf(const Document& doc) { return SpansOf(const_cast<Document&>(doc)); }

constexpr int kTextCount = 1 + 2 * kSlotCount;

std::string& TextOf(Document& doc, int index) {
    if (index == 0) return doc.ProjectPath;
    if (index <= kSlotCount) return doc.Slots[index].fileName;
    return doc.Slots[index - kSlotCount].filePath;
}

const std::string& TextOf(const Document& doc, int index) { return TextOf(const_cast<Document&>(doc), index); }

int SlotOfText(int index) { return index == 0 ? 0 : (index - 1) % kSlotCount + 1; }

constexpr std::size_t kBlock = 64;
// Differences closer than this are kept as one run.
constexpr std::size_t kJoinGap = 16;

// Appends the runs where a and b differ.
void DiffSpan(const std::uint8_t* a, const std::uint8_t* b, std::size_t size, std::uint16_t span,
              std::vector<History::Run>& runs) {
    std::size_t runStart = 0, runEnd = 0;
    bool open = false;
    for (std::size_t block = 0; block < size; block += kBlock) {
        const std::size_t end = std::min(size, block + kBlock);
        if (std::memcmp(a + block, b + block, end - block) == 0) continue;
        for (std::size_t i = block; i < end; ++i) {
            if (a[i] == b[i]) continue;
            if (open && i - runEnd <= kJoinGap) {
                runEnd = i + 1;
                continue;
            }
            if (open) runs.push_back({static_cast<std::uint32_t>(runStart), static_cast<std::uint32_t>(runEnd - runStart), span, false});
            runStart = i;
            runEnd = i + 1;
            open = true;
        }
    }
    if (open) runs.push_back({static_cast<std::uint32_t>(runStart), static_cast<std::uint32_t>(runEnd - runStart), span, false});
}

// Stores the exclusive or of a run, packed when it can be.
void StoreRun(History::Run& run, const std::uint8_t* a, const std::uint8_t* b, std::vector<std::uint8_t>& data) {
    const std::uint8_t* x = a + run.offset;
    const std::uint8_t* y = b + run.offset;
    run.packed = true;
    for (std::uint32_t i = 0; i < run.length && run.packed; ++i) run.packed = (x[i] ^ y[i]) <= 1;
    if (!run.packed) {
        for (std::uint32_t i = 0; i < run.length; ++i) data.push_back(static_cast<std::uint8_t>(x[i] ^ y[i]));
        return;
    }
    for (std::uint32_t i = 0; i < run.length; i += 8) {
        std::uint8_t bits = 0;
        for (std::uint32_t k = 0; k < 8 && i + k < run.length; ++k) bits |= static_cast<std::uint8_t>((x[i + k] ^ y[i + k]) << k);
        data.push_back(bits);
    }
}

std::size_t StoredSize(const History::Run& run) { return run.packed ? (run.length + 7) / 8 : run.length; }

std::size_t SizeOf(const History::Step& step) {
    std::size_t bytes = sizeof(History::Step) + step.name.capacity() + step.runs.capacity() * sizeof(History::Run) +
                        step.data.capacity() + step.texts.capacity() * sizeof(History::TextChange);
    for (const History::TextChange& t : step.texts) bytes += t.before.capacity() + t.after.capacity();
    return bytes;
}

const std::string kNoName;

}  // namespace

History::History() : History(kDefaultByteLimit) {}
History::History(std::size_t byteLimit) : byteLimit_(byteLimit) {}
History::~History() = default;
History::History(const History& other)
    : base_(other.base_ ? std::make_unique<Document>(*other.base_) : nullptr),
      steps_(other.steps_),
      undoCount_(other.undoCount_),
      bytes_(other.bytes_),
      byteLimit_(other.byteLimit_),
      nextSerial_(other.nextSerial_),
      baseSerial_(other.baseSerial_),
      savedSerial_(other.savedSerial_) {}
History& History::operator=(const History& other) {
    if (this != &other) *this = History(other);
    return *this;
}
History::History(History&&) noexcept = default;
History& History::operator=(History&&) noexcept = default;

void History::Reset(const Document& doc) {
    base_ = std::make_unique<Document>(doc);
    steps_.clear();
    undoCount_ = 0;
    bytes_ = 0;
    baseSerial_ = savedSerial_ = nextSerial_++;
}

bool History::Pending(const Document& doc) const {
    if (!base_) return false;
    const auto now = SpansOf(doc);
    const auto before = SpansOf(*base_);
    for (int i = 0; i < kSpanCount; ++i) {
        if (std::memcmp(now[i].data, before[i].data, now[i].size) != 0) return true;
    }
    for (int i = 0; i < kTextCount; ++i) {
        if (TextOf(doc, i) != TextOf(*base_, i)) return true;
    }
    return false;
}

bool History::Record(const Document& doc, const std::string& name) { return Record(doc, name, Focus{}, Focus{}); }

bool History::Record(const Document& doc, const std::string& name, const Focus& focusBefore, const Focus& focusAfter) {
    if (!base_) {
        Reset(doc);
        return false;
    }
    Step step;
    const auto now = SpansOf(doc);
    const auto before = SpansOf(*base_);
    for (int i = 0; i < kSpanCount; ++i) {
        const std::size_t first = step.runs.size();
        DiffSpan(before[i].data, now[i].data, now[i].size, static_cast<std::uint16_t>(i), step.runs);
        for (std::size_t r = first; r < step.runs.size(); ++r) {
            StoreRun(step.runs[r], before[i].data, now[i].data, step.data);
            step.slots |= before[i].slot ? 1u << before[i].slot : 0u;
            // Bring the kept copy up to date as we go.
            std::memcpy(before[i].data + step.runs[r].offset, now[i].data + step.runs[r].offset, step.runs[r].length);
        }
    }
    for (int i = 0; i < kTextCount; ++i) {
        std::string& kept = TextOf(*base_, i);
        const std::string& text = TextOf(doc, i);
        if (kept == text) continue;
        step.texts.push_back({i, kept, text});
        step.slots |= SlotOfText(i) ? 1u << SlotOfText(i) : 0u;
        kept = text;
    }
    if (step.runs.empty() && step.texts.empty()) return false;

    while (steps_.size() > undoCount_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    step.name = name;
    step.focusBefore = focusBefore;
    step.focusAfter = focusAfter;
    step.serial = nextSerial_++;
    step.runs.shrink_to_fit();
    step.data.shrink_to_fit();
    step.bytes = SizeOf(step);
    bytes_ += step.bytes;
    steps_.push_back(std::move(step));
    undoCount_ = steps_.size();
    DropBeyondLimit();
    return true;
}

void History::DropBeyondLimit() {
    // The newest step always stays, however large.
    while (bytes_ > byteLimit_ && steps_.size() > 1) {
        bytes_ -= steps_.front().bytes;
        if (undoCount_ > 0) {
            baseSerial_ = steps_.front().serial;
            --undoCount_;
        }
        steps_.pop_front();
    }
}

void History::Absorb(const Document& doc) {
    if (!base_) {
        Reset(doc);
        return;
    }
    if (Pending(doc)) *base_ = doc;
}

const std::string& History::UndoName() const { return CanUndo() ? steps_[undoCount_ - 1].name : kNoName; }
const std::string& History::RedoName() const { return CanRedo() ? steps_[undoCount_].name : kNoName; }

std::optional<History::Focus> History::UndoFocus() const {
    if (!CanUndo()) return std::nullopt;
    const Step& step = steps_[undoCount_ - 1];
    if (step.focusBefore == step.focusAfter) return std::nullopt;
    return step.focusBefore;
}

std::optional<History::Focus> History::RedoFocus() const {
    if (!CanRedo()) return std::nullopt;
    const Step& step = steps_[undoCount_];
    if (step.focusBefore == step.focusAfter) return std::nullopt;
    return step.focusAfter;
}

unsigned History::Apply(const Step& step, Document& doc) {
    const auto kept = SpansOf(*base_);
    const auto target = SpansOf(doc);
    const std::uint8_t* data = step.data.data();
    for (const Run& run : step.runs) {
        std::uint8_t* bytes = kept[run.span].data + run.offset;
        if (run.packed) {
            for (std::uint32_t i = 0; i < run.length; ++i) bytes[i] ^= static_cast<std::uint8_t>((data[i / 8] >> (i % 8)) & 1);
        } else {
            for (std::uint32_t i = 0; i < run.length; ++i) bytes[i] ^= data[i];
        }
        data += StoredSize(run);
        std::memcpy(target[run.span].data + run.offset, bytes, run.length);
    }
    return step.slots;
}

unsigned History::Undo(Document& doc) {
    if (!CanUndo()) return 0;
    const Step& step = steps_[--undoCount_];
    for (const TextChange& t : step.texts) TextOf(*base_, t.index) = TextOf(doc, t.index) = t.before;
    return Apply(step, doc);
}

unsigned History::Redo(Document& doc) {
    if (!CanRedo()) return 0;
    const Step& step = steps_[undoCount_++];
    for (const TextChange& t : step.texts) TextOf(*base_, t.index) = TextOf(doc, t.index) = t.after;
    return Apply(step, doc);
}

std::uint64_t History::CurrentSerial() const { return undoCount_ > 0 ? steps_[undoCount_ - 1].serial : baseSerial_; }

void History::MarkSaved(const Document& doc) {
    Absorb(doc);
    savedSerial_ = CurrentSerial();
}

bool History::ChangedSinceSave(const Document& doc) const {
    return CurrentSerial() != savedSerial_ || Pending(doc);
}

}  // namespace qm
