#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "app/cli/check_command.h"
#include "app/cli/project_command.h"
#include "tests/app/cli/sample_projects.h"

namespace fortema::cli {
namespace {

using archive::SectionArchive;
using archive::SectionRecord;
using engine::Layout;
using engine::numtext::NumberLocale;
using testing::circularTexts;
using testing::rectangularTexts;
using testing::storeSection;

TEST(PositionHoldsData, TheSaveQuestionsTest) {
    SectionRecord r;
    EXPECT_FALSE(positionHoldsData(r));
    r.Nd = 5, r.Mu = 7, r.campo = 2;  // actions and results alone do not count
    EXPECT_FALSE(positionHoldsData(r));
    SectionRecord described;
    described.description = QStringLiteral("x");
    SectionRecord circular;
    circular.sectionType = QStringLiteral("C");
    SectionRecord slot7;
    slot7.geometry[6] = 1;
    SectionRecord em;
    em.Em = 1;
    for (const SectionRecord& held : {described, circular, slot7, em}) EXPECT_TRUE(positionHoldsData(held));
}

TEST(CheckPosition, StoredCalculationsRecomputeToTheirOwnResults) {
    SectionArchive a;
    storeSection(a, 0, rectangularTexts(), Layout::Rectangular, QStringLiteral("T1"));
    storeSection(a, 1, circularTexts(), Layout::Circular, QStringLiteral("P1"));
    storeSection(a, 2, rectangularTexts("2500000"), Layout::Rectangular, QStringLiteral("T2"));
    engine::SectionTexts decimalCover = rectangularTexts();
    decimalCover.c1 = "25,5";  // as the cover's keys type 25.5 mm
    storeSection(a, 3, decimalCover, Layout::Rectangular, QStringLiteral("T3"));
    EXPECT_EQ(a.at(3).geometry[2], 25.5f);
    for (const NumberLocale& loc : {NumberLocale::c(), NumberLocale::italian()}) {
        for (int p : {0, 1, 2, 3}) {
            const PositionCheck c = checkPosition(a, p, loc);
            SCOPED_TRACE(p);
            EXPECT_EQ(c.position, p + 1);
            EXPECT_EQ(c.result.Nu, a.at(p).Nu);
            EXPECT_EQ(static_cast<float>(c.result.Mu), a.at(p).Mu);
            EXPECT_EQ(c.result.yan, a.at(p).yan);
            EXPECT_EQ(c.result.campo, a.at(p).campo);
            EXPECT_NEAR(c.ratio, a.at(p).Mu / a.at(p).Md, 1e-6);
            EXPECT_EQ(c.status, p == 2 ? CheckStatus::Fails : CheckStatus::Passes);
        }
    }
}

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

TEST(CheckPosition, WhatCannotBeRecomputed) {
    SectionArchive a;
    a.at(0).description = QStringLiteral("solo descrizione");
    a.at(1) = SectionRecord::blank();
    a.at(1).fmd = 118;
    storeSection(a, 2, rectangularTexts("-5"), Layout::Rectangular, QString());
    // Md stored as 0: no ratio, but a result.
    storeSection(a, 3, rectangularTexts("0"), Layout::Rectangular, QString());

    EXPECT_EQ(checkPosition(a, 0, NumberLocale::c()).status, CheckStatus::NotComputable);
    EXPECT_EQ(checkPosition(a, 1, NumberLocale::c()).status, CheckStatus::UnknownType);
    // A stored negative moment is refused before any tracing, as the window refuses it.
    const PositionCheck negative = checkPosition(a, 2, NumberLocale::c());
    EXPECT_EQ(negative.status, CheckStatus::Refused);
    EXPECT_EQ(negative.warning, engine::warning::kNegativeMoment);
    const PositionCheck zeroMoment = checkPosition(a, 3, NumberLocale::c());
    EXPECT_EQ(zeroMoment.status, CheckStatus::Passes);
    EXPECT_TRUE(std::isnan(zeroMoment.ratio));
}

}  // namespace
}  // namespace fortema::cli
