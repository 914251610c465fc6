#pragma once

#include "core/model/controlkind.h"

#include <QIcon>

namespace vap::ui {

/** Pictures of the main menu, by their place in its image list (0 to 14). */
QIcon menuPicture(int index);
/** Pictures of the control menu: 0 adjust, 1 delete. */
QIcon objectMenuPicture(int index);
/** The palette button of a kind. */
QIcon palettePicture(ControlKind kind);
QIcon selectAllPicture();
QIcon copyPicture();
QIcon programIcon();

} // namespace vap::ui
