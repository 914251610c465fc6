#pragma once

#include <benchmark/benchmark.h>

#include "table.h"

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace vapuibench {

/** One timed row of the summary: a benchmark, the floor it is set beside, its target. */
struct TimedRow {
    std::string label;
    std::string benchmark;      // the name under which it was registered
    std::string floor;          // the floor benchmark; empty: none
    double targetSeconds = 0.0; // met when the time per run is under it; 0: no target
};

/** One counted row: a count the run made, and the count it should be. */
struct CountRow {
    std::string label;
    std::string value;
    std::string expected;
    bool met = false;
};

/** What the summary knows: the rows in order and the fastest repetition of each benchmark. */
class Summary {
public:
    void addTimed(TimedRow row) { timed_.push_back(std::move(row)); }
    void addCount(CountRow row) { counts_.push_back(std::move(row)); }
    /** A line printed under the table for a benchmark, replaced by later calls. */
    void setDetail(const std::string& benchmark, std::string text) {
        details_[benchmark] = std::move(text);
    }
    /** Keeps the fastest repetition, in seconds per iteration. */
    void recordRun(const std::string& benchmark, double secondsPerIteration);
    const double* seconds(const std::string& benchmark) const;

    void print(std::ostream& out) const;

private:
    std::vector<TimedRow> timed_;
    std::vector<CountRow> counts_;
    std::map<std::string, double> seconds_;
    std::map<std::string, std::string> details_;
};

Summary& summary();

/** The console reporter, also handing every finished run to the summary. */
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    using benchmark::ConsoleReporter::ConsoleReporter;
    void ReportRuns(const std::vector<Run>& runs) override;
};

/** "12.3 us", "4.56 ms", "1.234 s". */
using vapbench::formatTime;

} // namespace vapuibench
