#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vap {

/** The six kinds of Java control, in the order in which every reader tells them apart. */
enum class ControlKind { Label, TextField, PasswordField, Button, List, ComboBox };

inline constexpr std::size_t controlKindCount = 6;

inline constexpr std::array<ControlKind, controlKindCount> allControlKinds{
    ControlKind::Label,  ControlKind::TextField, ControlKind::PasswordField,
    ControlKind::Button, ControlKind::List,      ControlKind::ComboBox};

struct KindInfo {
    std::string_view className;         // the designer's class: TJLabel, TJTextField, ...
    std::string_view javaClass;         // JLabel, JTextField, JPasswordField, ...
    std::string_view defaultNamePrefix; // JLabel, ..., jComboBox
    std::string_view creationRoutine;   // CriaJLabel, ...
    std::int32_t defaultWidth;
    std::int32_t defaultHeight;
};

const KindInfo& kindInfo(ControlKind kind);

inline std::size_t kindIndex(ControlKind kind) {
    return static_cast<std::size_t>(kind);
}

} // namespace vap
