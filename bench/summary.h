#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace vapbench {

/** One figure of the summary: a benchmark, its floor and its target. */
struct Figure {
    std::string label;     // the row's first column, shared by every size of the figure
    std::string benchmark; // the name under which the benchmark was registered
    int controls = 0;
    std::string floor;       // the memory-copy benchmark of the same byte count; empty: none
    double targetMBps = 0.0; // 0: no throughput target
    bool throughput = true;  // false: reported as time per run only
};

/** What the summary knows; the benchmarks record their byte counts while they run. */
class Summary {
public:
    void addFigure(Figure figure) { figures_.push_back(std::move(figure)); }
    void recordBytes(const std::string& benchmark, std::size_t bytesPerIteration) {
        bytes_[benchmark] = static_cast<double>(bytesPerIteration);
    }
    /** Keeps the fastest repetition of each benchmark, in seconds per iteration. */
    void recordRun(const std::string& benchmark, double secondsPerIteration);

    /** The table: each figure's MB/s, its floor's, the ratio, the target and linearity. */
    void print(std::ostream& out, double linearLimit, int smallSize, int largeSize) const;

private:
    const double* seconds(const std::string& benchmark) const;
    const double* bytes(const std::string& benchmark) const;

    std::vector<Figure> figures_;
    std::map<std::string, double> bytes_;
    std::map<std::string, double> seconds_;
};

/** The summary of this run. */
Summary& summary();

/** The console reporter, also handing every finished run to the summary. */
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    using benchmark::ConsoleReporter::ConsoleReporter;
    void ReportRuns(const std::vector<Run>& runs) override;
};

} // namespace vapbench
