#include "summary_reporter.h"

#include <cstdio>
#include <ostream>
#include <string>

namespace qm::bench {

namespace {

constexpr const char* kFloor = "Floor/FillSamePixels";
constexpr double kStrokeEvents = 1000;
constexpr double kMs = 1e-3;
constexpr double kRatioShown = -1;  // compared, without a limit
// Google Benchmark names a figure so when it counts the CPU time of the
// whole process.
constexpr const char* kProcessTime = "/process_time";

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

// divisor: how many of the measured things one iteration does. Work done in
// memory is judged by CPU time, what the code costs: on a busy machine the
// wall time adds the time spent waiting for a core. Work that waits for the
// disk is judged by wall time.
void SummaryReporter::PrintLine(const std::string& label, const std::string& name, double divisor,
                                double budgetSeconds, const Against& against, Judge judge) const {
    const Figure* figure = Find(name);
    if (figure == nullptr) return;
    const double cpu = figure->cpuSeconds / divisor;
    std::string line = Padded(label, 42) + Padded(Duration(figure->realSeconds / divisor), 12) +
                       Padded(Duration(cpu), 12) + Padded(Duration(budgetSeconds), 10);
    bool met = (judge == Judge::Cpu ? cpu : figure->realSeconds / divisor) < budgetSeconds;
    const Figure* reference = against.maxRatio != 0 ? Find(against.name) : nullptr;
    if (reference != nullptr && reference->cpuSeconds > 0) {
        const double ratio = cpu / (reference->cpuSeconds / against.divisor);
        char text[48];
        if (against.maxRatio > 0) {
            std::snprintf(text, sizeof text, "%.2fx (max %.0fx)", ratio, against.maxRatio);
            met = met && ratio <= against.maxRatio;
        } else {
            std::snprintf(text, sizeof text, "%.2fx", ratio);
        }
        line += Padded(text, 24);
    } else {
        line += Padded("", 24);
    }
    GetOutputStream() << line << (met ? "ok" : "OVER BUDGET") << (judge == Judge::Wall ? " (wall)" : "") << '\n';
}

void SummaryReporter::Finalize() {
    std::ostream& out = GetOutputStream();
    const Figure* floor = Find(kFloor);
    bool medians = false;
    for (const auto& entry : figures_) medians = medians || entry.second.median;
    out << "\nSummary (" << (medians ? "medians" : "single runs") << ")\n";
    out << Padded("figure", 42) << Padded("wall", 12) << Padded("cpu", 12) << Padded("budget", 10)
        << Padded("cpu / floor or drawn", 24) << "verdict\n";
    if (floor != nullptr) {
        out << Padded("Floor, one fill per surface", 42) << Padded(Duration(floor->realSeconds), 12)
            << Duration(floor->cpuSeconds) << '\n';
    }
    const Against none{"", 0};
    PrintLine("RedrawAll, hi-res", "RedrawAll/HiRes", 1, 1 * kMs, {kFloor, 3});
    PrintLine("RedrawAll, multicolour mask", "RedrawAll/MulticolourMask", 1, 1 * kMs, {kFloor, 3});
    // A paint event drawn into the surfaces alone, and shown: the same stroke
    // through the widgets' paint events, against its drawing alone.
    for (const char* view : {"LargeSet", "ViewEditor"}) {
        for (const char* mode : {"HiRes", "MulticolourMask"}) {
            const std::string where = std::string(view) + "/" + mode;
            const std::string label = std::string(view) + ", " + mode;
            const std::string drawn = "DrawnStroke1000/" + where + kProcessTime;
            PrintLine("Drawn event, " + label, drawn, kStrokeEvents, 1.5 * kMs, {kFloor, kRatioShown});
            PrintLine("Shown event, " + label, "ShownStroke1000/" + where + kProcessTime, kStrokeEvents, 0.3 * kMs,
                      {drawn, 2, kStrokeEvents});
        }
    }
    PrintLine("Project write, in memory", "Project/WriteInMemory", 1, 5 * kMs, none);
    PrintLine("Project read, in memory", "Project/ReadInMemory", 1, 5 * kMs, none);
    PrintLine("Project save, through disk", "Project/SaveThroughDisk", 1, 5 * kMs, none, Judge::Wall);
    PrintLine("Project open, through disk", "Project/OpenThroughDisk", 1, 5 * kMs, none, Judge::Wall);
    PrintLine("PNG export x4, render+encode", "PngExportX4/RenderCopyEncode", 1, 20 * kMs, none);
    for (const char* kind : {"Paint", "Rotate", "ClearBits", "FillView", "OpenProject"}) {
        PrintLine(std::string("Undo or redo, ") + kind, std::string("UndoRedo/") + kind, 2, 1 * kMs, none);
    }
    PrintLine("Step cost at a stroke's end", "StepCost/RecordStroke", 1, 1 * kMs, none);
    PrintLine("Recovery tick writing a copy", "Recovery/WriteAfterChange", 1, 1 * kMs, none, Judge::Wall);
    const Figure* alone = Find("StrokeNoRedraw1000/HandlerAlone");
    const Figure* withSteps = Find("StrokeNoRedraw1000/WithSteps");
    if (alone != nullptr && withSteps != nullptr) {
        const double added = (withSteps->cpuSeconds - alone->cpuSeconds) / kStrokeEvents;
        out << Padded("Step cost per paint event", 42) << Padded("", 12) << Padded(Duration(added), 12)
            << Padded(Duration(20e-6), 10) << Padded("", 24) << (added < 20e-6 ? "ok" : "OVER BUDGET") << '\n';
    }
    benchmark::ConsoleReporter::Finalize();
}

}  // namespace qm::bench
