// Randomised properties of the design, its creation routines and its file, from fixed seeds.
#include "core/files/designfile.h"
#include "core/files/windows1252.h"
#include "core/model/componentnames.h"
#include "core/model/creation.h"
#include "core/model/design.h"
#include "core/model/error.h"
#include "core/model/naming.h"
#include "core/model/objectlist.h"
#include "core/support/designstate.h"
#include "core/support/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using vap::ControlKind;

class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(engine_); }
    bool chance(int percent) { return below(100) < percent; }
    template <class T> const T& pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))];
    }
    ControlKind kind() { return vap::allControlKinds[static_cast<std::size_t>(below(6))]; }

    /** Any 32-bit value, the limits and small values more often than their share. */
    std::int32_t integer() {
        switch (below(4)) {
        case 0:
            return pick(std::vector<std::int32_t>{INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX});
        case 1:
            return below(2001) - 1000;
        default:
            return std::uniform_int_distribution<std::int32_t>(INT32_MIN, INT32_MAX)(engine_);
        }
    }

    /** Any text a line of a design file holds: every Windows-1252 byte but CR, LF and Ctrl-Z. */
    std::string windows1252Text() {
        std::string bytes;
        for (int length = below(4) == 0 ? 0 : below(24); length > 0; --length) {
            char byte = static_cast<char>(below(256));
            if (byte != '\r' && byte != '\n' && byte != '\x1A')
                bytes += byte;
        }
        return vap::decodeWindows1252(bytes);
    }

    /** A valid identifier: a letter or '_', then letters, digits and '_'. */
    std::string identifier() {
        static const std::string first = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
        static const std::string rest = first + "0123456789";
        std::string name(1, first[static_cast<std::size_t>(below(static_cast<int>(first.size())))]);
        for (int length = below(10); length > 0; --length)
            name += rest[static_cast<std::size_t>(below(static_cast<int>(rest.size())))];
        return name;
    }

    /** A name the creation routines would give, so that later creations may meet it. */
    std::string defaultLikeName() {
        std::string name(vap::kindInfo(kind()).defaultNamePrefix);
        name += std::to_string(1 + below(6));
        if (chance(30))
            name = vap::toLowerAscii(name);
        return name;
    }

private:
    std::mt19937 engine_;
};

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

/** The test's own statement of the naming rules: which names a control may take. */
bool renameAllowed(const vap::Design& design, const vap::Control& control,
                   const std::string& name) {
    // Java's reserved words are not restated here: an identifier that is one is refused.
    bool valid = !name.empty() && isAsciiLetter(name[0]) &&
                 std::all_of(name.begin(), name.end(),
                             [](char c) { return isAsciiLetter(c) || (c >= '0' && c <= '9'); }) &&
                 !vap::isJavaReservedWord(name);
    if (!valid)
        return false;
    for (std::string_view designerName : vap::designerComponentNames()) {
        if (vap::equalIgnoringCase(designerName, name))
            return false;
    }
    for (const auto& other : design.controls()) {
        if (other.get() != &control && vap::equalIgnoringCase(other->name(), name))
            return false;
    }
    return true;
}

std::vector<std::string> sortedControlNames(const vap::Design& design) {
    std::vector<std::string> names;
    for (const auto& control : design.controls())
        names.push_back(control->name());
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return vap::listedNameLess(a, b);
    });
    return names;
}

std::array<std::int32_t, 6> controlsPerKind(const vap::Design& design) {
    std::array<std::int32_t, 6> counts{};
    for (const auto& control : design.controls())
        ++counts[vap::kindIndex(control->kind())];
    return counts;
}

std::array<std::int32_t, 6> countersOf(const vap::Design& design) {
    return vaptest::stateOf(design).counters;
}

