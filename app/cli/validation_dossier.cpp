#include "app/cli/validation_dossier.h"

#include <QDate>
#include <QDateTime>
#include <QImage>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "app/cli/usage.h"
#include "drawing/painter_surface.h"
#include "engine/exact_domain.h"

namespace fortema::cli {

namespace numtext = engine::numtext;
using pagescript::PageScriptWriter;

SamplingSweep sweepSampling(const CaseRun& run, int steps, const numtext::NumberLocale& loc) {
    SamplingSweep out;
    if (!run.computed()) return out;
    const engine::ExactBoundary boundary(run.analysis.section(), run.layout);
    out.ndFrom = boundary.evaluate(0).N;
    out.ndTo = boundary.evaluate(boundary.end()).N;

    struct Sample {
        int campo;
        double error;
        double exactMu;
    };
    std::vector<Sample> samples;
    double largest = 0;
    engine::SectionTexts texts = archive::positionTexts(run.record, loc);
    long long previous = 0;
    for (int k = 1; k <= steps; ++k) {
        const auto nd = std::llround(out.ndFrom + (out.ndTo - out.ndFrom) * k / (steps + 1));
        // The box turns 0 into 1; the same force twice adds nothing.
        if (nd == 0 || (k > 1 && nd == previous)) continue;
        previous = nd;
        texts.Nd = std::to_string(nd);
        engine::Analysis analysis;
        if (!analysis.calcola(texts, run.layout).traced) continue;
        const engine::ExactResult exact =
            engine::solveExact(analysis.section(), run.layout, analysis.section().Nd);
        if (!exact.found) continue;
        largest = std::max(largest, exact.Mu);
        if (analysis.beyondCapacity() || !analysis.pointFound() || !(exact.Mu > 0)) continue;
        samples.push_back(
            {exact.campo, std::fabs(analysis.result().Mu - exact.Mu) / exact.Mu * 100, exact.Mu});
    }

    std::map<int, SamplingStats> byField;
    const auto add = [](SamplingStats& s, double e) {
        s.min = s.points == 0 ? e : std::min(s.min, e);
        s.max = s.points == 0 ? e : std::max(s.max, e);
        s.mean += e;  // a sum until the end
        ++s.points;
    };
    for (const Sample& s : samples) {
        if (s.exactMu < 0.1 * largest) continue;
        SamplingStats& f = byField[s.campo];
        f.campo = s.campo;
        add(f, s.error);
        add(out.all, s.error);
    }
    for (auto& [campo, stats] : byField) {
        stats.mean /= stats.points;
        out.fields.push_back(stats);
    }
    if (out.all.points > 0) out.all.mean /= out.all.points;
    return out;
}

namespace {

constexpr const char* kFace = "Arial";
constexpr std::int16_t kNormal = 0;
constexpr std::int16_t kBold = -1;
constexpr float kLeft = 2.0f;
constexpr float kRight = 18.0f;  // where the header and footer rules end
constexpr float kTop = 2.6f;
constexpr float kBottom = 25.4f;  // above the footer rule at 26 cm
constexpr const char* kHeader = "FORTEMA - CASI PROVA RISOLTI E COMMENTATI (NTC 2018, § 10.2)";

// Text widths in cm, from the faces the printer draws with.
class TextMeasure {
public:
    TextMeasure() : m_image(400, 10, QImage::Format_RGB32), m_surface(&m_image) {
        const double cmPerPixel = 100.0 / m_image.dotsPerMeterX();
        m_surface.setScale(0, 0, m_image.width() * cmPerPixel, m_image.height() * cmPerPixel);
    }
    double width(const QString& text, int size, bool bold) {
        m_surface.setFontName(QLatin1String(kFace));
        m_surface.setFontSize(size);
        m_surface.setFontBold(bold);
        // Screen hinting differs a little from the printer's outlines.
        return m_surface.textWidth(text) * 1.04;
    }

private:
    QImage m_image;
    drawing::QPainterSurface m_surface;
};

struct Cell {
    float x;
    QString text;
    bool right = false;
};

// Pages written top to bottom with a running y; a page that fills up goes on on the next one.
class Composer {
public:
    Composer(PageScriptWriter& writer, TextMeasure& measure) : m_w(writer), m_measure(measure) {}

    bool ok() const { return m_ok; }
    float y() const { return m_y; }
    void skip(float cm) { m_y += cm; }

