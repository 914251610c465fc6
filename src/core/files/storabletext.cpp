#include "storabletext.h"

#include "windows1252.h"

#include "../lang/texts3.h"
#include "../model/error.h"
#include "../model/printable.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

namespace vap {

namespace {

constexpr Texts3 cannotHold{"Um arquivo de projeto não guarda o caractere %",
                            "A design file cannot hold the character %",
                            "Un archivo de diseño no guarda el carácter %"};

/** The first character a file cannot hold, as UTF-8 text, and its code point. */
std::optional<std::pair<std::string, char32_t>> firstUnstorable(std::string_view utf8) {
    // A line break would split the record's line, the end-of-file mark would end the file.
    auto control = std::find_if(utf8.begin(), utf8.end(),
                                [](char c) { return c == '\r' || c == '\n' || c == '\x1A'; });
    std::size_t controlAt = static_cast<std::size_t>(control - utf8.begin());
    std::optional<UnencodableCharacter> unencodable = findUnencodable(utf8.substr(0, controlAt));
    if (unencodable)
        return std::pair{unencodable->character, unencodable->codePoint};
    if (control != utf8.end())
        return std::pair{std::string(1, *control), static_cast<char32_t>(*control)};
    return std::nullopt;
}

} // namespace

std::string unstorableTextMessage(std::string_view utf8, LanguageCode lingua) {
    auto found = firstUnstorable(utf8);
    if (!found)
        return {};
    char code[16];
    std::snprintf(code, sizeof code, " (U+%04X)", static_cast<unsigned>(found->second));
    std::string message(cannotHold.pick(lingua).value_or(cannotHold.en));
    return message.replace(message.find('%'), 1, "'" + printableText(found->first) + "'" + code);
}

void checkStorableText(std::string_view utf8, LanguageCode lingua) {
    if (std::string message = unstorableTextMessage(utf8, lingua); !message.empty())
        throw Error(message);
}

} // namespace vap
