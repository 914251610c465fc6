// vapbench: how fast the generators and the design file handle large designs.
//
// Every throughput figure is set beside a floor measured in the same run: a plain memory copy of
// the same number of bytes. The machines are shared, so the ratio to the floor is the figure to
// compare between runs; the absolute MB/s is checked against the targets below and only reported.

#include "benchdesigns.h"
#include "summary.h"

#include "core/codegen/commenttexts.h"
#include "core/codegen/exampleclass.h"
#include "core/codegen/windowobjects.h"
#include "core/files/designfile.h"
#include "core/lang/datetext.h"
#include "core/lang/language.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using vapbench::benchDesign;
using vapbench::summary;

constexpr std::array<int, 3> sizes{1000, 10000, 100000};
constexpr int smallSize = 10000;
constexpr int largeSize = 100000;
constexpr double linearLimit = 12.0;

constexpr double windowObjectsTarget = 300.0; // MB/s
constexpr double loadTarget = 150.0;          // MB/s
constexpr double saveTarget = 300.0;          // MB/s

constexpr double minTime = 0.2;    // seconds per repetition at the smaller sizes
constexpr int largeIterations = 3; // runs per repetition at the largest size
constexpr int repetitions = 3;     // the summary takes the fastest; the machines are shared

double fastest(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

std::string nameOf(std::string_view figure, int controls) {
    return std::string(figure) + "/" + std::to_string(controls);
}

/** Runs the body, turning an exception of the core into a skipped benchmark. */
template <class Body> void guarded(benchmark::State& state, Body body) {
    try {
        body();
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

/** The sizes' usual settings: real time, a readable unit, short runs. */
benchmark::internal::Benchmark* configure(benchmark::internal::Benchmark* bench, int controls,
                                          bool fixedIterations = true) {
    bench->UseRealTime()
        ->Unit(controls >= smallSize ? benchmark::kMillisecond : benchmark::kMicrosecond)
        ->Repetitions(repetitions)
        ->DisplayAggregatesOnly(true)
        ->ComputeStatistics("min", fastest);
    if (fixedIterations && controls >= largeSize)
        bench->Iterations(largeIterations);
    else
        bench->MinTime(minTime);
    return bench;
}

void addThroughput(std::string_view label, std::string_view figure, int controls,
                   std::string_view floor, double target) {
    summary().addFigure({std::string(label), nameOf(figure, controls), controls,
                         floor.empty() ? std::string() : nameOf(floor, controls), target, true});
}

// ---- the floor ----------------------------------------------------------------------------

/** Copies `bytes` bytes from one buffer to another, both touched before timing. */
void copyFloor(benchmark::State& state, const std::string& name, std::size_t bytes) {
    std::vector<char> from(bytes, 'x');
    std::vector<char> to(bytes, '\0');
    for (auto _ : state) {
        benchmark::DoNotOptimize(from.data());
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes));
    summary().recordBytes(name, bytes);
}

// ---- the generators -----------------------------------------------------------------------

void windowObjects(benchmark::State& state, int controls) {
    const std::string name = nameOf("windowObjects", controls);
    guarded(state, [&] {
        const auto& fixture = benchDesign(controls);
        const vap::CommentTexts comments = vap::commentTextsFor(vap::Language::Portuguese);
        std::size_t bytes = 0;
        for (auto _ : state) {
            vap::LineCollector code;
            vap::GeraObjetosJanela(*fixture.design, comments, code);
            benchmark::DoNotOptimize(code.lines.data());
            bytes = vapbench::textBytes(code.lines);
        }
        if (bytes != fixture.javaBytes)
            state.SkipWithError("the text changed between runs");
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                                static_cast<std::int64_t>(fixture.javaBytes));
        state.counters["lines"] = static_cast<double>(fixture.javaLines);
        summary().recordBytes(name, fixture.javaBytes);
    });
}

void exampleClass(benchmark::State& state, int controls) {
    guarded(state, [&] {
        const auto& fixture = benchDesign(controls);
        const vap::LanguageState language = vap::languageApplied(vap::Language::Portuguese);
        vap::ExampleClassContext context;
        context.lingua = vap::Language::Portuguese;
        context.NomeProduto = language.NomeProduto;
        context.TextoVersao = language.TextoVersao;
        context.comments = vap::commentTextsFor(vap::Language::Portuguese);
        context.date = vap::dateText(2024, 5);
        const vap::ClassNameAsker asker = [](const vap::ClassNamePrompt& prompt) {
            return std::optional<std::string>(prompt.initialValue);
        };
        std::size_t lines = 0;
        for (auto _ : state) {
            vap::GeneratedCode code = vap::GeraClasseExemplo(*fixture.design, context, asker);
            benchmark::DoNotOptimize(code.lines.data());
            lines = code.lines.size();
        }
        state.counters["lines"] = static_cast<double>(lines);
    });
}

// ---- the design file ----------------------------------------------------------------------

/** Whether the design holds exactly the fixture's controls, by name and in order. */
bool sameNames(const vap::Design& design, const vapbench::BenchDesign& fixture) {
    const auto& controls = design.controls();
    if (controls.size() != fixture.names.size())
        return false;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i]->name() != fixture.names[i])
            return false;
    }
    return design.objectList().size() == fixture.names.size();
}

