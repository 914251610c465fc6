#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vap {

/** How many characters of an offending text a message quotes. */
constexpr std::size_t messageExcerptLength = 60;

/**
 * The text with its control characters and the bytes that are not UTF-8 written as escapes
 * (\x1B, \u009B, \x9B), so that a message quoting a file's bytes or a file name cannot move the
 * cursor or recolour a terminal.
 */
std::string printableText(std::string_view text);

/**
 * The start of the text, made printable as above, cut after messageExcerptLength characters
 * with "…": messages quote a file's text this way, whatever its length.
 */
std::string printableExcerpt(std::string_view text);

/**
 * The path made printable as above; a path of more than messageExcerptLength characters keeps
 * its first pathStartLength characters and its end, with "…" between, so that a message stays
 * short and still shows where the path begins and the file it names.
 */
std::string printablePath(std::string_view path);

/** How many characters of a long path's start printablePath keeps. */
constexpr std::size_t pathStartLength = 20;

} // namespace vap
