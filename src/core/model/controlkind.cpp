#include "controlkind.h"

namespace vap {

namespace {
constexpr std::array<KindInfo, controlKindCount> kindTable{{
    {"TJLabel", "JLabel", "JLabel", "CriaJLabel", 57, 13},
    {"TJTextField", "JTextField", "JTextField", "CriaJTextField", 100, 21},
    {"TJTextField", "JPasswordField", "JPasswordField", "CriaJPasswordField", 100, 21},
    {"TJButton", "JButton", "JButton", "CriaJButton", 100, 30},
    {"TJList", "JList", "JList", "CriaJList", 130, 160},
    {"TJComboBox", "JComboBox", "jComboBox", "CriaJComboBox", 130, 21},
}};
} // namespace

const KindInfo& kindInfo(ControlKind kind) {
    return kindTable[kindIndex(kind)];
}

} // namespace vap
