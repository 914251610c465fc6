#include "mainwindowtexts.h"

#include <array>
#include <stdexcept>

namespace vap {

namespace {
constexpr std::array<MenuEntryText, 16> table{{
    {"opc1", "&Linguagem", {"&Linguagem", "&Language", "&Idioma"}},
    {"opc2", "&Caption", {"L&egenda", "&Caption", "&Subtítulo"}},
    {"opc3", "&Formatos", {"&Formato", "&Format", "&Formato"}},
    {"opc31", "Redimensionável", {"&Redimensionável", "&Adjustable Size", "&Tamaño Ajustable"}},
    {"opc32", "Modal", {"&Modal", "&Modal", "&Modal"}},
    {"opc4", "Criar &Objetos", {"Criar &Objetos", "Create O&bject", "&Cree el Objeto"}},
    {"opc5", "&Gerar", {"&Gerar", "&Generate", "&Genere"}},
    {"opc51",
     "&Objetos da Janela",
     {"&Objetos da Janela", "&Objects of the Window", "&Objetos de la Ventana"}},
    {"opc52", "Classe &Exemplo", {"&Classe Exemplo", "&Class Example", "&Ejemplo de la clase"}},
    {"opc53", "&Ver em Java", {"&Ver em Java", "&See it in Java", "&Verlo en Java"}},
    {"opc6", "&Abrir", {"&Abrir", "&Open", "&Abra"}},
    {"opc7", "&Salvar", {"Sal&var", "&Save", "A&horre"}},
    {"opc8", "&Limpar", {"Li&mpar", "Cle&ar", "Clar&o"}},
    {"opcSair", "&Sair", {"&Sair", "&Exit", "&Salida"}},
    {"obj1", "&Ajusta Objeto", {"&Ajusta Objeto", "&Adjustable Object", "&Ajustable Objeto"}},
    {"obj2", "&Excluir", {"&Excluir", "&Exclude", "&Excluya"}},
}};
} // namespace

std::span<const MenuEntryText> mainMenuTextTable() {
    return table;
}

MainWindowTexts MainWindowTexts::initial() {
    MainWindowTexts texts;
    for (const MenuEntryText& entry : table)
        texts.menuCaptions.emplace(entry.component, entry.initial);
    return texts;
}

const std::string& MainWindowTexts::menuCaption(std::string_view component) const {
    auto found = menuCaptions.find(component);
    if (found == menuCaptions.end())
        throw std::out_of_range("no menu entry " + std::string(component));
    return found->second;
}

} // namespace vap
