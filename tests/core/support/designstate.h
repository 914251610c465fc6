#pragma once

#include "core/model/design.h"

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace vaptest {

/** What can be observed of a control, its identity aside. */
struct ControlState {
    vap::ControlKind kind;
    std::string name;
    std::string caption;
    std::string hint;
    bool showHint;
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
    std::int32_t tag;
    bool operator==(const ControlState&) const = default;
};

/** What can be observed of a design: two designs with equal states are indistinguishable. */
struct DesignState {
    vap::DesignWindow window;
    std::vector<ControlState> controls;
    std::vector<std::string> objectList;
    std::array<std::int32_t, 6> counters;
    bool operator==(const DesignState&) const = default;
};

inline DesignState stateOf(const vap::Design& design) {
    DesignState state{design.window(), {}, design.objectList().names(), {}};
    for (const auto& c : design.controls())
        state.controls.push_back({c->kind(), c->name(), c->caption(), c->hint(), c->showHint(),
                                  c->left(), c->top(), c->width(), c->height(), c->tag()});
    for (vap::ControlKind kind : vap::allControlKinds)
        state.counters[vap::kindIndex(kind)] = design.kindCounter(kind);
    return state;
}

/** The controls' names in creation order. */
inline std::vector<std::string> namesOf(const vap::Design& design) {
    std::vector<std::string> names;
    for (const auto& control : design.controls())
        names.push_back(control->name());
    return names;
}

inline void PrintTo(const ControlState& c, std::ostream* out) {
    *out << vap::kindInfo(c.kind).javaClass << " '" << c.name << "' caption '" << c.caption
         << "' hint '" << c.hint << "' showHint " << c.showHint << " at (" << c.left << ", "
         << c.top << ") " << c.width << "x" << c.height << " tag " << c.tag;
}

inline void PrintTo(const DesignState& s, std::ostream* out) {
    const vap::DesignWindow& w = s.window;
    *out << "\n  window '" << w.caption << "' class '" << w.JavaClassName << "' at (" << w.left
         << ", " << w.top << ") " << w.width << "x" << w.height << " resizable " << w.resizable
         << " modal " << w.modal;
    for (const ControlState& c : s.controls) {
        *out << "\n  ";
        PrintTo(c, out);
    }
    *out << "\n  object list:";
    for (const std::string& name : s.objectList)
        *out << " '" << name << "'";
    *out << "\n  counters:";
    for (std::int32_t counter : s.counters)
        *out << ' ' << counter;
}

} // namespace vaptest
