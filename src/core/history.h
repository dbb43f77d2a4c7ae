#pragma once

// The history of the document: the steps by which it changed, kept as what
// each step replaced and what it put in its place, so that any of them can be
// taken back and done again. A step is found by comparing the document with
// the copy the history keeps of it as it stood after the last step, so
// whatever changed the document is caught, however it was changed. Changes
// that are no step (the slot buttons moving colours between the registers and
// the slots) may come between: taking a step back writes exactly the values
// it replaced, never a mixture with what came since.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/document.h"

namespace qm {

class History {
public:
    static constexpr std::size_t kDefaultByteLimit = std::size_t{32} << 20;

    History();
    explicit History(std::size_t byteLimit);
    ~History();
    History(const History& other);
    History& operator=(const History& other);
    History(History&&) noexcept;
    History& operator=(History&&) noexcept;

    // Forgets every step; doc is where the history starts, and counts as saved.
    void Reset(const Document& doc);

    // What the editor had in view around a step: the character being edited
    // and the one picked on the font sheet. A step that moves characters
    // carries them along, and taking it back or doing it again must too, or
    // the user would suddenly look at another picture.
    struct Focus {
        int edited = -1;
        int picked = -1;
        bool operator==(const Focus&) const = default;
    };

    // The slot whose colours the registers held before and after a step:
    // a change of the registers is a change of that slot's colours.
    struct SlotMove {
        int before = 0;
        int after = 0;
    };

    // Records what changed since the last step as one step called name, with
    // the focus and the registers' slot before and after it, and drops the
    // steps that could have been redone. Returns false, and records nothing,
    // when the document did not change.
    bool Record(const Document& doc, const std::string& name, const Focus& focusBefore, const Focus& focusAfter,
                SlotMove registersSlot);
    bool Record(const Document& doc, const std::string& name);
    // Takes in what changed since the last step without making a step of it:
    // for changes that are not the user's work, such as a save setting the
    // project's path.
    void Absorb(const Document& doc);
    // Whether the document differs from where the last step left it.
    bool Pending(const Document& doc) const;

    bool CanUndo() const { return undoCount_ > 0; }
    bool CanRedo() const { return undoCount_ < steps_.size(); }
    // The name of the step that Undo or Redo would take; empty when none.
    const std::string& UndoName() const;
    const std::string& RedoName() const;
    // The focus to go back to when Undo takes its step back, or on to when
    // Redo does its step again; none when that step left the focus alone.
    std::optional<Focus> UndoFocus() const;
    std::optional<Focus> RedoFocus() const;
    // Where Undo (or Redo) is to take its step, seen from the current slot:
    // before is the slot to be in while it is taken, after the slot the
    // registers then belong to. A step that changed the registers is taken
    // in their slot; any other in the current slot when it changed that one
    // or none, else in the first slot it changed.
    SlotMove UndoSlots(int current) const;
    SlotMove RedoSlots(int current) const;

    // Takes the last step back (or does the next one again) in doc. Changes
    // not yet recorded are dropped where the step touches them. Returns the
    // slots the step changed, bit n for slot n, or 0 when there was nothing to
    // take back or do.
    unsigned Undo(Document& doc);
    unsigned Redo(Document& doc);

    // The document as it is now is the saved one.
    void MarkSaved(const Document& doc);
    // Whether the document differs from the one last saved: a step made,
    // undone or redone since, or changes not yet recorded.
    bool ChangedSinceSave(const Document& doc) const;

    std::size_t UndoCount() const { return undoCount_; }
    std::size_t RedoCount() const { return steps_.size() - undoCount_; }
    // Bytes held by the steps; the oldest steps go when it passes the limit.
    std::size_t MemoryUsed() const { return bytes_; }
    std::size_t ByteLimit() const { return byteLimit_; }

    // One change of bytes: length bytes from offset of span, held as the
    // bytes before and the bytes after, packed eight to a byte when every one
    // of them is 0 or 1 (as pixels are). A run covers whole values (a pixel,
    // a colour, a cell).
    struct Run {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
        std::uint16_t span = 0;
        bool packed = false;
    };
    struct TextChange {
        int index = 0;  // 0 the project path, 1 to 10 a slot's file name, 11 to 20 its path
        std::string before, after;
    };
    struct Step {
        std::string name;
        std::uint64_t serial = 0;
        unsigned slots = 0;
        std::vector<Run> runs;
        std::vector<std::uint8_t> data;
        std::vector<TextChange> texts;
        // The map's cells before and after a step that resized the map.
        std::optional<std::pair<std::vector<std::uint8_t>, std::vector<std::uint8_t>>> mapCells;
        Focus focusBefore, focusAfter;
        // The registers' slot around the step; 0 when the step left the
        // registers alone.
        SlotMove registersSlot;
        std::size_t bytes = 0;
    };

private:
    unsigned Apply(const Step& step, Document& doc, bool undo);
    std::uint64_t CurrentSerial() const;
    void DropBeyondLimit();

    std::unique_ptr<Document> base_;  // the document after the last step
    std::deque<Step> steps_;          // [0, undoCount_) done, the rest undone
    std::size_t undoCount_ = 0;
    std::size_t bytes_ = 0;
    std::size_t byteLimit_;
    std::uint64_t nextSerial_ = 1;
    std::uint64_t baseSerial_ = 0;   // the state before steps_[0]
    std::uint64_t savedSerial_ = 0;
};

}  // namespace qm
