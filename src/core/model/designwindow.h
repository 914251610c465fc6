#pragma once

#include <cstdint>
#include <string>

namespace vap {

/** The designed window: the designer's own main window, read as the Java window. */
struct DesignWindow {
    /** The caption of the designer's form before the language texts replace it. */
    static constexpr const char* formCaption = "Fenestro - Gerador de Janelas em Java";

    std::string caption = formCaption;
    /** Outer bounds in screen pixels, frame included. */
    std::int32_t left = 230;
    std::int32_t top = 189;
    std::int32_t width = 336;
    std::int32_t height = 230;
    bool resizable = false;
    bool modal = false;
    std::string JavaClassName;

    bool operator==(const DesignWindow&) const = default;
};

} // namespace vap
