// Load combinations on the command line: a CSV checked against one section, and the combinations
// stored in a project listed with their results; the exit status covers every combination.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <sstream>

#include "app/cli/check_command.h"
#include "app/cli/project_command.h"
#include "archive/project_file.h"
#include "tests/app/cli/sample_projects.h"
#include "tests/engine/examples.h"

namespace fortema::cli {
namespace {

QJsonObject parse(const std::string& text) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

QString write(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

TEST(CombinationsCli, ACsvAgainstOneSection) {
    QTemporaryDir dir;
    const QString csv = write(dir, "c.csv", "Nome;N;M\r\nSLU 1;45000;1400000\r\nSLU 2;45000;-2000000\r\n");
    std::ostringstream out, err;
    const int status = runCheck(
        {"type=R", "fyk=4500", "fyd=3913", "Ea=2100000", "fmd=118", "Em=299000", "Nd=45000", "Md=1400000",
         "b=300", "h=500", "c1=25", "c2=25", "A1=600", "A2=600", "--loads", csv.toStdString()},
        out, err);
    EXPECT_EQ(status, 1);  // the second combination fails
    const QJsonArray rows = parse(out.str())["combinations"].toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_NEAR(rows[0]["Mu"].toDouble(), engine::testing::kExactMu3, 0.1);
    EXPECT_TRUE(rows[0]["passes"].toBool());
    EXPECT_LT(rows[1]["Mu"].toDouble(), 0);
    EXPECT_TRUE(rows[1]["governing"].toBool());

    const QString bad = write(dir, "bad.csv", "a;1;2\nb;x;3\n");
    std::ostringstream out2, err2;
    EXPECT_EQ(runCheck({"type=R", "--loads", bad.toStdString()}, out2, err2), 2);
    EXPECT_NE(err2.str().find("riga 2: "), std::string::npos) << err2.str();
}

TEST(CombinationsCli, StoredCombinationsAreListedAndDecideTheExitStatus) {
    QTemporaryDir dir;
    archive::SectionArchive a;
    testing::storeSection(a, 0, testing::rectangularTexts(), engine::Layout::Rectangular,
                          QStringLiteral("T1"));
    a.combinations(0) = {{"SLU 1", 45000, 1400000}, {"SLU 2", -5000, -800000}};
    const QString path = dir.filePath(QStringLiteral("p.ftm"));
    ASSERT_TRUE(archive::writeProjectFile(path, a, {}).ok);
    for (const auto& [extra, status] : {std::pair{0.0, 0}, {3e6, 1}}) {
        a.combinations(0).push_back({"SLU 3", 45000, extra});
        ASSERT_TRUE(archive::writeProjectFile(path, a, {}).ok);
        std::ostringstream out, err;
        EXPECT_EQ(runProject({path.toStdString(), "--json"}, out, err), status);
        const QJsonObject combos =
            parse(out.str())["positions"].toArray()[0].toObject()["combinations"].toObject();
        EXPECT_EQ(combos["checks"].toArray().size(), int(a.combinations(0).size()));
        EXPECT_EQ(combos["all_pass"].toBool(), status == 0);
        std::ostringstream table, err2;
        runProject({path.toStdString()}, table, err2);
        EXPECT_NE(table.str().find("SLU 2"), std::string::npos);
    }
}

}  // namespace
}  // namespace fortema::cli