    void startPage() {
        ++m_page;
        m_ok = m_ok && m_w.StartPage(QString::fromUtf8(kHeader), QStringLiteral("pag. %1").arg(m_page));
        m_y = kTop;
    }
    void endPage() {
        m_ok = m_ok && m_w.EndPage(report::programFooter(), report::printedAtFooter(m_printedAt));
    }
    void line(const QString& text, int size = 9, bool bold = false, float x = kLeft) {
        room(lineHeight(size));
        m_ok = m_ok &&
               m_w.PrintLeft(x, m_y, text, QLatin1String(kFace), std::int16_t(size), bold ? kBold : kNormal);
        m_y += lineHeight(size);
    }
    void heading(const QString& text, int size = 10) {
        skip(0.2f);
        room(lineHeight(size) + 2 * lineHeight(9));  // a heading does not end a page
        line(text, size, true);
    }
    // Words wrapped to the width between x and the right margin.
    void paragraph(const QString& text, int size = 9, float x = kLeft) {
        QString current;
        for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString longer = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (!current.isEmpty() && x + m_measure.width(longer, size, false) > kRight) {
                line(current, size, false, x);
                current = word;
            } else {
                current = longer;
            }
        }
        if (!current.isEmpty()) line(current, size, false, x);
    }
    // Items joined by blanks, wrapped between items, so that "b = 400 mm" never splits.
    void items(const QStringList& parts, int size = 9) {
        const QString gap = QStringLiteral("   ");
        QString current;
        for (const QString& part : parts) {
            const QString longer = current.isEmpty() ? part : current + gap + part;
            if (!current.isEmpty() && kLeft + m_measure.width(longer, size, false) > kRight) {
                line(current, size);
                current = gap + part;
            } else {
                current = longer;
            }
        }
        if (!current.isEmpty()) line(current, size);
    }
    void row(const std::vector<Cell>& cells, int size = 9, bool bold = false) {
        room(lineHeight(size));
        const QString face = QLatin1String(kFace);
        for (const Cell& c : cells) {
            const std::int16_t weight = bold ? kBold : kNormal;
            m_ok = m_ok && (c.right ? m_w.PrintRight(c.x, m_y, c.text, face, std::int16_t(size), weight)
                                    : m_w.PrintLeft(c.x, m_y, c.text, face, std::int16_t(size), weight));
        }
        m_y += lineHeight(size);
    }
    void rule() {
        m_ok = m_ok && m_w.PrintBox(kLeft, m_y, kRight, m_y + 0.01f);
        m_y += 0.1f;
    }

private:
    static float lineHeight(int size) { return 0.047f * float(size); }
    void room(float needed) {
        if (m_y + needed <= kBottom) return;
        endPage();
        startPage();
    }

    PageScriptWriter& m_w;
    TextMeasure& m_measure;
    int m_page = 0;
    const QDateTime m_printedAt = QDateTime::currentDateTime();
    float m_y = kTop;
    bool m_ok = true;
};

class Dossier {
public:
    Dossier(const std::vector<CaseRun>& runs, const numtext::NumberLocale& loc, Composer& page)
        : m_runs(runs), m_loc(loc), m_page(page) {}

    void cover();
    void casePage(const CaseRun& r);
    void samplingPage();

private:
    QString text(const std::string& s) const { return QString::fromStdString(s); }
    QString single(float v) const { return text(numtext::singleText(v, m_loc)); }
    QString general(double v) const { return text(numtext::generalText(v, m_loc)); }
    QString tenths(double v) const { return general(std::round(v * 10) / 10); }
    QString fixed(double v, int decimals) const {
        return std::isfinite(v) ? text(numtext::fixedText(v, decimals, m_loc)) : QStringLiteral("-");
    }
    // Three decimals with the sign; what rounds to zero shows no sign.
    QString signedPercent(double v) const {
        if (!std::isfinite(v)) return QStringLiteral("-");
        const double shown = std::round(v * 1000) / 1000;
        return (shown > 0 ? QStringLiteral("+") : QString()) + fixed(shown == 0 ? 0.0 : shown, 3);
    }
    static QString verdict(const CaseRun& r) {
        if (!r.computed()) return QStringLiteral("NON CALCOLATO");
        return r.verdict.ok() ? QStringLiteral("CONFORME") : QStringLiteral("NON CONFORME");
    }
    void sectionData(const CaseRun& r);
    void results(const CaseRun& r);

