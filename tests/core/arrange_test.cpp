// Arrangements and guides over random bounds, checked against their plain definitions.

#include "core/model/arrange.h"
#include "core/model/guides.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <numeric>
#include <random>

using namespace vap;

namespace {

constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();

std::int64_t clamped(std::int64_t v) {
    return std::clamp(v, lowest, highest);
}

/** Bounds near each other, or anywhere in the 32-bit range (`extreme`). */
Bounds randomBounds(std::mt19937& random, bool extreme) {
    auto any = [&] { return static_cast<std::int32_t>(random()); };
    auto near = [&](int span) { return static_cast<std::int32_t>(random() % span) - span / 4; };
    if (extreme)
        return {any(), any(), any(), any()};
    return {near(400), near(400), near(120) + 30, near(80) + 20};
}

} // namespace

TEST(Arrange, EveryArrangementKeepsItsInvariant) {
    std::mt19937 random(7);
    for (int round = 0; round < 4000; ++round) {
        bool extreme = round % 4 == 0;
        std::vector<Bounds> in(1 + random() % 6);
        for (Bounds& b : in)
            b = randomBounds(random, extreme);
        auto arrangement = static_cast<Arrangement>(round % arrangementCount);
        std::vector<Bounds> out = arranged(arrangement, in);
        ASSERT_EQ(out.size(), in.size());
        const Bounds& f = in[0];
        for (std::size_t i = 0; i < in.size(); ++i) {
            const Bounds &a = in[i], &b = out[i];
            auto centre = [](std::int64_t start, std::int64_t size, std::int64_t with) {
                std::int64_t twice = 2 * start + size - with; // floor of half
                return clamped(twice >= 0 ? twice / 2 : -((-twice + 1) / 2));
            };
            Bounds want = a;
            switch (in.size() < 2 ? Arrangement::DistributeHorizontally : arrangement) {
            case Arrangement::AlignLeft:
                want.left = f.left;
                break;
            case Arrangement::AlignTop:
                want.top = f.top;
                break;
            case Arrangement::AlignRight:
                want.left =
                    static_cast<std::int32_t>(clamped(std::int64_t{f.left} + f.width - a.width));
                break;
            case Arrangement::AlignBottom:
                want.top =
                    static_cast<std::int32_t>(clamped(std::int64_t{f.top} + f.height - a.height));
                break;
            case Arrangement::AlignHorizontalCentres:
                want.left = static_cast<std::int32_t>(centre(f.left, f.width, a.width));
                break;
            case Arrangement::AlignVerticalCentres:
                want.top = static_cast<std::int32_t>(centre(f.top, f.height, a.height));
                break;
            case Arrangement::SameWidth:
                want.width = f.width;
                break;
            case Arrangement::SameHeight:
                want.height = f.height;
                break;
            case Arrangement::DistributeHorizontally:
                want.left = b.left;
                break;
            case Arrangement::DistributeVertically:
                want.top = b.top;
                break;
            }
            EXPECT_EQ(b, want) << "round " << round << " control " << i;
        }
        bool horizontal = arrangement == Arrangement::DistributeHorizontally;
        if (in.size() < 3 || (!horizontal && arrangement != Arrangement::DistributeVertically))
            continue;
        auto start = [&](const Bounds& b) -> std::int64_t { return horizontal ? b.left : b.top; };
        auto size = [&](const Bounds& b) -> std::int64_t {
            return horizontal ? b.width : b.height;
        };
        std::vector<std::size_t> order(in.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](auto x, auto y) { return start(in[x]) < start(in[y]); });
        EXPECT_EQ(out[order.front()], in[order.front()]);
        EXPECT_EQ(out[order.back()], in[order.back()]);
        if (extreme)
            continue;
        std::vector<std::int64_t> gaps;
        for (std::size_t i = 1; i < order.size(); ++i)
            gaps.push_back(start(out[order[i]]) - start(out[order[i - 1]]) -
                           size(out[order[i - 1]]));
        auto [least, most] = std::minmax_element(gaps.begin(), gaps.end());
        EXPECT_LE(*most - *least, 1) << "round " << round;
    }
}

