#pragma once

#include "arrange.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace vap {

class Design;

/** The lines of a control that guides follow. */
enum GuideFeatures : unsigned {
    GuideLeft = 1,
    GuideRight = 2,
    GuideHorizontalCentre = 4, // left + width / 2
    GuideTop = 8,
    GuideBottom = 16,
    GuideVerticalCentre = 32, // top + height / 2
    GuideAll = 63,
};

/**
 * A line to draw where lines of the moved controls meet those of another control or of the
 * window. Vertical: at x = `at`, from y = `from` to y = `to`; horizontal: at y = `at`, from x =
 * `from` to x = `to`. The extent covers the moved controls and every other on that line. `at`
 * is exact: a centre of an odd size lies on a half pixel.
 */
struct GuideLine {
    bool vertical = true;
    double at = 0;
    std::int64_t from = 0;
    std::int64_t to = 0;

    bool operator==(const GuideLine&) const = default;
};

/**
 * Finds guides for one gesture. Built once when the gesture starts from the controls that do not
 * move and the window's client rectangle (in the controls' coordinates), it answers each mouse
 * move in O(m log n) for m moved controls and n others. Edges meet edges (a left may meet a
 * right), centres meet centres.
 */
class GuideFinder {
public:
    GuideFinder(std::span<const Bounds> others, const Bounds& client);

    /**
     * The lines where the features of the moved controls, at the bounds they would get, meet
     * those of the others; sorted, one per place. A move passes GuideAll; a resize at the right
     * and bottom, GuideRight | GuideHorizontalCentre | GuideBottom | GuideVerticalCentre.
     */
    std::vector<GuideLine> lines(std::span<const Bounds> moved, unsigned features = GuideAll) const;

    /**
     * The smallest correction, at most `tolerance` pixels along each axis, that makes a feature
     * of the moved controls meet one of the others; 0 along an axis where none is that close.
     * Of two as close, the negative one. For a resize pass the moving edges alone: the caller adds
     * the correction to the size.
     */
    Offset snapOffset(std::span<const Bounds> moved, std::int32_t tolerance,
                      unsigned features = GuideAll) const;

private:
    /** Controls meeting at one line: `at2` is twice the place, so that centres stay whole. */
    struct Stop {
        std::int64_t at2;
        std::int64_t from;
        std::int64_t to;
    };
    using StopList = std::vector<Stop>;
    // Per axis: edges, centres on whole pixels, centres on half pixels.
    std::array<StopList, 3> x_;
    std::array<StopList, 3> y_;
};

/** The bounds of the design's controls apart from those given, for a GuideFinder. */
std::vector<Bounds> boundsExcept(const Design& design, std::span<const Control* const> moving);

} // namespace vap
