#include "pixelcover.h"

#include <algorithm>

namespace vap::ui {

namespace {
constexpr int wordBits = 64;
constexpr std::uint64_t allBits = ~std::uint64_t{0};

std::size_t count(int length) {
    return static_cast<std::size_t>(std::max(0, length));
}
} // namespace

PixelCover::PixelCover(const QRect& area)
    : area_(area), wordsPerRow_((count(area.width()) + wordBits - 1) / wordBits),
      lastWordOfRow_(count(area.width()) % wordBits == 0
                         ? allBits
                         : allBits >> (wordBits - count(area.width()) % wordBits)),
      bits_(wordsPerRow_ * count(area.height())) {}

bool PixelCover::coveredBefore(const QRect& rect) {
    const QRect part = rect & area_;
    if (part.isEmpty())
        return true;
    // Every row of the rectangle takes the same words under the same masks.
    const auto left = static_cast<std::size_t>(part.left() - area_.left());
    const auto right = static_cast<std::size_t>(part.right() - area_.left());
    const std::size_t first = left / wordBits;
    const std::size_t last = right / wordBits;
    const std::uint64_t firstMask = allBits << (left % wordBits);
    const std::uint64_t lastMask = allBits >> (wordBits - 1 - right % wordBits);
    bool covered = true;
    std::uint64_t* line = &bits_[count(part.top() - area_.top()) * wordsPerRow_];
    for (int row = part.top(); row <= part.bottom(); ++row, line += wordsPerRow_) {
        for (std::size_t word = first; word <= last; ++word) {
            std::uint64_t mask = allBits;
            if (word == first)
                mask &= firstMask;
            if (word == last)
                mask &= lastMask;
            std::uint64_t& bits = line[word];
            if ((bits & mask) == mask)
                continue;
            covered = false;
            bits |= mask;
            if (bits == (word + 1 == wordsPerRow_ ? lastWordOfRow_ : allBits))
                ++fullWords_;
        }
    }
    return covered;
}

} // namespace vap::ui
