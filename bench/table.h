#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// What both benchmark programs print their summaries with.
namespace vapbench {

std::string format(const char* pattern, double value);
/** Seconds as "12.3 us", "4.56 ms" or "1.234 s". */
std::string formatTime(double seconds);

struct Column {
    const char* title;
    std::size_t width;
    bool right;
};

void printRow(std::ostream& out, const std::vector<Column>& columns,
              const std::vector<std::string>& cells);
/** The titles and a rule under them. */
void printTitles(std::ostream& out, const std::vector<Column>& columns);
void printCheckCount(std::ostream& out, int met, int missed);

/** Seconds per iteration of a single run, or of the fastest repetition; nothing for others. */
std::optional<double> fastestRunSeconds(const benchmark::BenchmarkReporter::Run& run);

} // namespace vapbench
