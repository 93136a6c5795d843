// The load combinations after the 606 lines of a project file: written only when there are some,
// read back exactly, invisible to a reader of the 606 lines, and a block that cannot be read
// refuses the whole file.
#include <gtest/gtest.h>

#include "archive/project_file.h"

namespace fortema::archive {
namespace {

SectionArchive withCombinations() {
    SectionArchive a;
    a.at(0).description = QStringLiteral("Pilastro P1");
    a.at(0).fyk = 4500;
    a.combinations(0) = {{"SLU 1", 45000, 1400000}, {"SLU 2, vento", -1200.5, -350000.25}};
    a.combinations(99) = {{"sisma è", 1e-3, 2.5e12}};
    return a;
}

TEST(CombinationsBlock, RoundTripsAndStaysOutOfThe606Lines) {
    const SectionArchive a = withCombinations();
    SectionArchive plain = a;
    plain.combinations(0).clear();
    plain.combinations(99).clear();
    const QByteArray bytes = projectFileBytes(a, {});
    const QByteArray base = projectFileBytes(plain, {});
    EXPECT_EQ(base.count('\n'), kProjectFileLines);  // a project without combinations is as it always was
    ASSERT_TRUE(bytes.startsWith(base));
    EXPECT_EQ(bytes.mid(base.size()),
              QByteArray("\"COMBINAZIONI FORTEMA\",1\r\n1,2\r\n\"SLU 1\",45000,1400000\r\n"
                         "\"SLU 2, vento\",-1200.5,-350000.25\r\n100,1\r\n"
                         "\"sisma \xe8\",0.001,2500000000000\r\n\"FINE COMBINAZIONI\"\r\n"));
    SectionArchive read;
    ProjectData data;
    ASSERT_TRUE(parseProjectFile(bytes, QStringLiteral("p.ftm"), read, data).ok);
    EXPECT_EQ(read, a);
    // The 606 lines alone read as the project without its combinations.
    ASSERT_TRUE(parseProjectFile(bytes.left(base.size()), QStringLiteral("p.ftm"), read, data).ok);
    EXPECT_EQ(read, plain);
    EXPECT_TRUE(holdsData(a, {}));
}

TEST(CombinationsBlock, AnUnreadableBlockRefusesTheFileAndChangesNothing) {
    const QByteArray good = projectFileBytes(withCombinations(), {});
    const QByteArray base = good.left(good.indexOf("\"COMBINAZIONI"));
    const std::pair<QByteArray, const char*> cases[] = {
        {base + "\"COMBINAZIONI FORTEMA\",2\r\n\"FINE COMBINAZIONI\"\r\n", "alla riga 607"},
        {base + "\"COMBINAZIONI FORTEMA\",1\r\n101,1\r\n\"a\",1,2\r\n\"FINE COMBINAZIONI\"\r\n",
         "alla riga 608"},
        {base + "\"COMBINAZIONI FORTEMA\",1\r\n1,2\r\n\"a\",1,2\r\n\"FINE COMBINAZIONI\"\r\n",
         "alla riga 610"},
        {base + "\"COMBINAZIONI FORTEMA\",1\r\n1,1\r\n\"a\",1,due\r\n\"FINE COMBINAZIONI\"\r\n",
         "alla riga 609"},
        {base + "\"COMBINAZIONI FORTEMA\",1\r\n1,1\r\n\"a\",1,2\r\n", "non è chiuso"},
    };
    for (const auto& [bytes, reason] : cases) {
        SectionArchive archive = withCombinations();
        ProjectData data = {"tenuto", "", "", "", "", ""};
        const FileResult r = parseProjectFile(bytes, QStringLiteral("p.ftm"), archive, data);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.message.contains(QString::fromUtf8(reason))) << r.message.toStdString();
        EXPECT_EQ(archive, withCombinations());
        EXPECT_EQ(data[0], QStringLiteral("tenuto"));
    }
    // Anything else after the positions is ignored, as it always was.
    SectionArchive archive;
    ProjectData data;
    EXPECT_TRUE(parseProjectFile(base + "\r\naltro\r\n", QStringLiteral("p.ftm"), archive, data).ok);
}

}  // namespace
}  // namespace fortema::archive
