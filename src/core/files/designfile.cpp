#include "designfile.h"

#include "descriptor.h"
#include "ioerror.h"
#include "safeplace.h"
#include "safewrite.h"
#include "windows1252.h"

#include "../model/componentnames.h"
#include "../model/creation.h"
#include "../model/design.h"
#include "../model/error.h"
#include "../model/naming.h"
#include "../model/printable.h"
#include "../model/wholenumber.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <limits>
#include <new>
#include <numeric>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace vap {

namespace {

constexpr char endOfFileByte = 26;
constexpr const char* outOfMemoryMessage = "Not enough memory to open the design";

struct TagKind {
    std::string_view tag;
    ControlKind kind;
};
constexpr TagKind controlTags[] = {
    {"LAB", ControlKind::Label},         {"TXF", ControlKind::TextField},
    {"PWD", ControlKind::PasswordField}, {"BUT", ControlKind::Button},
    {"LIS", ControlKind::List},          {"CBX", ControlKind::ComboBox},
};
constexpr std::string_view windowTag = "JAN";

std::optional<ControlKind> kindOfTag(std::string_view tag) {
    if (tag.size() != 3)
        return std::nullopt;
    for (const TagKind& entry : controlTags) {
        if (entry.tag == tag)
            return entry.kind;
    }
    return std::nullopt;
}

/**
 * Whether the reader applies records of the tag: the window's and the controls' above. Records of
 * any other tag are skipped, so that a file of a later version, with records of new kinds, still
 * opens here.
 */
bool isKnownTag(std::string_view tag) {
    return tag == windowTag || kindOfTag(tag).has_value();
}

std::string_view tagOfKind(ControlKind kind) {
    for (const TagKind& entry : controlTags) {
        if (entry.kind == kind)
            return entry.tag;
    }
    return {};
}

/** Lines ending in CR LF, a lone CR or a lone LF; past the end every read gives an empty line. */
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {}
    bool atEnd() const { return position_ >= bytes_.size(); }

    std::string_view readLine() {
        if (atEnd())
            return bytes_.substr(bytes_.size());
        std::size_t end = std::min(next('\n', lineFeed_), next('\r', carriage_));
        std::string_view line = bytes_.substr(position_, end - position_);
        position_ = end;
        if (position_ < bytes_.size() && bytes_[position_] == '\r')
            ++position_;
        if (position_ < bytes_.size() && bytes_[position_] == '\n')
            ++position_;
        return line;
    }

private:
    /**
     * Where the next such byte lies, found by memchr once and kept until the reading passes it:
     * a line may be the whole of a file of hundreds of megabytes, and lone CRs may end the rest.
     */
    std::size_t next(char byte, std::size_t& cached) const {
        if (cached == std::string_view::npos || cached < position_) {
            const void* found =
                std::memchr(bytes_.data() + position_, byte, bytes_.size() - position_);
            cached = found
                         ? static_cast<std::size_t>(static_cast<const char*>(found) - bytes_.data())
                         : bytes_.size();
        }
        return cached;
    }

    std::string_view bytes_;
    std::size_t position_ = 0;
    std::size_t lineFeed_ = std::string_view::npos;
    std::size_t carriage_ = std::string_view::npos;
};

/** Enough of a file's text for a message's excerpt, decoded; never the whole of a long text. */
std::string excerptOf(std::string_view bytes) {
    return decodeWindows1252(bytes.substr(0, messageExcerptLength + 1));
}

/** A number piece of a record line: decimal, leading blanks and a sign allowed, 32 bits. */
std::int32_t toInteger(std::string_view piece) {
    if (std::optional<std::int32_t> value = wholeNumber(piece))
        return *value;
    throw Error(notAnIntegerMessage(excerptOf(piece)));
}

/** A record as it stands in the file: numbers taken apart, texts still Windows-1252 bytes. */
struct RecordView {
    std::string_view tag;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t events = 0;
    std::string_view caption;
    std::string_view name;
    std::string_view hint;
};

/**
 * Takes a record line apart: the tag, then left, top, height, width; pieces from the sixth on
 * are dropped, and the piece after the last ':' is the event mask. An empty piece counts as 0.
 */
void takeRecordLineApart(std::string_view line, RecordView& record) {
    std::int32_t* numbers[] = {&record.left, &record.top, &record.height, &record.width};
    std::size_t pieceIndex = 0;
    std::size_t start = 0;
    for (std::size_t colon = line.find(':'); colon != std::string_view::npos;
         colon = line.find(':', start)) {
        std::string_view piece = line.substr(start, colon - start);
        if (piece.empty())
            piece = "0";
        if (pieceIndex == 0)
            record.tag = piece;
        else if (pieceIndex <= 4)
            *numbers[pieceIndex - 1] = toInteger(piece);
        ++pieceIndex;
        start = colon + 1;
    }
    std::string_view last = line.substr(start);
    record.events = toInteger(last.empty() ? "0" : last);
}

