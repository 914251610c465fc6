#include "table.h"

#include <cstdio>

namespace vapbench {

std::string format(const char* pattern, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

std::string formatTime(double seconds) {
    if (seconds < 1e-3)
        return format("%.1f us", seconds * 1e6);
    if (seconds < 1.0)
        return format("%.2f ms", seconds * 1e3);
    return format("%.3f s", seconds);
}

namespace {
std::string pad(const std::string& text, std::size_t width, bool right) {
    if (text.size() >= width)
        return text;
    std::string fill(width - text.size(), ' ');
    return right ? fill + text : text + fill;
}
} // namespace

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

void printCheckCount(std::ostream& out, int met, int missed) {
    out << '\n'
        << met << " checks met, " << missed << " missed."
        << (missed ? " (Reported only; the exit status stays 0.)" : "") << '\n';
}

std::optional<double> fastestRunSeconds(const benchmark::BenchmarkReporter::Run& run) {
    using Run = benchmark::BenchmarkReporter::Run;
    bool single = run.run_type == Run::RT_Iteration;
    bool fastest = run.run_type == Run::RT_Aggregate && run.aggregate_name == "min";
    if (!(single || fastest) || run.error_occurred || run.iterations <= 0)
        return std::nullopt;
    return run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
}

} // namespace vapbench
