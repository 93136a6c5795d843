#include "report/full_report.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <charconv>
#include <cmath>

#include "drawing/painter_surface.h"
#include "pagescript/page_script.h"
#include "pagescript/private_folder.h"
#include "pagescript/script_interpreter.h"
#include "report/combination_pages.h"

namespace fortema::report {

namespace {

namespace numtext = engine::numtext;

constexpr const char* kSansSerif = "MS Sans Serif";
constexpr const char* kSerif = "Times New Roman";
constexpr std::int16_t kNormal = 0;
constexpr std::int16_t kBold = -1;

QString textForm(float value, const numtext::NumberLocale& loc) {
    if (!std::isfinite(value)) return QLatin1String(kValueOutOfRange);
    return QString::fromStdString(numtext::singleText(value, loc));
}

QString signedForm(float value) {
    if (!std::isfinite(value)) return QLatin1Char(' ') + QLatin1String(kValueOutOfRange);
    return QString::fromStdString(numtext::signedText(value));
}

// A double rounded to seven significant digits, as a single's text would show it.
double sevenDigits(double value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 6);
    double out = value;
    std::from_chars(text, written.ptr, out);
    return out;
}

struct LegendLine {
    float y;
    const char* text;
    bool bold;
};

// The legend of the project page, 9 points.
constexpr LegendLine kLegend[] = {
    {12.0f, "DATI GENERALI:", true},
    {12.4f, "Materiali:", true},
    {12.8f, "fyd   = resistenza di progetto dell'armatura,[daN/cm^2]", false},
    {13.2f, "Ea    = modulo elastico dell'armatura,[daN/cm^2]", false},
    {13.6f, "fmd   = resistenza di progetto del materiale a compressione,[daN/cm^2]", false},
    {14.0f, "Em    = modulo elastico del materiale,[daN/cm^2]", false},
    {14.4f, "Dimensioni (sezione rettangolare o assimilabile):", true},
    {14.8f, "b     = larghezza della sezione in zona compressa,[mm]", false},
    {15.2f, "h     = altezza della sezione,[mm]", false},
    {15.6f, "c1,c2 = copriferro in zona tesa e compressa,[mm]", false},
    {16.0f, "A1,A2 = Area armatura tesa e compressa,[mm^2]", false},
    {16.8f, "Dimensioni (sezione circolare):", true},
    {17.2f, "d     = diametro della sezione circolare,[mm]", false},
    {17.6f, "c     = copriferro,[cm]", false},
    {18.0f, "Aa    = Area armatura totale,[mm^2]", false},
    {18.8f, "Sollecitazioni:", true},
    {19.2f, "Nd    = Sforzo normale di progetto,[daN]", false},
    {19.6f, "Md    = Momento flettente di progetto,[daN*cm]", false},
    {20.0f, "Risultati:", true},
    {20.4f, "Nu    = Sforzo normale ultimo resistente,[daN]", false},
    {20.8f, "Mu    = Momento flettente ultimo resistente,[daN*cm]", false},
    {21.2f, "yan   = posizione asse neutro/zona compressa, [mm]", false},
};

constexpr const char* kProjectLabels[archive::kProjectDataLines] = {
    "PROGETTO: ", "COMMITTENTE: ", "PROGETTISTA: ", "REVISIONE: ", "DATA: ", "DATA REVISIONE PROGETTO:",
};

bool writeProjectPage(pagescript::PageScriptWriter& w, const archive::ProjectData& projectData) {
    bool ok = w.StartPage(QLatin1String(kReportTitle), QString::fromUtf8(kOwnerNotice));
    ok = ok && w.PrintLeft(2, 4, QStringLiteral("DATI DI PROGETTO:"), kSansSerif, 10, kBold);
    for (int k = 0; ok && k < archive::kProjectDataLines; ++k) {
        ok = w.PrintLeft(2, 5.0f + float(k), QLatin1String(kProjectLabels[k]) + projectData[std::size_t(k)],
                         kSansSerif, 10, kNormal);
    }
    ok = ok && w.PrintLeft(2, 11, QString(76, QLatin1Char('-')), kSansSerif, 9, kNormal);
    for (const LegendLine& line : kLegend) {
        if (!ok) break;
        ok = w.PrintLeft(2, line.y, QLatin1String(line.text), kSansSerif, 9, line.bold ? kBold : kNormal);
    }
    return ok && w.EndPage(QLatin1String(kOwnerWebAddress), QLatin1String(kOwnerEmail));
}

struct Column {
    float x;
    const char* title;
    int slot;  // geometry index 0..6; -1 for yan
};

constexpr Column kRectColumns[] = {
    {2, "b  [mm]", 0},    {4, "h  [mm]", 1},    {6, "c1 [mm]", 2},    {8, "c2 [mm]", 3},
    {10, "A1 [mm^2]", 4}, {12, "A2 [mm^2]", 5}, {14, "yan [mm]", -1},
};
constexpr Column kCircleColumns[] = {
    {2, "d [mm]", 0},
    {4, "c [mm]", 2},
    {6, "Aa [mm^2]", 4},
};

bool writeSectionBlock(pagescript::PageScriptWriter& w, int position, const archive::SectionRecord& s,
                       float top, const numtext::NumberLocale& loc) {
    const auto text = [&](float x, float dy, const QString& t, bool bold) {
        return w.PrintLeft(x, top + dy, t, kSerif, 9, bold ? kBold : kNormal);
    };
    const QString pressure = QStringLiteral(" daN/cm^2");
    bool ok = text(2, 2.5f, QStringLiteral("Sezione numero: ") + signedForm(float(position + 1)), true) &&
              text(6, 2.5f, QStringLiteral("Tipo: ") + s.sectionType, true) &&
              text(8, 2.5f, QStringLiteral("Descrizione: ") + s.description, true) &&
              text(2, 3, QStringLiteral("fyd = ") + textForm(s.fyd, loc) + pressure, false) &&
              text(6, 3, QStringLiteral("Ea = ") + textForm(s.Ea, loc) + pressure, false) &&
              text(10, 3, QStringLiteral("fmd = ") + textForm(s.fmd, loc) + pressure, false) &&
              text(14, 3, QStringLiteral("Em = ") + textForm(s.Em, loc) + pressure, false);

    const bool rectangular = s.sectionType == QLatin1String("R");
    const Column* begin = rectangular ? std::begin(kRectColumns) : std::begin(kCircleColumns);
    const Column* end = rectangular ? std::end(kRectColumns) : std::end(kCircleColumns);
    for (const Column* c = begin; ok && c != end; ++c) {
        // yan is kept in cm; the column is in mm, multiplied in single precision as stored (a
        // foreign file's yan near the single range ends beyond it, and is shown as such).
        const float value = c->slot < 0 ? s.yan * 10.0f : s.geometry[std::size_t(c->slot)];
        ok = text(c->x, 3.5f, QLatin1String(c->title), false) && text(c->x, 4, signedForm(value), false);
    }

    return ok &&
           text(2, 4.5f, QStringLiteral("Nd = ") + textForm(s.Nd, loc) + QStringLiteral(" daN"), true) &&
           text(6, 4.5f, QStringLiteral("Md = ") + textForm(s.Md, loc) + QStringLiteral(" daNcm"), true) &&
           text(2, 5, QStringLiteral("Nu = ") + textForm(s.Nu, loc) + QStringLiteral(" daN"), true) &&
           text(6, 5, QStringLiteral("Mu = ") + textForm(s.Mu, loc) + QStringLiteral(" daNcm"), true) &&
           text(6, 5.5f, QStringLiteral("Mu / Md = ") + cutRatioText(s.Mu, s.Md, loc) + QLatin1Char(' '),
                true);
}

}  // namespace

