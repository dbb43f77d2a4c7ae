// analyze and optimize: which characters the sets and the screen use, which
// repeat an earlier one, and a project with the duplicates merged and the
// used characters moved to the front.

#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/output.h"
#include "core/char_analysis.h"
#include "core/font_format.h"

namespace qm::cli {

namespace {

std::string CharText(int code) {
    char text[24];
    std::snprintf(text, sizeof text, "$%X (%d)", static_cast<unsigned>(code), code);
    return text;
}

std::string Count(int count, const std::string& thing) {
    return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

std::string JoinChars(const std::vector<int>& codes, const char* between) {
    std::string text;
    for (std::size_t i = 0; i < codes.size(); ++i) text += (i ? between : "") + CharText(codes[i]);
    return text;
}

std::string JsonNumbers(const std::vector<int>& codes) {
    std::string json = "[";
    for (std::size_t i = 0; i < codes.size(); ++i) json += (i ? ", " : "") + std::to_string(codes[i]);
    return json + "]";
}

// A font alone has no sets and no screen: none of its characters is used.
Document InputDocument(const InputFile& input, const Options& options, int& slot) {
    slot = SlotOption(input, options);
    if (input.kind == FileKind::Project) return ProjectDocument(input);
    Document doc;
    ResetDocument(doc);
    UnpackFont(InputFont(input, options), doc.Slots[slot]);
    return doc;
}

std::string AnalysisText(const CharAnalysis& a, int slot, bool project) {
    std::string text = project ? "Slot " + std::to_string(slot) + "\n" : "";
    const std::vector<int> unused = a.Unused();
    text += "Unused characters: " + std::to_string(unused.size()) + "\n";
    if (!unused.empty()) text += "  " + JoinChars(unused, ", ") + "\n";
    const auto groups = a.DuplicateGroups();
    text += "Groups of duplicates: " + std::to_string(groups.size()) + "\n";
    for (const auto& group : groups) text += "  " + JoinChars(group, " = ") + "\n";
    text += "Used characters: " + std::to_string(kCharCount - unused.size()) + "\n";
    for (int c = 0; c < kCharCount; ++c) {
        if (!a.Used(c)) continue;
        text += "  " + CharText(c) + ": " + Count(a.setCells[c], "set cell") + ", " +
                Count(a.screenCells[c], "screen cell") +
                (a.mapCells[c] ? ", " + Count(a.mapCells[c], "map cell") : std::string()) + "\n";
    }
    return text;
}

// map_cells only for a project with a map, so other files read as before.
std::string AnalysisJson(const CharAnalysis& a, int slot, bool hasMap) {
    std::string json = "{\"slot\": " + std::to_string(slot) + ", \"unused\": " + JsonNumbers(a.Unused()) +
                       ", \"duplicates\": [";
    const auto groups = a.DuplicateGroups();
    for (std::size_t i = 0; i < groups.size(); ++i) json += (i ? ", " : "") + JsonNumbers(groups[i]);
    json += "], \"used\": [";
    bool first = true;
    for (int c = 0; c < kCharCount; ++c) {
        if (!a.Used(c)) continue;
        json += std::string(first ? "" : ", ") + "{\"char\": " + std::to_string(c) +
                ", \"set_cells\": " + std::to_string(a.setCells[c]) +
                ", \"screen_cells\": " + std::to_string(a.screenCells[c]) +
                (hasMap ? ", \"map_cells\": " + std::to_string(a.mapCells[c]) : std::string()) + "}";
        first = false;
    }
    return json + "]}\n";
}

void RunAnalyze(const Options& options) {
    const InputFile input = ReadInput(options.Input());
    const std::string output = options.Value("-o", "-");
    CheckOutput(output, FileKind::Other, {{input.path, input.kind}});
    int slot = 1;
    const Document doc = InputDocument(input, options, slot);
    const CharAnalysis a = AnalyzeChars(doc, slot);
    WriteText(output, options.Has("--json") ? AnalysisJson(a, slot, doc.Map.InUse())
                                            : AnalysisText(a, slot, input.kind == FileKind::Project));
}

void RunOptimize(const Options& options) {
    const std::string& output = options.Output();
    const InputFile input = ReadInput(options.Input());
    if (input.kind != FileKind::Project) {
        throw InputError(input.path, std::string("a project is needed here, this is a ") + KindName(input.kind) + " file");
    }
    CheckOutput(output, FileKind::Project, {{input.path, input.kind}});
    const int slot = SlotOption(input, options);
    Document doc = ProjectDocument(input);
    std::string report;
    if (!options.Has("--keep-duplicates")) {
        const MergeResult merge = MergeDuplicates(doc, slot);
        report += "Merged " + std::to_string(merge.merged.size()) + " duplicates of slot " + std::to_string(slot) +
                  " (the other slots keep their bytes; those cells show their first copy there):\n";
        for (const auto& [from, into] : merge.merged) report += "  " + CharText(from) + " -> " + CharText(into) + "\n";
    }
    const CharMoves moves = CompactMoves(AnalyzeChars(doc, slot));
    int moved = 0;
    std::string lines;
    for (int c = 0; c < kCharCount; ++c) {
        if (moves[c] == c) continue;
        ++moved;
        lines += "  " + CharText(c) + " -> " + CharText(moves[c]) + "\n";
    }
    MoveChars(doc, moves);
    report += "Moved " + std::to_string(moved) + " characters, in every slot alike:\n" + lines;
    // The report goes to the terminal, out of the way of a project written
    // to standard output; it comes first, so that a report that cannot be
    // written stops the run before the project is.
    if (output == "-") std::fputs(report.c_str(), stderr);
    else WriteText("-", report);
    WriteOutput(output, WriteProject(ProjectOf(doc)));
}

}  // namespace

const Command& AnalyzeCommand() {
    static const Command command = {
        "analyze",
        "unused and duplicate characters, and where each is used",
        "Usage: quillmere-cli analyze IN [--slot N] [--json] [-o OUT]\n"
        "Lists the characters that no set cell, screen cell or map tile uses, the groups of\n"
        "characters whose eight bytes are equal in slot N (1 to 10, default 1), and for\n"
        "each used character how many set, screen and map cells hold it (map cells: the\n"
        "characters of the map laid out from its tiles); a cell holding an inverse code\n"
        "(128 to 255) counts for character code - 128. A font alone has no sets, screen\n"
        "or map, so none of its characters counts as used.\n\n"
        "  --json   one JSON object instead of text\n",
        {{"--slot"}, {"--json"}},
        RunAnalyze,
    };
    return command;
}

const Command& OptimizeCommand() {
    static const Command command = {
        "optimize",
        "merge duplicate characters and move the used ones to the front",
        "Usage: quillmere-cli optimize IN.proj [--slot N] [--keep-duplicates] -o OUT.proj\n"
        "Every set and screen cell that holds a duplicate of slot N (1 to 10, default 1)\n"
        "then holds its first copy and the duplicates become blank in that slot; the other\n"
        "slots keep their bytes, but those cells show the first copy there too. Then the\n"
        "used characters move to the front in their order and the unused behind them: this\n"
        "move is made in every slot alike, and every set and screen cell follows its\n"
        "character, an inverse cell keeping its bit 7. Prints what was merged and moved.\n\n"
        "  --keep-duplicates   compact only\n",
        {{"--slot"}, {"--keep-duplicates"}},
        RunOptimize,
    };
    return command;
}

}  // namespace qm::cli
