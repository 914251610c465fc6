#pragma once

#include <span>
#include <string_view>

namespace vap {

/**
 * The names of the designer window's own components: its menus, menu entries, image lists, file
 * dialogs and single-instance guard. A control may not take any of them (case ignored); the
 * window gives its own objects exactly these names.
 */
std::span<const std::string_view> designerComponentNames();

/** Whether the name, case ignored, is one of the designer window's own component names. */
bool isDesignerComponentName(std::string_view name);

} // namespace vap
