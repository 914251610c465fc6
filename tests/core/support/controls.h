#pragma once

#include "core/model/creation.h"
#include "core/model/design.h"

#include <cstdint>
#include <string>

namespace vaptest {

/** The fields a test gives a control after it is created under its default name. */
struct ControlValues {
    std::string caption;
    std::string hint;
    std::int32_t left, top, width, height;
    std::int32_t tag;
};

/** Gives the control those fields. */
inline void setValues(vap::Design& design, const vap::Control& control,
                      const ControlValues& values) {
    design.setCaption(control, values.caption);
    design.setHint(control, values.hint);
    design.setLeft(control, values.left);
    design.setTop(control, values.top);
    design.setWidth(control, values.width);
    design.setHeight(control, values.height);
    design.setTag(control, values.tag);
}

inline vap::Control& addControl(vap::Design& design, vap::ControlKind kind,
                                const ControlValues& values) {
    vap::Control& control = vap::createOfKind(design, kind, true);
    setValues(design, control, values);
    return control;
}

} // namespace vaptest
