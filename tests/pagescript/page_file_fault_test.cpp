// The page file where it cannot be written: one warning, no crash, no page list, and the
// writer works again as soon as the folder can hold the file.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "pagescript/page_script_writer.h"
#include "tests/pagescript/script_files.h"

namespace fortema::pagescript {
namespace {

using engine::numtext::NumberLocale;

class PageFileFaults : public ::testing::Test {
protected:
    // Runs a one-page document and gives back whether every routine said it wrote its lines.
    static bool onePage(PageScriptWriter& writer) {
        const bool started = writer.StartDocument();
        const bool page = writer.StartPage(QStringLiteral("sinistra"), QStringLiteral("destra"));
        const bool text = writer.PrintLeft(1, 2, QStringLiteral("testo"), QStringLiteral("Arial"), 10, 0);
        const bool ended = writer.EndPage(QStringLiteral("sinistra"), QStringLiteral("destra"));
        return started && page && text && ended;
    }

    QTemporaryDir m_dir;
    test::RecordingObserver m_observer;
};

TEST_F(PageFileFaults, PageFileNameTakenByAFolder) {
    // StartDocument clears old page files, but never a folder of that name.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("_$$_TEMP.TMP")));
    PageScriptWriter writer(m_observer, m_dir.path(), NumberLocale::italian());

    EXPECT_FALSE(onePage(writer));
    EXPECT_TRUE(writer.failed());
    const QStringList warnings = m_observer.callsStartingWith(QStringLiteral("warning"));
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(
        warnings[0].startsWith(QStringLiteral("warning Anteprima non disponibile: Impossibile scrivere")))
        << warnings[0].toStdString();
    EXPECT_TRUE(m_observer.pageLists.isEmpty());
    EXPECT_TRUE(QFileInfo(writer.pageFile()).isDir());
}

TEST_F(PageFileFaults, FolderThatIsAPlainFileThenAGoodFolder) {
    test::writeScript(m_dir.filePath(QStringLiteral("piano")), {QStringLiteral("non toccare")});
    PageScriptWriter writer(m_observer, m_dir.filePath(QStringLiteral("piano")), NumberLocale::italian());

    EXPECT_FALSE(onePage(writer));
    EXPECT_EQ(m_observer.callsStartingWith(QStringLiteral("warning")).size(), 1);
    EXPECT_EQ(test::crlfLines(m_dir.filePath(QStringLiteral("piano"))),
              QStringList{QStringLiteral("non toccare")});

    writer.setScriptFolder(m_dir.path());
    m_observer.calls.clear();
    EXPECT_TRUE(onePage(writer));
    EXPECT_FALSE(writer.failed());
    EXPECT_TRUE(m_observer.callsStartingWith(QStringLiteral("warning")).isEmpty());
    ASSERT_FALSE(m_observer.pageLists.isEmpty());
    EXPECT_EQ(m_observer.pageLists.last(), QStringList{QStringLiteral("1")});
}

}  // namespace
}  // namespace fortema::pagescript
