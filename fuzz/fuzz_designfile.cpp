// The design-file reader under fuzzing: any bytes either fail with vap::Error or load; a loaded
// file applies to an empty design, keeps the object list and counters right, saves with every
// text kept byte for byte, and the save loads again to the same design and the same bytes. Both
// generators run on it with the file's class name: refused clearly, or Java with sound names.
#include "fuzz_designfile.h"

#include "core/codegen/commenttexts.h"
#include "core/codegen/exampleclass.h"
#include "core/codegen/windowobjects.h"
#include "core/files/designfile.h"
#include "core/model/design.h"
#include "core/model/error.h"
#include "core/model/naming.h"
#include "core/model/objectlist.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_designfile: %s\n", what);
    std::abort();
}

void require(bool condition, const char* what) {
    if (!condition)
        fail(what);
}

/** Everything a load decides, as plain values. */
using ControlValues =
    std::tuple<vap::ControlKind, std::string, std::string, std::string, bool, std::int32_t,
               std::int32_t, std::int32_t, std::int32_t, std::int32_t>;
struct Snapshot {
    vap::DesignWindow window;
    std::vector<ControlValues> controls;
    std::vector<std::string> objectList;
    std::vector<std::int32_t> counters;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshotOf(const vap::Design& design) {
    Snapshot snapshot{design.window(), {}, design.objectList().names(), {}};
    for (const auto& c : design.controls())
        snapshot.controls.emplace_back(c->kind(), c->name(), c->caption(), c->hint(), c->showHint(),
                                       c->left(), c->top(), c->width(), c->height(), c->tag());
    for (vap::ControlKind kind : vap::allControlKinds)
        snapshot.counters.push_back(design.kindCounter(kind));
    return snapshot;
}

/** The object list holds exactly the controls' names, sorted; each counter counts its kind. */
void checkInvariants(const vap::Design& design) {
    std::vector<std::string> names;
    for (const auto& control : design.controls())
        names.push_back(control->name());
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return vap::listedNameLess(a, b);
    });
    std::vector<std::string> listed = design.objectList().names();
    require(std::is_sorted(listed.begin(), listed.end(),
                           [](const std::string& a, const std::string& b) {
                               return vap::listedNameLess(a, b);
                           }),
            "the object list is not sorted");
    std::vector<std::string> sortedListed = listed;
    std::sort(sortedListed.begin(), sortedListed.end());
    std::sort(names.begin(), names.end());
    require(sortedListed == names, "the object list differs from the controls' names");
    for (vap::ControlKind kind : vap::allControlKinds) {
        auto count = std::count_if(design.controls().begin(), design.controls().end(),
                                   [kind](const auto& control) { return control->kind() == kind; });
        require(design.kindCounter(kind) == count, "a kind counter differs from its controls");
    }
    for (const auto& control : design.controls()) {
        if (!control->name().empty())
            require(design.findControl(control->name()) == control.get(),
                    "a loaded control is not found by its name");
    }
}

/** The file's lines as the reader splits them: up to Ctrl-Z, ended by CR LF, CR or LF. */
std::vector<std::string_view> linesOf(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\x1A'));
    std::vector<std::string_view> lines;
    std::size_t position = 0;
    while (position < bytes.size()) {
        std::size_t end = std::min(bytes.find_first_of("\r\n", position), bytes.size());
        lines.push_back(bytes.substr(position, end - position));
        position = end;
        if (position < bytes.size() && bytes[position] == '\r')
            ++position;
        if (position < bytes.size() && bytes[position] == '\n')
            ++position;
    }
    return lines;
}

/** A record's tag and three text lines, straight from the bytes; missing lines are empty. */
struct RawRecord {
    std::string_view tag;
    std::array<std::string_view, 3> texts;
    bool operator==(const RawRecord&) const = default;
};

std::vector<RawRecord> rawRecordsOf(std::string_view bytes) {
    std::vector<std::string_view> lines = linesOf(bytes);
    std::vector<RawRecord> records;
    for (std::size_t first = 0; first < lines.size(); first += 4) {
        RawRecord record;
        std::size_t colon = lines[first].find(':');
        record.tag =
            colon == std::string_view::npos ? std::string_view() : lines[first].substr(0, colon);
        for (std::size_t i = 0; i < 3 && first + 1 + i < lines.size(); ++i)
            record.texts[i] = lines[first + 1 + i];
        records.push_back(record);
    }
    return records;
}

bool isControlTag(std::string_view tag) {
    return tag == "LAB" || tag == "TXF" || tag == "PWD" || tag == "BUT" || tag == "LIS" ||
           tag == "CBX";
}

