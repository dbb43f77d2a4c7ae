#pragma once

// The console report, followed by a summary of the figures that have a budget:
// each against its budget, and each redraw as a multiple of the floor measured
// in the same run.

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace qm::bench {

class SummaryReporter : public benchmark::ConsoleReporter {
public:
    using benchmark::ConsoleReporter::ConsoleReporter;
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Figure {
        double realSeconds = 0;
        double cpuSeconds = 0;
        bool median = false;
    };
    void Record(const Run& run);
    const Figure* Find(const std::string& name) const;
    enum class Judge { Cpu, Wall };
    // The figure's CPU time may be compared with another figure's.
    struct Against {
        std::string name;
        double maxRatio;     // 0: no comparison; negative: shown without a limit
        double divisor = 1;  // of the other figure
    };
    void PrintLine(const std::string& label, const std::string& name, double divisor, double budgetSeconds,
                   const Against& against, Judge judge = Judge::Cpu) const;

    std::map<std::string, Figure> figures_;
};

}  // namespace qm::bench
