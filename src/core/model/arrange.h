#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vap {

class Control;

/** A control's place and size, as the design holds them. */
struct Bounds {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool operator==(const Bounds&) const = default;
};

Bounds boundsOf(const Control& control);

/** A move of several controls at once. */
struct Offset {
    std::int64_t dx = 0;
    std::int64_t dy = 0;

    bool operator==(const Offset&) const = default;
};

/**
 * The arrangements of a selection. The first control is the reference: the align and same-size
 * arrangements line the others up with it and leave it where it is.
 */
enum class Arrangement {
    AlignLeft,
    AlignRight,
    AlignTop,
    AlignBottom,
    /** The centres line up in one column: the same left + width / 2 as the first. */
    AlignHorizontalCentres,
    /** The centres line up in one row: the same top + height / 2 as the first. */
    AlignVerticalCentres,
    SameWidth,
    SameHeight,
    /**
     * Equal gaps between neighbours taken from left to right (by left edge, ties in selection
     * order); the leftmost and the rightmost stay. Gaps differ by at most a pixel, the larger
     * ones first. Fewer than three controls stay as they are.
     */
    DistributeHorizontally,
    /** The same from top to bottom. */
    DistributeVertically,
};

inline constexpr std::size_t arrangementCount = 10;

/**
 * The bounds the controls get from the arrangement, in the order given. Any 32-bit bounds come
 * in; every result is bounds the design takes. A centre between two pixels (an odd difference
 * of sizes) rounds down: the control lands half a pixel left of (or above) the exact centre.
 * A place past the ends of the 32-bit range stops at the end, as a drag does; a size is always
 * the first's, which needs no limit. Fewer than two controls stay as they are.
 */
std::vector<Bounds> arranged(Arrangement arrangement, std::span<const Bounds> bounds);

/**
 * The part of the move that keeps every control's left and top within the 32-bit range: the
 * controls move together and stop together at the ends, so that their layout is kept.
 */
Offset allowedOffset(std::span<const Bounds> bounds, std::int64_t dx, std::int64_t dy);

/** The controls moved together by the allowed part of (dx, dy): the arrow keys and a drag. */
std::vector<Bounds> nudged(std::span<const Bounds> bounds, std::int64_t dx, std::int64_t dy);

/** The narrowest and lowest size a resize by the user makes. */
inline constexpr std::int32_t smallestResizedSide = 1;

/**
 * The controls grown or shrunk at their right and bottom edges (Shift+arrows, a handle): each
 * size changes by (dw, dh) within [smallestResizedSide, the 32-bit maximum]; a size already
 * below the smallest is not shrunk further, nor is a size changed the other way.
 */
std::vector<Bounds> resizedBy(std::span<const Bounds> bounds, std::int64_t dw, std::int64_t dh);

/** Edges a resize handle moves; a corner handle moves two. */
enum HandleEdges : unsigned {
    LeftEdge = 1,
    TopEdge = 2,
    RightEdge = 4,
    BottomEdge = 8,
};

/**
 * The bounds after a handle moving these edges by (dx, dy) from where the gesture started: the
 * opposite edges stay. A size stops at smallestResizedSide (or stays where it was below it), and
 * every value within the 32-bit range; a moved left or top edge then stops where the size does.
 */
Bounds resizedByHandle(const Bounds& bounds, unsigned edges, std::int64_t dx, std::int64_t dy);

} // namespace vap