TEST(Arrange, MovesAndResizesStopTogetherAtTheEnds) {
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        std::vector<Bounds> in(1 + random() % 4);
        for (Bounds& b : in)
            b = randomBounds(random, round % 2 == 0);
        std::int64_t dx = static_cast<std::int32_t>(random()),
                     dy = static_cast<int>(random() % 9) - 4;
        std::vector<Bounds> moved = nudged(in, dx, dy);
        Offset used = allowedOffset(in, dx, dy);
        EXPECT_TRUE(used.dx == dx || std::any_of(moved.begin(), moved.end(), [](const Bounds& b) {
                        return b.left == lowest || b.left == highest;
                    }));
        std::vector<Bounds> grown = resizedBy(in, dy, -dy);
        EXPECT_EQ(resizedByHandle(in[0], RightEdge | BottomEdge, dy, -dy), grown[0]);
        Bounds fromLeft = resizedByHandle(in[0], LeftEdge | TopEdge, -dy, dy);
        if (round % 2) { // away from the ends the far edges stay
            EXPECT_EQ(fromLeft.width, grown[0].width);
            EXPECT_EQ(fromLeft.left + fromLeft.width, in[0].left + in[0].width);
        }
        for (std::size_t i = 0; i < in.size(); ++i) {
            EXPECT_EQ(std::int64_t{moved[i].left} - in[i].left, used.dx);
            EXPECT_EQ(std::int64_t{moved[i].top} - in[i].top, used.dy);
            for (auto [was, now, by] : {std::tuple{in[i].width, grown[i].width, dy},
                                        std::tuple{in[i].height, grown[i].height, -dy}}) {
                std::int64_t want = std::int64_t{was} + by;
                if (by < 0)
                    want = std::max(want, std::min<std::int64_t>(was, smallestResizedSide));
                EXPECT_EQ(now, clamped(want));
            }
        }
    }
}

TEST(Guides, FindEveryLineThatMeetsAndSnapNoFurtherThanAsked) {
    std::mt19937 random(3);
    for (int round = 0; round < 1500; ++round) {
        std::vector<Bounds> others(random() % 40);
        for (Bounds& b : others)
            b = randomBounds(random, false);
        Bounds client{0, 0, 320, 200};
        GuideFinder finder(others, client);
        std::vector<Bounds> moved(1 + random() % 3);
        for (Bounds& b : moved)
            b = randomBounds(random, false);
        if (!others.empty() && round % 2 == 0) // often placed on a line of another
            moved[0].left = others[random() % others.size()].left + others[0].width;
        std::vector<Bounds> all = others;
        all.push_back(client);
        // Lines by their definition: twice the place, per direction.
        std::map<std::pair<bool, std::int64_t>, std::pair<std::int64_t, std::int64_t>> expected;
        auto meet = [&](bool vertical, auto features, auto across) {
            for (const Bounds& m : moved)
                for (const Bounds& o : all)
                    for (int i = 0; i < 3; ++i)
                        for (int j = 0; j < 3; ++j) {
                            if ((i == 2) != (j == 2) || features(m)[i] != features(o)[j])
                                continue;
                            auto [from, to] =
                                expected.try_emplace({vertical, features(m)[i]}, across(m))
                                    .first->second;
                            auto [of, ot] = across(o);
                            auto [mf, mt] = across(m);
                            expected[{vertical, features(m)[i]}] = {std::min({from, of, mf}),
                                                                    std::max({to, ot, mt})};
                        }
        };
        auto span = [](std::int64_t s, std::int64_t z) {
            return std::pair{std::min(s, s + z), std::max(s, s + z)};
        };
        auto xs = [](const Bounds& b) {
            return std::array<std::int64_t, 3>{2 * std::int64_t{b.left},
                                               2 * (std::int64_t{b.left} + b.width),
                                               2 * std::int64_t{b.left} + b.width};
        };
        auto ys = [](const Bounds& b) {
            return std::array<std::int64_t, 3>{2 * std::int64_t{b.top},
                                               2 * (std::int64_t{b.top} + b.height),
                                               2 * std::int64_t{b.top} + b.height};
        };
        meet(true, xs, [&](const Bounds& b) { return span(b.top, b.height); });
        meet(false, ys, [&](const Bounds& b) { return span(b.left, b.width); });
        std::vector<GuideLine> want;
        for (auto [key, extent] : expected)
            want.push_back({key.first, key.second / 2.0, extent.first, extent.second});
        std::stable_partition(want.begin(), want.end(),
                              [](const GuideLine& l) { return l.vertical; });
        ASSERT_EQ(finder.lines(moved), want) << "round " << round;

        std::int32_t tolerance = static_cast<std::int32_t>(random() % 6);
        Offset snap = finder.snapOffset(moved, tolerance);
        EXPECT_LE(std::abs(snap.dx), tolerance);
        EXPECT_LE(std::abs(snap.dy), tolerance);
        std::vector<Bounds> snapped = nudged(moved, snap.dx, snap.dy);
        std::vector<GuideLine> after = finder.lines(snapped);
        bool anyVertical =
            std::any_of(after.begin(), after.end(), [](auto& l) { return l.vertical; });
        bool anyHorizontal =
            std::any_of(after.begin(), after.end(), [](auto& l) { return !l.vertical; });
        EXPECT_TRUE(snap.dx == 0 || anyVertical) << "round " << round;
        EXPECT_TRUE(snap.dy == 0 || anyHorizontal) << "round " << round;
        // Nothing nearer than the correction chosen: one pixel less finds no line.
        for (std::int64_t d = -std::abs(snap.dx) + 1; snap.dx != 0 && d < std::abs(snap.dx); ++d) {
            auto near = finder.lines(nudged(moved, d, 0));
            EXPECT_FALSE(std::any_of(near.begin(), near.end(), [](auto& l) { return l.vertical; }))
                << "round " << round << " dx " << d;
        }
    }
}
