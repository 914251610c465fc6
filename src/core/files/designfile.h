#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vap {

class Design;

/** A design file read and checked, not yet applied: its bytes, whose names and numbers passed. */
class DesignFile {
public:
    /** How many control records the file holds. */
    std::size_t controlCount() const { return controlCount_; }

    /** Where a text line lies in the bytes; the loader decodes it straight into the design. */
    struct Span {
        std::uint32_t offset = 0; // a design file is far smaller than 4 GB
        std::uint32_t size = 0;
    };
    /** A window or control record; other records are skipped when applied, so not kept. */
    struct Record {
        std::int8_t kind; // a ControlKind, or the code below
        static constexpr std::int8_t windowRecord = -1;
        std::int32_t left, top, height, width, events;
        Span caption, name, hint;
    };

private:
    friend DesignFile parseDesignFile(std::string bytes);
    friend void applyDesignFile(Design& design, const DesignFile& file);
    std::string_view text(Span span) const;

    std::string bytes_;
    std::vector<Record> records_;
    std::size_t controlCount_ = 0;
    std::vector<std::uint32_t> listedOrder_; // the control records in the order of their names
};

/**
 * Checks a design file's bytes: every record line's numbers, and every control name valid,
 * unique among the file's controls and not one of the designer's own component names. The
 * first fault in file order throws vap::Error.
 */
DesignFile parseDesignFile(std::string bytes);

/** Reads a file and checks it as parseDesignFile does. Throws vap::Error. */
DesignFile readDesignFile(const std::string& path);

/**
 * Applies a checked file to the design: "JAN" to the window, each control record as a new
 * control made with the listing switch off, then named, filled and listed. Unknown tags are
 * skipped. Names are first checked against the controls already there; on a clash it throws
 * before anything changes.
 */
void applyDesignFile(Design& design, const DesignFile& file);

/** Reads a design file into the design, adding its controls to those there; all or nothing. */
void CarregaJanela(Design& design, const std::string& path);

/**
 * The Open command's work on the model: reads and checks the file first, and only then clears
 * the design and applies the file. A file that fails leaves the design as it was.
 */
void openDesign(Design& design, const std::string& path);

/** The design as design-file bytes; throws when a text cannot be stored in the file. */
std::string serializeDesign(const Design& design);

/** Writes the design to the file, replacing it safely. Throws vap::Error. */
void GravaJanela(const Design& design, const std::string& path);

} // namespace vap
