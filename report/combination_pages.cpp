#include "report/combination_pages.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "drawing/surface.h"
#include "drawing/ticks.h"
#include "engine/load_combinations.h"
#include "engine/section.h"

namespace fortema::report {

namespace {

namespace numtext = engine::numtext;
using pagescript::PageScriptWriter;

constexpr const char* kSerif = "Times New Roman";
constexpr const char* kSans = "Arial";
constexpr std::int16_t kNormal = 0;
constexpr std::int16_t kBold = -1;

// The table, in cm: the footer rule stands at 26, so nothing goes below kBottom.
constexpr float kHeadingY = 2.5f;
constexpr float kSummaryY = 3.1f;
constexpr float kTitlesY = 3.7f;
constexpr float kRuleY = 4.15f;
constexpr float kFirstRowY = 4.3f;
constexpr float kRowPitch = 0.42f;
constexpr float kBottom = 25.6f;
constexpr float kLeft = 2.0f;
constexpr float kRight = 18.0f;
constexpr std::int16_t kTableSize = 8;

// Characters kept of a name and of a description, so that they stay within their room.
constexpr int kNameChars = 17;
constexpr int kDescriptionChars = 60;

enum Cell { Mark, Name, N, M, Mu, Ratio, Factor, Verdict, CellCount };

struct Column {
    float x;
    bool right;  // numbers end at x, texts begin there
    const char* title;
};

constexpr Column kColumns[CellCount] = {
    {kLeft, false, ""},         {2.3f, false, "Nome"},         {6.7f, true, "N [daN]"},
    {8.6f, true, "M [daN*cm]"}, {10.55f, true, "Mu [daN*cm]"}, {11.7f, true, "Mu/|M|"},
    {12.8f, true, "Fattore"},   {13.2f, false, "Esito"},
};

// The drawing: the frame of the plot lies between these edges; its height follows the room.
constexpr float kFrameLeft = 3.8f;
constexpr float kFrameRight = 17.4f;
constexpr float kFrameTopGap = 0.9f;      // caption and the N title above the frame
constexpr float kFrameBottomGap = 1.55f;  // tick labels, the M title and the marker legend below
constexpr float kMinFrameHeight = 9.0f;
constexpr float kMaxFrameHeight = 14.0f;
constexpr int kOutlinePointsPerSide = 200;

float rowY(int row) { return kFirstRowY + kRowPitch * float(row); }
// The legend under `rows` rows of a page.
float legendY(int rows) { return rowY(rows) + 0.1f; }
// Where a drawing under `rows` rows of a page begins.
float drawingTopUnder(int rows) { return legendY(rows) + 0.8f; }
float frameHeight(float top) {
    return std::min(kMaxFrameHeight, kBottom - kFrameBottomGap - (top + kFrameTopGap));
}

int tablePages(std::size_t rows) {
    return std::max(1, int((rows + kCombinationRowsPerPage - 1) / kCombinationRowsPerPage));
}

int rowsOnLastPage(std::size_t rows) { return int(rows) - (tablePages(rows) - 1) * kCombinationRowsPerPage; }

bool drawingFitsUnder(int rows) { return frameHeight(drawingTopUnder(rows)) >= kMinFrameHeight; }

// A force or a moment in seven significant digits, as the report's other numbers, but never in
// exponent form below 1E+15: moments of 1E+07 daN*cm are everyday ones. "-" where there is none.
QString numberText(double v, const numtext::NumberLocale& loc) {
    if (!std::isfinite(v)) return QStringLiteral("-");
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, v, std::chars_format::scientific, 6);
    double seven = v;
    std::from_chars(text, written.ptr, seven);
    return QString::fromStdString(numtext::generalText(seven, loc));
}

// A ratio cut to two decimals, as in the window; from a million up in text form, so that it keeps
// its width.
QString cutTwo(double v, const numtext::NumberLocale& loc) {
    if (!std::isfinite(v)) return QStringLiteral("-");
    const double cut = std::floor(v * 100) / 100;
    if (std::fabs(cut) < 1e6) return QString::fromStdString(numtext::fixedText(cut, 2, loc));
    return QString::fromStdString(engine::fitsSingle(cut) ? numtext::singleText(engine::toSingle(cut), loc)
                                                          : numtext::generalText(cut, loc));
}

QString cut(const QString& text, int chars) {
    return text.size() <= chars ? text : text.left(chars - 1) + QChar(0x2026);
}

QString verdict(const engine::CombinationCheck& c) {
    if (c.beyondCapacity) return QStringLiteral("NON VERIFICATA: N oltre capacità");
    return c.passes ? QStringLiteral("VERIFICATA") : QStringLiteral("NON VERIFICATA");
}

// One position ready for its pages.
struct Checked {
    int position = 0;
    const archive::SectionRecord* record = nullptr;
    const archive::CombinationList* loads = nullptr;
    engine::CombinationsResult result;
    std::vector<std::pair<double, double>> outline;  // (N, M); empty when the section is refused
};

// Checked on the section the position stores, read as the window of the combinations reads it.
Checked check(const archive::SectionArchive& archive, int position, const numtext::NumberLocale& loc) {
    Checked c;
    c.position = position;
    c.record = &archive.at(position);
    c.loads = &archive.combinations(position);
    const archive::PositionSection section = archive::positionSection(*c.record, loc);
    c.result.refusal = section.refusal;
    if (c.result.refusal.empty()) {
        engine::CurrentSection bare = section.section;
        bare.Nd = 1;
        bare.Md = 0;
        c.result.refusal = engine::checkSection(bare, section.layout);
    }
    if (!c.result.refusal.empty()) return c;
    const engine::FullDomain domain(section.section, section.layout);
    c.outline = domain.outline(kOutlinePointsPerSide);
    c.result = engine::checkCombinations(domain, *c.loads);
    return c;
}

class PositionPages {
public:
    PositionPages(PageScriptWriter& w, const Checked& c, const numtext::NumberLocale& loc,
                  const PageFrame& frame)
        : m_w(w), m_c(c), m_loc(loc), m_frame(frame) {}

