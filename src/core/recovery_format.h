#pragma once

// The recovery copy: what the editor keeps of unsaved work so that a crash, a
// kill or a power cut loses none of it. The project's bytes, the slot shown,
// the project path and each slot's font name and path, closed by a checksum so
// that a copy cut short or damaged is known as such and never half loaded.

#include <cstdint>
#include <optional>
#include <string>

#include "core/byte_stream.h"
#include "core/document.h"

namespace qm {

struct RecoveredWork {
    Document doc;
    int currentSlot = 1;
};

Bytes WriteRecovery(const Document& doc, int currentSlot);
// Nothing unless the bytes are a whole, undamaged copy; on failure why sits in
// reason (when given).
std::optional<RecoveredWork> ReadRecovery(const Bytes& bytes, std::string* reason = nullptr);

}  // namespace qm
