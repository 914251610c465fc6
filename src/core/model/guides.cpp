#include "guides.h"

#include "design.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>

namespace vap {

namespace {

constexpr std::size_t edgeList = 0;

/** A feature of one control along one axis, at twice its place. */
struct Feature {
    unsigned flag;
    std::size_t list;
    std::int64_t at2;
};

/** The span of a control across the axis: where a guide through it starts and ends. */
struct Extent {
    std::int64_t from;
    std::int64_t to;
};

Extent extentOf(std::int32_t start, std::int32_t size) {
    std::int64_t end = std::int64_t{start} + size;
    return {std::min<std::int64_t>(start, end), std::max<std::int64_t>(start, end)};
}

/** The three features of a control along an axis, each in the list it is looked up in. */
std::array<Feature, 3> featuresOf(std::int32_t start, std::int32_t size, unsigned startFlag,
                                  unsigned endFlag, unsigned centreFlag) {
    std::int64_t centre2 = 2 * std::int64_t{start} + size;
    return {{{startFlag, edgeList, 2 * std::int64_t{start}},
             {endFlag, edgeList, 2 * (std::int64_t{start} + size)},
             {centreFlag, 1 + static_cast<std::size_t>(centre2 & 1), centre2}}};
}

std::array<Feature, 3> xFeatures(const Bounds& b) {
    return featuresOf(b.left, b.width, GuideLeft, GuideRight, GuideHorizontalCentre);
}
std::array<Feature, 3> yFeatures(const Bounds& b) {
    return featuresOf(b.top, b.height, GuideTop, GuideBottom, GuideVerticalCentre);
}

template <class Stop> void sortAndMerge(std::vector<Stop>& stops) {
    std::sort(stops.begin(), stops.end(),
              [](const Stop& a, const Stop& b) { return a.at2 < b.at2; });
    std::size_t kept = 0;
    for (const Stop& stop : stops) {
        if (kept > 0 && stops[kept - 1].at2 == stop.at2) {
            stops[kept - 1].from = std::min(stops[kept - 1].from, stop.from);
            stops[kept - 1].to = std::max(stops[kept - 1].to, stop.to);
        } else {
            stops[kept++] = stop;
        }
    }
    stops.resize(kept);
    stops.shrink_to_fit();
}

} // namespace

GuideFinder::GuideFinder(std::span<const Bounds> others, const Bounds& client) {
    for (std::size_t list = 0; list < 3; ++list) {
        std::size_t perControl = list == edgeList ? 2 : 1;
        x_[list].reserve((others.size() + 1) * perControl);
        y_[list].reserve((others.size() + 1) * perControl);
    }
    auto add = [this](const Bounds& b) {
        Extent across = extentOf(b.top, b.height);
        for (const Feature& f : xFeatures(b))
            x_[f.list].push_back({f.at2, across.from, across.to});
        Extent along = extentOf(b.left, b.width);
        for (const Feature& f : yFeatures(b))
            y_[f.list].push_back({f.at2, along.from, along.to});
    };
    for (const Bounds& b : others)
        add(b);
    add(client);
    for (std::size_t list = 0; list < 3; ++list) {
        sortAndMerge(x_[list]);
        sortAndMerge(y_[list]);
    }
}

namespace {
template <class Stop> const Stop* stopAt(const std::vector<Stop>& stops, std::int64_t at2) {
    auto place = std::lower_bound(stops.begin(), stops.end(), at2,
                                  [](const Stop& stop, std::int64_t at) { return stop.at2 < at; });
    return place != stops.end() && place->at2 == at2 ? &*place : nullptr;
}
} // namespace

std::vector<GuideLine> GuideFinder::lines(std::span<const Bounds> moved, unsigned features) const {
    struct Found {
        bool vertical;
        std::int64_t at2;
        Extent extent;
    };
    std::vector<Found> found;
    for (const Bounds& b : moved) {
        Extent across = extentOf(b.top, b.height);
        for (const Feature& f : xFeatures(b)) {
            if (!(features & f.flag))
                continue;
            if (const Stop* stop = stopAt(x_[f.list], f.at2))
                found.push_back(
                    {true,
                     f.at2,
                     {std::min(stop->from, across.from), std::max(stop->to, across.to)}});
        }
        Extent along = extentOf(b.left, b.width);
        for (const Feature& f : yFeatures(b)) {
            if (!(features & f.flag))
                continue;
            if (const Stop* stop = stopAt(y_[f.list], f.at2))
                found.push_back({false,
                                 f.at2,
                                 {std::min(stop->from, along.from), std::max(stop->to, along.to)}});
        }
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.vertical != b.vertical ? a.vertical : a.at2 < b.at2;
    });
    std::vector<GuideLine> result;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const Found& f = found[i];
        if (i > 0 && found[i - 1].vertical == f.vertical && found[i - 1].at2 == f.at2) {
            result.back().from = std::min(result.back().from, f.extent.from);
            result.back().to = std::max(result.back().to, f.extent.to);
        } else {
            result.push_back(
                {f.vertical, static_cast<double>(f.at2) / 2, f.extent.from, f.extent.to});
        }
    }
    return result;
}

Offset GuideFinder::snapOffset(std::span<const Bounds> moved, std::int32_t tolerance,
                               unsigned features) const {
    std::int64_t reach2 = 2 * std::int64_t{std::max(tolerance, 0)};
    auto closest = [&](const std::array<StopList, 3>& lists, auto featuresOfBounds) {
        std::optional<std::int64_t> best2;
        auto consider = [&](std::int64_t difference2) {
            if (difference2 < -reach2 || difference2 > reach2)
                return;
            if (!best2 || std::abs(difference2) < std::abs(*best2) ||
                (std::abs(difference2) == std::abs(*best2) && difference2 < *best2))
                best2 = difference2;
        };
        for (const Bounds& b : moved) {
            for (const Feature& f : featuresOfBounds(b)) {
                if (!(features & f.flag))
                    continue;
                const StopList& stops = lists[f.list];
                auto place = std::lower_bound(
                    stops.begin(), stops.end(), f.at2,
                    [](const Stop& stop, std::int64_t at) { return stop.at2 < at; });
                if (place != stops.end())
                    consider(place->at2 - f.at2);
                if (place != stops.begin())
                    consider(std::prev(place)->at2 - f.at2);
            }
        }
        // Both places are whole or both halves in one list: the difference is whole.
        return best2 ? *best2 / 2 : 0;
    };
    return {closest(x_, xFeatures), closest(y_, yFeatures)};
}

std::vector<Bounds> boundsExcept(const Design& design, std::span<const Control* const> moving) {
    std::vector<const Control*> excluded(moving.begin(), moving.end());
    std::sort(excluded.begin(), excluded.end(), std::less<>());
    std::vector<Bounds> others;
    others.reserve(design.controls().size());
    for (const auto& control : design.controls()) {
        if (!std::binary_search(excluded.begin(), excluded.end(), control.get(), std::less<>()))
            others.push_back(boundsOf(*control));
    }
    return others;
}

} // namespace vap
