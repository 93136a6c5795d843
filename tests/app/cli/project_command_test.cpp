// The project and check commands recompute what the window would: a stored position gives its
// stored results again and the cover's comma reads as the window reads it.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>
#include <sstream>

#include "app/cli/check_command.h"
#include "app/cli/project_command.h"
#include "archive/project_file.h"
#include "tests/app/cli/sample_projects.h"

namespace fortema::cli {
namespace {

using archive::SectionArchive;
using engine::Layout;
using engine::numtext::NumberLocale;
using testing::circularTexts;
using testing::rectangularTexts;
using testing::storeSection;

TEST(CheckCommand, ReadsTheCoverAsTheWindowDoes) {
    const auto check = [](const char* c1) {
        std::ostringstream out, err;
        runCheck({"type=R", "fyk=4500", "fyd=3913", "Ea=2100000", "fmd=118", "Em=299000", "Nd=45000",
                  "Md=1400000", "b=300", "h=500", c1, "c2=25", "A1=600", "A2=600"},
                 out, err);
        return out.str();
    };
    EXPECT_EQ(check("c1=25,5"), check("c1=25.5"));
    EXPECT_NE(check("c1=25,5"), check("c1=25"));
}

// Each stored position recomputes to its stored results, under either locale, and the JSON
// gives every position's verdict.
TEST(ProjectCommand, EachPositionsVerdictInTheJson) {
    SectionArchive a;
    storeSection(a, 0, rectangularTexts(), Layout::Rectangular, QStringLiteral("T1"));
    storeSection(a, 1, rectangularTexts("2500000"), Layout::Rectangular, QStringLiteral("T2"));
    a.at(2).description = QStringLiteral("solo descrizione");
    a.at(3) = archive::SectionRecord::blank();
    a.at(3).fmd = 118;
    storeSection(a, 4, rectangularTexts("-5"), Layout::Rectangular, QString());
    storeSection(a, 5, rectangularTexts("0"), Layout::Rectangular, QString());  // no ratio, but a result
    storeSection(a, 6, circularTexts(), Layout::Circular, QStringLiteral("P1"));
    engine::SectionTexts decimalCover = rectangularTexts();
    decimalCover.c1 = "25,5";  // as the cover's keys type 25.5 mm
    storeSection(a, 7, decimalCover, Layout::Rectangular, QStringLiteral("T3"));
    ASSERT_EQ(a.at(7).geometry[2], 25.5f);
    for (int p : {0, 1, 5, 6, 7}) {
        const PositionCheck c = checkPosition(a, p, NumberLocale::italian());
        EXPECT_EQ(static_cast<float>(c.result.Mu), a.at(p).Mu) << p;
        EXPECT_EQ(c.result.yan, a.at(p).yan) << p;
    }

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("p.ftm"));
    ASSERT_TRUE(archive::writeProjectFile(file, a, {QStringLiteral("Scuola")}).ok);
    std::ostringstream out, err;
    EXPECT_EQ(runProject({file.toStdString(), "--json"}, out, err), 1);
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).object();
    EXPECT_EQ(json["project"].toArray()[0].toString(), "Scuola");
    EXPECT_FALSE(json["all_pass"].toBool());
    const QJsonArray positions = json["positions"].toArray();
    const char* status[] = {"passes",  "fails",  "not_computable", "unknown_type",
                            "refused", "passes", "passes",         "passes"};
    ASSERT_EQ(positions.size(), 8);
    for (int p = 0; p < 8; ++p) {
        const QJsonObject o = positions[p].toObject();
        SCOPED_TRACE(p);
        EXPECT_EQ(o["position"].toInt(), p + 1);
        EXPECT_EQ(o["status"].toString(), status[p]);
        EXPECT_EQ(o["passes"].toBool(), o["status"] == "passes");
        if (o["status"] == "passes" || o["status"] == "fails") {
            EXPECT_EQ(o["Mu"].toDouble(), o["stored"]["Mu"].toDouble());
            EXPECT_EQ(o["Nu"].toDouble(), a.at(p).Nu);
            EXPECT_EQ(o["campo"].toInt(), a.at(p).campo);
        }
    }
    EXPECT_EQ(positions[6]["type"].toString(), "C");
    EXPECT_NEAR(positions[0]["ratio"].toDouble(), a.at(0).Mu / 1400000.0, 1e-6);
    EXPECT_EQ(positions[4]["warning"].toString(), engine::warning::kNegativeMoment);
    EXPECT_TRUE(positions[2]["Nu"].isNull());
    EXPECT_TRUE(positions[5]["ratio"].isNull());
}

}  // namespace
}  // namespace fortema::cli
