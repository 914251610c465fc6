#pragma once

#include "texts3.h"

#include <array>
#include <cstddef>

namespace vap {

/** The kinds of change the designer can undo, each named in the interface languages. */
enum class Step {
    CreateControl,
    DeleteControl,
    MoveControl,
    EditControl,
    RenameControl,
    ControlEvents,
    WindowCaption,
    Resizable,
    Modal,
    WindowBounds,
    ClassName,
    Clear,
    Open,
    MoveControls,
    ResizeControls,
    AlignLeft,
    AlignRight,
    AlignTop,
    AlignBottom,
    AlignHorizontalCentres,
    AlignVerticalCentres,
    SameWidth,
    SameHeight,
    DistributeHorizontally,
    DistributeVertically,
    DeleteControls,
    Paste,
    Duplicate,
    Cut,
};

inline constexpr std::array<Texts3, 29> stepNames{{
    {"criar objeto", "create object", "crear objeto"},
    {"excluir objeto", "delete object", "eliminar objeto"},
    {"mover objeto", "move object", "mover objeto"},
    {"alterar propriedade", "change property", "cambiar propiedad"},
    {"renomear objeto", "rename object", "renombrar objeto"},
    {"alterar eventos", "change events", "cambiar eventos"},
    {"alterar legenda", "change caption", "cambiar subtítulo"},
    {"redimensionável", "adjustable size", "tamaño ajustable"},
    {"modal", "modal", "modal"},
    {"mover ou redimensionar janela", "move or resize window", "mover o redimensionar ventana"},
    {"nome da classe", "class name", "nombre de la clase"},
    {"limpar", "clear", "borrar"},
    {"abrir", "open", "abrir"},
    {"mover objetos", "move objects", "mover objetos"},
    {"redimensionar objetos", "resize objects", "redimensionar objetos"},
    {"alinhar à esquerda", "align left", "alinear a la izquierda"},
    {"alinhar à direita", "align right", "alinear a la derecha"},
    {"alinhar pelo topo", "align top", "alinear arriba"},
    {"alinhar pela base", "align bottom", "alinear abajo"},
    {"centralizar horizontalmente", "center horizontally", "centrar horizontalmente"},
    {"centralizar verticalmente", "center vertically", "centrar verticalmente"},
    {"mesma largura", "same width", "misma anchura"},
    {"mesma altura", "same height", "misma altura"},
    {"distribuir horizontalmente", "distribute horizontally", "distribuir horizontalmente"},
    {"distribuir verticalmente", "distribute vertically", "distribuir verticalmente"},
    {"excluir objetos", "delete objects", "eliminar objetos"},
    {"colar", "paste", "pegar"},
    {"duplicar", "duplicate", "duplicar"},
    {"recortar", "cut", "cortar"},
}};

inline constexpr Texts3 undoText{"Desfazer", "Undo", "Deshacer"};
inline constexpr Texts3 redoText{"Refazer", "Redo", "Rehacer"};

inline constexpr const Texts3& stepName(Step step) {
    return stepNames[static_cast<std::size_t>(step)];
}

} // namespace vap
