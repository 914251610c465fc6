#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vap {

class Design;
class SafeFolder;
struct ControlData;

/** How many records skipped for an unknown tag a reading keeps to tell of; the rest are counted. */
constexpr std::size_t skippedRecordsListed = 10;

/** The records a reading passed over for their unknown tags: the first few, and how many. */
struct SkippedRecords {
    struct Record {
        std::size_t line; // where the record begins, counted from 1
        std::string tag;  // its start decoded, enough for a message's excerpt
    };
    std::vector<Record> first; // at most skippedRecordsListed, in file order
    std::size_t count = 0;
};

/**
 * The skipped records as the messages that tell of them, one a line: each listed record with
 * its line and tag, then how many more there were.
 */
std::vector<std::string> skippedRecordMessages(const SkippedRecords& skipped);

/**
 * A design file read and checked, not yet applied: its bytes, whose names and numbers passed,
 * and whose design fits in four times the file's size.
 */
class DesignFile {
public:
    /** How many control records the file holds. */
    std::size_t controlCount() const { return controlCount_; }
    /**
     * The records with a tag the reader does not know, which applying passes over. A record of
     * four empty lines holds nothing and is not among them.
     */
    const SkippedRecords& skippedRecords() const { return skipped_; }

private:
    friend DesignFile parseDesignFile(std::string bytes);
    friend void applyDesignFile(Design& design, const DesignFile& file);
    /** The same, letting the file's bytes go once they are no longer needed. */
    void applyDesignFile(Design& design, DesignFile&& file);
    friend void applyDesignFile(Design& design, DesignFile&& file);
    template <class Created>
    friend void applyRecords(Design& design, const DesignFile& file, Created&& created);

    std::string bytes_; // the records are read again from these when applied
    std::size_t controlCount_ = 0;
    std::vector<std::uint32_t> listedOrder_; // the control records in the order of their names
    SkippedRecords skipped_;
};

/**
 * Checks a design file's bytes: every record line's numbers, and every control name valid,
 * unique among the file's controls and not one of the designer's own component names. The
 * first fault in file order throws vap::Error.
 */
DesignFile parseDesignFile(std::string bytes);

/** Reads a file and checks it as parseDesignFile does. Throws vap::Error. */
DesignFile readDesignFile(const std::string& path);
/** The same for a plain file named in a folder already opened; a link there is not followed. */
DesignFile readDesignFileIn(const SafeFolder& folder, const std::string& name);

/**
 * Applies a checked file to the design: "JAN" to the window, each control record as a new
 * control made with the listing switch off, then named, filled and listed. Unknown tags are
 * skipped. Names are first checked against the controls already there; on a clash it throws
 * before anything changes.
 */
void applyDesignFile(Design& design, const DesignFile& file);
/** The same, letting the file's bytes go once they are no longer needed. */
void applyDesignFile(Design& design, DesignFile&& file);

/** Reads a design file into the design, adding its controls to those there; all or nothing. */
void CarregaJanela(Design& design, const std::string& path);

/**
 * The Open command's work on the model: reads and checks the file first, and only then clears
 * the design and applies the file. A file that fails leaves the design as it was. Gives the
 * records skipped for an unknown tag.
 */
SkippedRecords openDesign(Design& design, const std::string& path);

/** The design as design-file bytes; throws when a text cannot be stored in the file. */
std::string serializeDesign(const Design& design);

/**
 * The controls as a design file's control records, with no window record: Windows-1252, CR LF,
 * byte for byte what a save writes for them. ShowHint is not kept, as a file does not keep it.
 * Throws as a save does for a text a file cannot hold.
 */
std::string controlRecords(std::span<const ControlData> controls);

/**
 * The controls of text made of design-file records (Windows-1252 bytes), checked as an opened
 * file is: its size, every number, the names valid, unique and not the designer's own. A window
 * record and unknown tags are passed over; ShowHint is on, as a loaded control's. Text without
 * a control record, or that fails a check, throws vap::Error with the reader's message.
 * `counted`, if given, hears how many controls the text holds once it has passed the checks and
 * before any is built, and may refuse them by throwing.
 */
std::vector<ControlData> readControlRecords(std::string_view text,
                                            const std::function<void(std::size_t)>& counted = {});

/**
 * Whether the text holds a control record, as a paste of controls needs: a look at the records'
 * tags, without the checks readControlRecords makes.
 */
bool holdsControlRecords(std::string_view text);

/** What a save writes, checked as an Open would check it. Throws vap::Error. */
std::string savedDesignBytes(const Design& design);

/** Writes the design to the file, replacing it safely. Throws vap::Error. */
void GravaJanela(const Design& design, const std::string& path);

} // namespace vap
