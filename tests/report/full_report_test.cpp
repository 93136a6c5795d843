// The full project report: which positions land on which page, and the texts of the project
// page and of a section block as the page file places them.

#include "report/full_report.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "drawing/recording_surface.h"
#include "pagescript/page_script.h"
#include "pagescript/script_interpreter.h"
#include "report/combination_pages.h"
#include "tests/pagescript/script_files.h"

namespace fortema::report {
namespace {

namespace numtext = engine::numtext;
using archive::SectionArchive;
using archive::SectionRecord;

// One text of the page file, its place in centimetres and the font size set before it.
struct Text {
    double x = 0, y = 0;
    QString text;
    int size = 0;
    bool bold = false;
};
using Page = std::vector<Text>;

std::vector<Page> readPages(const QString& pageFile) {
    using K = pagescript::Keyword;
    std::vector<Page> pages;
    pagescript::ScriptReader reader(pageFile);
    pagescript::ScriptCommand c;
    Text next;
    while (reader.next(c)) {
        const QString arg = c.arguments.value(0);
        const double cm = pagescript::ParseScriptNumber(arg) / pagescript::kTwipsPerCm;
        if (c.keyword == K::StartPage) pages.emplace_back();
        if (c.keyword == K::FontSize) next.size = arg.toInt();
        if (c.keyword == K::FontBold) next.bold = arg != QLatin1String("0");
        if (c.keyword == K::X) next.x = cm;
        if (c.keyword == K::Y) next.y = cm;
        if ((c.keyword == K::TextLeft || c.keyword == K::TextRight || c.keyword == K::TextCentre) &&
            !pages.empty()) {
            next.text = arg;
            pages.back().push_back(next);
        }
    }
    return pages;
}

// The text at (x, y) cm, or "<none>".
QString at(const Page& page, double x, double y) {
    for (const Text& t : page) {
        if (std::abs(t.x - x) < 1e-3 && std::abs(t.y - y) < 1e-3) return t.text;
    }
    return QStringLiteral("<none>");
}

// The positions a page shows ("Sezione numero:  7" is 7) and its separators.
std::pair<std::vector<int>, int> blocksOn(const Page& page) {
    std::pair<std::vector<int>, int> out;
    for (const Text& t : page) {
        if (t.text.startsWith(QStringLiteral("Sezione numero: ")))
            out.first.push_back(t.text.mid(16).toInt());
        if (t.text == QString(82, QLatin1Char('-'))) ++out.second;
    }
    return out;
}

SectionRecord rectangle(float nd, float md, float mu = 12500) {
    SectionRecord r;
    r.sectionType = QStringLiteral("R");
    r.description = QStringLiteral("Trave T1");
    r.fyd = 3913, r.Ea = 2100000, r.fmd = 11.5f, r.Em = 299000;
    r.geometry = {300, 500, 25, 25, 600, 600, 0};
    r.Nd = nd, r.Md = md, r.Nu = nd, r.Mu = mu, r.yan = 4.25f;
    return r;
}

SectionArchive storedUpTo(int count) {
    SectionArchive a;
    for (int i = 0; i < count; ++i) a.at(i) = rectangle(1000.0f + float(i), 10000.0f);
    return a;
}

struct Report {
    ReportOutcome outcome = ReportOutcome::NoData;
    QByteArray bytes;  // the page file
    std::vector<Page> pages;
    QStringList pageList;
    QStringList messages;  // "title|text" of every critical message
};

Report run(const SectionArchive& a, const archive::ProjectData& data = {},
           const numtext::NumberLocale& loc = numtext::NumberLocale::c()) {
    QTemporaryDir folder;
    pagescript::test::RecordingObserver observer;
    pagescript::PageScriptWriter writer(observer, folder.path(), loc);
    Report out;
    out.outcome = FullReport(writer, a, data, loc, [&](const QString& title, const QString& text) {
        out.messages << title + QLatin1Char('|') + text;
    });
    out.pages = readPages(writer.pageFile());
    out.pageList = observer.pages;
    QFile file(writer.pageFile());
    if (file.open(QIODevice::ReadOnly)) out.bytes = file.readAll();
    return out;
}

TEST(FullReportPages, NoStoredDataShowsTheMessageAndStartsNoDocument) {
    SectionArchive a;
    a.at(40).Nd = 5;  // actions and results alone are not stored data
    a.at(41).Mu = 7;
    a.at(42).sectionType = QStringLiteral("C");
    const Report r = run(a);
    EXPECT_EQ(r.outcome, ReportOutcome::NoData);
    EXPECT_EQ(r.messages, QStringList{QStringLiteral("Fortema| Nessun dato è stato salvato ")});
    EXPECT_TRUE(r.pages.empty());
}

TEST(FullReportPages, SectionPagesOfFiveUpToTheFirstPositionNotPrinted) {
    std::vector<std::pair<SectionArchive, std::vector<std::vector<int>>>> cases;
    SectionArchive a = storedUpTo(7);
    a.at(9) = rectangle(5, 5);  // after the empty position 8: never printed
    cases.push_back({a, {{1, 2, 3, 4, 5}, {6, 7}}});
    cases.push_back({storedUpTo(5), {{1, 2, 3, 4, 5}}});
    std::vector<std::vector<int>> twenty(20);
    for (int i = 0; i < 100; ++i) twenty[std::size_t(i / 5)].push_back(i + 1);
    cases.push_back({storedUpTo(100), twenty});
    a = storedUpTo(3);
    a.at(1).Md = 0;  // Nd alone is printed
    cases.push_back({a, {{1, 2, 3}}});
    // A description alone is stored data, and it stops the report at its place.
    a.at(3) = SectionRecord::untouched();
    a.at(3).description = QStringLiteral("solo descrizione");
    a.at(4) = rectangle(1, 1);
    cases.push_back({a, {{1, 2, 3}}});
    // A first position that is not printed gives one bare section page.
    a.at(0) = a.at(3);
    cases.push_back({a, {{}}});

    for (const auto& [archive, positions] : cases) {
        SCOPED_TRACE(positions.size());
        const Report r = run(archive);
        ASSERT_EQ(r.outcome, ReportOutcome::Written);
        EXPECT_TRUE(r.messages.isEmpty());
        ASSERT_EQ(r.pages.size(), positions.size() + 1);
        EXPECT_EQ(r.pageList.size(), qsizetype(r.pages.size()));
        EXPECT_TRUE(blocksOn(r.pages[0]).first.empty());
        for (std::size_t p = 1; p < r.pages.size(); ++p) {
            // Separators stand between blocks only.
            const std::size_t n = positions[p - 1].size();
            EXPECT_EQ(blocksOn(r.pages[p]), std::make_pair(positions[p - 1], int(n > 0 ? n - 1 : 0)));
            EXPECT_EQ(at(r.pages[p], 18, 1.55), QStringLiteral("pag. %1").arg(p));
        }
    }
}

TEST(FullReportProjectPage, TheSixProjectLinesThenTheLegend) {
    const archive::ProjectData data = {"Scuola", "Comune", "Ing. Rossi", "2", "1/1/2026", "3/3/2026"};
    const Report r = run(storedUpTo(1), data);
    ASSERT_FALSE(r.pages.empty());
    QStringList lines;
    for (const Text& t : r.pages[0]) {
        if (t.size == 10) lines << QString::number(t.y, 'f', 1) + QLatin1Char(' ') + t.text;
    }
    EXPECT_EQ(lines, QStringList({"4.0 DATI DI PROGETTO:", "5.0 PROGETTO: Scuola", "6.0 COMMITTENTE: Comune",
                                  "7.0 PROGETTISTA: Ing. Rossi", "8.0 REVISIONE: 2", "9.0 DATA: 1/1/2026",
                                  "10.0 DATA REVISIONE PROGETTO:3/3/2026"}));
    // The rule, 22 legend lines, the two header and the two footer texts.
    EXPECT_EQ(r.pages[0].size(), 7u + 1u + 22u + 4u);
}

TEST(FullReportBlock, RectangleColumnsBlocksFourCentimetresApartAndTheLocalesForms) {
    SectionArchive a = storedUpTo(2);
    for (const bool italian : {false, true}) {
        const Report r = run(a, {}, italian ? numtext::NumberLocale::italian() : numtext::NumberLocale::c());
        ASSERT_EQ(r.pages.size(), 2u);
        const Page& p = r.pages[1];
        EXPECT_EQ(at(p, 2, 2.5), QStringLiteral("Sezione numero:  1"));
        EXPECT_EQ(at(p, 6, 2.5), QStringLiteral("Tipo: R"));
        EXPECT_EQ(at(p, 2, 3.5), QStringLiteral("b  [mm]"));
        EXPECT_EQ(at(p, 2, 4), QStringLiteral(" 300"));
        // yan is stored in cm; the column is in mm, written with a point under any locale.
        EXPECT_EQ(at(p, 14, 3.5), QStringLiteral("yan [mm]"));
        EXPECT_EQ(at(p, 14, 4), QStringLiteral(" 42.5"));
        EXPECT_EQ(at(p, 10, 3),
                  italian ? QStringLiteral("fmd = 11,5 daN/cm^2") : QStringLiteral("fmd = 11.5 daN/cm^2"));
        EXPECT_EQ(at(p, 6, 5.5), italian ? QStringLiteral("Mu / Md = 1,25 VERIFICATA")
                                         : QStringLiteral("Mu / Md = 1.25 VERIFICATA"));
        EXPECT_EQ(at(p, 2, 6), QString(82, QLatin1Char('-')));
        EXPECT_EQ(at(p, 2, 6.5), QStringLiteral("Sezione numero:  2"));
    }
}

TEST(FullReportBlock, CircularAndTypelessPositionsGetTheThreeCircleColumns) {
    SectionRecord circle = rectangle(80000, 1000000);
    circle.sectionType = QStringLiteral("C");
    circle.geometry = {400, 0, 30, 0, 1200, 0, 0};
    SectionArchive a;
    a.at(0) = circle;
    a.at(1) = circle;
    a.at(1).sectionType.clear();
    const Report r = run(a);
    ASSERT_EQ(r.pages.size(), 2u);
    for (double top : {0.0, 4.0}) {
        const QStringList columns{at(r.pages[1], 2, top + 3.5), at(r.pages[1], 4, top + 3.5),
                                  at(r.pages[1], 6, top + 3.5), at(r.pages[1], 8, top + 3.5)};
        EXPECT_EQ(columns, QStringList({"d [mm]", "c [mm]", "Aa [mm^2]", "<none>"}));
        EXPECT_EQ(at(r.pages[1], 6, top + 4), QStringLiteral(" 1200"));
    }
}

// 10010 / 10000 taken before the ×10000 is 1.000999..., which would cut to 1.0009.
TEST(FullReportRatio, CutNotRoundedAndSoundWithoutAMoment) {
    const struct {
        float mu, md;
        const char* text;
    } cases[] = {{99999, 100000, "0.9999"},  {12500, 10000, "1.25"},  {1400000, 1400000, "1"},
                 {1, 3, "0.3333"},           {10010, 10000, "1.001"}, {0, 10000, "0"},
                 {5000, 0, kRatioUndefined}, {0, 0, kRatioUndefined}};
    for (const auto& c : cases)
        EXPECT_EQ(cutRatioText(c.mu, c.md, numtext::NumberLocale::c()), QLatin1String(c.text)) << c.mu;

    SectionArchive a;
    a.at(0) = rectangle(45000, 0);
    const Report r = run(a);
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_EQ(at(r.pages[1], 6, 5.5),
              QStringLiteral("Mu / Md = ") + QLatin1String(kRatioUndefined) + " VERIFICATA");
}

// Loads spread over the domain of rectangle() and beyond: carried, failing and beyond the axial
// capacity alike.
archive::CombinationList loads(int count) {
    archive::CombinationList list;
    for (int k = 0; k < count; ++k)
        list.push_back(
            {"C" + std::to_string(k + 1), -60000.0 + (k * 7919) % 140000, -1.5e6 + (k * 104729) % 3000000});
    return list;
}

// What page `page` of a page file draws on an A4 recorder, positions in twips.
std::vector<drawing::Op> drawn(const QByteArray& pageFile, int page) {
    QTemporaryDir dir;
    QFile file(pagescript::pageFilePath(dir.path()));
    if (!file.open(QIODevice::WriteOnly) || file.write(pageFile) != pageFile.size()) return {};
    file.close();
    drawing::RecordingSurface surface(794, 1123, 96);
    surface.setScale(0, 0, pagescript::kPageWidthTwips, pagescript::kPageHeightTwips);
    QImage picture;
    pagescript::RenderPreviewPage({file.fileName(), QString::number(page)}, surface, picture);
    return surface.ops();
}

// Every line and marker, and every text below the header and above the footer, lies within the
// margins: x from 2 to 18 cm, y from 2.3 cm to the footer rule at 26 cm. Texts are as wide as
// the recorder makes them (half the font size a character), wider than the printer's fonts.
void expectWithinMargins(const std::vector<drawing::Op>& ops) {
    const double cm = pagescript::kTwipsPerCm;
    for (const drawing::Op& op : ops) {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (op.kind == "line" || op.kind == "fbox") {
            x1 = op.args[0], y1 = op.args[1], x2 = op.args[2], y2 = op.args[3];
        } else if (op.kind == "text" && op.args[1] > 2 * cm && op.args[1] < 26 * cm) {
            x1 = op.args[0], y1 = op.args[1];
            x2 = x1 + double(op.text.size()) * op.fontSize * 10, y2 = y1 + op.fontSize * 24;
        } else {
            continue;
        }
        EXPECT_TRUE(std::min(x1, x2) >= 2 * cm - 1 && std::max(x1, x2) <= 18 * cm + 1 &&
                    std::min(y1, y2) >= 2.3 * cm && std::max(y1, y2) <= 26 * cm)
            << op.kind.toStdString() << " " << op.text.toStdString() << " at " << x1 / cm << "," << y1 / cm
            << " " << x2 / cm << "," << y2 / cm;
    }
}

TEST(CombinationPages, PageCountFollowsTheRowsAndTheRoomLeftForTheDrawing) {
    const struct {
        std::size_t rows;
        bool drawing;
        int pages;
    } cases[] = {{1, true, 1},  {21, true, 1}, {22, true, 2}, {22, false, 1},  {50, true, 2},
                 {51, true, 2}, {71, true, 2}, {72, true, 3}, {500, true, 11}, {500, false, 10}};
    for (const auto& c : cases) EXPECT_EQ(combinationPageCount(c.rows, c.drawing), c.pages) << c.rows;
}

// Position 2 fills a page and leaves room for its drawing on the next; position 5 leaves none;
// position 7 cannot be checked and has no drawing.
TEST(CombinationPages, FollowTheSectionPagesWhichStayByteForByte) {
    const auto loc = numtext::NumberLocale::italian();
    SectionArchive a = storedUpTo(7);
    a.at(1).fyk = a.at(4).fyk = 4500;  // "&CALCOLA" wants it
    a.at(6).sectionType = QStringLiteral("X");
    const Report without = run(a, {}, loc);
    a.combinations(1) = loads(60);
    a.combinations(4) = loads(30);
    a.combinations(6) = {{"a", 1000.5, -2500.25}, {"b", 1, 2}};
    const Report with = run(a, {}, loc);
    ASSERT_EQ(with.outcome, ReportOutcome::Written);
    ASSERT_EQ(without.pages.size(), 3u);
    EXPECT_TRUE(with.bytes.startsWith(without.bytes));

    const struct {
        int position;
        std::vector<int> rows;  // rows of each page; the drawing's own page has none
        int drawingPage;        // index in `rows`, -1 for none
    } expected[] = {{2, {50, 10}, 1}, {5, {30, 0}, 1}, {7, {2}, -1}};
    std::size_t page = 3;
    for (const auto& e : expected) {
        SCOPED_TRACE(e.position);
        const engine::CombinationsResult result = archive::checkPositionCombinations(a, e.position - 1, loc);
        const archive::CombinationList& list = a.combinations(e.position - 1);
        QString verdicts, wanted;
        for (const engine::CombinationCheck& c : result.checks)
            wanted += c.beyondCapacity ? 'B' : c.passes ? 'V' : 'N';
        int governing = 0, legends = 0;
        for (std::size_t p = 0; p < e.rows.size(); ++p, ++page) {
            ASSERT_LT(page, with.pages.size());
            const Page& texts = with.pages[page];
            EXPECT_EQ(at(texts, 18, 1.55), QStringLiteral("pag. %1").arg(page));
            EXPECT_TRUE(
                at(texts, 2, 2.5)
                    .startsWith(
                        QStringLiteral("Combinazioni di carico - posizione %1: Trave T1").arg(e.position)));
            int rows = 0;
            for (const Text& t : texts) {
                if (std::abs(t.x - 2.3) < 1e-3 && t.y > 4) ++rows;
                if (std::abs(t.x - 13.2) < 1e-3 && t.y > 4)
                    verdicts += t.text == "VERIFICATA"                 ? 'V'
                                : t.text == "NON VERIFICATA"           ? 'N'
                                : t.text.startsWith("NON VERIFICATA:") ? 'B'
                                                                       : t.text.front();
                if (t.text == QStringLiteral("*")) {
                    ++governing;
                    EXPECT_TRUE(t.bold);
                }
                if (t.text == QString::fromUtf8(kGoverningLegend)) ++legends;
            }
            EXPECT_EQ(rows, e.rows[p]);
            const std::vector<drawing::Op> ops = drawn(with.bytes, int(page) + 1);
            expectWithinMargins(ops);
            if (int(p) != e.drawingPage) continue;
            // A square for a carried point, a cross of two bars for a failing one, a ring of four
            // bars round the governing one, and the three in the legend.
            const auto carried =
                std::count_if(result.checks.begin(), result.checks.end(), [](auto& c) { return c.passes; });
            const auto kind = [&ops](const char* k) {
                return std::count_if(ops.begin(), ops.end(),
                                     [k](const drawing::Op& op) { return op.kind == k; });
            };
            EXPECT_EQ(kind("fbox"), carried + 2 * (long(list.size()) - carried) + 4 + 7);
            EXPECT_GT(kind("line"), 100);  // the outline, the grid and the axes
        }
        if (e.drawingPage < 0) {
            EXPECT_EQ(at(with.pages[page - 1], 2, 3.1),
                      QStringLiteral("Combinazioni non calcolabili: tipo di sezione sconosciuto."));
            // Numbers in the locale's text form, results that do not exist as "-".
            EXPECT_EQ(at(with.pages[page - 1], 6.7, 4.3), QStringLiteral("1000,5"));
            EXPECT_EQ(at(with.pages[page - 1], 8.6, 4.3), QStringLiteral("-2500,25"));
            EXPECT_EQ(at(with.pages[page - 1], 10.55, 4.3), QStringLiteral("-"));
            EXPECT_EQ(verdicts, QStringLiteral("--"));
        } else {
            EXPECT_EQ(verdicts, wanted);
            EXPECT_EQ(governing, 1);
            EXPECT_EQ(legends, 1);
        }
    }
    EXPECT_EQ(page, with.pages.size());
    EXPECT_EQ(with.pageList.size(), qsizetype(with.pages.size()));
}

// The report stops at the first position without Nd and Md; what holds data after it is named.
TEST(LeftOutPositions, NamedAfterTheStop) {
    const struct {
        std::vector<int> actions, described, left;
        const char* named;
    } cases[] = {
        {{0, 1, 2}, {0}, {}, ""},
        {{0, 2, 3, 4, 7}, {0}, {2, 3, 4, 7}, "Le posizioni 3-5, 8 contengono dati"},
        // A description alone stops the report at its place and is left out with it.
        {{0}, {0, 1}, {1}, "La posizione 2 contiene dati"},
    };
    for (const auto& c : cases) {
        SectionArchive a;
        for (int p : c.actions) a.at(p).Nd = 1000;
        for (int p : c.described) a.at(p).description = QStringLiteral("sezione");
        EXPECT_EQ(positionsLeftOut(a), c.left) << c.named;
        const QString message = leftOutMessage(c.left);
        EXPECT_EQ(message.isEmpty(), c.left.empty());
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.named))) << message.toStdString();
    }
}

}  // namespace
}  // namespace fortema::report