/** The bytes up to the end-of-file byte. */
std::string_view beforeEndOfFile(std::string_view bytes) {
    return bytes.substr(0, bytes.find(endOfFileByte));
}

/**
 * Checks the names of a file's control records: each valid and not one of the designer's own
 * names as it is read, and unique with case ignored once they are sorted as the object list
 * shows them, where a name met twice falls beside its first.
 */
class NameCheck {
public:
    explicit NameCheck(std::size_t controlCount) { names_.reserve(controlCount); }
    void check(const RecordView& record) {
        if (!kindOfTag(record.tag))
            return;
        std::string_view name = record.name; // a valid name is ASCII, the same in both encodings
        if (!isValidComponentName(name))
            throw Error(invalidNameMessage(excerptOf(name)));
        if (isDesignerComponentName(name))
            throw Error(duplicateNameMessage(name));
        names_.push_back(name);
    }

    /**
     * The control records' numbers in the order of their names. A name met again refuses the
     * file; of several, the one met first in the file, as a reading name by name would find it.
     */
    std::vector<std::uint32_t> listedOrder() const {
        std::vector<std::uint32_t> order(names_.size());
        std::iota(order.begin(), order.end(), 0u);
        // Stable: of two names alike, the earlier comes first.
        std::stable_sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
            return listedNameLess(names_[a], names_[b]);
        });
        std::optional<std::uint32_t> firstRepeat;
        for (std::size_t i = 1; i < order.size(); ++i) {
            if (!listedNameLess(names_[order[i - 1]], names_[order[i]]))
                firstRepeat = std::min(order[i], firstRepeat.value_or(order[i]));
        }
        if (firstRepeat)
            throw Error(duplicateNameMessage(names_[*firstRepeat]));
        return order;
    }

private:
    std::vector<std::string_view> names_; // of the control records, in file order
};

/** Far beyond any real design; a larger file is refused before anything is read. */
constexpr std::size_t maximumFileSize = 256u << 20;
constexpr const char* tooLargeText = " is too large for a design file (over 256 MB)";

/**
 * What a loaded control costs: the control with its texts' short storage, its places in the
 * design's lists and the loader's own lists (measured on a 64-bit build, rounded up).
 */
constexpr std::size_t memoryPerControl = 192;
/** The part of it taken while the file's bytes are still held: the list entries come after. */
constexpr std::size_t memoryPerControlBesideBytes = 160;
/** Small designs load whatever the shape of their records, within what a process needs anyway. */
constexpr std::size_t memoryAllowance = 16u << 20;

/** The tag of a record line: the piece before its first ':', if any. */
std::string_view tagOfLine(std::string_view line) {
    std::size_t colon = line.find(':');
    return colon == std::string_view::npos ? std::string_view() : line.substr(0, colon);
}

/** What a text of the file costs once decoded into the design, beyond its file's bytes. */
std::size_t textMemory(std::string_view bytes) {
    std::size_t high = static_cast<std::size_t>(std::count_if(
        bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));
    std::size_t decoded = bytes.size() + 2 * high; // a byte past ASCII takes at most three
    return decoded < 16 ? 0 : decoded + 32;        // shorter ones are kept inside the control
}

/** The control records of a file and what loading it would take, counted keeping nothing. */
struct LoadCost {
    std::size_t controls = 0;
    std::size_t texts = 0;
};

LoadCost loadCostOf(std::string_view bytes) {
    LineReader reader(bytes);
    LoadCost cost;
    bool kept = false; // whether the current record is applied
    for (std::size_t line = 0; !reader.atEnd(); ++line) {
        std::string_view text = reader.readLine();
        if (line % 4 == 0) {
            std::string_view tag = tagOfLine(text);
            cost.controls += kindOfTag(tag).has_value();
            kept = isKnownTag(tag);
        } else if (kept) {
            cost.texts += textMemory(text);
        }
    }
    return cost;
}

