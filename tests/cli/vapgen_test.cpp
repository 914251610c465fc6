#include "cli/vapgen.h"
#include "core/support/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

using vaptest::readBytes;
using vaptest::TempDir;
using vaptest::writeBytes;

namespace {

const std::string example = "JAN:230:189:230:336:0\r\nCadastro\r\nTeste\r\n\r\n"
                            "LAB:10:50:17:65:0\r\nNome:\r\nJLabel1\r\n\r\n"
                            "LIS:80:48:100:121:0\r\n\r\nJList1\r\nEscolha\r\n"
                            "PWD:80:80:21:75:16\r\nx\r\nsenha\r\n\r\n";

struct Outcome {
    int code;
    std::string out, err;
};

Outcome vapgen(std::vector<std::string> arguments) {
    std::ostringstream out, err;
    int code = vap::runVapgen(arguments, out, err);
    return {code, out.str(), err.str()};
}

class Vapgen : public ::testing::Test {
protected:
    void SetUp() override { writeBytes(design, example); }
    TempDir dir;
    std::string design = dir.file("design.vap");
};

} // namespace

TEST_F(Vapgen, PrintsTheWindowObjectsAsTheDesignerWould) {
    Outcome run = vapgen({"objects", design, "--lang", "2", "--modal", "--resizable"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("// Creation of the Objects\nprivate JLabel JLabel1"),
              std::string::npos);
    EXPECT_NE(run.out.find("this.setTitle(\"Cadastro\");\nthis.setResizable(true);\n"
                           "this.setModal(true);\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("jScrollPane1.getViewport().add(JList1, null);"), std::string::npos);
    EXPECT_EQ(run.out.find('\r'), std::string::npos);

    Outcome crlf = vapgen({"objects", design, "--crlf"});
    EXPECT_NE(crlf.out.find("// Criação dos Objetos\r\n"), std::string::npos);
    EXPECT_EQ(crlf.out.substr(crlf.out.size() - 6), "}});\r\n");
}

TEST_F(Vapgen, WindowWithoutRecordIsTheDesignerAtStartUp) {
    writeBytes(design, "LAB:1:2:3:4:0\r\nA\r\nJLabel1\r\n\r\n");
    Outcome run = vapgen({"objects", design, "--lang", "3"});
    EXPECT_NE(run.out.find("this.setSize(336, 230);\nthis.setTitle(\"Vaporina - versión 1.02\");"),
              std::string::npos);
}

TEST_F(Vapgen, ClassNameComesFromOptionFileOrLanguage) {
    Outcome named = vapgen({"class", design, "--name", "Cliente", "--date", "2026-12-07"});
    ASSERT_EQ(named.code, 0) << named.err;
    EXPECT_EQ(named.out.substr(0, named.out.find('\n')), "/* CLASSE Cliente");
    EXPECT_NE(named.out.find("public class Cliente extends JFrame {"), std::string::npos);

    Outcome fromFile = vapgen({"class", design, "--modal", "--lang", "2", "--date", "2026-12-07"});
    EXPECT_NE(fromFile.out.find("public class Teste extends JDialog {"), std::string::npos);
    EXPECT_NE(fromFile.out.find(" * Date.......: "), std::string::npos);

    writeBytes(design, "");
    Outcome byLanguage = vapgen({"class", design, "--lang", "3"});
    EXPECT_NE(byLanguage.out.find("public class Prueba extends JFrame {"), std::string::npos);
    EXPECT_EQ(std::count(byLanguage.out.begin(), byLanguage.out.end(), '\n'), 46);
}

TEST_F(Vapgen, ChecksAndResavesThroughTheDesignersReaderAndWriter) {
    Outcome check = vapgen({"check", design});
    EXPECT_EQ(check.out, "JLabel: 1\nJTextField: 0\nJPasswordField: 1\nJButton: 0\nJList: 1\n"
                         "JComboBox: 0\ncontrols: 3\n");
    std::string copy = dir.file("copy.vap");
    EXPECT_EQ(vapgen({"resave", design, copy}).code, 0);
    EXPECT_EQ(readBytes(copy), example);

    // Records the designer skips are named, the first ten; a blank one at the end is not.
    std::string unknown;
    for (int i = 0; i < 12; ++i)
        unknown += "X" + std::to_string(i) + ":\r\nx\r\n\r\n\r\n";
    writeBytes(design, "\xEF\xBB\xBF" + example + unknown + "\r\n");
    Outcome skipped = vapgen({"check", design});
    EXPECT_EQ(skipped.code, 0);
    EXPECT_EQ(skipped.out, check.out);
    EXPECT_EQ(skipped.err.substr(0, skipped.err.find('\n')),
              "vapgen: line 1: skipped a record with the unknown tag '\xC3\xAF\xC2\xBB\xC2\xBFJAN' "
              "(a byte-order mark stands before the tag)");
    EXPECT_EQ(skipped.err.substr(skipped.err.find("vapgen: line 49")),
              "vapgen: line 49: skipped a record with the unknown tag 'X8'\n"
              "vapgen: skipped 3 more records with unknown tags\n");
}

TEST_F(Vapgen, ReportsErrorsAndUsage) {
    Outcome missing = vapgen({"check", dir.file("none.vap")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "vapgen: File not found\n");

    writeBytes(design, "LAB:1:2x:3:4:0\r\n\r\nJLabel1\r\n\r\n");
    Outcome bad = vapgen({"objects", design});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err, "vapgen: '2x' is not a valid integer value\n");
    EXPECT_EQ(bad.out, "");

    for (std::vector<std::string> wrong : std::vector<std::vector<std::string>>{
             {},
             {"draw", design},
             {"objects"},
             {"objects", design, "--lang", "4"},
             {"objects", design, "--name", "X"},
             {"check", design, "--modal"},
             {"class", design, "--resizable"},
             {"class", design, "--date", "2026-13-01"},
             {"resave", design},
             {"objects", design, "--frobnicate"},
         }) {
        Outcome run = vapgen(wrong);
        EXPECT_EQ(run.code, 2) << ::testing::PrintToString(wrong);
        EXPECT_EQ(run.err.rfind("vapgen: ", 0), 0u);
    }
    Outcome help = vapgen({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* word : {"objects", "class", "check", "resave", "--crlf", "--date"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

TEST_F(Vapgen, JavaIsOneCompleteClassPrintedOrWrittenOrRefused) {
    const std::vector<std::string> options{"--lang", "2", "--modal", "--date", "2026-12-07"};
    auto java = [&](std::vector<std::string> more) {
        more.insert(more.begin(), {"java", design});
        more.insert(more.end(), options.begin(), options.end());
        return vapgen(more);
    };
    Outcome printed = java({});
    ASSERT_EQ(printed.code, 0) << printed.err;
    for (const char* pasted :
         {"public class Teste extends JDialog {\n\n// Creation of the Objects\nprivate JLabel",
          "  public void mostra() throws Exception {\n\n// It creates the Window\n",
          "this.setModal(true);\n\n// It creates the Controls in the Window\n"})
        EXPECT_NE(printed.out.find(pasted), std::string::npos) << pasted;
    EXPECT_EQ(printed.out.find("It inserts"), std::string::npos);

    const std::string folder = dir.file("made/here");
    Outcome written = java({"-o", folder});
    EXPECT_EQ(written.code, 0) << written.err;
    EXPECT_EQ(readBytes(folder + "/Teste.java"), printed.out);

    const std::string longTitle =
        "JAN:0:0:230:336:0\r\n" + std::string(70000, 'T') + "\r\nTeste\r\n\r\n";
    std::string labels; // more code than one Java method holds
    for (int i = 0; i < 2500; ++i)
        labels += "LAB:1:2:3:4:0\r\n\r\nL" + std::to_string(i) + "\r\n\r\n";
    writeBytes(dir.file("long.vap"), longTitle);
    writeBytes(dir.file("big.vap"), labels);
    writeBytes(dir.file("both.vap"), labels + longTitle);
    struct Refusal {
        std::vector<std::string> arguments;
        int code;
        std::string err;
    };
    for (const Refusal& refusal : std::vector<Refusal>{
             {{"java", dir.file("long.vap")}, 1, "vapgen: A legenda da janela é longa demais"},
             {{"java", dir.file("big.vap"), "-o", folder}, 1, "vapgen: o javac recusará"},
             {{"java", dir.file("both.vap")}, 1, "vapgen: A legenda da janela é longa demais"},
             {{"java", design, "--name", "A B"}, 1, "vapgen: ''A B'' is not a valid class name"},
             {{"java", design, "-o", folder + "/Teste.java"}, 1, "vapgen: "},
             {{"java", design, "-o"}, 2, "vapgen: -o needs a value"},
             {{"class", design, "-o", folder}, 2, "vapgen: class does not take -o"},
         }) {
        Outcome run = vapgen(refusal.arguments);
        EXPECT_EQ(run.code, refusal.code) << run.err;
        EXPECT_EQ(run.err.rfind(refusal.err, 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(readBytes(folder + "/Teste.java"), printed.out);
}

// The real binary: its output goes to standard output, and output that cannot be written (a
// full disk, a closed standard output) fails the command.
TEST_F(Vapgen, RealBinaryWritesToStandardOutputAndFailsWhenItCannot) {
    const std::string binary = VAPGEN_BINARY;
    const std::string out = dir.file("out.txt");
    EXPECT_EQ(std::system((binary + " check '" + design + "' >" + out).c_str()), 0);
    EXPECT_NE(readBytes(out).find("controls: 3"), std::string::npos);
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full";
    for (std::string arguments : {"objects '" + design + "'", "class '" + design + "'",
                                  "check '" + design + "'", std::string("--help")}) {
        SCOPED_TRACE(arguments);
        std::string errors = dir.file("errors.txt");
        int status = std::system((binary + " " + arguments + " >/dev/full 2>" + errors).c_str());
        EXPECT_EQ(WEXITSTATUS(status), 1);
        EXPECT_EQ(readBytes(errors), "vapgen: Disk full\n");
        status = std::system((binary + " " + arguments + " >&- 2>/dev/null").c_str());
        EXPECT_EQ(WEXITSTATUS(status), 1);
    }
}

TEST_F(Vapgen, DoubleDashEndsOptionsAndResaveShowsTheStartUpWindow) {
    writeBytes(dir.file("-x.vap"), "LAB:1:2:3:4:0\r\nA\r\nJLabel1\r\n\r\n");
    Outcome check = vapgen({"check", "--", dir.file("-x.vap")});
    EXPECT_EQ(check.code, 0) << check.err;
    EXPECT_EQ(vapgen({"check", "-x.vap"}).code, 2);

    std::string copy = dir.file("copy.vap");
    ASSERT_EQ(vapgen({"resave", "--", dir.file("-x.vap"), copy}).code, 0);
    const std::string copied = readBytes(copy);
    EXPECT_EQ(copied.substr(0, copied.find("\r\n\r\n")),
              "JAN:230:189:230:336:0\r\nVaporina - vers\xE3o 1.02");
}

TEST_F(Vapgen, RefusedNamesAndHostileBytesAreReportedEscaped) {
    Outcome badName = vapgen({"class", design, "--name", "A */ B"});
    EXPECT_EQ(badName.code, 1);
    EXPECT_EQ(badName.err, "vapgen: ''A */ B'' is not a valid class name\n");
    EXPECT_EQ(badName.out, "");

    writeBytes(design, "LAB:1:2:3:4:0\r\nA\r\nlabel\x1B]0;owned\x07\r\n\r\n");
    Outcome escaped = vapgen({"check", design});
    EXPECT_EQ(escaped.err, "vapgen: ''label\\x1B]0;owned\\x07'' is not a valid component name\n");

    Outcome special = vapgen({"resave", design, "/dev/null"});
    EXPECT_EQ(special.err, "vapgen: ''label\\x1B]0;owned\\x07'' is not a valid component name\n");
    writeBytes(design, example);
    special = vapgen({"resave", design, "/dev/null"});
    EXPECT_EQ(special.err, "vapgen: /dev/null is not a regular file\n");
}
