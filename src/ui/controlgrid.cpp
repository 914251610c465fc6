#include "controlgrid.h"

#include "core/model/control.h"

#include <algorithm>

namespace vap::ui {

namespace {
constexpr int cellShift = 8; // cells of 256 pixels
constexpr std::uint64_t mostCellsPerControl = 64;

std::int64_t cellOf(int coordinate) {
    return std::int64_t{coordinate} >> cellShift;
}

/**
 * Takes the control out of the list; gives how many went (0 or 1). Looked for from the end: the
 * latest controls are listed last, and undoing a paste or a creation takes them out last first.
 */
std::size_t eraseOne(std::vector<const Control*>& list, const Control* control) {
    auto found = std::find(list.rbegin(), list.rend(), control);
    if (found == list.rend())
        return 0;
    *found = list.back();
    list.pop_back();
    return 1;
}
} // namespace

std::uint64_t ControlGrid::cellCount(const QRect& area) {
    if (area.isEmpty())
        return 0;
    auto columns = static_cast<std::uint64_t>(cellOf(area.right()) - cellOf(area.left()) + 1);
    auto rows = static_cast<std::uint64_t>(cellOf(area.bottom()) - cellOf(area.top()) + 1);
    return columns * rows;
}

bool ControlGrid::isLarge(const QRect& shown) {
    return cellCount(shown) > mostCellsPerControl;
}

template <class Visit> void ControlGrid::forEachCell(const QRect& area, Visit visit) {
    if (area.isEmpty())
        return;
    for (std::int64_t row = cellOf(area.top()); row <= cellOf(area.bottom()); ++row) {
        for (std::int64_t column = cellOf(area.left()); column <= cellOf(area.right()); ++column)
            visit(static_cast<CellKey>(row) << 32 | static_cast<std::uint32_t>(column));
    }
}

void ControlGrid::place(const Control* control, const QRect& shown) {
    if (shown.isEmpty())
        return;
    if (isLarge(shown)) {
        large_.push_back(control);
        return;
    }
    forEachCell(shown, [&](CellKey key) {
        cells_[key].push_back(control);
        ++cellEntries_;
    });
}

void ControlGrid::unplace(const Control* control, const QRect& shown) {
    if (shown.isEmpty())
        return;
    if (isLarge(shown)) {
        eraseOne(large_, control);
        return;
    }
    forEachCell(shown, [&](CellKey key) {
        auto cell = cells_.find(key);
        if (cell == cells_.end())
            return;
        cellEntries_ -= eraseOne(cell->second, control);
        if (cell->second.empty())
            cells_.erase(cell);
    });
}

void ControlGrid::add(const Control* control, const QRect& shown) {
    entries_[control] = Entry{shown, nextOrder_++};
    place(control, shown);
}

void ControlGrid::move(const Control* control, const QRect& shown) {
    auto entry = entries_.find(control);
    if (entry == entries_.end() || entry->second.shown == shown)
        return;
    unplace(control, entry->second.shown);
    entry->second.shown = shown;
    place(control, shown);
}

void ControlGrid::remove(const Control* control) {
    auto entry = entries_.find(control);
    if (entry == entries_.end())
        return;
    unplace(control, entry->second.shown);
    entries_.erase(entry);
}

void ControlGrid::clear() {
    entries_.clear();
    cells_.clear();
    cellEntries_ = 0;
    large_.clear();
    nextOrder_ = 0;
}

void ControlGrid::rebuild(const std::vector<std::unique_ptr<Control>>& bottomFirst,
                          QRect (*shownOf)(const Control&)) {
    clear();
    entries_.reserve(bottomFirst.size());
    for (const auto& control : bottomFirst)
        add(control.get(), shownOf(*control));
}

QRect ControlGrid::shown(const Control* control) const {
    auto entry = entries_.find(control);
    return entry == entries_.end() ? QRect() : entry->second.shown;
}

bool ControlGrid::above(const Control* upper, const Control* lower) const {
    return entries_.at(upper).order > entries_.at(lower).order;
}

bool ControlGrid::listsMost(const QRect& area) const {
    // Over most of the design, one look at every control costs less than the cells' lists.
    std::uint64_t perCell = cells_.empty() ? 0 : cellEntries_ / cells_.size() + 1;
    return cellCount(area) * perCell >= entries_.size();
}

std::vector<const Control*> ControlGrid::touching(const QRect& area) const {
    std::vector<std::pair<std::uint64_t, const Control*>> found;
    auto takeEntry = [&](const Control* control, const Entry& entry) {
        if (entry.shown.intersects(area))
            found.emplace_back(entry.order, control);
    };
    auto take = [&](const Control* control) { takeEntry(control, entries_.at(control)); };
    if (listsMost(area)) {
        found.reserve(entries_.size());
        for (const auto& [control, entry] : entries_)
            takeEntry(control, entry);
    } else {
        // A control listed in several cells of the area is taken in the first of them only,
        // the one at the top left of where it meets the area, so that none is listed twice.
        const std::int64_t areaTop = cellOf(area.top());
        const std::int64_t areaLeft = cellOf(area.left());
        forEachCell(area, [&](CellKey key) {
            auto cell = cells_.find(key);
            if (cell == cells_.end())
                return;
            const auto row = static_cast<std::int64_t>(static_cast<std::int32_t>(key >> 32));
            const auto column = static_cast<std::int64_t>(static_cast<std::int32_t>(key));
            for (const Control* control : cell->second) {
                const Entry& entry = entries_.at(control);
                if (std::max(cellOf(entry.shown.top()), areaTop) == row &&
                    std::max(cellOf(entry.shown.left()), areaLeft) == column)
                    takeEntry(control, entry);
            }
        });
    }
    std::for_each(large_.begin(), large_.end(), take);
    std::sort(found.begin(), found.end());
    std::vector<const Control*> bottomFirst;
    bottomFirst.reserve(found.size());
    for (const auto& [order, control] : found)
        bottomFirst.push_back(control);
    return bottomFirst;
}

const Control* ControlGrid::topmostAt(QPoint point) const {
    const Control* topmost = nullptr;
    std::uint64_t topOrder = 0;
    auto consider = [&](const Control* control) {
        const Entry& entry = entries_.at(control);
        if (entry.shown.contains(point) && (!topmost || entry.order > topOrder)) {
            topmost = control;
            topOrder = entry.order;
        }
    };
    QRect cellArea(point, QSize(1, 1));
    forEachCell(cellArea, [&](CellKey key) {
        auto cell = cells_.find(key);
        if (cell != cells_.end())
            std::for_each(cell->second.begin(), cell->second.end(), consider);
    });
    std::for_each(large_.begin(), large_.end(), consider);
    return topmost;
}

} // namespace vap::ui
