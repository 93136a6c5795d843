// The table of 100 positions: storing a calculation, moving between positions, the copy buffer,
// the save question's rule and the texts a stored position puts back into the boxes.
#include "archive/section_archive.h"

#include <gtest/gtest.h>

namespace fortema::archive {
namespace {

using engine::Layout;

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

TEST(SectionArchive, PositionsStayWithinTheTable) {
    const SectionArchive archive;
    EXPECT_EQ(archive.at(99), SectionRecord::untouched());
    EXPECT_THROW(archive.at(100), std::out_of_range);
    const std::pair<int, int> next[] = {{0, 1}, {98, 99}, {99, 99}, {150, 99}, {-3, 0}};
    for (const auto& [from, to] : next) EXPECT_EQ(nextPosition(std::int16_t(from)), to) << from;
    const std::pair<int, int> previous[] = {{1, 0}, {0, 0}, {99, 98}, {150, 99}, {-3, 0}};
    for (const auto& [from, to] : previous) EXPECT_EQ(previousPosition(std::int16_t(from)), to) << from;
}

TEST(StoreCalculation, LengthsInMillimetresSingleNumbersOnlyTheLayoutsSlots) {
    engine::CurrentSection s;
    s.fyk = 4500, s.Nd = 14000.3, s.Md = 130000;
    s.b = 3.3, s.h = 40, s.c1 = 3, s.c2 = 2.5, s.A1 = 1.57, s.A2 = 1.0f;
    s.d = 40, s.c = 3, s.Aa = 7;
    const engine::SectionResult res{14000, 123456789.0, 14, 4};
    SectionArchive archive;
    const SectionRecord& r =
        storeCalculation(archive, 1, s, res, QStringLiteral("trave \"A\"\r\nfilo 3"), Layout::Rectangular);
    EXPECT_EQ(&r, &archive.at(1));
    EXPECT_EQ(r.description, "trave A filo 3");
    EXPECT_EQ(r.fyk, 4500.0f);
    EXPECT_EQ(r.geometry, (std::array<float, 7>{33, 400, 30, 25, 157, 100, 0}));
    EXPECT_EQ(r.Nd, 14000.3f);
    EXPECT_EQ(r.Mu, 123456789.0f);
    EXPECT_EQ(r.yan, 14.0f);
    EXPECT_EQ(archive.at(0), SectionRecord::untouched());

    const SectionRecord circle = recordFromCalculation(s, res, QString(), Layout::Circular);
    EXPECT_EQ(circle.sectionType, "C");
    EXPECT_EQ(circle.geometry, (std::array<float, 7>{400, 0, 30, 0, 700, 0, 0}));
    EXPECT_EQ(circle.yan, 0.0f);
    EXPECT_EQ(circle.campo, 4);
}

TEST(Clipboard, CopyAndPasteFollowTheSelectedLayout) {
    SectionArchive archive;
    archive.at(2) = fullRecord(QStringLiteral("R"));
    ArchiveClipboard clipboard;
    // Before any copy the buffer empties the position, even of its type.
    EXPECT_EQ(pasteFromClipboard(archive, 5, Layout::Rectangular, clipboard), SectionRecord::blank());

    // Under the circular layout slots 2, 4, 6 and yan are not carried, whatever the type.
    SectionRecord circular = fullRecord(QStringLiteral("R"));
    circular.geometry = {11, 0, 13, 0, 15, 0, 17};
    circular.yan = 0;
    copyToClipboard(archive, 2, Layout::Rectangular, clipboard);
    EXPECT_EQ(clipboard.record, fullRecord(QStringLiteral("R")));
    archive.at(7).yan = 9;
    EXPECT_EQ(pasteFromClipboard(archive, 7, Layout::Circular, clipboard), circular);
    // The buffer keeps its contents and pastes again.
    EXPECT_EQ(pasteFromClipboard(archive, 8, Layout::Rectangular, clipboard),
              fullRecord(QStringLiteral("R")));
    copyToClipboard(archive, 2, Layout::Circular, clipboard);
    EXPECT_EQ(clipboard.record, circular);

    std::int16_t position = 42;
    clearAllRecords(archive, position);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(archive, SectionArchive{});
}

TEST(HoldsData, TypeDescriptionMaterialGeometryOrProjectDataAskToSave) {
    SectionArchive results;
    for (int p = 0; p < SectionArchive::kPositions; ++p) {
        SectionRecord& r = results.at(p);
        r.Nd = 1, r.Md = 2, r.Nu = 3, r.Mu = 4, r.yan = 5,
        r.campo = 2;  // actions and results alone do not ask
    }
    EXPECT_FALSE(holdsData(results, {}));
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
            *std::array{&r.fyk, &r.fyd, &r.Ea, &r.fmd, &r.Em}[i] = -0.5f;
        })) << "material "
            << i;
    }
    for (std::size_t slot = 0; slot < 7; ++slot)
        EXPECT_TRUE(asksWith([slot](SectionRecord& r) { r.geometry[slot] = 1; })) << "slot " << slot + 1;
    for (std::size_t i = 0; i < 6; ++i) {
        ProjectData data;
        data[i] = QStringLiteral("x");
        EXPECT_TRUE(holdsData(SectionArchive{}, data)) << "line " << i;
    }
}

TEST(PositionTexts, EachLayoutsBoxesFromItsOwnSlots) {
    const auto texts = [](const QString& type) {
        std::string joined;
        for (const BoxText& b : positionBoxTexts(fullRecord(type), engine::numtext::NumberLocale::c()))
            joined += b.text + " ";
        return joined;
    };
    EXPECT_EQ(texts(QStringLiteral("R")), "1 2 3 4 5 21 22 11 12 13 14 15 16 ");
    EXPECT_EQ(texts(QStringLiteral("C")), "1 2 3 4 5 21 22 11 13 15 ");
    EXPECT_EQ(texts(QStringLiteral("X")), "1 2 3 4 5 21 22 ");
}

}  // namespace
}  // namespace fortema::archive
