#include "summary_reporter.h"

#include <cstdio>
#include <ostream>
#include <string>

namespace qm::bench {

namespace {

constexpr const char* kFloor = "Floor/FillSamePixels";
constexpr double kStrokeEvents = 1000;
constexpr double kMs = 1e-3;
constexpr double kNoRatio = 0;
constexpr double kRatioShown = -1;  // compared with the floor, without a limit

std::string Duration(double seconds) {
    char text[32];
    if (seconds < 1e-3) {
        std::snprintf(text, sizeof text, "%.1f us", seconds * 1e6);
    } else {
        std::snprintf(text, sizeof text, "%.3f ms", seconds * 1e3);
    }
    return text;
}

std::string Padded(const std::string& text, std::size_t width) {
    return text + std::string(text.size() < width ? width - text.size() : 1, ' ');
}

}  // namespace

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) Record(run);
    benchmark::ConsoleReporter::ReportRuns(runs);
}

// With repetitions the median stands for the benchmark; without, its only run.
void SummaryReporter::Record(const Run& run) {
    if (run.error_occurred) return;
    const bool median = run.run_type == Run::RT_Aggregate;
    if (median && run.aggregate_name != "median") return;
    Figure& figure = figures_[run.run_name.str()];
    if (figure.median && !median) return;
    const double multiplier = benchmark::GetTimeUnitMultiplier(run.time_unit);
    figure.realSeconds = run.GetAdjustedRealTime() / multiplier;
    figure.cpuSeconds = run.GetAdjustedCPUTime() / multiplier;
    figure.median = median;
}

const SummaryReporter::Figure* SummaryReporter::Find(const std::string& name) const {
    const auto it = figures_.find(name);
    return it == figures_.end() ? nullptr : &it->second;
}

// divisor: how many of the measured things one iteration does. maxFloorRatio:
// the most the figure may be of the floor, kRatioShown or kNoRatio. Work done in memory is judged by CPU time, what
// the code costs: on a busy machine the wall time adds the time spent waiting
// for a core. Work that waits for the disk is judged by wall time.
void SummaryReporter::PrintLine(const std::string& label, const std::string& name, double divisor,
                                double budgetSeconds, double maxFloorRatio, Judge judge) const {
    const Figure* figure = Find(name);
    if (figure == nullptr) return;
    const double cpu = figure->cpuSeconds / divisor;
    std::string line = Padded(label, 32) + Padded(Duration(figure->realSeconds / divisor), 12) +
                       Padded(Duration(cpu), 12) + Padded(Duration(budgetSeconds), 10);
    bool met = (judge == Judge::Cpu ? cpu : figure->realSeconds / divisor) < budgetSeconds;
    const Figure* floor = Find(kFloor);
    if (maxFloorRatio != kNoRatio && floor != nullptr && floor->cpuSeconds > 0) {
        char ratio[48];
        if (maxFloorRatio > 0) {
            std::snprintf(ratio, sizeof ratio, "%.2fx (max %.0fx)", cpu / floor->cpuSeconds, maxFloorRatio);
            met = met && cpu / floor->cpuSeconds <= maxFloorRatio;
        } else {
            std::snprintf(ratio, sizeof ratio, "%.2fx", cpu / floor->cpuSeconds);
        }
        line += Padded(ratio, 18);
    } else {
        line += Padded("", 18);
    }
    GetOutputStream() << line << (met ? "ok" : "OVER BUDGET") << (judge == Judge::Wall ? " (wall)" : "") << '\n';
}

void SummaryReporter::Finalize() {
    std::ostream& out = GetOutputStream();
    const Figure* floor = Find(kFloor);
    bool medians = false;
    for (const auto& entry : figures_) medians = medians || entry.second.median;
    out << "\nSummary (" << (medians ? "medians" : "single runs") << ")\n";
    out << Padded("figure", 32) << Padded("wall", 12) << Padded("cpu", 12) << Padded("budget", 10)
        << Padded("cpu / floor", 18) << "verdict\n";
    if (floor != nullptr) {
        out << Padded("Floor, one fill per surface", 32) << Padded(Duration(floor->realSeconds), 12)
            << Duration(floor->cpuSeconds) << '\n';
    }
    PrintLine("RedrawAll, hi-res", "RedrawAll/HiRes", 1, 1 * kMs, 3);
    PrintLine("RedrawAll, multicolour mask", "RedrawAll/MulticolourMask", 1, 1 * kMs, 3);
    PrintLine("Paint event, hi-res", "PaintStroke1000/HiRes", kStrokeEvents, 1.5 * kMs, kRatioShown);
    PrintLine("Paint event, multicolour mask", "PaintStroke1000/MulticolourMask", kStrokeEvents, 1.5 * kMs,
              kRatioShown);
    PrintLine("Project write, in memory", "Project/WriteInMemory", 1, 5 * kMs, kNoRatio);
    PrintLine("Project read, in memory", "Project/ReadInMemory", 1, 5 * kMs, kNoRatio);
    PrintLine("Project save, through disk", "Project/SaveThroughDisk", 1, 5 * kMs, kNoRatio, Judge::Wall);
    PrintLine("Project open, through disk", "Project/OpenThroughDisk", 1, 5 * kMs, kNoRatio, Judge::Wall);
    PrintLine("PNG export x4, render+encode", "PngExportX4/RenderCopyEncode", 1, 20 * kMs, kNoRatio);
    for (const char* kind : {"Paint", "Rotate", "ClearBits", "FillView", "OpenProject"}) {
        PrintLine(std::string("Undo or redo, ") + kind, std::string("UndoRedo/") + kind, 2, 1 * kMs, kNoRatio);
    }
    PrintLine("Step cost at a stroke's end", "StepCost/RecordStroke", 1, 1 * kMs, kNoRatio);
    PrintLine("Recovery tick writing a copy", "Recovery/WriteAfterChange", 1, 1 * kMs, kNoRatio, Judge::Wall);
    const Figure* alone = Find("StrokeNoRedraw1000/HandlerAlone");
    const Figure* withSteps = Find("StrokeNoRedraw1000/WithSteps");
    if (alone != nullptr && withSteps != nullptr) {
        const double added = (withSteps->cpuSeconds - alone->cpuSeconds) / kStrokeEvents;
        out << Padded("Step cost per paint event", 32) << Padded("", 12) << Padded(Duration(added), 12)
            << Padded(Duration(20e-6), 10) << Padded("", 18) << (added < 20e-6 ? "ok" : "OVER BUDGET") << '\n';
    }
    benchmark::ConsoleReporter::Finalize();
}

}  // namespace qm::bench
