#include "summary.h"

#include "table.h"

#include <algorithm>
#include <cstdio>

namespace vapbench {

namespace {

constexpr double bytesPerMB = 1e6;

} // namespace

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

const double* Summary::bytes(const std::string& benchmark) const {
    auto found = bytes_.find(benchmark);
    return found == bytes_.end() ? nullptr : &found->second;
}

void Summary::print(std::ostream& out, double linearLimit, int smallSize, int largeSize) const {
    const std::vector<Column> columns{
        {"figure", 17, false},    {"controls", 9, true}, {"per run", 11, true}, {"MB/s", 9, true},
        {"floor MB/s", 11, true}, {"x floor", 8, true},  {"target", 8, true},   {"met", 5, true},
        {"cost ratio", 11, true}, {"linear", 7, true}};

    out << "\nSummary (MB = 10^6 bytes; floor = memcpy of the same byte count in this run;\n"
        << "cost ratio = time per run at " << largeSize << " controls / at " << smallSize
        << ", linear when at most " << format("%.0f", linearLimit) << ")\n\n";
    printTitles(out, columns);

    // Rows grouped by figure, in the order in which the figures were first added.
    std::vector<const Figure*> ordered;
    for (const Figure& figure : figures_) {
        bool seen = std::any_of(ordered.begin(), ordered.end(),
                                [&](const Figure* other) { return other->label == figure.label; });
        if (seen)
            continue;
        for (const Figure& same : figures_) {
            if (same.label == figure.label)
                ordered.push_back(&same);
        }
    }

    int missed = 0;
    int met = 0;
    std::string previousLabel;
    for (const Figure* row : ordered) {
        const Figure& figure = *row;
        const double* time = seconds(figure.benchmark);
        if (!time)
            continue; // filtered out or failed
        if (!previousLabel.empty() && previousLabel != figure.label)
            out << '\n';
        previousLabel = figure.label;

        std::vector<std::string> cells{figure.label, std::to_string(figure.controls),
                                       formatTime(*time)};
        const double* size = bytes(figure.benchmark);
        if (figure.throughput && size && *time > 0.0) {
            double mbps = *size / *time / bytesPerMB;
            cells.push_back(format("%.1f", mbps));
            const double* floorTime = figure.floor.empty() ? nullptr : seconds(figure.floor);
            const double* floorSize = figure.floor.empty() ? nullptr : bytes(figure.floor);
            if (floorTime && floorSize && *floorTime > 0.0) {
                double floorMbps = *floorSize / *floorTime / bytesPerMB;
                cells.push_back(format("%.0f", floorMbps));
                cells.push_back(format("%.4f", mbps / floorMbps));
            } else {
                cells.push_back("-");
                cells.push_back("-");
            }
            if (figure.targetMBps > 0.0) {
                bool ok = mbps >= figure.targetMBps;
                cells.push_back(format(">=%.0f", figure.targetMBps));
                cells.push_back(ok ? "PASS" : "FAIL");
                ++(ok ? met : missed);
            } else {
                cells.push_back("-");
                cells.push_back("-");
            }
        } else {
            for (int i = 0; i < 5; ++i)
                cells.push_back("-");
        }

        if (figure.controls == largeSize) {
            // The same figure at the smaller size.
            auto small = std::find_if(figures_.begin(), figures_.end(), [&](const Figure& other) {
                return other.label == figure.label && other.controls == smallSize;
            });
            const double* smallTime = small == figures_.end() ? nullptr : seconds(small->benchmark);
            if (smallTime && *smallTime > 0.0) {
                double ratio = *time / *smallTime;
                bool ok = ratio <= linearLimit;
                cells.push_back(format("%.2f", ratio));
                cells.push_back(ok ? "PASS" : "FAIL");
                ++(ok ? met : missed);
            }
        }
        printRow(out, columns, cells);
    }
    printCheckCount(out, met, missed);
}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    benchmark::ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (std::optional<double> seconds = fastestRunSeconds(run))
            summary().recordRun(run.run_name.function_name, *seconds);
    }
}

} // namespace vapbench
