#pragma once

namespace vap::app {

/**
 * The program's start-up: the application title, the main window with its single-instance
 * check, the palette, then the main window shown and the event loop. Returns the exit code.
 */
int runVaporina(int argc, char** argv);

} // namespace vap::app
