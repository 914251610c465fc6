#include "arrange.h"

#include "control.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace vap {

namespace {

constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();

std::int32_t inRange(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp(value, lowest, highest));
}

/** Division rounding towards minus infinity, for centres of negative places. */
std::int64_t floorHalf(std::int64_t value) {
    return value >= 0 ? value / 2 : -((-value + 1) / 2);
}

/** One axis of a control's bounds, so that each arrangement is written once for both. */
struct Axis {
    std::int32_t Bounds::*start;
    std::int32_t Bounds::*size;
};
constexpr Axis horizontal{&Bounds::left, &Bounds::width};
constexpr Axis vertical{&Bounds::top, &Bounds::height};

std::int64_t startOf(const Bounds& b, Axis axis) {
    return b.*axis.start;
}
std::int64_t endOf(const Bounds& b, Axis axis) {
    return std::int64_t{b.*axis.start} + b.*axis.size;
}

void distribute(std::vector<Bounds>& result, Axis axis) {
    std::size_t count = result.size();
    if (count < 3)
        return;
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return result[a].*axis.start < result[b].*axis.start;
    });
    const Bounds& first = result[order.front()];
    const Bounds& last = result[order.back()];
    std::int64_t inner = 0; // the sizes between the two that stay
    for (std::size_t i = 1; i + 1 < count; ++i)
        inner += result[order[i]].*axis.size;
    std::int64_t room = startOf(last, axis) - endOf(first, axis) - inner;
    auto gaps = static_cast<std::int64_t>(count - 1);
    std::int64_t gap = room >= 0 ? room / gaps : -((-room + gaps - 1) / gaps);
    std::int64_t wider = room - gap * gaps; // this many gaps take one pixel more
    std::int64_t at = endOf(first, axis);
    for (std::size_t i = 1; i + 1 < count; ++i) {
        at += gap + (static_cast<std::int64_t>(i) <= wider ? 1 : 0);
        Bounds& moved = result[order[i]];
        moved.*axis.start = inRange(at);
        at += moved.*axis.size;
    }
}

} // namespace

Bounds boundsOf(const Control& control) {
    return {control.left(), control.top(), control.width(), control.height()};
}

std::vector<Bounds> arranged(Arrangement arrangement, std::span<const Bounds> bounds) {
    std::vector<Bounds> result(bounds.begin(), bounds.end());
    if (result.size() < 2)
        return result;
    const Bounds first = result.front();
    auto each = [&](auto&& change) {
        for (std::size_t i = 1; i < result.size(); ++i)
            change(result[i]);
    };
    auto alignStart = [&](Axis axis) {
        each([&](Bounds& b) { b.*axis.start = first.*axis.start; });
    };
    auto alignEnd = [&](Axis axis) {
        each([&](Bounds& b) { b.*axis.start = inRange(endOf(first, axis) - b.*axis.size); });
    };
    auto alignCentre = [&](Axis axis) {
        std::int64_t twiceCentre = 2 * startOf(first, axis) + first.*axis.size;
        each([&](Bounds& b) { b.*axis.start = inRange(floorHalf(twiceCentre - b.*axis.size)); });
    };
    auto sameSize = [&](Axis axis) { each([&](Bounds& b) { b.*axis.size = first.*axis.size; }); };
    switch (arrangement) {
    case Arrangement::AlignLeft:
        alignStart(horizontal);
        break;
    case Arrangement::AlignRight:
        alignEnd(horizontal);
        break;
    case Arrangement::AlignTop:
        alignStart(vertical);
        break;
    case Arrangement::AlignBottom:
        alignEnd(vertical);
        break;
    case Arrangement::AlignHorizontalCentres:
        alignCentre(horizontal);
        break;
    case Arrangement::AlignVerticalCentres:
        alignCentre(vertical);
        break;
    case Arrangement::SameWidth:
        sameSize(horizontal);
        break;
    case Arrangement::SameHeight:
        sameSize(vertical);
        break;
    case Arrangement::DistributeHorizontally:
        distribute(result, horizontal);
        break;
    case Arrangement::DistributeVertically:
        distribute(result, vertical);
        break;
    }
    return result;
}

Offset allowedOffset(std::span<const Bounds> bounds, std::int64_t dx, std::int64_t dy) {
    auto limit = [&](std::int64_t wanted, std::int32_t Bounds::*start) {
        // Each control allows the offsets from its own place to the ends; 0 suits all.
        std::int64_t low = std::numeric_limits<std::int64_t>::min();
        std::int64_t high = std::numeric_limits<std::int64_t>::max();
        for (const Bounds& b : bounds) {
            low = std::max(low, lowest - b.*start);
            high = std::min(high, highest - b.*start);
        }
        return std::clamp(wanted, low, high);
    };
    return {limit(dx, &Bounds::left), limit(dy, &Bounds::top)};
}

std::vector<Bounds> nudged(std::span<const Bounds> bounds, std::int64_t dx, std::int64_t dy) {
    Offset offset = allowedOffset(bounds, dx, dy);
    std::vector<Bounds> result(bounds.begin(), bounds.end());
    for (Bounds& b : result) {
        b.left = static_cast<std::int32_t>(b.left + offset.dx);
        b.top = static_cast<std::int32_t>(b.top + offset.dy);
    }
    return result;
}

namespace {
std::int32_t resizedSide(std::int32_t side, std::int64_t change) {
    std::int64_t wanted =
        std::clamp(std::int64_t{side} + change, std::int64_t{smallestResizedSide}, highest);
    // A side already below the smallest moves only where the change takes it.
    if (side < smallestResizedSide)
        return change > 0 ? inRange(std::int64_t{side} + change) : side;
    return static_cast<std::int32_t>(wanted);
}
} // namespace

std::vector<Bounds> resizedBy(std::span<const Bounds> bounds, std::int64_t dw, std::int64_t dh) {
    std::vector<Bounds> result(bounds.begin(), bounds.end());
    for (Bounds& b : result) {
        b.width = resizedSide(b.width, dw);
        b.height = resizedSide(b.height, dh);
    }
    return result;
}

Bounds resizedByHandle(const Bounds& bounds, unsigned edges, std::int64_t dx, std::int64_t dy) {
    Bounds result = bounds;
    auto resize = [&](Axis axis, bool startMoves, bool endMoves, std::int64_t change) {
        if (endMoves) {
            result.*axis.size = resizedSide(bounds.*axis.size, change);
        } else if (startMoves) {
            // The far edge stays: the start moves by what the size gives up.
            std::int64_t end = endOf(bounds, axis);
            std::int64_t start = std::clamp(startOf(bounds, axis) + change, lowest, highest);
            std::int32_t size = resizedSide(bounds.*axis.size, startOf(bounds, axis) - start);
            start = std::clamp(end - size, lowest, highest);
            result.*axis.start = static_cast<std::int32_t>(start);
            result.*axis.size = inRange(end - start);
        }
    };
    resize(horizontal, edges & LeftEdge, edges & RightEdge, dx);
    resize(vertical, edges & TopEdge, edges & BottomEdge, dy);
    return result;
}

} // namespace vap
