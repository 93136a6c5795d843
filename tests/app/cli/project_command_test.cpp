#include <gtest/gtest.h>

#include <cmath>

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

TEST(FormTexts, StoredSlotsReachTheBoxesOfTheirOwnType) {
    SectionRecord r;
    r.fyk = 4500, r.fyd = 3913, r.Ea = 2100000, r.fmd = 118, r.Em = 299000, r.Nd = -200, r.Md = 1400000;
    r.geometry = {300, 500, 25, 30, 600, 400, 0};
    engine::SectionTexts t = formTexts(r, NumberLocale::c());
    EXPECT_EQ(t.fyk, "4500");
    EXPECT_EQ(t.fyd, "3913");
    EXPECT_EQ(t.Ea, "2100000");
    EXPECT_EQ(t.Nd, "-200");
    EXPECT_EQ(t.Md, "1400000");
    EXPECT_EQ((std::vector<std::string>{t.b, t.h, t.c1, t.c2, t.A1, t.A2}),
              (std::vector<std::string>{"300", "500", "25", "30", "600", "400"}));
    EXPECT_EQ(t.d, "0");  // the circular boxes keep their start texts

    r.sectionType = QStringLiteral("C");
    r.geometry = {400, 0, 30, 0, 1000, 0, 0};
    t = formTexts(r, NumberLocale::c());
    EXPECT_EQ((std::vector<std::string>{t.d, t.c, t.Aa}), (std::vector<std::string>{"400", "30", "1000"}));
    EXPECT_EQ(t.b, "0");
    EXPECT_EQ(t.h, "0");
}

TEST(FormTexts, BoxRulesApplyAsWhenTyped) {
    SectionRecord r;
    r.Nd = 0;
    r.geometry[2] = 2.5f;  // c1, from a foreign file
    r.Md = 12345678;
    EXPECT_EQ(formTexts(r, NumberLocale::c()).Nd, "1");
    // Under a comma locale too the box gets "2.5", which its check accepts and the
    // calculation reads whole: a comma would cut the stored value to 2.
    const engine::SectionTexts it = formTexts(r, NumberLocale::italian());
    EXPECT_EQ(it.c1, "2.5");
    EXPECT_EQ(engine::numtext::leadingNumber(it.c1), 2.5);
    EXPECT_EQ(formTexts(r, NumberLocale::c()).Md, "1.234568E+07");
    EXPECT_EQ(engine::numtext::leadingNumber(formTexts(r, NumberLocale::italian()).Md), 12345680);
    r.Nd = 0.5f;
    EXPECT_EQ(formTexts(r, NumberLocale::italian()).Nd, "0.5");
    EXPECT_EQ(formTexts(r, NumberLocale::c()).Nd, "0.5");
    // A locale whose check would refuse the "." form gets its own form.
    const NumberLocale blankGroups{',', ' '};
    EXPECT_EQ(formTexts(r, blankGroups).c1, "2,5");
}

TEST(CalcolaEnabled, MaterialsAndTheSizeOfTheLayout) {
    engine::SectionTexts t = rectangularTexts();
    EXPECT_TRUE(calcolaEnabled(t, Layout::Rectangular));
    EXPECT_FALSE(calcolaEnabled(t, Layout::Circular));  // d and c are "0"
    t.A1 = "0", t.c1 = "0", t.Nd = "0";                 // no part in the rule
    EXPECT_TRUE(calcolaEnabled(t, Layout::Rectangular));
    for (std::string engine::SectionTexts::*box : {&engine::SectionTexts::fyk, &engine::SectionTexts::Em,
                                                   &engine::SectionTexts::b, &engine::SectionTexts::h}) {
        for (const char* text : {"", "0"}) {
            engine::SectionTexts u = rectangularTexts();
            u.*box = text;
            EXPECT_FALSE(calcolaEnabled(u, Layout::Rectangular)) << text;
        }
    }
    engine::SectionTexts c = circularTexts();
    EXPECT_TRUE(calcolaEnabled(c, Layout::Circular));
    c.Aa = "0";
    EXPECT_TRUE(calcolaEnabled(c, Layout::Circular));
    c.c = "0";
    EXPECT_FALSE(calcolaEnabled(c, Layout::Circular));
}

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
    for (int p : {0, 1, 2}) {
        const PositionCheck c = checkPosition(a, p, NumberLocale::c());
        SCOPED_TRACE(p);
        EXPECT_EQ(c.position, p + 1);
        EXPECT_EQ(c.result.Nu, a.at(p).Nu);
        EXPECT_EQ(static_cast<float>(c.result.Mu), a.at(p).Mu);
        EXPECT_EQ(c.result.campo, a.at(p).campo);
        EXPECT_NEAR(c.ratio, a.at(p).Mu / a.at(p).Md, 1e-6);
    }
    EXPECT_EQ(checkPosition(a, 0, NumberLocale::c()).status, CheckStatus::Passes);
    EXPECT_EQ(checkPosition(a, 1, NumberLocale::c()).status, CheckStatus::Passes);
    EXPECT_EQ(checkPosition(a, 2, NumberLocale::c()).status, CheckStatus::Fails);
    EXPECT_EQ(checkPosition(a, 0, NumberLocale::italian()).result.Mu, a.at(0).Mu);
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
