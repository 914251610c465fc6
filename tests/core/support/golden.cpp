#include "golden.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vaptest {

Lines splitLines(const std::string& text) {
    Lines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

namespace {

enum class Op { Keep, Remove, Add };

struct Edit {
    Op op;
    std::size_t expected; // index in expected (Keep, Remove) or of the next expected line (Add)
    std::size_t actual;   // index in actual (Keep, Add) or of the next actual line (Remove)
};

/** The shortest edit script from a longest common subsequence of the two lists. */
std::vector<Edit> editScript(const Lines& a, const Lines& b) {
    const std::size_t n = a.size(), m = b.size();
    std::vector<std::size_t> lcs((n + 1) * (m + 1), 0);
    auto at = [&](std::size_t i, std::size_t j) -> std::size_t& { return lcs[i * (m + 1) + j]; };
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            at(i, j) = a[i] == b[j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));

    std::vector<Edit> edits;
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[i] == b[j]) {
            edits.push_back({Op::Keep, i++, j++});
        } else if (i < n && (j == m || at(i + 1, j) >= at(i, j + 1))) {
            edits.push_back({Op::Remove, i++, j});
        } else {
            edits.push_back({Op::Add, i, j++});
        }
    }
    return edits;
}

std::string range(std::size_t start, std::size_t length) {
    // Unified diffs number lines from 1; an empty range names the line before it.
    std::ostringstream out;
    out << (length == 0 ? start : start + 1) << ',' << length;
    return out.str();
}

} // namespace

std::string unifiedDiff(const Lines& expected, const Lines& actual, std::size_t context) {
    const std::vector<Edit> edits = editScript(expected, actual);
    std::ostringstream out;
    std::size_t k = 0;
    while (k < edits.size()) {
        if (edits[k].op == Op::Keep) {
            ++k;
            continue;
        }
        // A hunk: from `context` kept lines before this change to `context` kept lines after the
        // last change that lies within 2 * context kept lines of the one before it.
        std::size_t first = k >= context ? k - context : 0;
        while (first < k && edits[first].op != Op::Keep)
            ++first;
        std::size_t last = k;
        for (std::size_t scan = k, kept = 0; scan < edits.size(); ++scan) {
            if (edits[scan].op != Op::Keep) {
                last = scan;
                kept = 0;
            } else if (++kept > 2 * context) {
                break;
            }
        }
        std::size_t end = std::min(edits.size(), last + 1 + context);

        std::size_t expectedLength = 0, actualLength = 0;
        for (std::size_t e = first; e < end; ++e) {
            expectedLength += edits[e].op != Op::Add;
            actualLength += edits[e].op != Op::Remove;
        }
        if (out.tellp() == 0)
            out << "--- expected\n+++ actual\n";
        out << "@@ -" << range(edits[first].expected, expectedLength) << " +"
            << range(edits[first].actual, actualLength) << " @@\n";
        for (std::size_t e = first; e < end; ++e) {
            const Edit& edit = edits[e];
            if (edit.op == Op::Keep)
                out << ' ' << expected[edit.expected] << '\n';
            else if (edit.op == Op::Remove)
                out << '-' << expected[edit.expected] << '\n';
            else
                out << '+' << actual[edit.actual] << '\n';
        }
        k = end;
    }
    return out.str();
}

bool updatingGolden() {
    const char* value = std::getenv("VAP_UPDATE_GOLDEN");
    return value != nullptr && std::string(value) == "1";
}

::testing::AssertionResult matchesGolden(const std::filesystem::path& expectedFile,
                                         const Lines& actual) {
    if (updatingGolden()) {
        std::string text;
        for (const std::string& line : actual)
            text += line + '\n';
        std::ofstream out(expectedFile, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out)
            return ::testing::AssertionFailure() << "cannot write " << expectedFile;
        return ::testing::AssertionSuccess();
    }

    std::ifstream in(expectedFile, std::ios::binary);
    if (!in)
        return ::testing::AssertionFailure()
               << "cannot read " << expectedFile << " (VAP_UPDATE_GOLDEN=1 writes it)";
    const Lines expected = splitLines(
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    if (expected == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << expectedFile.string() << " differs (VAP_UPDATE_GOLDEN=1 rewrites it):\n"
           << unifiedDiff(expected, actual);
}

} // namespace vaptest