    bool write() {
        const std::size_t rows = m_c.loads->size();
        const int pages = tablePages(rows);
        for (int p = 0; p < pages; ++p) {
            const int first = p * kCombinationRowsPerPage;
            const int count = std::min<int>(kCombinationRowsPerPage, int(rows) - first);
            if (!m_frame.start() || !heading(p > 0) || !table(first, count)) return false;
            const bool last = p + 1 == pages;
            if (!last || m_c.outline.empty()) {
                if (!m_frame.end()) return false;
            } else if (drawingFitsUnder(count)) {
                if (!domain(drawingTopUnder(count)) || !m_frame.end()) return false;
            } else {
                if (!m_frame.end() || !m_frame.start() || !heading(true) || !domain(kSummaryY) ||
                    !m_frame.end())
                    return false;
            }
        }
        return true;
    }

private:
    bool text(float x, float y, const QString& t, const char* face, std::int16_t size, bool bold) {
        return m_w.PrintLeft(x, y, t, QLatin1String(face), size, bold ? kBold : kNormal);
    }

    bool heading(bool continued) {
        QString title = QStringLiteral("Combinazioni di carico - posizione %1").arg(m_c.position + 1);
        if (!m_c.record->description.isEmpty())
            title += QStringLiteral(": ") + cut(m_c.record->description, kDescriptionChars);
        if (continued) title += QStringLiteral(" (segue)");
        return text(kLeft, kHeadingY, title, kSerif, 10, true);
    }

    QString summary() const {
        const engine::CombinationsResult& r = m_c.result;
        if (!r.refusal.empty())
            return QStringLiteral("Combinazioni non calcolabili: %1.").arg(QString::fromStdString(r.refusal));
        const auto failing =
            std::count_if(r.checks.begin(), r.checks.end(), [](const auto& k) { return !k.passes; });
        return QStringLiteral("%1 combinazioni, %2 non verificate; governa: %3.")
            .arg(m_c.loads->size())
            .arg(failing)
            .arg(cut(QString::fromStdString((*m_c.loads)[std::size_t(r.governing)].name), kDescriptionChars));
    }

    // Mu cut to a whole number, as the window shows it.
    QString wholeText(double v) const {
        return QString::fromStdString(numtext::generalText(std::floor(v), m_loc));
    }

    bool cell(Cell column, float y, const QString& t, bool bold) {
        const Column& c = kColumns[column];
        const QString face = QLatin1String(kSerif);
        const std::int16_t weight = bold ? kBold : kNormal;
        return c.right ? m_w.PrintRight(c.x, y, t, face, kTableSize, weight)
                       : m_w.PrintLeft(c.x, y, t, face, kTableSize, weight);
    }