template <class Load>
void load(benchmark::State& state, std::string_view figure, int controls, Load loadInto) {
    const std::string name = nameOf(figure, controls);
    guarded(state, [&] {
        const auto& fixture = benchDesign(controls);
        auto design = std::make_unique<vap::Design>();
        for (auto _ : state) {
            loadInto(*design, fixture.vapPath);
            state.PauseTiming();
            if (!sameNames(*design, fixture)) {
                state.SkipWithError("the loaded names differ from the saved ones");
                break;
            }
            design = std::make_unique<vap::Design>(); // the old one is freed untimed
            state.ResumeTiming();
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                                static_cast<std::int64_t>(fixture.vapBytes));
        summary().recordBytes(name, fixture.vapBytes);
    });
}

void save(benchmark::State& state, int controls) {
    const std::string name = nameOf("GravaJanela", controls);
    guarded(state, [&] {
        const auto& fixture = benchDesign(controls);
        const std::string path =
            vapbench::scratch().file("saved" + std::to_string(controls) + ".vap");
        for (auto _ : state)
            vap::GravaJanela(*fixture.design, path);
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                                static_cast<std::int64_t>(fixture.vapBytes));
        summary().recordBytes(name, fixture.vapBytes);
    });
}

void serialize(benchmark::State& state, int controls) {
    const std::string name = nameOf("serializeDesign", controls);
    guarded(state, [&] {
        const auto& fixture = benchDesign(controls);
        std::size_t bytes = 0;
        for (auto _ : state) {
            std::string text = vap::serializeDesign(*fixture.design);
            benchmark::DoNotOptimize(text.data());
            bytes = text.size();
        }
        if (bytes != fixture.vapBytes)
            state.SkipWithError("the text in memory differs in size from the saved file");
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                                static_cast<std::int64_t>(fixture.vapBytes));
        summary().recordBytes(name, fixture.vapBytes);
    });
}

// ---- building the design ------------------------------------------------------------------

template <class Fill> void build(benchmark::State& state, int controls, Fill fill) {
    guarded(state, [&] {
        auto design = std::make_unique<vap::Design>();
        for (auto _ : state) {
            fill(*design, controls);
            state.PauseTiming();
            design = std::make_unique<vap::Design>();
            state.ResumeTiming();
        }
        state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * controls);
    });
}

