#pragma once

#include "controlkind.h"

#include <cstdint>
#include <string>

namespace vap {

class Design;

/** What a drag on a control moves: every control of the designer moves itself. */
enum class TWhoToMove { mwSelf };

/** A control's values apart from the control: what undo keeps of a deleted one. */
struct ControlData {
    ControlKind kind = ControlKind::Label;
    std::string name;
    std::string caption;
    std::string hint;
    bool showHint = true;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t tag = 0;

    bool operator==(const ControlData&) const = default;
};

/**
 * One Java control of the design. It is read freely; it changes only through the operations of
 * the Design that owns it, so that the name index, the object list and the observers stay in step.
 */
class Control {
public:
    ControlKind kind() const { return kind_; }
    /** True for a text field, false for a password field and every other kind. */
    bool eTextField() const { return kind_ == ControlKind::TextField; }
    TWhoToMove moveWho() const { return TWhoToMove::mwSelf; }

    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    const std::string& hint() const { return hint_; }
    bool showHint() const { return showHint_; }
    std::int32_t left() const { return left_; }
    std::int32_t top() const { return top_; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    /** The event mask. */
    std::int32_t tag() const { return tag_; }
    ControlData data() const {
        return {kind_, name_, caption_, hint_, showHint_, left_, top_, width_, height_, tag_};
    }

private:
    friend class Design;
    explicit Control(ControlKind kind)
        : kind_(kind), width_(kindInfo(kind).defaultWidth), height_(kindInfo(kind).defaultHeight) {}

    // The small fields side by side: a design holds hundreds of thousands of controls, and
    // each allocation of one is 16 bytes smaller so.
    ControlKind kind_;
    bool showHint_ = false;
    bool listed_ = false; // its name is in the object list
    std::string name_;
    std::string caption_;
    std::string hint_;
    std::int32_t left_ = 0;
    std::int32_t top_ = 0;
    std::int32_t width_;
    std::int32_t height_;
    std::int32_t tag_ = 0;
    const Design* owner_ = nullptr;
};

} // namespace vap
