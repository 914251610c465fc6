#pragma once

#include <QRect>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vap::ui {

/**
 * Which pixels of an area the opaque rectangles drawn so far cover, one bit a pixel. Drawn from
 * the top down, it tells which rectangles beneath nothing of would show: a big design or a big
 * selection piles thousands on every part of the window.
 */
class PixelCover {
public:
    explicit PixelCover(const QRect& area);
    /** Whether every pixel of the rectangle within the area was covered; it is covered now. */
    bool coveredBefore(const QRect& rect);
    /** Whether every pixel of the area is covered. */
    bool full() const { return fullWords_ == bits_.size(); }

private:
    QRect area_;
    std::size_t wordsPerRow_;
    std::uint64_t lastWordOfRow_; // the bits of a row's last word that lie in the area
    std::vector<std::uint64_t> bits_;
    std::size_t fullWords_ = 0; // words whose pixels in the area are all covered
};

} // namespace vap::ui
