#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vap {

/** What a generator gives the code window: its caption (when the language sets one) and lines. */
struct GeneratedCode {
    std::optional<std::string> caption;
    std::vector<std::string> lines;    // no line-break characters; an empty entry is an empty line
    std::vector<std::string> warnings; // shown beside the code, never in it
};

/** Where a generator puts its lines, one at a time and in order, as it makes them. */
class LineSink {
public:
    /** Takes the next line, without its line end. */
    virtual void add(std::string line) = 0;
    /** Ends a section of the window-objects code; in the code an empty line stands between. */
    virtual void nextSection() { add({}); }

protected:
    ~LineSink() = default;
};

/** Keeps the lines in memory, for the code window and the tests. */
class LineCollector final : public LineSink {
public:
    void add(std::string line) override { lines.push_back(std::move(line)); }

    std::vector<std::string> lines;
};

/** The lines joined with a line end after every line, the last one included. */
std::string joinLines(const std::vector<std::string>& lines, const std::string& lineEnd);

} // namespace vap
