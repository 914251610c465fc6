#include "uisummary.h"

#include <algorithm>
#include <cstdio>

namespace vapuibench {

namespace {

std::string format(const char* pattern, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

std::string pad(const std::string& text, std::size_t width, bool right) {
    if (text.size() >= width)
        return text;
    std::string fill(width - text.size(), ' ');
    return right ? fill + text : text + fill;
}

struct Column {
    const char* title;
    std::size_t width;
    bool right;
};

void printRow(std::ostream& out, const std::vector<Column>& columns,
              const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            line += "  ";
        line += pad(i < cells.size() ? cells[i] : "", columns[i].width, columns[i].right);
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    out << line << '\n';
}

void printTitles(std::ostream& out, const std::vector<Column>& columns) {
    std::vector<std::string> titles;
    std::size_t total = 0;
    for (const Column& column : columns) {
        titles.emplace_back(column.title);
        total += column.width + 2;
    }
    printRow(out, columns, titles);
    out << std::string(total - 2, '-') << '\n';
}

} // namespace

std::string formatTime(double seconds) {
    if (seconds < 1e-3)
        return format("%.1f us", seconds * 1e6);
    if (seconds < 1.0)
        return format("%.2f ms", seconds * 1e3);
    return format("%.3f s", seconds);
}

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

    out << '\n'
        << met << " checks met, " << missed << " missed."
        << (missed ? " (Reported only; the exit status stays 0.)" : "") << '\n';
}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    benchmark::ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // Single runs, or the fastest of the repetitions when only aggregates are shown.
        bool single = run.run_type == Run::RT_Iteration;
        bool fastest = run.run_type == Run::RT_Aggregate && run.aggregate_name == "min";
        if (!(single || fastest) || run.error_occurred || run.iterations <= 0)
            continue;
        double seconds =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        summary().recordRun(run.run_name.function_name, seconds);
    }
}

} // namespace vapuibench
