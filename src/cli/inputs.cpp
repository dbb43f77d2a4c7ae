#include "cli/inputs.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/file_io.h"
#include "core/color_format.h"
#include "core/font_format.h"
#include "core/set_format.h"
#include "core/view_format.h"
#include "core/region_map.h"

namespace qm::cli {

namespace {

// No reader looks further than a project can reach, and a font file is at
// most kLargestFontFile bytes; a larger file is read no further than this.
constexpr std::size_t kReadLimit = std::max<std::size_t>(kProjectReadLimit, kLargestFontFile + 1);

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[text.size() - tail.size() + i])) != tail[i]) return false;
    }
    return true;
}

// The reason of the failed open first: a file behind a folder without search
// permission is denied, not missing.
std::string ReadFailure(const std::string& path, int error) {
    if (error == ENOENT || error == ENOTDIR) return "no such file";
    if (error == EACCES || error == EPERM) return std::strerror(error);
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec) return std::strerror(error ? error : ec.value());
    if (std::filesystem::is_directory(status)) return "it is a folder, not a file";
    if (!std::filesystem::is_regular_file(status)) return "it is not a regular file";
    return error ? std::strerror(error) : "it cannot be read";
}

// The least length of each kind that has one; shorter files have lost their end.
std::size_t LeastSize(FileKind kind) {
    switch (kind) {
        case FileKind::Project: return kOlderProjectSize;
        case FileKind::View: return kViewFileSize;
        case FileKind::Colors: return kColorFileSize;
        case FileKind::Set: return kSetFileSize;
        case FileKind::AllSets: return kAllSetsFileSize;
        default: return 0;
    }
}

}  // namespace

const char* KindName(FileKind kind) {
    switch (kind) {
        case FileKind::Font: return "font";
        case FileKind::Project: return "project";
        case FileKind::View: return "view";
        case FileKind::Colors: return "colours";
        case FileKind::Set: return "set";
        case FileKind::AllSets: return "sets";
        case FileKind::Picture: return "picture";
        case FileKind::Other: return "other";
    }
    return "font";
}

Bytes ReadInputBytes(const std::string& path, std::size_t maxBytes) {
    Bytes bytes;
    errno = 0;
    if (!ReadWholeFile(path, bytes, maxBytes)) throw InputError(path, ReadFailure(path, errno));
    return bytes;
}

InputFile ReadInput(const std::string& path) {
    InputFile file;
    file.path = path;
    file.bytes = ReadInputBytes(path, kReadLimit);
    file.size = FileSize(path);
    if (file.size < 0) file.size = static_cast<long long>(file.bytes.size());

    const std::string magic(file.bytes.begin(), file.bytes.begin() + std::min<std::size_t>(4, file.bytes.size()));
    if (magic == "FPRJ") file.kind = FileKind::Project;
    else if (magic == "VEDT") file.kind = FileKind::View;
    else if (magic == "QMRC") file.kind = FileKind::Colors;
    else if (magic == "QMRS") file.kind = FileKind::Set;
    else if (magic == "LMRS") file.kind = FileKind::AllSets;

    if (file.kind == FileKind::Font) {
        if (EndsWithNoCase(path, ".proj")) throw InputError(path, "not a project file (it does not start with FPRJ)");
        if (EndsWithNoCase(path, ".ved")) throw InputError(path, "not a view file (it does not start with VEDT)");
        file.font = ReadFontFile(file.bytes, file.size);
        if (!file.font.notFont.empty()) throw InputError(path, "not a font: " + file.font.notFont);
    } else if (file.size < static_cast<long long>(LeastSize(file.kind))) {
        throw InputError(path, std::string("the ") + KindName(file.kind) + " file ends early after " +
                                   std::to_string(file.size) + " bytes (it needs " +
                                   std::to_string(LeastSize(file.kind)) + ")");
    }
    return file;
}

Document ProjectDocument(const InputFile& file) {
    const std::optional<ProjectData> project = ReadProject(file.bytes);
    if (file.kind != FileKind::Project || !project) {
        throw InputError(file.path, std::string("a project is needed here, this is a ") + KindName(file.kind) + " file");
    }
    if (MapDamaged(*project)) throw InputError(file.path, "its map is damaged (cut short or of a size no map has)");
    Document doc;
    ResetDocument(doc);
    ApplyProject(doc, *project);
    if (!project->slotColors) {
        // The older form keeps only the registers; every slot shows them.
        for (int slot = 1; slot <= kSlotCount; ++slot) doc.Slots[slot].colors = doc.RegisterRgb;
    }
    return doc;
}

int SlotOption(const InputFile& file, const Options& options) {
    if (file.kind != FileKind::Project && options.Has("--slot")) {
        throw UsageError("--slot applies to a project, and " + file.path + " is a " + KindName(file.kind) + " file");
    }
    return options.Number("--slot", 1, kSlotCount, 1);
}

FontBytes InputFont(const InputFile& file, const Options& options) {
    const int slot = SlotOption(file, options);
    if (file.kind == FileKind::Font) return file.font.font;
    if (file.kind != FileKind::Project) {
        throw InputError(file.path, std::string("a font or a project is needed here, this is a ") + KindName(file.kind) +
                                        " file");
    }
    return PackFont(ProjectDocument(file).Slots[slot]);
}

Region ParseRegion(const std::string& text, int columns, int rows) {
    Region region;
    int* parts[] = {&region.startX, &region.startY, &region.width, &region.height};
    const char* names[] = {"X", "Y", "W", "H"};
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = text.find(',', start);
        if ((i < 3) != (comma != std::string::npos)) throw UsageError("--region must be X,Y,W,H, not '" + text + "'");
        const std::string part = text.substr(start, i < 3 ? comma - start : std::string::npos);
        // An empty rectangle would write an empty file: the width and height start at 1.
        *parts[i] = ParseNumber(part, i < 2 ? 0 : 1, i % 2 == 0 ? columns : rows, std::string("--region ") + names[i]);
        start = comma + 1;
    }
    return region;
}

Region ParseRegion(const std::string& text) {
    const Region region = ParseRegion(text, kViewColumns, kViewRows);
    if (!InsideScreen(region)) {
        throw UsageError("--region " + text + " reaches past the 60 x 40 screen");
    }
    return region;
}

}  // namespace qm::cli
