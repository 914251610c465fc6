#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vap {

/** What a generator gives the code window: its caption (when the language sets one) and lines. */
struct GeneratedCode {
    std::optional<std::string> caption;
    std::vector<std::string> lines; // no line-break characters; an empty entry is an empty line
};

/** Takes generated lines one at a time, so that a large output need not be held whole. */
using LineSink = std::function<void(std::string_view line)>;

/** The lines joined with a line end after every line, the last one included. */
std::string joinLines(const std::vector<std::string>& lines, const std::string& lineEnd);

} // namespace vap
