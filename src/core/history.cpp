#include "core/history.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <utility>

namespace qm {

namespace {

// The plain bytes of a document, in spans: each slot's pixels and colours,
// the registers, the sets, the view screen, the map's sizes and its cells.
// The cells are the one span whose size can change: a step that resizes the
// map keeps them whole, before and after; any other step only what differs.
constexpr int kSlotSpans = 2 * kSlotCount;
constexpr int kMapCellsSpan = kSlotSpans + 5;
constexpr int kSpanCount = kSlotSpans + 6;

static_assert(offsetof(TileMap, height) == 3 * sizeof(int), "the map's sizes lie side by side");

// The spans of the registers' colours and bytes.
constexpr int kRegisterRgbSpan = kSlotSpans;
constexpr int kRegisterValueSpan = kSlotSpans + 1;

struct Span {
    std::uint8_t* data;
    std::size_t size;
    std::size_t element;  // the size of one value: a pixel, a colour, a cell
    int slot;             // the slot the span belongs to, 0 for none
};

template <typename Value, typename T>
Span SpanOf(T& values, int slot) {
    static_assert(sizeof(T) % sizeof(Value) == 0);
    return {reinterpret_cast<std::uint8_t*>(&values), sizeof(T), sizeof(Value), slot};
}

std::array<Span, kSpanCount> SpansOf(Document& doc) {
    std::array<Span, kSpanCount> spans{};
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        spans[2 * (slot - 1)] = SpanOf<std::uint8_t>(doc.Slots[slot].pixels, slot);
        spans[2 * (slot - 1) + 1] = SpanOf<Rgb>(doc.Slots[slot].colors, slot);
    }
    spans[kRegisterRgbSpan] = SpanOf<Rgb>(doc.RegisterRgb, 0);
    spans[kRegisterValueSpan] = SpanOf<int>(doc.RegisterValue, 0);
    spans[kSlotSpans + 2] = SpanOf<std::int32_t>(doc.SetTable, 0);
    spans[kSlotSpans + 3] = SpanOf<std::int32_t>(doc.ViewScreen, 0);
    spans[kSlotSpans + 4] = {reinterpret_cast<std::uint8_t*>(&doc.Map.tileWidth), 4 * sizeof(int), sizeof(int), 0};
    spans[kMapCellsSpan] = {doc.Map.cells.data(), doc.Map.cells.size(), 1, 0};
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

// Appends the runs where a and b differ, each widened to whole values.
void DiffSpan(const std::uint8_t* a, const std::uint8_t* b, const Span& where, std::uint16_t span,
              std::vector<History::Run>& runs) {
    const std::size_t size = where.size;
    const std::size_t element = where.element;
    const auto add = [&](std::size_t start, std::size_t end) {
        start -= start % element;
        end = std::min(size, (end + element - 1) / element * element);
        runs.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start), span, false});
    };
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
            if (open) add(runStart, runEnd);
            runStart = i;
            runEnd = i + 1;
            open = true;
        }
    }
    if (open) add(runStart, runEnd);
}

bool AllBits(const std::uint8_t* bytes, std::uint32_t length) {
    for (std::uint32_t i = 0; i < length; ++i) {
        if (bytes[i] > 1) return false;
    }
    return true;
}

void StoreBytes(const std::uint8_t* bytes, std::uint32_t length, bool packed, std::vector<std::uint8_t>& data) {
    if (!packed) {
        data.insert(data.end(), bytes, bytes + length);
        return;
    }
    for (std::uint32_t i = 0; i < length; i += 8) {
        std::uint8_t bits = 0;
        for (std::uint32_t k = 0; k < 8 && i + k < length; ++k) bits |= static_cast<std::uint8_t>(bytes[i + k] << k);
        data.push_back(bits);
    }
}

std::size_t StoredSize(const History::Run& run) { return run.packed ? (run.length + 7) / 8 : run.length; }

// Stores the bytes of a run before and after, packed when they can be.
void StoreRun(History::Run& run, const std::uint8_t* before, const std::uint8_t* after, std::vector<std::uint8_t>& data) {
    const std::uint8_t* x = before + run.offset;
    const std::uint8_t* y = after + run.offset;
    run.packed = AllBits(x, run.length) && AllBits(y, run.length);
    StoreBytes(x, run.length, run.packed, data);
    StoreBytes(y, run.length, run.packed, data);
}

void LoadBytes(const std::uint8_t* data, const History::Run& run, std::uint8_t* bytes) {
    if (!run.packed) {
        std::memcpy(bytes, data, run.length);
        return;
    }
    for (std::uint32_t i = 0; i < run.length; ++i) bytes[i] = static_cast<std::uint8_t>((data[i / 8] >> (i % 8)) & 1);
}

