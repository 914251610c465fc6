#include "commenttexts.h"

#include "../lang/texts3.h"

namespace vap {

namespace {
constexpr Texts3 objectsSection{"// Criação dos Objetos", "// Creation of the Objects",
                                "// La creación de los Objetos"};
constexpr Texts3 windowSection{"// Cria a Janela", "// It creates the Window",
                               "// Crea la Ventana"};
constexpr Texts3 controlsSection{"// Cria os Controles na Janela",
                                 "// It creates the Controls in the Window",
                                 "// Crea los Mandos en la Ventana"};
constexpr Texts3 listenerBody{"    // Chamada ao Procedimento", "    // Call to the Procedure",
                              "    // Llame al Procedimiento"};
constexpr Texts3 objectsPlaceholder{"// Insira aqui os dados da Criação dos Objetos",
                                    "// It inserts the data of the Creation of the Objects here",
                                    "// Inserta los datos de la Creación de los Objetos aquí"};
constexpr Texts3 windowPlaceholder{"// Insira aqui os dados da Criação da Janela",
                                   "// It inserts the data of the Creation of the Window here",
                                   "// Inserta los datos de la Creación de la Ventana aquí"};
constexpr Texts3 controlsPlaceholder{
    "// Insira aqui os dados da Criação dos Controles na Janela",
    "// It inserts the data of the Creation of the Controls here in the Window",
    "// Inserta los datos de la Creación de los Mandos aquí en la Ventana"};

std::string textOf(const Texts3& texts, LanguageCode lingua) {
    return std::string(texts.pick(lingua).value_or(""));
}
} // namespace

CommentTexts commentTextsFor(LanguageCode lingua) {
    return CommentTexts{textOf(objectsSection, lingua),     textOf(windowSection, lingua),
                        textOf(controlsSection, lingua),    textOf(listenerBody, lingua),
                        textOf(objectsPlaceholder, lingua), textOf(windowPlaceholder, lingua),
                        textOf(controlsPlaceholder, lingua)};
}

} // namespace vap
