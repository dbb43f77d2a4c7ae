#pragma once

namespace qm {

inline constexpr const char* kFontFilter = "Font (*.fnt)|*.fnt|All files (*.*)|*.*";
inline constexpr const char* kSaveFontTitle = "Save font (.fnt)";

}  // namespace qm
