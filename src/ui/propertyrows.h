#pragma once

namespace vap::ui {

/** The object inspector's property rows, top to bottom: the value of each is in column 1. */
enum InspectorRow : int {
    RowLeft,
    RowTop,
    RowWidth,
    RowHeight,
    RowCaption,
    RowName,
    RowHint,
    RowCount
};

/** The property grid's layout: the label column, the value column and each row. */
inline constexpr int inspectorLabelWidth = 62;
inline constexpr int inspectorValueWidth = 155;
inline constexpr int inspectorRowHeight = 21;

} // namespace vap::ui