    bool table(int first, int count) {
        bool ok = first > 0 || text(kLeft, kSummaryY, summary(), kSerif, 9, false);
        for (int k = 0; ok && k < CellCount; ++k)
            ok = cell(Cell(k), kTitlesY, QLatin1String(kColumns[k].title), true);
        ok = ok && m_w.PrintBox(kLeft, kRuleY, kRight, kRuleY + 0.01f);
        const engine::CombinationsResult& r = m_c.result;
        for (int row = 0; ok && row < count; ++row) {
            const std::size_t i = std::size_t(first + row);
            const engine::LoadCombination& load = (*m_c.loads)[i];
            const bool checked = i < r.checks.size();
            const engine::CombinationCheck k = checked ? r.checks[i] : engine::CombinationCheck{};
            const bool governing = checked && int(i) == r.governing;
            const float y = rowY(row);
            ok = (!governing || cell(Mark, y, QStringLiteral("*"), true)) &&
                 cell(Name, y, cut(QString::fromStdString(load.name), kNameChars), governing) &&
                 cell(N, y, numberText(load.N, m_loc), governing) &&
                 cell(M, y, numberText(load.M, m_loc), governing) &&
                 cell(Mu, y, checked && std::isfinite(k.Mu) ? wholeText(k.Mu) : QStringLiteral("-"),
                      governing) &&
                 cell(Ratio, y, checked ? cutTwo(k.ratio, m_loc) : QStringLiteral("-"), governing) &&
                 cell(Factor, y, checked ? cutTwo(k.loadFactor, m_loc) : QStringLiteral("-"), governing) &&
                 cell(Verdict, y, checked ? verdict(k) : QStringLiteral("-"), governing);
        }
        const bool governingHere = r.governing >= first && r.governing < first + count;
        return ok && (!governingHere || text(kLeft, legendY(count), QString::fromUtf8(kGoverningLegend),
                                             kSerif, kTableSize, false));
    }

    // The plane (M across, N up) onto the frame.
    struct View {
        double mMin, mMax, nMin, nMax;
        float left, top, width, height;
        float x(double m) const { return left + float((m - mMin) / (mMax - mMin) * width); }
        float y(double n) const { return top + float((nMax - n) / (nMax - nMin) * height); }
    };

    View view(float top, float height) const {
        double nLo = 0, nHi = 0, mLo = 0, mHi = 0;
        const auto take = [&](double n, double m) {
            if (!std::isfinite(n) || !std::isfinite(m)) return;
            nLo = std::min(nLo, n), nHi = std::max(nHi, n), mLo = std::min(mLo, m), mHi = std::max(mHi, m);
        };
        for (const auto& [n, m] : m_c.outline) take(n, m);
        for (const engine::LoadCombination& l : *m_c.loads) take(l.N, l.M);
        const double dn = std::max(nHi - nLo, 1.0) * 0.06, dm = std::max(mHi - mLo, 1.0) * 0.06;
        return {mLo - dm, mHi + dm, nLo - dn, nHi + dn, kFrameLeft, top, kFrameRight - kFrameLeft, height};
    }

    QString tickText(double v) const {
        return QString::fromStdString(numtext::generalText(std::fabs(v) < 1e-9 ? 0.0 : v, m_loc));
    }

    // Grid, tick labels and the two axes.
    bool axes(const View& v) {
        const QColor grid(200, 200, 200);
        const QString face = QLatin1String(kSans);
        bool ok = true;
        const double mStep = drawing::tickStep(v.mMax - v.mMin), nStep = drawing::tickStep(v.nMax - v.nMin);
        for (double m = std::ceil(v.mMin / mStep) * mStep; ok && m <= v.mMax; m += mStep) {
            ok = m_w.PrintLine(v.x(m), v.top, v.x(m), v.top + v.height, grid) &&
                 m_w.PrintCentre(v.x(m), v.top + v.height + 0.08f, tickText(m), face, 7, kNormal);
        }
        for (double n = std::ceil(v.nMin / nStep) * nStep; ok && n <= v.nMax; n += nStep) {
            ok = m_w.PrintLine(v.left, v.y(n), v.left + v.width, v.y(n), grid);
            // None in the corner where the labels of M begin.
            if (ok && v.y(n) < v.top + v.height - 0.3f)
                ok = m_w.PrintRight(v.left - 0.1f, v.y(n) - 0.16f, tickText(n), face, 7, kNormal);
        }
        const QColor black = drawing::qbColor(0);
        return ok && m_w.PrintLine(v.left, v.y(0), v.left + v.width, v.y(0), black) &&
               m_w.PrintLine(v.x(0), v.top, v.x(0), v.top + v.height, black) &&
               m_w.PrintBox(v.left, v.top, v.left + v.width, v.top + v.height) &&
               m_w.PrintRight(v.left + v.width, v.top + v.height + 0.45f, QStringLiteral("M [daN*cm]"), face,
                              8, kNormal) &&
               m_w.PrintLeft(v.left, v.top - 0.42f, QStringLiteral("N [daN] (compressione)"), face, 8,
                             kNormal);
    }

