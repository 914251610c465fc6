#include "pixelcover.h"

#include <algorithm>
#include <bit>

namespace vap::ui {

namespace {
constexpr int wordBits = 64;

std::size_t count(int length) {
    return static_cast<std::size_t>(std::max(0, length));
}
} // namespace

PixelCover::PixelCover(const QRect& area)
    : area_(area), wordsPerRow_((count(area.width()) + wordBits - 1) / wordBits),
      bits_(wordsPerRow_ * count(area.height())),
      pixels_(count(area.width()) * count(area.height())) {}

bool PixelCover::coveredBefore(const QRect& rect) {
    const QRect part = rect & area_;
    if (part.isEmpty())
        return true;
    const int left = part.left() - area_.left();
    const int right = part.right() - area_.left();
    const std::uint64_t all = ~std::uint64_t{0};
    bool covered = true;
    for (int row = part.top() - area_.top(); row <= part.bottom() - area_.top(); ++row) {
        std::uint64_t* line = &bits_[static_cast<std::size_t>(row) * wordsPerRow_];
        for (int word = left / wordBits; word <= right / wordBits; ++word) {
            std::uint64_t mask = all;
            if (word == left / wordBits)
                mask &= all << (left % wordBits);
            if (word == right / wordBits)
                mask &= all >> (wordBits - 1 - right % wordBits);
            const std::uint64_t added = mask & ~line[static_cast<std::size_t>(word)];
            if (added != 0) {
                covered = false;
                covered_ += static_cast<std::size_t>(std::popcount(added));
            }
            line[static_cast<std::size_t>(word)] |= mask;
        }
    }
    return covered;
}

} // namespace vap::ui