/** Reads the file named relative to the folder (or the current one); `shownPath` for messages. */
std::string readWholeFile(int folder, const std::string& name, const std::string& shownPath,
                          int extraFlags = 0) {
    // Without blocking: a pipe with no writer would otherwise hang the open itself.
    Descriptor file(
        openat(folder, name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | extraFlags));
    if (!file.valid())
        throw Error(ioErrorMessageFromErrno(errno));
    struct stat info {};
    if (fstat(file.get(), &info) != 0)
        throw Error(ioErrorMessageFromErrno(errno));
    if (S_ISDIR(info.st_mode))
        throw Error(ioErrorMessageFromErrno(EISDIR));
    // A device or a pipe may never end; only a plain file has a size to trust.
    if (!S_ISREG(info.st_mode))
        throw Error(printablePath(shownPath) + " is not a regular file");
    if (static_cast<std::uint64_t>(info.st_size) > maximumFileSize)
        throw Error(printablePath(shownPath) + tooLargeText);
    std::string bytes;
    try {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
        char buffer[65536];
        for (;;) {
            ssize_t count = read(file.get(), buffer, sizeof buffer);
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0)
                throw Error(ioErrorMessageFromErrno(errno));
            if (count == 0)
                break;
            // The file may grow while it is read; the limit holds all the same.
            if (bytes.size() + static_cast<std::size_t>(count) > maximumFileSize)
                throw Error(printablePath(shownPath) + tooLargeText);
            bytes.append(buffer, static_cast<std::size_t>(count));
        }
    } catch (const std::bad_alloc&) {
        throw Error(outOfMemoryMessage);
    }
    return bytes;
}

// ---- writing

std::string describeUnstorable(std::string_view text) {
    for (char c : text) {
        if (c == '\r' || c == '\n')
            return "a line break";
        if (c == endOfFileByte)
            return "the character U+001A";
    }
    if (auto bad = findUnencodable(text)) {
        if (bad->codePoint == 0xFFFD && bad->character != "\xEF\xBF\xBD")
            return "bytes that are not UTF-8 text";
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(bad->codePoint));
        return "'" + bad->character + "' (" + code + ")";
    }
    return {};
}

std::string controlDescription(std::string_view name, ControlKind kind) {
    if (!name.empty())
        return std::string(name);
    return "an unnamed " + std::string(kindInfo(kind).javaClass);
}

/** Whether the text needs more than copying: bytes past ASCII, or characters a file cannot hold. */
bool needsCare(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 || c == '\r' || c == '\n' || c == endOfFileByte;
    });
}

/**
 * Appends the text as one line of the file. Text that would not come back from the file as it
 * is (a line break, the end-of-file byte, a character outside Windows-1252) refuses the save.
 */
template <class Describe>
void appendTextLine(std::string& out, std::string_view text, Describe&& describeWhat) {
    if (needsCare(text)) {
        std::string problem = describeUnstorable(text);
        if (!problem.empty())
            throw Error("Cannot save " + describeWhat() + ": it holds " + problem +
                        ", which a design file cannot store");
        appendWindows1252(out, text);
    } else {
        out += text;
    }
    out += "\r\n";
}

void appendRecordLine(std::string& out, std::string_view tag, std::int32_t left, std::int32_t top,
                      std::int32_t height, std::int32_t width, std::int32_t events) {
    out += tag;
    for (std::int32_t value : {left, top, height, width, events}) {
        char digits[16];
        out += ':';
        out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    }
    out += "\r\n";
}

/** A control's record: its line, then caption, name and hint. */
void appendControlRecord(std::string& out, ControlKind kind, std::string_view name,
                         std::string_view caption, std::string_view hint, std::int32_t left,
                         std::int32_t top, std::int32_t width, std::int32_t height,
                         std::int32_t events) {
    appendRecordLine(out, tagOfKind(kind), left, top, height, width, events);
    auto describe = [&](const char* what) {
        return [=] { return std::string(what) + controlDescription(name, kind); };
    };
    appendTextLine(out, caption, describe("the caption of "));
    appendTextLine(out, name, describe("the name of "));
    appendTextLine(out, hint, describe("the hint of "));
}

} // namespace

