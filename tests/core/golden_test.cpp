#include "support/golden.h"

#include "core/codegen/commenttexts.h"
#include "core/codegen/exampleclass.h"
#include "core/codegen/windowobjects.h"
#include "core/files/designfile.h"
#include "core/lang/language.h"
#include "core/model/design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

// Each folder under data/golden is one case: design.vap (Windows-1252, CR LF), case.txt with
// key=value lines (languages, resizable, modal, class, month, year), and for each language code
// pt, en or es the expected outputs objects-<code>.java and class-<code>.java.

namespace {

namespace fs = std::filesystem;
using vap::Design;

const fs::path goldenRoot = fs::path(VAP_TEST_DATA) / "golden";

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(goldenRoot))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::map<std::string, std::string> readCase(const fs::path& file) {
    std::ifstream in(file);
    std::map<std::string, std::string> values;
    for (std::string line; std::getline(in, line);)
        if (auto equals = line.find('='); equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    return values;
}

vap::LanguageCode linguaOf(const std::string& code) {
    static const std::map<std::string, vap::Language> codes{{"pt", vap::Language::Portuguese},
                                                            {"en", vap::Language::English},
                                                            {"es", vap::Language::Spanish}};
    auto found = codes.find(code);
    return found == codes.end() ? vap::LanguageCode() : vap::LanguageCode(found->second);
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, GeneratedCodeMatchesExpectedFiles) {
    const fs::path folder = goldenRoot / GetParam();
    std::map<std::string, std::string> settings = readCase(folder / "case.txt");
    std::istringstream languages(settings["languages"]);
    int checked = 0;
    for (std::string code; languages >> code; ++checked) {
        SCOPED_TRACE("language " + code);
        const vap::LanguageCode lingua = linguaOf(code);
        ASSERT_TRUE(lingua.language()) << "unknown language " << code << " in case.txt";

        Design design;
        vap::openDesign(design, (folder / "design.vap").string());
        design.setResizable(settings["resizable"] == "1");
        design.setModal(settings["modal"] == "1");

        const vap::CommentTexts comments = vap::commentTextsFor(lingua);
        vap::LineCollector objects;
        vap::GeraObjetosJanela(design, comments, objects);
        EXPECT_TRUE(vaptest::matchesGolden(folder / ("objects-" + code + ".java"), objects.lines));

        const vap::LanguageState language = vap::languageApplied(lingua);
        const vap::ExampleClassContext context{
            lingua, language.NomeProduto, language.TextoVersao, comments,
            vap::DateText{settings["month"], std::stoi(settings["year"])}};
        const std::string className = settings["class"];
        auto answer = [&](const vap::ClassNamePrompt& prompt) -> std::optional<std::string> {
            return className.empty() ? prompt.initialValue : className;
        };
        EXPECT_TRUE(vaptest::matchesGolden(folder / ("class-" + code + ".java"),
                                           vap::GeraClasseExemplo(design, context, answer).lines));
    }
    EXPECT_GT(checked, 0) << "case.txt names no language";
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(GoldenDiff, ShowsChangedLinesWithContext) {
    const vaptest::Lines expected{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"};
    vaptest::Lines actual = expected;
    actual[4] = "E";
    actual.push_back("k");
    EXPECT_EQ(vaptest::unifiedDiff(expected, expected), "");
    EXPECT_EQ(vaptest::unifiedDiff(expected, actual, 1), "--- expected\n+++ actual\n"
                                                         "@@ -4,3 +4,3 @@\n d\n-e\n+E\n f\n"
                                                         "@@ -10,1 +10,2 @@\n j\n+k\n");
    EXPECT_EQ(vaptest::unifiedDiff({}, {"x"}), "--- expected\n+++ actual\n@@ -0,0 +1,1 @@\n+x\n");
}

TEST(GoldenDiff, SplitsLinesAtLineFeeds) {
    EXPECT_EQ(vaptest::splitLines(""), vaptest::Lines{});
    EXPECT_EQ(vaptest::splitLines("a\n\nb\n"), (vaptest::Lines{"a", "", "b"}));
    EXPECT_EQ(vaptest::splitLines("a\n\n"), (vaptest::Lines{"a", ""}));
    EXPECT_EQ(vaptest::splitLines("a"), vaptest::Lines{"a"});
}

} // namespace
