#include "archive/section_archive.h"

#include <gtest/gtest.h>

namespace fortema::archive {
namespace {

using engine::Layout;

// The first rectangular example after "&CALCOLA": unreinforced masonry, b 100 cm, h 40 cm.
engine::CurrentSection firstExample() {
    engine::CurrentSection s;
    s.fyk = 4500;
    s.fyd = 3913;
    s.Ea = 2100000;
    s.fmd = 10;
    s.Em = 10000;
    s.Nd = 14000;
    s.Md = 130000;
    s.b = 100;
    s.h = 40;
    s.c1 = 3;
    s.c2 = 3;
    return s;
}

engine::SectionResult firstExampleResult() {
    engine::SectionResult r;
    r.Nu = 14000;
    r.Mu = 182000;
    r.yan = 14;
    r.campo = 0;
    return r;
}

SectionRecord fullRecord(const QString& type) {
    SectionRecord r;
    r.sectionType = type;
    r.description = QStringLiteral("trave");
    r.fyk = 1, r.fyd = 2, r.Ea = 3, r.fmd = 4, r.Em = 5;
    r.geometry = {11, 12, 13, 14, 15, 16, 17};
    r.Nd = 21, r.Md = 22, r.Nu = 23, r.Mu = 24, r.yan = 25;
    r.campo = 3;
    return r;
}

TEST(SectionArchive, StartsWithEveryPositionRectangularAndEmpty) {
    const SectionArchive archive;
    for (int p = 0; p < SectionArchive::kPositions; ++p) EXPECT_EQ(archive.at(p), SectionRecord::untouched());
    EXPECT_EQ(archive.at(99).sectionType, "R");
    EXPECT_THROW(archive.at(100), std::out_of_range);
    EXPECT_THROW(archive.at(-1), std::out_of_range);
    EXPECT_TRUE(ArchiveClipboard{}.record.sectionType.isEmpty());
}

TEST(SectionArchive, PositionMovesStopAtBothEnds) {
    EXPECT_EQ(nextPosition(0), 1);
    EXPECT_EQ(nextPosition(98), 99);
    EXPECT_EQ(nextPosition(99), 99);
    EXPECT_EQ(previousPosition(1), 0);
    EXPECT_EQ(previousPosition(0), 0);
    EXPECT_EQ(previousPosition(99), 98);
    // A position that somehow left the range comes back into it.
    EXPECT_EQ(nextPosition(150), 99);
    EXPECT_EQ(previousPosition(-3), 0);
    EXPECT_EQ(nextPosition(-3), 0);
    EXPECT_EQ(previousPosition(150), 99);
}

TEST(StoreCalculation, RectangularGoesBackToMillimetres) {
    SectionArchive archive;
    const SectionRecord& r =
        storeCalculation(archive, 0, firstExample(), firstExampleResult(),
                         QStringLiteral("ES.sezione rettangolare muratura non armata"), Layout::Rectangular);
    EXPECT_EQ(&r, &archive.at(0));
    EXPECT_EQ(r.sectionType, "R");
    EXPECT_EQ(r.description, "ES.sezione rettangolare muratura non armata");
    EXPECT_EQ(r.fyk, 4500.0f);
    EXPECT_EQ(r.Em, 10000.0f);
    EXPECT_EQ(r.geometry, (std::array<float, 7>{1000, 400, 30, 30, 0, 0, 0}));
    EXPECT_EQ(r.Nd, 14000.0f);
    EXPECT_EQ(r.Md, 130000.0f);
    EXPECT_EQ(r.Nu, 14000.0f);
    EXPECT_EQ(r.Mu, 182000.0f);
    EXPECT_EQ(r.yan, 14.0f);
    EXPECT_EQ(r.campo, 0);
    EXPECT_EQ(archive.at(1), SectionRecord::untouched());
}

TEST(StoreCalculation, CircularKeepsOnlyItsSlotsWhateverTheRectangleHeld) {
    engine::CurrentSection s = firstExample();
    s.A1 = 1.5;
    s.A2 = 1.0f;
    s.d = 40;
    s.c = 3;
    s.Aa = 7;
    engine::SectionResult res = firstExampleResult();
    res.campo = 4;
    const SectionRecord r = recordFromCalculation(s, res, QString(), Layout::Circular);
    EXPECT_EQ(r.sectionType, "C");
    EXPECT_EQ(r.geometry, (std::array<float, 7>{400, 0, 30, 0, 700, 0, 0}));
    EXPECT_EQ(r.yan, 0.0f);
    EXPECT_EQ(r.campo, 4);
}

TEST(StoreCalculation, BeforeAnyCalculationStoresZerosWithTypeAndDescription) {
    const SectionRecord rect = recordFromCalculation({}, {}, QStringLiteral("prima"), Layout::Rectangular);
    SectionRecord expected;
    expected.description = QStringLiteral("prima");
    EXPECT_EQ(rect, expected);
    const SectionRecord circ = recordFromCalculation({}, {}, QString(), Layout::Circular);
    expected = {};
    expected.sectionType = QStringLiteral("C");
    EXPECT_EQ(circ, expected);
}

TEST(StoreCalculation, NumbersBecomeSingleAndTextIsSanitized) {
    engine::CurrentSection s;
    s.Nd = 14000.3;
    s.b = 3.3;    // 33 mm typed
    s.A1 = 1.57;  // 157 mm² typed
    engine::SectionResult res;
    res.Mu = 123456789.0;
    const SectionRecord r =
        recordFromCalculation(s, res, QStringLiteral("trave \"A\"\r\nfilo 3"), Layout::Rectangular);
    EXPECT_EQ(r.Nd, 14000.3f);
    EXPECT_EQ(r.geometry[0], 33.0f);
    EXPECT_EQ(r.geometry[4], 157.0f);
    EXPECT_EQ(r.Mu, 123456789.0f);
    EXPECT_EQ(r.description, "trave A filo 3");
}

TEST(Clipboard, PasteBeforeAnyCopyEmptiesThePosition) {
    SectionArchive archive;
    archive.at(5) = fullRecord(QStringLiteral("R"));
    const ArchiveClipboard clipboard;
    const SectionRecord& shown = pasteFromClipboard(archive, 5, Layout::Rectangular, clipboard);
    EXPECT_EQ(&shown, &archive.at(5));
    EXPECT_EQ(shown, SectionRecord::blank());
    EXPECT_TRUE(shown.sectionType.isEmpty());
}

TEST(Clipboard, CopyUnderTheCircularLayoutLosesSlots246AndYan) {
    SectionArchive archive;
    archive.at(2) = fullRecord(QStringLiteral("R"));
    const SectionArchive before = archive;
    ArchiveClipboard clipboard;
    copyToClipboard(archive, 2, Layout::Circular, clipboard);
    EXPECT_EQ(archive, before);
    SectionRecord expected = fullRecord(QStringLiteral("R"));
    expected.geometry = {11, 0, 13, 0, 15, 0, 17};
    expected.yan = 0;
    EXPECT_EQ(clipboard.record, expected);

    copyToClipboard(archive, 2, Layout::Rectangular, clipboard);
    EXPECT_EQ(clipboard.record, fullRecord(QStringLiteral("R")));
}

TEST(Clipboard, PasteFollowsTheSelectedLayoutAndTheTypeTravels) {
    SectionArchive archive;
    ArchiveClipboard clipboard;
    clipboard.record = fullRecord(QStringLiteral("C"));
    archive.at(7).geometry = {91, 92, 93, 94, 95, 96, 97};
    archive.at(7).yan = 9;

    pasteFromClipboard(archive, 7, Layout::Circular, clipboard);
    SectionRecord expected = fullRecord(QStringLiteral("C"));
    expected.geometry = {11, 0, 13, 0, 15, 0, 17};
    expected.yan = 0;
    EXPECT_EQ(archive.at(7), expected);

    // The buffer keeps its contents and pastes again, here under the rectangular layout.
    pasteFromClipboard(archive, 8, Layout::Rectangular, clipboard);
    EXPECT_EQ(archive.at(8), fullRecord(QStringLiteral("C")));
    EXPECT_EQ(clipboard.record, fullRecord(QStringLiteral("C")));
}

TEST(ClearAllRecords, EmptiesEveryPositionAndShowsTheFirst) {
    SectionArchive archive;
    archive.at(0) = fullRecord(QStringLiteral("C"));
    archive.at(99) = fullRecord(QStringLiteral("R"));
    std::int16_t position = 42;
    clearAllRecords(archive, position);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(archive, SectionArchive{});
}

TEST(HoldsData, ActionsResultsAndCampoAloneDoNotAsk) {
    SectionArchive archive;
    for (int p = 0; p < SectionArchive::kPositions; ++p) {
        SectionRecord& r = archive.at(p);
        r.Nd = 1, r.Md = 2, r.Nu = 3, r.Mu = 4, r.yan = 5;
        r.campo = 2;
    }
    EXPECT_FALSE(holdsData(archive, {}));
    EXPECT_FALSE(holdsData(SectionArchive{}, {}));
}

TEST(HoldsData, AnyTypeDescriptionMaterialOrGeometryAsks) {
    const auto asksWith = [](auto change) {
        SectionArchive archive;
        change(archive.at(99));
        return holdsData(archive, {});
    };
    EXPECT_TRUE(asksWith([](SectionRecord& r) { r.sectionType = QStringLiteral("C"); }));
    EXPECT_TRUE(asksWith([](SectionRecord& r) { r.sectionType.clear(); }));
    EXPECT_TRUE(asksWith([](SectionRecord& r) { r.description = QStringLiteral(" "); }));
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(asksWith([i](SectionRecord& r) {
            float* m[] = {&r.fyk, &r.fyd, &r.Ea, &r.fmd, &r.Em};
            *m[i] = -0.5f;
        })) << "material "
            << i;
    }
    for (std::size_t slot = 0; slot < 7; ++slot) {
        EXPECT_TRUE(asksWith([slot](SectionRecord& r) { r.geometry[slot] = 1; })) << "slot " << slot + 1;
    }
}

TEST(HoldsData, AnyProjectDataLineAsks) {
    for (std::size_t i = 0; i < 6; ++i) {
        ProjectData data;
        data[i] = QStringLiteral("x");
        EXPECT_TRUE(holdsData(SectionArchive{}, data)) << "line " << i;
    }
}

}  // namespace
}  // namespace fortema::archive