    // The markers, a few millimetres across whatever the scale: a filled square for a carried
    // combination, a cross for a failing one, a ring round the governing one. Bars, not lines, so
    // that they stay bold on paper.
    bool carried(float x, float y) {
        return m_w.PrintFilledBox(x - 0.07f, y - 0.07f, x + 0.07f, y + 0.07f, drawing::qbColor(2));
    }
    bool failing(float x, float y) {
        const QColor red = drawing::qbColor(12);
        return m_w.PrintFilledBox(x - 0.13f, y - 0.025f, x + 0.13f, y + 0.025f, red) &&
               m_w.PrintFilledBox(x - 0.025f, y - 0.13f, x + 0.025f, y + 0.13f, red);
    }
    bool ring(float x, float y) {
        const float r = 0.2f, t = 0.03f;
        const QColor black = drawing::qbColor(0);
        return m_w.PrintFilledBox(x - r, y - r, x + r, y - r + t, black) &&
               m_w.PrintFilledBox(x - r, y + r - t, x + r, y + r, black) &&
               m_w.PrintFilledBox(x - r, y - r, x - r + t, y + r, black) &&
               m_w.PrintFilledBox(x + r - t, y - r, x + r, y + r, black);
    }

    bool markerLegend(float y) {
        const QString face = QLatin1String(kSans);
        const float mid = y + 0.16f;
        return carried(kFrameLeft + 0.1f, mid) &&
               m_w.PrintLeft(kFrameLeft + 0.35f, y, QStringLiteral("verificata"), face, 8, kNormal) &&
               failing(kFrameLeft + 3.1f, mid) &&
               m_w.PrintLeft(kFrameLeft + 3.35f, y, QStringLiteral("non verificata"), face, 8, kNormal) &&
               ring(kFrameLeft + 6.6f, mid) &&
               m_w.PrintLeft(kFrameLeft + 6.95f, y, QStringLiteral("combinazione più gravosa"), face, 8,
                             kNormal);
    }

    // The full domain with its combinations, from `top` down to the bottom of the page at most.
    bool domain(float top) {
        const float frameTop = top + kFrameTopGap;
        const View v = view(frameTop, frameHeight(top));
        bool ok = text(kLeft, top,
                       QStringLiteral("Dominio M-N completo (momento positivo e negativo) e combinazioni"),
                       kSerif, 9, true) &&
                  axes(v);
        // The outline closed on itself.
        const std::size_t n = m_c.outline.size();
        for (std::size_t i = 0; ok && i < n; ++i) {
            const auto& [n1, m1] = m_c.outline[i];
            const auto& [n2, m2] = m_c.outline[(i + 1) % n];
            if (!std::isfinite(n1) || !std::isfinite(m1) || !std::isfinite(n2) || !std::isfinite(m2))
                continue;
            ok = m_w.PrintLine(v.x(m1), v.y(n1), v.x(m2), v.y(n2), drawing::qbColor(1));
        }
        // Failing points over carried ones, the ring over both.
        const engine::CombinationsResult& r = m_c.result;
        for (const bool pass : {true, false}) {
            for (std::size_t i = 0; ok && i < r.checks.size(); ++i) {
                const engine::LoadCombination& l = (*m_c.loads)[i];
                if (r.checks[i].passes != pass || !std::isfinite(l.N) || !std::isfinite(l.M)) continue;
                ok = pass ? carried(v.x(l.M), v.y(l.N)) : failing(v.x(l.M), v.y(l.N));
            }
        }
        if (ok && r.governing >= 0) {
            const engine::LoadCombination& l = (*m_c.loads)[std::size_t(r.governing)];
            ok = ring(v.x(l.M), v.y(l.N));
        }
        return ok && markerLegend(v.top + v.height + 0.95f);
    }

    PageScriptWriter& m_w;
    const Checked& m_c;
    const numtext::NumberLocale& m_loc;
    const PageFrame& m_frame;
};

}  // namespace

std::vector<int> combinationPositions(const archive::SectionArchive& archive) {
    std::vector<int> positions;
    for (int i = 0; i < archive::SectionArchive::kPositions; ++i) {
        if (!archive.combinations(i).empty()) positions.push_back(i);
    }
    return positions;
}

int combinationPageCount(std::size_t rows, bool withDrawing) {
    const int table = tablePages(rows);
    return withDrawing && !drawingFitsUnder(rowsOnLastPage(rows)) ? table + 1 : table;
}

bool writeCombinationPages(PageScriptWriter& writer, const archive::SectionArchive& archive,
                           const numtext::NumberLocale& loc, const PageFrame& frame) {
    for (const int position : combinationPositions(archive)) {
        const Checked c = check(archive, position, loc);
        if (!PositionPages(writer, c, loc, frame).write()) return false;
    }
    return true;
}

}  // namespace fortema::report