namespace {

/**
 * Refuses a design file over 256 MB, or one whose loading would take more than four times its
 * size (beyond a small allowance), as files of many tiny records would. The writer checks what
 * it writes the same way, so that every file it writes can be read. Gives the control count.
 */
std::size_t checkDesignSize(std::string_view bytes) {
    if (bytes.size() > maximumFileSize)
        throw Error(std::string("The design") + tooLargeText);
    LoadCost cost = loadCostOf(beforeEndOfFile(bytes));
    // The bytes are let go before the controls are listed. In 64 bits nothing here overflows.
    std::size_t needed =
        cost.texts + std::max(bytes.size() + cost.controls * memoryPerControlBesideBytes,
                              cost.controls * memoryPerControl);
    if (needed > 4 * bytes.size() + memoryAllowance)
        throw Error(
            "The design has too many controls or too long texts for the size of its file (" +
            std::to_string(cost.controls) + " controls in " + std::to_string(bytes.size()) +
            " bytes): it would take more than four times that size to open");
    return cost.controls;
}

/** Walks the records of the bytes before the end-of-file byte, in file order. */
template <class Visit> void forEachRecord(std::string_view bytes, Visit&& visit) {
    LineReader reader(beforeEndOfFile(bytes));
    while (!reader.atEnd()) {
        RecordView record;
        takeRecordLineApart(reader.readLine(), record);
        record.caption = reader.readLine();
        record.name = reader.readLine();
        record.hint = reader.readLine();
        visit(record);
    }
}

/** Whether the record is four empty lines, such as blank lines at the end of a file make. */
bool holdsNothing(const RecordView& record) {
    return record.tag.empty() && record.left == 0 && record.top == 0 && record.height == 0 &&
           record.width == 0 && record.events == 0 && record.caption.empty() &&
           record.name.empty() && record.hint.empty();
}

} // namespace

std::vector<std::string> skippedRecordMessages(const SkippedRecords& skipped) {
    // A UTF-8 byte-order mark, as an editor may put at the start, read as Windows-1252.
    constexpr std::string_view byteOrderMark = "\xC3\xAF\xC2\xBB\xC2\xBF";
    std::vector<std::string> messages;
    for (const SkippedRecords::Record& record : skipped.first) {
        messages.push_back(
            "line " + std::to_string(record.line) + ": skipped a record with the unknown tag '" +
            printableExcerpt(record.tag) + "'" +
            (record.tag.starts_with(byteOrderMark) ? " (a byte-order mark stands before the tag)"
                                                   : ""));
    }
    if (skipped.count > skipped.first.size())
        messages.push_back("skipped " + std::to_string(skipped.count - skipped.first.size()) +
                           " more records with unknown tags");
    return messages;
}

namespace {

/**
 * A file's checks (its size, every number, the names), on bytes that stay where they are. The
 * records of a tag the reader does not know are noted in `skipped`, when given.
 */
std::vector<std::uint32_t> checkRecords(std::string_view bytes, std::size_t& controlCount,
                                        SkippedRecords* skipped) {
    controlCount = checkDesignSize(bytes);
    NameCheck names(controlCount);
    try {
        std::size_t line = 1;
        forEachRecord(bytes, [&](const RecordView& record) {
            names.check(record);
            if (skipped && !isKnownTag(record.tag) && !holdsNothing(record)) {
                if (skipped->first.size() < skippedRecordsListed)
                    skipped->first.push_back({line, excerptOf(record.tag)});
                ++skipped->count;
            }
            line += 4;
        });
    } catch (const Error&) {
        names.listedOrder(); // a name met twice before this fault is the first fault
        throw;
    }
    return names.listedOrder();
}

} // namespace

DesignFile parseDesignFile(std::string bytes) {
    DesignFile file;
    file.listedOrder_ = checkRecords(bytes, file.controlCount_, &file.skipped_);
    file.bytes_ = std::move(bytes);
    return file;
}

DesignFile readDesignFile(const std::string& path) {
    try {
        return parseDesignFile(readWholeFile(AT_FDCWD, path, path));
    } catch (const std::bad_alloc&) {
        throw Error(outOfMemoryMessage);
    }
}

DesignFile readDesignFileIn(const SafeFolder& folder, const std::string& name) {
    try {
        return parseDesignFile(
            readWholeFile(folder.descriptor(), name, folder.pathOf(name), O_NOFOLLOW));
    } catch (const std::bad_alloc&) {
        throw Error(outOfMemoryMessage);
    }
}