/**
 * The save keeps every text byte for byte: each control record's tag, caption, name and hint in
 * file order, and the caption and class name of the last window record.
 */
void checkTextsKept(std::string_view original, std::string_view saved) {
    std::vector<RawRecord> before = rawRecordsOf(original);
    std::vector<RawRecord> after = rawRecordsOf(saved);
    require(!after.empty() && after.front().tag == "JAN", "a save does not begin with JAN");
    std::vector<RawRecord> controlsBefore;
    const RawRecord* window = nullptr;
    for (const RawRecord& record : before) {
        if (isControlTag(record.tag))
            controlsBefore.push_back(record);
        else if (record.tag == "JAN")
            window = &record;
    }
    require(
        std::equal(controlsBefore.begin(), controlsBefore.end(), after.begin() + 1, after.end()),
        "a save changed a control's texts or kind");
    if (window) {
        require(after.front().texts[0] == window->texts[0] &&
                    after.front().texts[1] == window->texts[1],
                "a save changed the window's caption or class name");
    }
}

/**
 * Both generators on a loaded design, with the file's class name: either a clear refusal, or
 * Java whose names are identifiers that Java takes.
 */
void checkGenerators(vap::Design& design) {
    struct LineChecker final : vap::LineSink {
        std::size_t lines = 0;
        void add(std::string line) override {
            require(line.find_first_of("\r\n") == std::string::npos,
                    "a generated line holds a line break");
            ++lines;
        }
    } checker;
    const std::size_t& lines = checker.lines;
    try {
        vap::GeraObjetosJanela(design, vap::commentTextsFor(vap::Language::Portuguese), checker);
        for (const auto& control : design.controls())
            require(vap::isValidComponentName(control->name()) && control->name() != "System",
                    "window-objects code was written for a name Java cannot take");
    } catch (const vap::Error& error) {
        require(lines == 0, "window-objects code stopped halfway");
        require(*error.what() != '\0', "a refusal without a message");
    }
    for (vap::LanguageCode lingua : {vap::LanguageCode(1), vap::LanguageCode(4)}) {
        vap::ExampleClassContext context{lingua,
                                         "Vaporina",
                                         "1.02",
                                         vap::commentTextsFor(vap::Language::Portuguese),
                                         {"Dez", 2024}};
        std::string held = design.window().JavaClassName;
        try {
            vap::GeneratedCode code =
                vap::GeraClasseExemplo(design, context, [](const vap::ClassNamePrompt& prompt) {
                    return std::optional<std::string>(prompt.initialValue);
                });
            const std::string& name = design.window().JavaClassName;
            require(vap::isValidClassName(name), "a class was written with an invalid name");
            require(std::find(code.lines.begin(), code.lines.end(),
                              "public class " + name + " extends JFrame {") != code.lines.end(),
                    "the class line lacks the class name");
        } catch (const vap::Error&) {
            require(held.empty() || design.window().JavaClassName == held,
                    "a refused class name was stored");
        }
    }
}

/**
 * Parses and applies to a fresh design; nullopt when the bytes are refused with vap::Error. With
 * `generatorsToo`, the generators then run on the loaded design, after the save, so that a class
 * name they store changes nothing saved.
 */
std::optional<std::string> loadAndSave(const std::string& bytes, Snapshot& loaded,
                                       bool generatorsToo = false) {
    std::optional<vap::DesignFile> file;
    try {
        file = vap::parseDesignFile(bytes);
    } catch (const vap::Error& error) {
        // A message quotes a short excerpt of the text, however long the text.
        require(std::strlen(error.what()) < 400, "a message longer than its excerpt allows");
        return std::nullopt;
    }
    vap::Design design;
    try {
        vap::applyDesignFile(design, *file);
    } catch (const vap::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        fail("a checked file was refused by an empty design");
    }
    require(design.controls().size() == file->controlCount(), "not one control per control record");
    checkInvariants(design);
    loaded = snapshotOf(design);
    std::string saved;
    try {
        saved = vap::serializeDesign(design);
    } catch (const vap::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        fail("a loaded design cannot be saved");
    }
    if (generatorsToo)
        checkGenerators(design);
    return saved;
}

} // namespace

int vapFuzzDesignFile(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    Snapshot first;
    std::optional<std::string> saved = loadAndSave(bytes, first, true);
    if (!saved)
        return 0;
    checkTextsKept(bytes, *saved);
    Snapshot second;
    std::optional<std::string> savedAgain = loadAndSave(*saved, second);
    require(savedAgain.has_value(), "the save of a loaded file does not load");
    require(second == first, "the save of a loaded file loads to another design");
    require(*savedAgain == *saved, "saving a reloaded design gives other bytes");
    return 0;
}
