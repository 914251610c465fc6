#pragma once

#include "design.h"

namespace vap {

// The six creation routines. With the listing switch on the control gets the kind's next default
// name (JLabel1, ..., jComboBox1) and joins the object list; with it off it stays unnamed and
// unlisted for the design-file loader to name and list. A refused default name throws vap::Error.
Control& CriaJLabel(Design& design, bool listing);
Control& CriaJTextField(Design& design, bool listing);
Control& CriaJPasswordField(Design& design, bool listing);
Control& CriaJButton(Design& design, bool listing);
Control& CriaJList(Design& design, bool listing);
Control& CriaJComboBox(Design& design, bool listing);

/** The creation routine of a kind. */
Control& createOfKind(Design& design, ControlKind kind, bool listing);

} // namespace vap
