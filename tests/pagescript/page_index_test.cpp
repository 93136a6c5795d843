// The page list kept while a document is written is the list a reader of the file finds, and a
// reader sent straight to a page by the page index draws what reading from the first line draws.

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "drawing/recording_surface.h"
#include "pagescript/page_script_writer.h"
#include "pagescript/script_interpreter.h"
#include "tests/pagescript/script_files.h"

namespace fortema::pagescript {
namespace {

// The page list as the interpreters read the file: one item per "#endpage" command.
QStringList readerPages(const QString& path) {
    QStringList pages;
    int counter = 0;
    ScriptReader reader(path);
    ScriptCommand command;
    while (reader.next(command)) {
        if (command.keyword == Keyword::StartPage) ++counter;
        if (command.keyword == Keyword::EndPage) pages << QString::number(counter);
    }
    return pages;
}

class PageIndexTest : public ::testing::Test {
protected:
    // Every ended page hands over the list a reader of the file finds at that moment.
    void endPage() {
        ASSERT_TRUE(m_writer.EndPage("piede", "#startpage"));
        EXPECT_EQ(m_observer.pageLists.last(), readerPages(m_writer.pageFile()));
    }
    void page(const QString& text) {
        m_writer.StartPage("#endpage", "testa");
        m_writer.PrintLeft(2, 4, text, "Arial", 10, -1);
        endPage();
    }

    // The preview of `page` (or, with last > 0, the printing of page..last), with or without index.
    QString drawn(int page, int last, const PageIndex* index) {
        drawing::RecordingSurface surface(1, 6, 1440);
        QImage holder;
        if (last > 0) {
            const bool cancelled = false;
            PrintPages(m_writer.pageFile(), surface, holder, page, last, cancelled, {}, index);
        } else {
            PreviewRequest request;
            request.pageFile = m_writer.pageFile();
            request.wantedPage = QString::number(page);
            request.index = index;
            RenderPreviewPage(request, surface, holder);
        }
        return surface.dump();
    }

    void expectIndexDrawsAlike() {
        const int pages = int(m_observer.pageLists.last().size());
        PageIndex shifted = m_writer.pageIndex();
        for (qint64& start : shifted.starts) start += 3;
        for (int p = 1; p <= pages; ++p) {
            EXPECT_EQ(drawn(p, 0, &m_writer.pageIndex()), drawn(p, 0, nullptr)) << p;
            EXPECT_EQ(drawn(p, 0, &shifted), drawn(p, 0, nullptr)) << p;
            EXPECT_EQ(drawn(p, pages, &m_writer.pageIndex()), drawn(p, pages, nullptr)) << p;
        }
    }

    QTemporaryDir m_dir;
    test::RecordingObserver m_observer;
    PageScriptWriter m_writer{m_observer, m_dir.path(), engine::numtext::NumberLocale::italian()};
};

TEST_F(PageIndexTest, TextsThatReadLikeKeywordsAndCommandsCutShort) {
    ASSERT_TRUE(m_writer.StartDocument());
    // An "#endpage" before any page lists page 0.
    m_writer.WriteScriptLine("#endpage");
    page("#startpage");
    // A "#line" given two of its six lines takes the next page's "#startpage" as a number.
    m_writer.WriteScriptLine("#line");
    m_writer.WriteScriptLine("1");
    page("#endpage");
    page("terza");
    EXPECT_EQ(m_observer.pageLists.last(), QStringList({"0", "1", "1", "2"}));
    expectIndexDrawsAlike();
}

TEST_F(PageIndexTest, APictureLoadedOnAnEarlierPageIsPaintedLater) {
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString file = m_dir.filePath("logo.png");
    ASSERT_TRUE(picture.save(file));
    ASSERT_TRUE(m_writer.StartDocument());
    for (const QString& path : {file, m_dir.filePath("manca.png")}) {
        m_writer.StartPage("l", "r");
        for (const QString& line : {QStringLiteral("#img"), path, QStringLiteral("10"), QStringLiteral("20"),
                                    QStringLiteral("300"), QStringLiteral("200")})
            m_writer.WriteScriptLine(line);
        endPage();
    }
    // Page 2 names a missing file and paints what page 1 loaded.
    EXPECT_TRUE(drawn(2, 0, &m_writer.pageIndex()).contains("picture"));
    expectIndexDrawsAlike();
}

TEST_F(PageIndexTest, ExistingFileReadBackGivesTheSameListAndIndex) {
    ASSERT_TRUE(m_writer.StartDocument());
    for (const char* text : {"uno", "due", "tre"}) page(text);
    const PageIndex written = m_writer.pageIndex();
    test::RecordingObserver observer;
    PageScriptWriter reader(observer, m_dir.path(), engine::numtext::NumberLocale::c());
    EXPECT_EQ(reader.BuildPageList(), QStringList({"1", "2", "3"}));
    EXPECT_EQ(reader.pageIndex().starts, written.starts);
}

}  // namespace
}  // namespace fortema::pagescript
