#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vap {

/** Runs the headless generator with the arguments after the program name; returns exit code. */
int runVapgen(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace vap
