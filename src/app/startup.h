#pragma once

#include <functional>

namespace vap::ui {
class TF_Menu;
}

namespace vap::app {

/** Called with the main window, wired and about to be shown (the start-up benchmark's probe). */
using StartHook = std::function<void(ui::TF_Menu&)>;

/**
 * The program's start-up: the application title, the main window with its single-instance
 * check, the palette, then the main window shown and the event loop. Returns the exit code.
 */
int runVaporina(int argc, char** argv, const StartHook& beforeShow = {});

} // namespace vap::app
