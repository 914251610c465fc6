#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vaptest {

using Lines = std::vector<std::string>;

/** Splits text into lines at LF; a final line end does not start another line. */
Lines splitLines(const std::string& text);

/**
 * A unified-style difference of two line lists (lines kept, removed with "-", added with "+",
 * grouped in hunks with `context` lines around each change); empty when they are equal.
 */
std::string unifiedDiff(const Lines& expected, const Lines& actual, std::size_t context = 3);

/** Whether the run was asked to rewrite the expected files (VAP_UPDATE_GOLDEN=1). */
bool updatingGolden();

/**
 * Compares lines with the expected file, which holds them in UTF-8 each ending with LF. When the
 * expected files are being updated it writes the lines to the file instead and succeeds.
 */
::testing::AssertionResult matchesGolden(const std::filesystem::path& expectedFile,
                                         const Lines& actual);

} // namespace vaptest
