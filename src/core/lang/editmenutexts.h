#pragma once

#include "mainwindowtexts.h"

#include <array>

namespace vap {

/**
 * The entries the main window's menus gained after their first fifteen: editing on the control
 * menu, its arrangements on a submenu, and pasting and selecting on the main menu. Each caption
 * marks its access letter with '&', unique within its menu in every language.
 */
inline constexpr std::array<MenuEntryText, 17> editMenuTextTable{{
    {"objCut", "Recor&tar", {"Recor&tar", "Cu&t", "Cor&tar"}},
    {"objCopy", "&Copiar", {"&Copiar", "&Copy", "&Copiar"}},
    {"objPaste", "Cola&r", {"Cola&r", "&Paste", "&Pegar"}},
    {"objDuplicate", "&Duplicar", {"&Duplicar", "&Duplicate", "&Duplicar"}},
    {"objArrange", "Ali&nhar", {"Ali&nhar", "A&lign", "Ali&near"}},
    {"arrLeft", "À &esquerda", {"À &esquerda", "&Left", "A la &izquierda"}},
    {"arrRight", "À &direita", {"À &direita", "&Right", "A la &derecha"}},
    {"arrTop", "Pelo &topo", {"Pelo &topo", "&Top", "&Arriba"}},
    {"arrBottom", "Pela &base", {"Pela &base", "&Bottom", "A&bajo"}},
    {"arrCentres", "&Centros", {"&Centros", "&Centers", "&Centros"}},
    {"arrMiddles", "&Meios", {"&Meios", "&Middles", "&Medios"}},
    {"arrWidth", "Mesma &largura", {"Mesma &largura", "Same &width", "Misma anc&hura"}},
    {"arrHeight", "Mesma &altura", {"Mesma &altura", "Same h&eight", "Misma al&tura"}},
    {"arrAcross",
     "Distribuir na hori&zontal",
     {"Distribuir na hori&zontal", "Distribute hori&zontally", "Distribuir hori&zontalmente"}},
    {"arrDown",
     "Distribuir na &vertical",
     {"Distribuir na &vertical", "Distribute &vertically", "Distribuir &verticalmente"}},
    {"opcPaste", "Cola&r", {"Cola&r", "&Paste", "&Pegar"}},
    {"opcSelectAll", "Selecionar &tudo", {"Selecionar &tudo", "Selec&t All", "Seleccionar &todo"}},
}};

/**
 * The undo and redo entries at the end of the main menu and the control menu: the verb with its
 * access letter, which the name of the step it takes back or brings again follows.
 */
struct HistoryEntryText {
    std::string_view component;
    bool redo;
    Texts3 verb;
};
inline constexpr std::array<HistoryEntryText, 4> historyEntryTexts{{
    {"opcUndo", false, {"&Desfazer", "&Undo", "&Deshacer"}},
    {"opcRedo", true, {"Refa&zer", "&Redo", "&Rehacer"}},
    {"objUndo", false, {"Des&fazer", "&Undo", "De&shacer"}},
    {"objRedo", true, {"Refa&zer", "&Redo", "&Rehacer"}},
}};

/** A paste asked of a clipboard that holds no controls: nothing, or text of another kind. */
inline constexpr Texts3 noControlsToPaste{"A área de transferência não contém objetos",
                                          "The clipboard holds no controls",
                                          "El portapapeles no contiene objetos"};

} // namespace vap
