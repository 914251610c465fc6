#include "generatedcode.h"

namespace vap {

std::string joinLines(const std::vector<std::string>& lines, const std::string& lineEnd) {
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + lineEnd.size();
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += lineEnd;
    }
    return text;
}

} // namespace vap
