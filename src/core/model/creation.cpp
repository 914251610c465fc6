#include "creation.h"

namespace vap {

Control& CriaJLabel(Design& design, bool listing) {
    return design.createControl(ControlKind::Label, listing);
}
Control& CriaJTextField(Design& design, bool listing) {
    return design.createControl(ControlKind::TextField, listing);
}
Control& CriaJPasswordField(Design& design, bool listing) {
    return design.createControl(ControlKind::PasswordField, listing);
}
Control& CriaJButton(Design& design, bool listing) {
    return design.createControl(ControlKind::Button, listing);
}
Control& CriaJList(Design& design, bool listing) {
    return design.createControl(ControlKind::List, listing);
}
Control& CriaJComboBox(Design& design, bool listing) {
    return design.createControl(ControlKind::ComboBox, listing);
}

Control& createOfKind(Design& design, ControlKind kind, bool listing) {
    switch (kind) {
    case ControlKind::Label:
        return CriaJLabel(design, listing);
    case ControlKind::TextField:
        return CriaJTextField(design, listing);
    case ControlKind::PasswordField:
        return CriaJPasswordField(design, listing);
    case ControlKind::Button:
        return CriaJButton(design, listing);
    case ControlKind::List:
        return CriaJList(design, listing);
    case ControlKind::ComboBox:
        break;
    }
    return CriaJComboBox(design, listing);
}

} // namespace vap