    const std::vector<CaseRun>& m_runs;
    numtext::NumberLocale m_loc;
    Composer& m_page;
};

void Dossier::cover() {
    std::ostringstream version;
    printVersion(version);
    int passing = 0;
    for (const CaseRun& r : m_runs) passing += r.computed() && r.verdict.ok() ? 1 : 0;

    m_page.startPage();
    m_page.skip(0.6f);
    m_page.line(QStringLiteral("CASI PROVA RISOLTI E COMMENTATI"), 16, true);
    m_page.skip(0.2f);
    m_page.line(
        QStringLiteral("Verifica a pressoflessione retta allo stato limite ultimo (NTC 2018, § 10.2)"), 11);
    m_page.skip(0.3f);
    m_page.line(QStringLiteral("Programma: ") + QString::fromStdString(version.str()).trimmed() +
                QStringLiteral("  (") +
                QString::fromUtf8(report::kReportTitle).trimmed().section(QLatin1Char('/'), 0, 1) +
                QStringLiteral(")"));
    m_page.line(QStringLiteral("Data: ") + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    m_page.line(QStringLiteral("Casi: %1, conformi: %2").arg(m_runs.size()).arg(passing));
    m_page.skip(0.3f);
    m_page.paragraph(
        QStringLiteral(
            "Ogni caso è un file di progetto (.ftm) scritto dal programma, con la sezione nella posizione 1. "
            "Il file è letto con il lettore dei progetti, la posizione è mostrata e calcolata come fa la "
            "finestra principale con CALCOLA: il valore del programma è Mu del punto tracciato con n più "
            "vicino a quello di progetto, tagliato all'intero, come lo mostra la finestra. Accanto, il "
            "risolutore esatto cerca il punto del dominio continuo (le stesse leggi, la deformazione di ogni "
            "campo fatta variare con continuità) esattamente a Nd. Le differenze sono in percento del valore "
            "di riferimento; la colonna Mano confronta il risolutore esatto con il valore ricavato a mano "
            "dalle leggi del programma (tolleranza %1 %).")
            .arg(general(kHandTolerancePercent)));
    m_page.heading(QStringLiteral("Riepilogo (Mu in daN*cm)"));
    const float xs[] = {2.0f, 2.9f, 8.6f, 10.4f, 11.7f, 13.6f, 14.9f, 15.3f};
    m_page.row({{xs[0], QStringLiteral("Caso")},
                {xs[1], QStringLiteral("Tipo")},
                {xs[2], QStringLiteral("Riferimento"), true},
                {xs[3], QStringLiteral("Programma"), true},
                {xs[4], QStringLiteral("Diff.%"), true},
                {xs[5], QStringLiteral("Esatto"), true},
                {xs[6], QStringLiteral("Diff.%"), true},
                {xs[7], QStringLiteral("Esito")}},
               8, true);
    m_page.rule();
    for (const CaseRun& r : m_runs) {
        const bool done = r.computed();
        QString exact = QStringLiteral("-");
        if (done && r.exact.found) exact = tenths(r.exact.Mu);
        if (done && r.exact.beyondCapacity) exact = QStringLiteral("oltre");
        m_page.row({{xs[0], text(r.validationCase.id)},
                    {xs[1], text(r.validationCase.kind)},
                    {xs[2], general(r.validationCase.reference), true},
                    {xs[3], done ? general(r.analysis.result().Mu) : QStringLiteral("-"), true},
                    {xs[4], signedPercent(r.verdict.programDiff), true},
                    {xs[5], exact, true},
                    {xs[6], signedPercent(r.verdict.exactDiff), true},
                    {xs[7], verdict(r)}},
                   8);
    }
    m_page.endPage();
}

void Dossier::sectionData(const CaseRun& r) {
    const archive::SectionRecord& s = r.record;
    const auto g = [&](int slot) { return single(s.geometry[std::size_t(slot)]); };
    m_page.heading(QStringLiteral("Dati (unità di FORTEMA)"));
    m_page.items({QStringLiteral("Materiali [daN/cm^2]:"), QStringLiteral("fyk = ") + single(s.fyk),
                  QStringLiteral("fyd = ") + single(s.fyd), QStringLiteral("Ea = ") + single(s.Ea),
                  QStringLiteral("fmd = ") + single(s.fmd), QStringLiteral("Em = ") + single(s.Em)});
    if (r.layout == engine::Layout::Rectangular) {
        m_page.items({QStringLiteral("Sezione rettangolare:"), QStringLiteral("b = %1 mm").arg(g(0)),
                      QStringLiteral("h = %1 mm").arg(g(1)), QStringLiteral("c1 = %1 mm").arg(g(2)),
                      QStringLiteral("c2 = %1 mm").arg(g(3)), QStringLiteral("A1 = %1 mm^2").arg(g(4)),
                      QStringLiteral("A2 = %1 mm^2").arg(g(5))});
    } else {
        m_page.items({QStringLiteral("Sezione circolare:"), QStringLiteral("d = %1 mm").arg(g(0)),
                      QStringLiteral("c = %1 mm").arg(g(2)), QStringLiteral("Aa = %1 mm^2").arg(g(4))});
    }
    m_page.items({QStringLiteral("Azioni:"), QStringLiteral("Nd = %1 daN").arg(single(s.Nd)),
                  QStringLiteral("Md = %1 daN*cm").arg(single(s.Md))});
}

void Dossier::results(const CaseRun& r) {
    const ValidationCase& c = r.validationCase;
    const float xs[] = {2.0f, 10.2f, 12.8f, 15.2f, 17.2f};
    m_page.heading(QStringLiteral("Risultati a Nd"));
    m_page.row({{xs[1], QStringLiteral("Nu [daN]"), true},
                {xs[2], QStringLiteral("Mu [daN*cm]"), true},
                {xs[3], QStringLiteral("Diff. %"), true},
                {xs[4], QStringLiteral("Toll. %"), true}},
               9, true);
    m_page.rule();
    m_page.row({{xs[0], QStringLiteral("Riferimento")},
                {xs[1], single(r.record.Nd), true},
                {xs[2], general(c.reference), true}});
    if (c.hand) {
        m_page.row({{xs[0], QStringLiteral("Valore ricavato a mano (leggi del programma)")},
                    {xs[2], general(*c.hand), true}});
    }
    if (!r.computed()) {
        m_page.line(QStringLiteral("Il programma non calcola questo caso: ") +
                    (r.fileError.isEmpty() ? text(r.outcome.refusal) : r.fileError));
        return;
    }
    const engine::SectionResult& p = r.analysis.result();
    m_page.row({{xs[0], QStringLiteral("Programma (come nella finestra)")},
                {xs[1], general(p.Nu), true},
                {xs[2], general(p.Mu), true},
                {xs[3], signedPercent(r.verdict.programDiff), true},
                {xs[4], general(c.programTolerance), true}});
    const QString exactTolerance = c.exactTolerance ? general(*c.exactTolerance) : QStringLiteral("oltre");
    if (r.exact.found) {
        m_page.row({{xs[0], QStringLiteral("Risolutore esatto")},
                    {xs[1], tenths(r.exact.Nu), true},
                    {xs[2], tenths(r.exact.Mu), true},
                    {xs[3], signedPercent(r.verdict.exactDiff), true},
                    {xs[4], exactTolerance, true}});
    } else {
        m_page.row({{xs[0], QStringLiteral("Risolutore esatto: Nd oltre la capacità della sezione")},
                    {xs[4], exactTolerance, true}});
    }
    if (c.hand) {
        m_page.row({{xs[0], QStringLiteral("Risolutore esatto contro valore a mano")},
                    {xs[3], signedPercent(r.verdict.handDiff), true},
                    {xs[4], general(kHandTolerancePercent), true}});
    }
    m_page.skip(0.1f);
    QString traced = QStringLiteral("Programma: campo %1").arg(p.campo);
    if (r.layout == engine::Layout::Rectangular)
        traced += QStringLiteral(", yan = %1 mm").arg(single(p.yan * 10.0f));
    if (!r.outcome.finalWarning.empty())
        traced += QStringLiteral(", avviso \"%1\"").arg(text(r.outcome.finalWarning).trimmed());
    m_page.paragraph(traced + QLatin1Char('.'));
    if (r.exact.found) {
        QString exact = QStringLiteral("Esatto: campo %1").arg(r.exact.campo);
        if (std::isfinite(r.exact.yan))
            exact += QStringLiteral(", yan = %1 mm").arg(fixed(r.exact.yan * 10, 2));
        if (std::isfinite(r.exact.edgeStrain)) {
            exact += QStringLiteral(", bordo compresso %1 ‰, armatura tesa %2 ‰")
                         .arg(fixed(r.exact.edgeStrain * 1000, 3), fixed(r.exact.steelStrain * 1000, 3));
        }
        if (r.exact.onBridge)
            exact += QStringLiteral(", sul tratto rettilineo che unisce un salto delle leggi");
        m_page.paragraph(exact + QLatin1Char('.'));
    }
}

void Dossier::casePage(const CaseRun& r) {
    const ValidationCase& c = r.validationCase;
    m_page.startPage();
    m_page.line(QStringLiteral("Caso %1 - %2").arg(text(c.id), text(c.kind)), 13, true);
    m_page.skip(0.1f);
    m_page.paragraph(
        QStringLiteral("Descrizione: %1.   File: %2, posizione 1.")
            .arg(r.record.description.isEmpty() ? QStringLiteral("-") : r.record.description, text(c.file)));
    m_page.heading(QStringLiteral("Fonte"));
    m_page.paragraph(text(c.source));
    if (r.fileError.isEmpty()) sectionData(r);
    results(r);
    m_page.heading(QStringLiteral("Esito: ") + verdict(r), 11);
    m_page.heading(QStringLiteral("Motivo della differenza"));
    m_page.paragraph(text(c.reason));
    m_page.endPage();
}

void Dossier::samplingPage() {
    m_page.startPage();
    m_page.line(QStringLiteral("Errore di campionamento della ricerca"), 13, true);
    m_page.skip(0.1f);
    m_page.paragraph(
        QStringLiteral(
            "Per ogni sezione qui sotto Nd percorre %1 valori interi equidistanti tra la forza di "
            "trazione pura e quella di compressione pura. Ogni valore è calcolato come nella finestra "
            "e risolto esattamente; l'errore è |Mu programma - Mu esatto| / Mu esatto in percento, "
            "raggruppato per il campo del punto esatto. Sono esclusi i punti con Mu esatto minore del "
            "10 % del massimo della scansione e quelli oltre il dominio tracciato.")
            .arg(kSweepSteps));
    const float xs[] = {2.5f, 7.0f, 10.0f, 13.0f, 16.0f};
    for (const CaseRun& r : m_runs) {
        if (!r.validationCase.sweep) continue;
        const SamplingSweep sweep = sweepSampling(r, kSweepSteps, m_loc);
        m_page.heading(QStringLiteral("Caso %1 - %2: Nd da %3 a %4 daN")
                           .arg(text(r.validationCase.id), text(r.validationCase.kind),
                                general(std::round(sweep.ndFrom)), general(std::round(sweep.ndTo))));
        m_page.row({{xs[0], QStringLiteral("Campo")},
                    {xs[1], QStringLiteral("Punti"), true},
                    {xs[2], QStringLiteral("Min %"), true},
                    {xs[3], QStringLiteral("Max %"), true},
                    {xs[4], QStringLiteral("Media %"), true}},
                   9, true);
        std::vector<SamplingStats> rows = sweep.fields;
        if (rows.size() > 1) rows.push_back(sweep.all);
        for (const SamplingStats& s : rows) {
            m_page.row({{xs[0], s.campo < 0 ? QStringLiteral("tutti") : QString::number(s.campo)},
                        {xs[1], QString::number(s.points), true},
                        {xs[2], fixed(s.min, 4), true},
                        {xs[3], fixed(s.max, 4), true},
                        {xs[4], fixed(s.mean, 4), true}});
        }
    }
    m_page.endPage();
}

}  // namespace

report::PdfReport writeValidationDossier(const std::vector<CaseRun>& runs, const numtext::NumberLocale& loc,
                                         const QString& pdfPath) {
    return report::documentToPdf(loc, pdfPath, [&](PageScriptWriter& writer) {
        if (!writer.StartDocument()) return report::ReportOutcome::WriteFailed;
        TextMeasure measure;
        Composer page(writer, measure);
        Dossier dossier(runs, loc, page);
        dossier.cover();
        for (const CaseRun& r : runs) dossier.casePage(r);
        dossier.samplingPage();
        return page.ok() ? report::ReportOutcome::Written : report::ReportOutcome::WriteFailed;
    });
}

}  // namespace fortema::cli