void registerAll(bool withListed) {
    for (int controls : sizes) {
        const std::string javaFloor = nameOf("floor/java", controls);
        const std::string vapFloor = nameOf("floor/vap", controls);
        configure(benchmark::RegisterBenchmark(javaFloor.c_str(),
                                               [controls, javaFloor](benchmark::State& state) {
                                                   copyFloor(state, javaFloor,
                                                             benchDesign(controls).javaBytes);
                                               }),
                  controls, false);
        configure(benchmark::RegisterBenchmark(vapFloor.c_str(),
                                               [controls, vapFloor](benchmark::State& state) {
                                                   copyFloor(state, vapFloor,
                                                             benchDesign(controls).vapBytes);
                                               }),
                  controls, false);

        configure(benchmark::RegisterBenchmark(nameOf("windowObjects", controls).c_str(),
                                               windowObjects, controls),
                  controls);
        addThroughput("window objects", "windowObjects", controls, "floor/java",
                      windowObjectsTarget);

        configure(benchmark::RegisterBenchmark(nameOf("exampleClass", controls).c_str(),
                                               exampleClass, controls),
                  controls, false)
            ->Unit(benchmark::kMicrosecond);
        summary().addFigure(
            {"example class", nameOf("exampleClass", controls), controls, "", 0.0, false});

        configure(
            benchmark::RegisterBenchmark(nameOf("CarregaJanela", controls).c_str(),
                                         [controls](benchmark::State& state) {
                                             load(state, "CarregaJanela", controls,
                                                  [](vap::Design& design, const std::string& path) {
                                                      vap::CarregaJanela(design, path);
                                                  });
                                         }),
            controls);
        addThroughput("CarregaJanela", "CarregaJanela", controls, "floor/vap", loadTarget);

        configure(
            benchmark::RegisterBenchmark(nameOf("openDesign", controls).c_str(),
                                         [controls](benchmark::State& state) {
                                             load(state, "openDesign", controls,
                                                  [](vap::Design& design, const std::string& path) {
                                                      vap::openDesign(design, path);
                                                  });
                                         }),
            controls);
        addThroughput("openDesign", "openDesign", controls, "floor/vap", loadTarget);

        configure(
            benchmark::RegisterBenchmark(nameOf("GravaJanela", controls).c_str(), save, controls),
            controls);
        addThroughput("GravaJanela", "GravaJanela", controls, "floor/vap", saveTarget);

        configure(benchmark::RegisterBenchmark(nameOf("serializeDesign", controls).c_str(),
                                               serialize, controls),
                  controls);
        addThroughput("serializeDesign", "serializeDesign", controls, "floor/vap", 0.0);

        configure(benchmark::RegisterBenchmark(nameOf("buildDesign", controls).c_str(),
                                               [controls](benchmark::State& state) {
                                                   build(state, controls,
                                                         [](vap::Design& d, int n) {
                                                             vapbench::fillDesign(d, n);
                                                         });
                                               }),
                  controls);
        summary().addFigure(
            {"build design", nameOf("buildDesign", controls), controls, "", 0.0, false});
    }

    if (withListed) {
        // The palette's path renames controls that are already listed; it grows much faster
        // than linearly, so it runs only on request and only at the two smaller sizes.
        for (int controls : {1000, 10000}) {
            benchmark::RegisterBenchmark(nameOf("buildListed", controls).c_str(),
                                         [controls](benchmark::State& state) {
                                             build(state, controls, [](vap::Design& d, int n) {
                                                 vapbench::fillDesignListed(d, n);
                                             });
                                         })
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1);
            summary().addFigure(
                {"build (palette)", nameOf("buildListed", controls), controls, "", 0.0, false});
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    bool withListed = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (i > 0 && std::string_view(argv[i]) == "--with-listed")
            withListed = true;
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);

    benchmark::Initialize(&count, args.data());
    if (count > 1) {
        std::cerr << "vapbench: unknown argument " << args[1] << "\n"
                  << "Besides Google Benchmark's own flags, --with-listed also times building "
                     "designs through the palette's path (slow).\n";
        return 1;
    }

    registerAll(withListed);

    auto options = isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                         : benchmark::ConsoleReporter::OO_Tabular;
    vapbench::SummaryReporter reporter(options);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    summary().print(std::cout, linearLimit, smallSize, largeSize);
    benchmark::Shutdown();
    return 0;
}