/** A design with every kind, name, text, bound and mask drawn at random. */
void fillAtRandom(vap::Design& design, Random& random) {
    design.setCaption(random.windows1252Text());
    design.setJavaClassName(random.windows1252Text());
    design.setWindowLeft(random.integer());
    design.setWindowTop(random.integer());
    design.setWindowWidth(random.integer());
    design.setWindowHeight(random.integer());
    for (int count = random.below(13); count > 0; --count) {
        const vap::Control* made = nullptr;
        try {
            made = &vap::createOfKind(design, random.kind(), true);
        } catch (const vap::Error&) {
            continue; // a random name took the default one
        }
        const vap::Control& control = *made;
        if (random.chance(60)) {
            std::string name = random.chance(10) ? std::string() : random.identifier();
            if (renameAllowed(design, control, name))
                design.rename(control, name);
        }
        if (random.chance(70))
            design.setCaption(control, random.windows1252Text());
        design.setHint(control, random.windows1252Text());
        design.setLeft(control, random.integer());
        design.setTop(control, random.integer());
        design.setWidth(control, random.integer());
        design.setHeight(control, random.integer());
        design.setTag(control, random.chance(75) ? random.below(32) : random.integer());
    }
}

TEST(DesignFileProperties, SaveLoadSaveGivesTheSameBytesAndTheSameDesign) {
    constexpr int iterations = 400;
    Random random(20240611);
    std::size_t controls = 0;
    for (int iteration = 0; iteration < iterations; ++iteration) {
        SCOPED_TRACE("iteration " + std::to_string(iteration));
        vap::Design original;
        fillAtRandom(original, random);
        // The marks are not kept in the file: set, they must not travel.
        original.setResizable(random.chance(50));
        original.setModal(random.chance(50));
        controls += original.controls().size();

        std::string saved = vap::serializeDesign(original);
        vap::Design loaded;
        vap::applyDesignFile(loaded, vap::parseDesignFile(saved));
        EXPECT_EQ(vap::serializeDesign(loaded), saved);

        EXPECT_FALSE(loaded.window().resizable);
        EXPECT_FALSE(loaded.window().modal);
        vaptest::DesignState expected = vaptest::stateOf(original);
        expected.window.resizable = expected.window.modal = false;
        expected.counters = controlsPerKind(original);
        ASSERT_EQ(vaptest::stateOf(loaded), expected);
    }
    std::printf("[ property ] %d random designs (%zu controls) saved, loaded and saved again\n",
                iterations, controls);
}

/** Runs random commands against a design and checks its list and counters after each. */
class CommandSequence {
public:
    CommandSequence(std::uint32_t seed, const vaptest::TempDir& dir) : random_(seed), dir_(dir) {}

    void step() {
        int roll = random_.below(100);
        if (roll < 45)
            create();
        else if (roll < 70)
            rename();
        else if (roll < 85)
            remove();
        else if (roll < 90)
            clear();
        else if (roll < 95)
            save();
        else
            open();
        checkListAndCounters();
    }

    int refusedCreations = 0;
    int refusedRenames = 0;
    int opens = 0;

private:
    void create() {
        ControlKind kind = random_.kind();
        std::size_t before = design_.controls().size();
        std::int32_t number = ++counters_[vap::kindIndex(kind)];
        std::string defaultName =
            std::string(vap::kindInfo(kind).defaultNamePrefix) + std::to_string(number);
        bool taken = design_.findControl(defaultName) != nullptr;
        try {
            const vap::Control& made = vap::createOfKind(design_, kind, true);
            EXPECT_FALSE(taken) << defaultName << " was given twice";
            EXPECT_EQ(made.name(), defaultName);
            EXPECT_EQ(made.caption(), defaultName);
        } catch (const vap::Error& error) {
            EXPECT_TRUE(taken) << defaultName << " was refused: " << error.what();
            EXPECT_EQ(std::string(error.what()),
                      "A component named " + defaultName + " already exists");
            EXPECT_EQ(design_.controls().size(), before) << "a refused control stayed";
            ++refusedCreations;
        }
    }