bool positionHoldsData(const archive::SectionRecord& r) { return archive::recordHoldsValues(r); }

bool archiveHoldsData(const archive::SectionArchive& archive) {
    for (int i = 0; i < archive::SectionArchive::kPositions; ++i) {
        if (positionHoldsData(archive.at(i))) return true;
    }
    return false;
}

bool positionIsPrinted(const archive::SectionRecord& r) { return r.Nd != 0 || r.Md != 0; }

std::vector<std::vector<int>> sectionPages(const archive::SectionArchive& archive) {
    std::vector<std::vector<int>> pages;
    if (!archiveHoldsData(archive)) return pages;
    for (int p = 0; p < kMaxSectionPages; ++p) {
        std::vector<int>& page = pages.emplace_back();
        for (int r = 0; r < kBlocksPerPage; ++r) {
            const int i = p * kBlocksPerPage + r;
            if (!positionIsPrinted(archive.at(i))) return pages;
            page.push_back(i);
        }
        // The next position is looked at before a page is started, so no empty page follows.
        const int next = (p + 1) * kBlocksPerPage;
        if (next >= archive::SectionArchive::kPositions || !positionIsPrinted(archive.at(next))) break;
    }
    return pages;
}

QString cutRatioText(float Mu, float Md, const numtext::NumberLocale& loc) {
    if (Md == 0) return QLatin1String(kRatioUndefined);
    // Mu × 10000 is exact in double, so a quotient that is a whole number of ten-thousandths
    // is not cut one step too low.
    const double cut = std::floor(double(Mu) * 10000.0 / double(Md));
    if (!std::isfinite(cut)) return QLatin1String(kValueOutOfRange);
    if (!engine::fitsSingle(cut / 10000.0))
        return QString::fromStdString(numtext::generalText(sevenDigits(cut / 10000.0), loc));
    return textForm(float(cut / 10000.0), loc);
}

