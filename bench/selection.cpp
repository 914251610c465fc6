// What gestures on a selection cost in a design of 200,000 controls: guides at the start of a
// drag and at each mouse move, a nudge of every control, deleting all and putting them back.

#include "benchdesigns.h"

#include "core/model/guides.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int bigDesign = 200000;

const vap::Design& design() {
    static vap::Design filled;
    if (filled.controls().empty())
        vapbench::fillDesign(filled, bigDesign);
    return filled;
}

std::vector<const vap::Control*> firstControls(const vap::Design& d, std::size_t count) {
    std::vector<const vap::Control*> controls;
    for (std::size_t i = 0; i < count && i < d.controls().size(); ++i)
        controls.push_back(d.controls()[i].get());
    return controls;
}

void guidesAtGestureStart(benchmark::State& state) {
    auto moving = firstControls(design(), 100);
    for (auto _ : state) {
        vap::GuideFinder finder(vap::boundsExcept(design(), moving), {0, 0, 1920, 1080});
        benchmark::DoNotOptimize(finder);
    }
}
BENCHMARK(guidesAtGestureStart)->Unit(benchmark::kMillisecond);

void guidesPerMouseMove(benchmark::State& state) {
    auto moving = firstControls(design(), static_cast<std::size_t>(state.range(0)));
    vap::GuideFinder finder(vap::boundsExcept(design(), moving), {0, 0, 1920, 1080});
    std::vector<vap::Bounds> moved;
    for (const vap::Control* control : moving)
        moved.push_back(vap::boundsOf(*control));
    std::int64_t step = 0;
    for (auto _ : state) {
        ++step;
        auto at = vap::nudged(moved, step % 50, step % 30);
        vap::Offset snap = finder.snapOffset(at, 4);
        benchmark::DoNotOptimize(finder.lines(vap::nudged(at, snap.dx, snap.dy)));
    }
}
BENCHMARK(guidesPerMouseMove)->Arg(1)->Arg(100)->Unit(benchmark::kMicrosecond);

void nudgeAll(benchmark::State& state) {
    vap::Design d;
    vapbench::fillDesign(d, bigDesign);
    std::vector<std::pair<const vap::Control*, vap::Bounds>> bounds;
    for (const auto& control : d.controls())
        bounds.emplace_back(control.get(), vap::boundsOf(*control));
    for (auto _ : state) {
        for (auto& entry : bounds)
            ++entry.second.left;
        d.setBounds(bounds);
    }
}
BENCHMARK(nudgeAll)->Unit(benchmark::kMillisecond)->Iterations(3);

void deleteAllAndPutBack(benchmark::State& state) {
    vap::Design d;
    vapbench::fillDesign(d, bigDesign);
    for (auto _ : state) {
        std::vector<std::pair<std::size_t, vap::ControlData>> kept;
        for (const auto& control : d.controls())
            kept.emplace_back(kept.size(), control->data());
        d.deleteControls(firstControls(d, d.controls().size()));
        d.insertControls(kept);
    }
}
BENCHMARK(deleteAllAndPutBack)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
