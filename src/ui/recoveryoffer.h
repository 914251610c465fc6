#pragma once

#include <functional>

class QWidget;

namespace vap {
class DesignFile;
}

namespace vap::ui {

class RecoveryCopy;

/**
 * Offers the copies that runs which have ended left, the newest first, one question at a time in
 * the interface language (Portuguese while none is set), its title and buttons too; a copy kept by
 * a normal exit has a question of its own. Yes opens the copy through `open`, and it becomes this
 * run's copy; No removes it and the next is offered; Escape or the close box keeps every copy for
 * the next start. A copy that cannot be opened is reported like a bad file and set aside.
 */
void offerLeftCopies(RecoveryCopy& recovery, QWidget* parent,
                     const std::function<void(DesignFile)>& open);

} // namespace vap::ui
