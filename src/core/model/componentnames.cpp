#include "componentnames.h"

#include "naming.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace vap {

namespace {
constexpr std::array<std::string_view, 28> names{
    "popMnu", "opc1", "N1",       "opc2",      "opc3",  "opc31",   "opc32",
    "opc4",   "N2",   "opc5",     "opc51",     "opc52", "opc6",    "opc7",
    "opc8",   "N3",   "Criador",  "Versao",    "N4",    "opcSair", "popObj",
    "obj1",   "obj2", "lsiGeral", "limObjeto", "abJan", "svJan",   "XJustOne1"};

constexpr std::size_t longestName = [] {
    std::size_t longest = 0;
    for (std::string_view name : names)
        longest = std::max(longest, name.size());
    return longest;
}();
} // namespace

std::span<const std::string_view> designerComponentNames() {
    return names;
}

bool isDesignerComponentName(std::string_view name) {
    if (name.size() > longestName)
        return false; // most names are longer: no hashing for them
    static const std::unordered_set<std::string_view, CaseInsensitiveHash, CaseInsensitiveEqual>
        taken(names.begin(), names.end());
    return taken.contains(name);
}

} // namespace vap
