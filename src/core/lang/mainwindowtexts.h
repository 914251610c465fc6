#pragma once

#include "texts3.h"

#include <map>
#include <span>
#include <string>
#include <string_view>

namespace vap {

/** A menu entry of the main window whose caption follows the language. */
struct MenuEntryText {
    std::string_view component; // opc1, ..., obj2
    std::string_view initial;   // the caption before any language is applied
    Texts3 texts;
};

/** The sixteen language-dependent entries of the two pop-up menus, in the order they are set. */
std::span<const MenuEntryText> mainMenuTextTable();

inline constexpr Texts3 openDialogTitle{"Abrir", "Open", "Abra"};
inline constexpr Texts3 saveDialogTitle{"Salvar", "Save", "Ahorre"};
inline constexpr Texts3 designFileFilter{"Arquivos do Vaporina|*.vap",
                                         "Files of the Vaporina|*.vap",
                                         "Los archivos de la Vaporina|*.vap"};

/** The main window's texts as last applied, for a window to put on its menus and dialogs. */
struct MainWindowTexts {
    std::map<std::string, std::string, std::less<>> menuCaptions; // by component name
    std::string openTitle;                                        // empty: Qt's own title
    std::string openFilter = std::string(designFileFilter.pt);
    std::string saveTitle;
    std::string saveFilter = std::string(designFileFilter.pt);

    /** The texts of the designed form, before the first language is applied. */
    static MainWindowTexts initial();
    const std::string& menuCaption(std::string_view component) const;
};

} // namespace vap
