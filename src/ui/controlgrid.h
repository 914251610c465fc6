#pragma once

#include <QPoint>
#include <QRect>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vap {
class Control;
}

namespace vap::ui {

/**
 * Where the controls show, found by area: a grid of square cells, each listing the controls that
 * touch it, so that painting a part of the window or finding the control under the pointer looks
 * at the controls near it only. It also knows the stacking: later controls lie above earlier ones.
 */
class ControlGrid {
public:
    /** Adds a control above all others. */
    void add(const Control* control, const QRect& shown);
    void move(const Control* control, const QRect& shown);
    void remove(const Control* control);
    void clear();
    /** Takes the controls afresh, bottom first, as after a load or when one came back in between.
     */
    void rebuild(const std::vector<std::unique_ptr<Control>>& bottomFirst,
                 QRect (*shownOf)(const Control&));

    bool contains(const Control* control) const { return entries_.count(control) != 0; }
    QRect shown(const Control* control) const;
    std::size_t size() const { return entries_.size(); }
    /** Whether the cells over the area list about as many controls as there are, or more. */
    bool listsMost(const QRect& area) const;
    /** The controls whose rectangles meet the area, bottom first. */
    std::vector<const Control*> touching(const QRect& area) const;
    /** The topmost control showing at the point, or nullptr. */
    const Control* topmostAt(QPoint point) const;
    /** Whether the first control lies above the second. */
    bool above(const Control* upper, const Control* lower) const;

private:
    struct Entry {
        QRect shown;
        std::uint64_t order;
    };
    using CellKey = std::uint64_t;

    template <class Visit> static void forEachCell(const QRect& area, Visit visit);
    void place(const Control* control, const QRect& shown);
    void unplace(const Control* control, const QRect& shown);
    static bool isLarge(const QRect& shown);
    static std::uint64_t cellCount(const QRect& area);

    std::unordered_map<const Control*, Entry> entries_;
    std::unordered_map<CellKey, std::vector<const Control*>> cells_;
    std::size_t cellEntries_ = 0; // in all the cells' lists
    /** Controls spanning too many cells to list in each: looked at for every question. */
    std::vector<const Control*> large_;
    std::uint64_t nextOrder_ = 0;
};

} // namespace vap::ui