    void rename() {
        if (design_.controls().empty())
            return;
        const vap::Control& control = *design_.controls()[static_cast<std::size_t>(
            random_.below(static_cast<int>(design_.controls().size())))];
        std::string name;
        switch (random_.below(7)) {
        case 0:
            name = random_.identifier();
            break;
        case 1:
            name = random_.defaultLikeName();
            break;
        case 2: // another control's name, or its own, in the other case
            name = vap::toLowerAscii(random_.pick(sortedControlNames(design_)));
            break;
        case 3:
            name = std::string(random_.pick(std::vector<std::string_view>(
                vap::designerComponentNames().begin(), vap::designerComponentNames().end())));
            if (random_.chance(50))
                name = vap::toLowerAscii(name);
            break;
        case 4:
            name = random_.pick(std::vector<std::string>{"1abc", "a b", "a-b", " a", "a ",
                                                         "\xC3\xA7\xC3\xA3o", "x\xC3\xA9"});
            break;
        case 5:
            name = "";
            break;
        default:
            name = random_.windows1252Text();
        }
        bool allowed = renameAllowed(design_, control, name);
        std::string oldName = control.name();
        try {
            design_.rename(control, name);
            EXPECT_TRUE(allowed) << "'" << oldName << "' renamed to refused '" << name << "'";
            EXPECT_EQ(control.name(), name);
        } catch (const vap::Error&) {
            EXPECT_FALSE(allowed) << "'" << oldName << "' not renamed to '" << name << "'";
            EXPECT_EQ(control.name(), oldName);
            ++refusedRenames;
        }
    }

    void remove() {
        if (design_.controls().empty())
            return;
        design_.deleteControl(*design_.controls()[static_cast<std::size_t>(
            random_.below(static_cast<int>(design_.controls().size())))]);
    }

    void clear() {
        design_.clear();
        EXPECT_TRUE(design_.controls().empty());
        counters_.fill(0);
    }

    void save() {
        std::string path = dir_.file("design" + std::to_string(saved_.size()) + ".vap");
        vaptest::writeBytes(path, vap::serializeDesign(design_));
        saved_.push_back({path, vaptest::stateOf(design_)});
    }

    void open() {
        if (saved_.empty())
            return;
        const Saved& file = random_.pick(saved_);
        vap::openDesign(design_, file.path);
        ++opens;
        vaptest::DesignState state = vaptest::stateOf(design_);
        EXPECT_EQ(state.controls, file.state.controls);
        counters_.fill(0);
        for (const vaptest::ControlState& control : file.state.controls)
            ++counters_[vap::kindIndex(control.kind)];
    }

    void checkListAndCounters() {
        ASSERT_EQ(design_.objectList().names(), sortedControlNames(design_));
        ASSERT_EQ(countersOf(design_), counters_);
        for (const auto& control : design_.controls()) {
            if (!control->name().empty()) {
                ASSERT_EQ(design_.findControl(control->name()), control.get());
            }
        }
    }

    struct Saved {
        std::string path;
        vaptest::DesignState state;
    };

    Random random_;
    const vaptest::TempDir& dir_;
    vap::Design design_;
    std::array<std::int32_t, 6> counters_{};
    std::vector<Saved> saved_;
};

TEST(DesignProperties, CommandsKeepTheObjectListAndTheKindCounters) {
    constexpr int sequences = 300;
    constexpr int steps = 60;
    vaptest::TempDir dir;
    int refusedCreations = 0, refusedRenames = 0, opens = 0;
    for (int sequence = 0; sequence < sequences; ++sequence) {
        SCOPED_TRACE("sequence " + std::to_string(sequence));
        CommandSequence commands(static_cast<std::uint32_t>(1000 + sequence), dir);
        for (int step = 0; step < steps && !testing::Test::HasFatalFailure(); ++step)
            commands.step();
        if (testing::Test::HasFatalFailure())
            return;
        refusedCreations += commands.refusedCreations;
        refusedRenames += commands.refusedRenames;
        opens += commands.opens;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            std::filesystem::remove(entry.path());
    }
    std::printf("[ property ] %d sequences of %d commands: %d creations refused, %d renames "
                "refused, %d opens\n",
                sequences, steps, refusedCreations, refusedRenames, opens);
    // The sequences must reach the refusals, or the properties above were hardly tried.
    EXPECT_GT(refusedCreations, 0);
    EXPECT_GT(refusedRenames, 0);
    EXPECT_GT(opens, 0);
}

} // namespace
