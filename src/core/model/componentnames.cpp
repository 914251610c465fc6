#include "componentnames.h"

#include "naming.h"

#include <algorithm>
#include <array>

namespace vap {

namespace {
constexpr std::array<std::string_view, 28> names{
    "popMnu", "opc1", "N1",       "opc2",      "opc3",  "opc31",   "opc32",
    "opc4",   "N2",   "opc5",     "opc51",     "opc52", "opc6",    "opc7",
    "opc8",   "N3",   "Criador",  "Versao",    "N4",    "opcSair", "popObj",
    "obj1",   "obj2", "lsiGeral", "limObjeto", "abJan", "svJan",   "XJustOne1"};

} // namespace

std::span<const std::string_view> designerComponentNames() {
    return names;
}

bool isDesignerComponentName(std::string_view name) {
    return std::any_of(names.begin(), names.end(), [name](std::string_view own) {
        return own.size() == name.size() && equalIgnoringCase(own, name);
    });
}

} // namespace vap