std::size_t SizeOf(const History::Step& step) {
    std::size_t bytes = sizeof(History::Step) + step.name.capacity() + step.runs.capacity() * sizeof(History::Run) +
                        step.data.capacity() + step.texts.capacity() * sizeof(History::TextChange);
    for (const History::TextChange& t : step.texts) bytes += t.before.capacity() + t.after.capacity();
    if (step.mapCells) bytes += step.mapCells->first.capacity() + step.mapCells->second.capacity();
    return bytes;
}

unsigned SlotBits(History::SlotMove move) {
    return (move.before ? 1u << move.before : 0u) | (move.after ? 1u << move.after : 0u);
}

History::SlotMove SlotsToTake(const History::Step& step, int current, bool undo) {
    const History::SlotMove& registers = step.registersSlot;
    if (registers.before != 0 && registers.after != 0) {
        return undo ? History::SlotMove{registers.after, registers.before} : registers;
    }
    if (step.slots == 0 || (step.slots & (1u << current)) != 0) return {current, current};
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (step.slots & (1u << slot)) return {slot, slot};
    }
    return {current, current};
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
        if (now[i].size != before[i].size || std::memcmp(now[i].data, before[i].data, now[i].size) != 0) return true;
    }
    for (int i = 0; i < kTextCount; ++i) {
        if (TextOf(doc, i) != TextOf(*base_, i)) return true;
    }
    return false;
}

bool History::Record(const Document& doc, const std::string& name) {
    return Record(doc, name, Focus{}, Focus{}, SlotMove{});
}

bool History::Record(const Document& doc, const std::string& name, const Focus& focusBefore, const Focus& focusAfter,
                     SlotMove registersSlot) {
    if (!base_) {
        Reset(doc);
        return false;
    }
    Step step;
    const auto now = SpansOf(doc);
    if (doc.Map.cells.size() != base_->Map.cells.size()) {
        step.mapCells = {base_->Map.cells, doc.Map.cells};
        base_->Map.cells = doc.Map.cells;
    }
    const auto before = SpansOf(*base_);
    for (int i = 0; i < kSpanCount; ++i) {
        if (i == kMapCellsSpan && step.mapCells) continue;
        const std::size_t first = step.runs.size();
        DiffSpan(before[i].data, now[i].data, now[i], static_cast<std::uint16_t>(i), step.runs);
        for (std::size_t r = first; r < step.runs.size(); ++r) {
            StoreRun(step.runs[r], before[i].data, now[i].data, step.data);
            step.slots |= before[i].slot ? 1u << before[i].slot : 0u;
            if (i == kRegisterRgbSpan || i == kRegisterValueSpan) step.registersSlot = registersSlot;
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
    if (step.runs.empty() && step.texts.empty() && !step.mapCells) return false;
    step.slots |= SlotBits(step.registersSlot);

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

History::SlotMove History::UndoSlots(int current) const {
    return CanUndo() ? SlotsToTake(steps_[undoCount_ - 1], current, true) : SlotMove{current, current};
}

History::SlotMove History::RedoSlots(int current) const {
    return CanRedo() ? SlotsToTake(steps_[undoCount_], current, false) : SlotMove{current, current};
}

// Writes the values the step replaced (undo) or put in (redo), each whole,
// and only those it changed: whatever came since elsewhere stays.
unsigned History::Apply(const Step& step, Document& doc, bool undo) {
    if (step.mapCells) base_->Map.cells = undo ? step.mapCells->first : step.mapCells->second;
    // A map resized since and not recorded cannot take the step's cells in
    // place: it takes the map's cells as the step leaves them.
    if (step.mapCells || doc.Map.cells.size() != base_->Map.cells.size()) doc.Map.cells = base_->Map.cells;
    const auto kept = SpansOf(*base_);
    const auto target = SpansOf(doc);
    const std::uint8_t* data = step.data.data();
    std::vector<std::uint8_t> before, after;
    for (const Run& run : step.runs) {
        before.resize(run.length);
        after.resize(run.length);
        LoadBytes(data, run, before.data());
        data += StoredSize(run);
        LoadBytes(data, run, after.data());
        data += StoredSize(run);
        const std::uint8_t* wanted = undo ? before.data() : after.data();
        const std::size_t element = kept[run.span].element;
        for (std::size_t at = 0; at < run.length; at += element) {
            if (std::memcmp(before.data() + at, after.data() + at, element) == 0) continue;
            std::memcpy(kept[run.span].data + run.offset + at, wanted + at, element);
            std::memcpy(target[run.span].data + run.offset + at, wanted + at, element);
        }
    }
    return step.slots;
}

unsigned History::Undo(Document& doc) {
    if (!CanUndo()) return 0;
    const Step& step = steps_[--undoCount_];
    for (const TextChange& t : step.texts) TextOf(*base_, t.index) = TextOf(doc, t.index) = t.before;
    return Apply(step, doc, true);
}

unsigned History::Redo(Document& doc) {
    if (!CanRedo()) return 0;
    const Step& step = steps_[undoCount_++];
    for (const TextChange& t : step.texts) TextOf(*base_, t.index) = TextOf(doc, t.index) = t.after;
    return Apply(step, doc, false);
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
