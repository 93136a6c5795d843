// The full project report: which positions land on which page, the exact texts of the project
// page and of a section block as they stand in the page file, and the report as a PDF.

#include "report/full_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "engine/code_page.h"
#include "pagescript/page_script.h"

namespace fortema::report {
namespace {

namespace numtext = engine::numtext;
using archive::SectionArchive;
using archive::SectionRecord;

// One text command of the page file, positions back in centimetres.
struct Text {
    double x = 0, y = 0;
    QString text, face;
    int size = 0;
    bool bold = false;
    bool right = false;
};
using Page = std::vector<Text>;

// Reads the page file the way the interpreters do: pages between "#startpage" and "#endpage",
// the font settings and position that precede each text command.
std::vector<Page> readPages(const QString& pageFile, const numtext::NumberLocale& loc) {
    QFile file(pageFile);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromStdU32String(engine::fromWindows1252(file.readAll().toStdString()))
                                  .split(QStringLiteral("\r\n"));
    std::vector<Page> pages;
    Text next;
    const auto cm = [&](const QString& twips) {
        return numtext::localeNumberValue(twips.toStdString(), loc) / pagescript::kTwipsPerCm;
    };
    for (qsizetype k = 0; k + 1 < lines.size(); ++k) {
        const QString& key = lines[k];
        const QString& arg = lines[k + 1];
        if (key == QLatin1String("#startpage")) {
            pages.emplace_back();
        } else if (key == QLatin1String("#fontname")) {
            next.face = arg;
        } else if (key == QLatin1String("#fontsize")) {
            next.size = arg.toInt();
        } else if (key == QLatin1String("#fontbold")) {
            next.bold = arg.toInt() != 0;
        } else if (key == QLatin1String("#x")) {
            next.x = cm(arg);
        } else if (key == QLatin1String("#y")) {
            next.y = cm(arg);
        } else if (key == QLatin1String("#txt_l") || key == QLatin1String("#txt_r")) {
            next.right = key == QLatin1String("#txt_r");
            next.text = arg;
            if (!pages.empty()) pages.back().push_back(next);
        } else {
            continue;
        }
        if (key != QLatin1String("#startpage")) ++k;
    }
    return pages;
}

const Text* find(const Page& page, const QString& prefix) {
    for (const Text& t : page) {
        if (t.text.startsWith(prefix)) return &t;
    }
    return nullptr;
}

std::vector<const Text*> findAll(const Page& page, const QString& prefix) {
    std::vector<const Text*> out;
    for (const Text& t : page) {
        if (t.text.startsWith(prefix)) out.push_back(&t);
    }
    return out;
}

// The "Sezione numero:" lines of a page, as the position numbers they show.
std::vector<int> positionsOn(const Page& page) {
    std::vector<int> out;
    for (const Text* t : findAll(page, QStringLiteral("Sezione numero: "))) {
        out.push_back(t->text.mid(16).trimmed().toInt());
    }
    return out;
}

int separatorsOn(const Page& page) { return int(findAll(page, QString(82, QLatin1Char('-'))).size()); }

SectionRecord rectangle(float nd, float md) {
    SectionRecord r;
    r.sectionType = QStringLiteral("R");
    r.description = QStringLiteral("Trave T1");
    r.fyk = 4500;
    r.fyd = 3913;
    r.Ea = 2100000;
    r.fmd = 118;
    r.Em = 299000;
    r.geometry = {300, 500, 25, 25, 600, 600, 0};
    r.Nd = nd;
    r.Md = md;
    r.Nu = nd;
    r.Mu = 1895457;
    r.yan = 4.25f;
    r.campo = 3;
    return r;
}

SectionRecord circle() {
    SectionRecord r;
    r.sectionType = QStringLiteral("C");
    r.description = QStringLiteral("Pilastro P1");
    r.fyd = 3913;
    r.Ea = 2100000;
    r.fmd = 118;
    r.Em = 299000;
    r.geometry = {400, 0, 30, 0, 1200, 0, 0};
    r.Nd = 80000;
    r.Md = 1000000;
    r.Nu = 80000;
    r.Mu = 1234567;
    return r;
}

SectionArchive storedUpTo(int count) {
    SectionArchive a;
    for (int i = 0; i < count; ++i) a.at(i) = rectangle(1000.0f + float(i), 10000.0f);
    return a;
}

class Observer : public pagescript::PreviewObserver {
public:
    int loads = 0;
    QStringList pageList;
    QStringList warnings;
    void ensurePreviewLoaded() override { ++loads; }
    void closePreview() override {}
    void pageListChanged(const QStringList& pages) override { pageList = pages; }
    void setWaitCursor(bool) override {}
    void showInformation(const QString&, const QString& text) override { warnings << text; }
    void showWarning(const QString&, const QString& text) override { warnings << text; }
};

struct Report {
    ReportOutcome outcome = ReportOutcome::NoData;
    std::vector<Page> pages;
    QStringList pageList;
    QStringList messages;  // "title|text" of every critical message
};

Report run(const SectionArchive& a, const archive::ProjectData& data = {},
           const numtext::NumberLocale& loc = numtext::NumberLocale::c()) {
    QTemporaryDir folder;
    Observer observer;
    pagescript::PageScriptWriter writer(observer, folder.path(), loc);
    Report out;
    out.outcome = FullReport(writer, a, data, loc, [&](const QString& title, const QString& text) {
        out.messages << title + QLatin1Char('|') + text;
    });
    if (QFile::exists(writer.pageFile())) out.pages = readPages(writer.pageFile(), loc);
    out.pageList = observer.pageList;
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

TEST(FullReportPages, SevenPositionsThenAnEmptyOneGiveThreePages) {
    SectionArchive a = storedUpTo(7);
    a.at(9) = rectangle(5, 5);  // after the empty position 8: never printed
    const Report r = run(a);
    ASSERT_EQ(r.outcome, ReportOutcome::Written);
    ASSERT_EQ(r.pages.size(), 3u);
    EXPECT_EQ(r.pageList, (QStringList{"1", "2", "3"}));
    EXPECT_TRUE(positionsOn(r.pages[0]).empty());
    EXPECT_EQ(positionsOn(r.pages[1]), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(separatorsOn(r.pages[1]), 4);
    EXPECT_EQ(positionsOn(r.pages[2]), (std::vector<int>{6, 7}));
    EXPECT_EQ(separatorsOn(r.pages[2]), 1);
    // The separator stands between the two blocks, below the first.
    const auto seps = findAll(r.pages[2], QString(82, QLatin1Char('-')));
    ASSERT_EQ(seps.size(), 1u);
    EXPECT_NEAR(seps[0]->y, 6.0, 1e-4);
    EXPECT_EQ(seps[0]->face, QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(seps[0]->size, 9);
    EXPECT_FALSE(seps[0]->bold);
}

TEST(FullReportPages, FiveAndOneHundredPositionsEndWithoutAnEmptyPage) {
    const Report five = run(storedUpTo(5));
    ASSERT_EQ(five.pages.size(), 2u);
    EXPECT_EQ(positionsOn(five.pages[1]), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(separatorsOn(five.pages[1]), 4);

    const Report all = run(storedUpTo(100));
    ASSERT_EQ(all.pages.size(), 21u);
    EXPECT_EQ(all.pageList.size(), 21);
    EXPECT_EQ(positionsOn(all.pages[20]), (std::vector<int>{96, 97, 98, 99, 100}));
    for (std::size_t p = 1; p < all.pages.size(); ++p) {
        const Text* number = find(all.pages[p], QStringLiteral("pag."));
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(number->text, QStringLiteral("pag. %1").arg(p));
        EXPECT_TRUE(number->right);
    }
}

TEST(FullReportPages, AnUnprintedFirstPositionGivesOneBarePage) {
    SectionArchive a = storedUpTo(6);
    a.at(0).Nd = 0;
    a.at(0).Md = 0;
    const Report r = run(a);
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_TRUE(positionsOn(r.pages[1]).empty());
    EXPECT_EQ(separatorsOn(r.pages[1]), 0);
    ASSERT_NE(find(r.pages[1], QStringLiteral("pag. 1")), nullptr);
    ASSERT_NE(find(r.pages[1], programFooter()), nullptr);

    // A description alone is stored data, and it stops the report at its place.
    SectionArchive d = storedUpTo(3);
    d.at(3) = SectionRecord::untouched();
    d.at(3).description = QStringLiteral("solo descrizione");
    d.at(4) = rectangle(1, 1);
    const Report r2 = run(d);
    ASSERT_EQ(r2.pages.size(), 2u);
    EXPECT_EQ(positionsOn(r2.pages[1]), (std::vector<int>{1, 2, 3}));

    SectionArchive only;
    only.at(0).description = QStringLiteral("solo descrizione");
    const Report r3 = run(only);
    EXPECT_EQ(r3.outcome, ReportOutcome::Written);
    EXPECT_EQ(r3.pages.size(), 2u);
    EXPECT_TRUE(r3.messages.isEmpty());
}

TEST(FullReportProjectPage, HeaderFooterProjectDataAndLegend) {
    const archive::ProjectData data = {"Scuola", "Comune", "Ing. Rossi", "2", "1/1/2026", "3/3/2026"};
    const Report r = run(storedUpTo(1), data);
    ASSERT_GE(r.pages.size(), 1u);
    const Page& p = r.pages[0];
    const Text* title = find(p, QStringLiteral("      FORTEMA VER.2.4/2018/VERIFICHE ALLO STATO LIMITE"));
    ASSERT_NE(title, nullptr);
    EXPECT_FALSE(title->right);
    EXPECT_EQ(title->face, QStringLiteral("Arial"));
    EXPECT_EQ(title->size, 8);
    const Text* file = find(p, QStringLiteral("Progetto non salvato"));
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->right);
    EXPECT_NE(find(p, programFooter()), nullptr);
    EXPECT_NE(find(p, QStringLiteral("Stampato il ")), nullptr);

    const struct {
        double y;
        QString text;
        int size;
        bool bold;
    } expected[] = {
        {4.0, "DATI DI PROGETTO:", 10, true},
        {5.0, "PROGETTO: Scuola", 10, false},
        {6.0, "COMMITTENTE: Comune", 10, false},
        {7.0, "PROGETTISTA: Ing. Rossi", 10, false},
        {8.0, "REVISIONE: 2", 10, false},
        {9.0, "DATA: 1/1/2026", 10, false},
        {10.0, "DATA REVISIONE PROGETTO:3/3/2026", 10, false},
        {11.0, QString(76, QLatin1Char('-')), 9, false},
        {12.0, "DATI GENERALI:", 9, true},
        {14.4, "Dimensioni (sezione rettangolare o assimilabile):", 9, true},
        {17.6, "c     = copriferro,[cm]", 9, false},
        {21.2, "yan   = posizione asse neutro/zona compressa, [mm]", 9, false},
    };
    for (const auto& e : expected) {
        const Text* t = find(p, e.text);
        ASSERT_NE(t, nullptr) << e.text.toStdString();
        EXPECT_EQ(t->text, e.text);
        EXPECT_NEAR(t->x, 2.0, 1e-4);
        EXPECT_NEAR(t->y, e.y, 1e-3) << e.text.toStdString();
        EXPECT_EQ(t->face, QStringLiteral("MS Sans Serif"));
        EXPECT_EQ(t->size, e.size) << e.text.toStdString();
        EXPECT_EQ(t->bold, e.bold) << e.text.toStdString();
    }
    // Six project lines and 22 legend lines, the rule, the two header and two footer texts.
    EXPECT_EQ(p.size(), 1u + 6u + 1u + 22u + 4u);
}

// The texts of one block, keyed by their place: "x,y" in cm relative to the block top.
std::map<std::pair<int, int>, Text> blockTexts(const Page& page, double top) {
    std::map<std::pair<int, int>, Text> out;
    for (const Text& t : page) {
        const double dy = t.y - top;
        if (t.face != QStringLiteral("Times New Roman") || dy < 2.4 || dy > 5.6) continue;
        out[{int(std::lround(t.x)), int(std::lround(dy * 10))}] = t;
    }
    return out;
}

TEST(FullReportBlock, RectangularLinesWithTheirFormsAndPlaces) {
    SectionArchive a;
    a.at(0) = rectangle(45000, 1400000);
    a.at(1) = rectangle(45000, 10000);
    a.at(1).Mu = 12500;
    a.at(1).fmd = 11.5f;
    const Report r = run(a);
    ASSERT_EQ(r.pages.size(), 2u);
    const auto b = blockTexts(r.pages[1], 0.0);
    const auto text = [&](int x, int dy10) {
        const auto it = b.find({x, dy10});
        return it == b.end() ? QStringLiteral("<none>") : it->second.text;
    };
    EXPECT_EQ(text(2, 25), QStringLiteral("Sezione numero:  1"));
    EXPECT_EQ(text(6, 25), QStringLiteral("Tipo: R"));
    EXPECT_EQ(text(8, 25), QStringLiteral("Descrizione: Trave T1"));
    EXPECT_EQ(text(2, 30), QStringLiteral("fyd = 3913 daN/cm^2"));
    EXPECT_EQ(text(6, 30), QStringLiteral("Ea = 2100000 daN/cm^2"));
    EXPECT_EQ(text(10, 30), QStringLiteral("fmd = 118 daN/cm^2"));
    EXPECT_EQ(text(14, 30), QStringLiteral("Em = 299000 daN/cm^2"));
    const char* titles[] = {"b  [mm]", "h  [mm]", "c1 [mm]", "c2 [mm]", "A1 [mm^2]", "A2 [mm^2]", "yan [mm]"};
    const char* values[] = {" 300", " 500", " 25", " 25", " 600", " 600", " 42.5"};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(text(2 + 2 * c, 35), QLatin1String(titles[c]));
        EXPECT_EQ(text(2 + 2 * c, 40), QLatin1String(values[c]));
    }
    EXPECT_EQ(text(2, 45), QStringLiteral("Nd = 45000 daN"));
    EXPECT_EQ(text(6, 45), QStringLiteral("Md = 1400000 daNcm"));
    EXPECT_EQ(text(2, 50), QStringLiteral("Nu = 45000 daN"));
    EXPECT_EQ(text(6, 50), QStringLiteral("Mu = 1895457 daNcm"));
    // 1895457 / 1400000 = 1.353897..., cut to four decimals.
    EXPECT_EQ(text(6, 55), QStringLiteral("Mu / Md = 1.3538 VERIFICATA"));
    EXPECT_EQ(b.size(), 7u + 14u + 5u);
    for (const auto& [place, t] : b) {
        EXPECT_EQ(t.size, 9);
        const bool boldLine = place.second == 25 || place.second >= 45;
        EXPECT_EQ(t.bold, boldLine) << t.text.toStdString();
    }

    // The second block, 4 cm lower: fractional text form and the exact ratio 1.25.
    const auto b2 = blockTexts(r.pages[1], 4.0);
    EXPECT_EQ(b2.at({2, 25}).text, QStringLiteral("Sezione numero:  2"));
    EXPECT_EQ(b2.at({10, 30}).text, QStringLiteral("fmd = 11.5 daN/cm^2"));
    EXPECT_EQ(b2.at({6, 55}).text, QStringLiteral("Mu / Md = 1.25 VERIFICATA"));
}

TEST(FullReportBlock, CommaLocaleWritesTextFormWithACommaButSignedFormWithAPoint) {
    SectionArchive a;
    a.at(0) = rectangle(45000, 10000);
    a.at(0).Mu = 12500;
    a.at(0).fmd = 11.5f;
    const Report r = run(a, {}, numtext::NumberLocale::italian());
    ASSERT_EQ(r.pages.size(), 2u);
    const auto b = blockTexts(r.pages[1], 0.0);
    EXPECT_EQ(b.at({10, 30}).text, QStringLiteral("fmd = 11,5 daN/cm^2"));
    EXPECT_EQ(b.at({14, 40}).text, QStringLiteral(" 42.5"));
    EXPECT_EQ(b.at({6, 55}).text, QStringLiteral("Mu / Md = 1,25 VERIFICATA"));
}

TEST(FullReportBlock, CircularAndTypelessPositionsGetTheThreeCircleColumns) {
    SectionArchive a;
    a.at(0) = circle();
    a.at(1) = circle();
    a.at(1).sectionType.clear();
    const Report r = run(a);
    ASSERT_EQ(r.pages.size(), 2u);
    for (double top : {0.0, 4.0}) {
        const auto b = blockTexts(r.pages[1], top);
        EXPECT_EQ(b.at({2, 35}).text, QStringLiteral("d [mm]"));
        EXPECT_EQ(b.at({4, 35}).text, QStringLiteral("c [mm]"));
        EXPECT_EQ(b.at({6, 35}).text, QStringLiteral("Aa [mm^2]"));
        EXPECT_EQ(b.at({2, 40}).text, QStringLiteral(" 400"));
        EXPECT_EQ(b.at({4, 40}).text, QStringLiteral(" 30"));
        EXPECT_EQ(b.at({6, 40}).text, QStringLiteral(" 1200"));
        EXPECT_EQ(b.count({8, 35}), 0u);
        EXPECT_EQ(b.count({14, 40}), 0u);
    }
    EXPECT_EQ(blockTexts(r.pages[1], 4.0).at({6, 25}).text, QStringLiteral("Tipo: "));
}

TEST(FullReportRatio, CutNotRoundedAndSoundWithoutAMoment) {
    const auto c = numtext::NumberLocale::c();
    EXPECT_EQ(cutRatioText(99999, 100000, c), QStringLiteral("0.9999"));
    EXPECT_EQ(cutRatioText(12500, 10000, c), QStringLiteral("1.25"));
    EXPECT_EQ(cutRatioText(1400000, 1400000, c), QStringLiteral("1"));
    // A whole number of ten-thousandths is not cut one step low.
    EXPECT_EQ(cutRatioText(10003, 10000, c), QStringLiteral("1.0003"));
    EXPECT_EQ(cutRatioText(1, 3, c), QStringLiteral("0.3333"));
    EXPECT_EQ(cutRatioText(0, 10000, c), QStringLiteral("0"));
    EXPECT_EQ(cutRatioText(5000, 0, c), QLatin1String(kRatioUndefined));
    EXPECT_EQ(cutRatioText(0, 0, c), QLatin1String(kRatioUndefined));

    SectionArchive a;
    a.at(0) = rectangle(45000, 0);
    const Report r = run(a);
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_EQ(blockTexts(r.pages[1], 0.0).at({6, 55}).text,
              QStringLiteral("Mu / Md = ") + QLatin1String(kRatioUndefined) + QStringLiteral(" VERIFICATA"));
}

TEST(FullReportPages, TheArchiveIsOnlyRead) {
    SectionArchive a = storedUpTo(12);
    const SectionArchive before = a;
    run(a);
    EXPECT_EQ(a, before);
}

TEST(FullReportPdf, OneHundredPositionsPrintTwentyOnePages) {
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdfinfo.isEmpty() || pdftotext.isEmpty()) GTEST_SKIP() << "poppler-utils missing";
    const QString pdf = QStringLiteral(FORTEMA_TEST_OUTPUT "/full_report_100.pdf");
    QFile::remove(pdf);
    const PdfReport out =
        fullReportToPdf(storedUpTo(100), {"Scuola", "", "", "", "", ""}, numtext::NumberLocale::c(), pdf);
    ASSERT_EQ(out.outcome, ReportOutcome::Written) << out.message.toStdString();
    EXPECT_EQ(out.pages, 21);

    QProcess info;
    info.start(pdfinfo, {pdf});
    ASSERT_TRUE(info.waitForFinished());
    EXPECT_TRUE(
        QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+21\n")));

    QProcess text;
    text.start(pdftotext, {QStringLiteral("-f"), QStringLiteral("21"), QStringLiteral("-l"),
                           QStringLiteral("21"), QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished());
    const QString last = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(last.contains(QStringLiteral("pag. 20")));
    EXPECT_TRUE(last.contains(QStringLiteral("Sezione numero: 96")) || last.contains("Sezione numero:  96"));
    EXPECT_TRUE(last.contains(QStringLiteral("100")));
    EXPECT_TRUE(last.contains(QStringLiteral("Mu / Md = 189.5457")));

    // Kept for a look at the first and the last page.
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"), pdf,
                       QStringLiteral(FORTEMA_TEST_OUTPUT "/full_report_100")});
}

TEST(FullReportPdf, NoDataMakesNoPdf) {
    const QString pdf = QStringLiteral(FORTEMA_TEST_OUTPUT "/full_report_empty.pdf");
    QFile::remove(pdf);
    const PdfReport out = fullReportToPdf(SectionArchive{}, {}, numtext::NumberLocale::c(), pdf);
    EXPECT_EQ(out.outcome, ReportOutcome::NoData);
    EXPECT_EQ(out.message, QStringLiteral("Nessun dato è stato salvato"));
    EXPECT_FALSE(QFile::exists(pdf));
}

}  // namespace
}  // namespace fortema::report
