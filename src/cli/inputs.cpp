#include "cli/inputs.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/file_io.h"
#include "core/font_format.h"

namespace qm::cli {

namespace {

// No reader looks further than a project's length; a larger file is read no
// further than this.
constexpr std::size_t kReadLimit = 64 * 1024;

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[text.size() - tail.size() + i])) != tail[i]) return false;
    }
    return true;
}

std::string ReadFailure(const std::string& path) {
    const int error = errno;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) return "no such file";
    if (std::filesystem::is_directory(status)) return "it is a folder, not a file";
    if (!std::filesystem::is_regular_file(status)) return "it is not a regular file";
    return error ? std::strerror(error) : "it cannot be read";
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
    }
    return "font";
}

InputFile ReadInput(const std::string& path) {
    InputFile file;
    file.path = path;
    errno = 0;
    if (!ReadWholeFile(path, file.bytes, kReadLimit)) throw InputError(path, ReadFailure(path));
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
    }
    return file;
}

Document ProjectDocument(const InputFile& file) {
    const std::optional<ProjectData> project = ReadProject(file.bytes);
    if (file.kind != FileKind::Project || !project) {
        throw InputError(file.path, std::string("a project is needed here, this is a ") + KindName(file.kind) + " file");
    }
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
    if (file.kind == FileKind::Font) return ReadFontBytes(file.bytes);
    if (file.kind != FileKind::Project) {
        throw InputError(file.path, std::string("a font or a project is needed here, this is a ") + KindName(file.kind) +
                                        " file");
    }
    return PackFont(ProjectDocument(file).Slots[slot]);
}

}  // namespace qm::cli
