// The command line in a terminal: control characters from a file or an argument are shown as
// escapes in every message and table, and wide numbers keep a blank between the columns.

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "app/cli/terminal_text.h"
#include "archive/project_file.h"
#include "tests/app/cli/sample_projects.h"

namespace fortema::cli {
namespace {

TEST(EscapeControls, ShowsEveryControlAndKeepsTheRest) {
    const struct {
        std::string text;
        Escapes style;
        std::string shown;
    } cases[] = {
        {"Trave \x1b[2J\a più", Escapes::Terminal, "Trave \\x1b[2J\\x07 più"},
        {"riga\nriga\t", Escapes::Terminal, "riga\nriga\\x09"},
        {"riga\nriga", Escapes::Cell, "riga\\x0ariga"},
        // C1 and a direction override in UTF-8, a lone byte that is no UTF-8.
        {"a\xc2\x9b"
         "b\xe2\x80\xae"
         "c\x9b",
         Escapes::Terminal, "a\\u009bb\\u202ec\\x9b"},
        {"\"\\\x1b\xc2\x85\n\xff", Escapes::Json, "\\\"\\\\\\u001b\\u0085\\n\\ufffd"},
    };
    for (const auto& c : cases) EXPECT_EQ(escapeControls(c.text, c.style), c.shown) << c.shown;
}

struct CliRun {
    int status = -1;
    QByteArray out, err;
};

CliRun runCli(const QStringList& args) {
    QProcess cli;
    cli.start(QStringLiteral(FORTEMA_CLI), args);
    cli.waitForFinished(60000);
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1, cli.readAllStandardOutput(),
            cli.readAllStandardError()};
}

TEST(TerminalOutput, FileTextsAreEscapedAndWideNumbersKeepTheirBlank) {
    QTemporaryDir dir;
    archive::SectionArchive a;
    testing::storeSection(a, 0, testing::rectangularTexts(), engine::Layout::Rectangular,
                          QStringLiteral("Trave\x1b]0;titolo\a"));
    a.at(0).Nd = -12345678;
    a.at(0).Md = 12345678;
    // A moment of 0 in a combination and a tiny one in a position: ratios with no "inf" in them.
    a.combinations(0).push_back({"G\x1b[5m", 45000, 0});
    testing::storeSection(a, 1, testing::rectangularTexts("1e-30"), engine::Layout::Rectangular, "T2");
    const archive::ProjectData data = {QStringLiteral("Scuola\x1b[2J")};
    const QString file = dir.filePath(QStringLiteral("progetto.ftm"));
    ASSERT_TRUE(archive::writeProjectFile(file, a, data).ok);

    const CliRun table = runCli({QStringLiteral("project"), file});
    EXPECT_FALSE(table.out.contains('\x1b') || table.out.contains('\a'));
    EXPECT_TRUE(table.out.contains("Scuola\\x1b[2J\n"));
    EXPECT_TRUE(table.out.contains("Trave\\x1b]0;titolo\\x07 ")) << table.out.toStdString();
    EXPECT_TRUE(table.out.contains(" -1.234568E+07  1.234568E+07 ")) << table.out.toStdString();
    EXPECT_TRUE(table.out.contains("G\\x1b[5m "));
    EXPECT_TRUE(table.out.contains(" 1.895457E+36  VERIFICATA"));
    EXPECT_FALSE(table.out.contains("inf") || table.out.contains("n.d."));

    const CliRun missing =
        runCli({QStringLiteral("project"), dir.filePath(QStringLiteral("manca\x1b[31m.ftm"))});
    EXPECT_EQ(missing.status, 2);
    EXPECT_FALSE(missing.err.contains('\x1b'));
    EXPECT_TRUE(missing.err.contains("manca\\x1b[31m.ftm: il file non esiste.")) << missing.err.toStdString();
}

}  // namespace
}  // namespace fortema::cli
