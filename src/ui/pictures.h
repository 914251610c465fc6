#pragma once

#include "core/lang/languagecode.h"
#include "core/model/controlkind.h"

#include <QIcon>
#include <QPixmap>

namespace vap::ui {

/** Pictures of the main menu, by their place in its image list (0 to 15). */
QIcon menuPicture(int index);
/**
 * A menu entry's picture with a bold check mark over it, for a checked entry: the style marks a
 * checked entry that has a picture only with a faint frame, lost under the highlight.
 */
QIcon checkedPicture(const QIcon& picture);
/** Pictures of the control menu: 0 adjust, 1 delete. */
QIcon objectMenuPicture(int index);
/** Pictures of the clipboard commands: 0 cut, 1 copy, 2 paste, 3 duplicate. */
QIcon editPicture(int index);
/**
 * Pictures of the arranging commands: 0 align left, 1 right, 2 top, 3 bottom, 4 horizontal
 * centres, 5 vertical centres, 6 same width, 7 same height, 8 distribute horizontally,
 * 9 distribute vertically.
 */
QIcon arrangePicture(int index);
/** The palette button of a kind. */
QIcon palettePicture(ControlKind kind);
QIcon selectAllPicture();
QIcon copyPicture();
QIcon programIcon();
/** The flag of a language code: 1 Brazil, 2 the United States, 3 Mexico. */
QPixmap flagPicture(Language language);
/** The check mark of the chooser's OK button, with its grey disabled form. */
QIcon checkPicture();
/** The glyph of the about window's close button, with its grey disabled form. */
QIcon exitPicture();
QPixmap splashPicture();
QPixmap aboutPicture();

} // namespace vap::ui