ReportOutcome FullReport(pagescript::PageScriptWriter& w, const archive::SectionArchive& archive,
                         const archive::ProjectData& projectData, const numtext::NumberLocale& loc,
                         const CriticalMessage& noData) {
    const std::vector<std::vector<int>> pages = sectionPages(archive);
    if (pages.empty()) {
        if (noData) noData(QLatin1String(kNoDataTitle), QString::fromUtf8(kNoDataText));
        return ReportOutcome::NoData;
    }
    w.setLocale(loc);
    if (!w.StartDocument() || !writeProjectPage(w, projectData)) return ReportOutcome::WriteFailed;

    const QString web = QLatin1String(kOwnerWebAddress);
    const QString email = QLatin1String(kOwnerEmail);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        bool ok = w.StartPage(QLatin1String(kReportTitle), QStringLiteral("pag.") + signedForm(float(p + 1)));
        const std::vector<int>& blocks = pages[p];
        for (std::size_t r = 0; ok && r < blocks.size(); ++r) {
            const float top = 4.0f * float(r);
            ok = writeSectionBlock(w, blocks[r], archive.at(blocks[r]), top, loc);
            // Separators stand only between two blocks: the last block of a page has none.
            if (ok && r + 1 < blocks.size()) {
                ok = w.PrintLeft(2, top + 6, QString(82, QLatin1Char('-')), kSansSerif, 9, kNormal);
            }
        }
        if (!ok || !w.EndPage(web, email)) return ReportOutcome::WriteFailed;
    }
    // The pages of the load combinations follow the section pages, numbered on from them.
    int page = int(pages.size());
    const auto start = [&] {
        return w.StartPage(QLatin1String(kReportTitle), QStringLiteral("pag.") + signedForm(float(++page)));
    };
    const auto end = [&] { return w.EndPage(web, email); };
    if (!writeCombinationPages(w, archive, loc, {start, end})) return ReportOutcome::WriteFailed;
    return ReportOutcome::Written;
}

namespace {

// Without a window the writer has nobody to show pages to; a failure is kept for the caller.
class QuietPreview : public pagescript::PreviewObserver {
public:
    QString message;
    QStringList pages;
    void ensurePreviewLoaded() override {}
    void closePreview() override {}
    void pageListChanged(const QStringList& list) override { pages = list; }
    void setWaitCursor(bool) override {}
    void showInformation(const QString&, const QString& text) override { message = text; }
    void showWarning(const QString&, const QString& text) override { message = text; }
};

}  // namespace

int printPageFileToPdf(const QString& pageFile, int pages, const QString& pdfPath) {
    if (pages < 1 || !pagescript::FileExists(pageFile)) return -1;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    // The page file measures from the corner of the sheet.
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    drawing::QPainterSurface surface(&printer);
    if (surface.failed()) return -1;
    surface.setScale(0, 0, surface.deviceWidth() * 1440.0 / printer.logicalDpiX(),
                     surface.deviceHeight() * 1440.0 / printer.logicalDpiY());
    QImage picture;
    const bool cancelled = false;
    const pagescript::PrintResult result =
        pagescript::PrintPages(pageFile, surface, picture, 1, pages, cancelled, {});
    if (surface.failed() || !result.fileRead) return -1;
    return result.pagesPrinted;
}

PdfReport documentToPdf(const numtext::NumberLocale& loc, const QString& pdfPath,
                        const DocumentWriter& write) {
    PdfReport out;
    // A private folder of this run, as the preview's, gone with everything written in it.
    const pagescript::PrivateFolder folder;
    if (!folder.isValid()) {
        out.outcome = ReportOutcome::WriteFailed;
        out.message = folder.errorMessage();
        return out;
    }
    QuietPreview preview;
    pagescript::PageScriptWriter writer(preview, folder.path(), loc);
    out.outcome = write(writer);
    if (out.outcome == ReportOutcome::WriteFailed) {
        out.message = writer.errorMessage().isEmpty() ? preview.message : writer.errorMessage();
        return out;
    }
    if (out.outcome != ReportOutcome::Written) return out;
    out.pages = printPageFileToPdf(writer.pageFile(), int(preview.pages.size()), pdfPath);
    if (out.pages < 0) {
        out.pages = 0;
        out.message = QStringLiteral("Impossibile scrivere il file PDF %1.").arg(pdfPath);
    }
    return out;
}

PdfReport fullReportToPdf(const archive::SectionArchive& archive, const archive::ProjectData& projectData,
                          const numtext::NumberLocale& loc, const QString& pdfPath) {
    QString noData;
    PdfReport out = documentToPdf(loc, pdfPath, [&](pagescript::PageScriptWriter& w) {
        return FullReport(w, archive, projectData, loc,
                          [&noData](const QString&, const QString& text) { noData = text.trimmed(); });
    });
    if (out.outcome == ReportOutcome::NoData) out.message = noData;
    return out;
}

}  // namespace fortema::report
