#include "uisummary.h"

#include "table.h"

#include <algorithm>
#include <cstdio>

namespace vapuibench {

using vapbench::Column;
using vapbench::format;
using vapbench::printRow;
using vapbench::printTitles;

Summary& summary() {
    static Summary instance;
    return instance;
}

void Summary::recordRun(const std::string& benchmark, double secondsPerIteration) {
    auto [place, added] = seconds_.emplace(benchmark, secondsPerIteration);
    if (!added)
        place->second = std::min(place->second, secondsPerIteration);
}

const double* Summary::seconds(const std::string& benchmark) const {
    auto found = seconds_.find(benchmark);
    return found == seconds_.end() ? nullptr : &found->second;
}

void Summary::print(std::ostream& out) const {
    int met = 0;
    int missed = 0;

    out << "\nSummary (per run: the fastest repetition; x floor: per run divided by the floor's\n"
        << "per run in this run; the targets are absolute and only reported)\n\n";
    const std::vector<Column> timedColumns{{"figure", 38, false}, {"per run", 10, true},
                                           {"floor", 10, true},   {"x floor", 8, true},
                                           {"target", 9, true},   {"met", 5, true}};
    printTitles(out, timedColumns);
    std::vector<std::string> notes;
    for (const TimedRow& row : timed_) {
        const double* time = seconds(row.benchmark);
        if (!time)
            continue; // filtered out or failed
        std::vector<std::string> cells{row.label, formatTime(*time)};
        const double* floor = row.floor.empty() ? nullptr : seconds(row.floor);
        if (floor && *floor > 0.0) {
            cells.push_back(formatTime(*floor));
            cells.push_back(format("%.2f", *time / *floor));
        } else {
            cells.push_back("-");
            cells.push_back("-");
        }
        if (row.targetSeconds > 0.0) {
            bool ok = *time < row.targetSeconds;
            cells.push_back("< " + formatTime(row.targetSeconds));
            cells.push_back(ok ? "PASS" : "FAIL");
            ++(ok ? met : missed);
        } else {
            cells.push_back("-");
            cells.push_back("-");
        }
        printRow(out, timedColumns, cells);
        auto detail = details_.find(row.benchmark);
        if (detail != details_.end())
            notes.push_back(row.label + ": " + detail->second);
    }
    if (!notes.empty()) {
        out << '\n';
        for (const std::string& note : notes)
            out << "  " << note << '\n';
    }

    if (!counts_.empty()) {
        out << '\n';
        const std::vector<Column> countColumns{
            {"count", 38, false}, {"value", 28, true}, {"expected", 9, true}, {"met", 5, true}};
        printTitles(out, countColumns);
        for (const CountRow& row : counts_) {
            printRow(out, countColumns,
                     {row.label, row.value, row.expected, row.met ? "PASS" : "FAIL"});
            ++(row.met ? met : missed);
        }
    }

    vapbench::printCheckCount(out, met, missed);
}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    benchmark::ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (std::optional<double> seconds = vapbench::fastestRunSeconds(run))
            summary().recordRun(run.run_name.function_name, *seconds);
    }
}

} // namespace vapuibench