/** Applies the file; `created` runs once every control is made, before they are listed. */
template <class Created>
void applyRecords(Design& design, const DesignFile& file, Created&& created) {
    if (!design.controls().empty()) {
        forEachRecord(file.bytes_, [&](const RecordView& record) {
            if (kindOfTag(record.tag) && design.findControl(record.name))
                throw Error(duplicateNameMessage(record.name));
        });
    }
    design.reserveControls(file.controlCount_);
    struct BulkChange {
        Design& design;
        explicit BulkChange(Design& d) : design(d) { design.beginBulkChange(); }
        ~BulkChange() { design.endBulkChange(); }
    } bulk(design);
    std::size_t firstLoaded = design.controls().size();
    forEachRecord(file.bytes_, [&](const RecordView& record) {
        if (record.tag == windowTag) {
            design.setWindowLeft(record.left);
            design.setWindowTop(record.top);
            design.setWindowHeight(record.height);
            design.setWindowWidth(record.width);
            design.setJavaClassName(decodeWindows1252(record.name));
            design.setCaption(decodeWindows1252(record.caption));
        } else if (std::optional<ControlKind> kind = kindOfTag(record.tag)) {
            Control& control = createOfKind(design, *kind, false);
            design.setLeft(control, record.left);
            design.setTop(control, record.top);
            design.setHeight(control, record.height);
            design.setWidth(control, record.width);
            design.setTag(control, record.events);
            // The name first: a rename may carry the caption along, and the saved caption wins.
            design.renameChecked(control, std::string(record.name));
            design.setCaption(control, decodeWindows1252(record.caption));
            design.setHint(control, decodeWindows1252(record.hint));
            design.setShowHint(control, true);
        }
    });
    created();
    std::vector<Control*> listed;
    listed.reserve(file.listedOrder_.size());
    for (std::uint32_t index : file.listedOrder_)
        listed.push_back(design.controls()[firstLoaded + index].get());
    design.listControls(listed);
}

void applyDesignFile(Design& design, const DesignFile& file) {
    applyRecords(design, file, [] {});
}

void applyDesignFile(Design& design, DesignFile&& file) {
    applyRecords(design, file, [&] { std::string().swap(file.bytes_); });
}

void CarregaJanela(Design& design, const std::string& path) {
    applyDesignFile(design, readDesignFile(path));
}

SkippedRecords openDesign(Design& design, const std::string& path) {
    DesignFile file = readDesignFile(path);
    SkippedRecords skipped = file.skippedRecords();
    design.clear();
    applyDesignFile(design, std::move(file));
    return skipped;
}

std::string serializeDesign(const Design& design) {
    const DesignWindow& window = design.window();
    std::string out;
    out.reserve(64 + design.controls().size() * 96);
    appendRecordLine(out, windowTag, window.left, window.top, window.height, window.width, 0);
    appendTextLine(out, window.caption, [] { return std::string("the window caption"); });
    appendTextLine(out, window.JavaClassName, [] { return std::string("the class name"); });
    out += "\r\n";
    for (const auto& control : design.controls()) {
        const Control& c = *control;
        appendControlRecord(out, c.kind(), c.name(), c.caption(), c.hint(), c.left(), c.top(),
                            c.width(), c.height(), c.tag());
    }
    return out;
}

std::string controlRecords(std::span<const ControlData> controls) {
    std::string out;
    out.reserve(controls.size() * 96);
    for (const ControlData& c : controls) {
        if (kindIndex(c.kind) >= controlKindCount)
            throw Error("Unknown control kind");
        appendControlRecord(out, c.kind, c.name, c.caption, c.hint, c.left, c.top, c.width,
                            c.height, c.tag);
    }
    return out;
}

bool holdsControlRecords(std::string_view text) {
    // Only the tags of the records' first lines: their numbers are the reader's to check.
    LineReader reader(beforeEndOfFile(text));
    for (std::size_t line = 0; !reader.atEnd(); ++line) {
        std::string_view read = reader.readLine();
        if (line % 4 == 0 && kindOfTag(tagOfLine(read)))
            return true;
    }
    return false;
}

std::vector<ControlData> readControlRecords(std::string_view text,
                                            const std::function<void(std::size_t)>& counted) {
    try {
        // The file's checks, names included, on the text where it stands: a big paste is not
        // copied first.
        std::size_t controlCount = 0;
        checkRecords(text, controlCount, nullptr);
        if (counted && controlCount > 0)
            counted(controlCount);
        std::vector<ControlData> controls;
        controls.reserve(controlCount);
        forEachRecord(text, [&](const RecordView& record) {
            std::optional<ControlKind> kind = kindOfTag(record.tag);
            if (!kind)
                return;
            controls.push_back({*kind, std::string(record.name), decodeWindows1252(record.caption),
                                decodeWindows1252(record.hint), true, record.left, record.top,
                                record.width, record.height, record.events});
        });
        if (controls.empty())
            throw Error("The text holds no controls");
        return controls;
    } catch (const std::bad_alloc&) {
        throw Error(outOfMemoryMessage);
    }
}

std::string savedDesignBytes(const Design& design) {
    std::string bytes = serializeDesign(design);
    try {
        checkDesignSize(bytes);
    } catch (const Error& error) {
        throw Error(std::string("Cannot save: ") + error.what());
    }
    return bytes;
}

void GravaJanela(const Design& design, const std::string& path) {
    writeFileAtomically(path, savedDesignBytes(design));
}

} // namespace vap
