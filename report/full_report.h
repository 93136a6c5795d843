#pragma once

// The full project report behind "Anteprii&ma e Stampa completa": a project page with the six
// project data lines and the legend of the symbols, then section pages of five archive
// positions each, written through the page-script writer into the page file. The preview
// window watches the writer and shows page 1 once the first page has ended.

#include <QDateTime>
#include <QString>
#include <functional>
#include <vector>

#include "archive/section_archive.h"
#include "engine/numtext.h"
#include "pagescript/page_script_writer.h"

namespace fortema::report {

inline constexpr const char* kReportTitle =
    "      FORTEMA VER.2.4/2018/VERIFICHE ALLO STATO LIMITE DI SEZIONI SEMPLICI O ARMATE";

// What the pages say of where they come from: the project file (empty for a project never
// saved) and when they were made (the present moment when not set).
struct ReportContext {
    QString projectFile;
    QDateTime printedAt;
};

// The texts of the header and footer frames. The right header of the project page names the
// project file ("File: scuola.ftm", "Progetto non salvato"); the left footer of every page is
// the program and its version ("FORTEMA 2.4 per Linux"), the right footer the date and time the
// pages were made.
QString projectFileHeader(const QString& projectFile);
QString programFooter();
QString printedAtFooter(const QDateTime& printedAt);

// The right margin of the report pages, in cm from the left edge: the end of the header and
// footer rules. No text crosses it.
inline constexpr float kRightMarginCm = 18.0f;

// Shown with a critical icon and an OK button when no position holds data.
inline constexpr const char* kNoDataTitle = "Fortema";
inline constexpr const char* kNoDataText = " Nessun dato è stato salvato ";

// The ratio line of a position with Md = 0 and Nd not 0: the quotient does not exist, so the
// line says so instead of showing a number.
inline constexpr const char* kRatioUndefined = "n.d. (Md = 0)";
// In place of a stored value whose printed form single precision cannot hold (yan × 10 of a
// foreign file's huge yan, say): no "Inf" on paper.
inline constexpr const char* kValueOutOfRange = "fuori scala";

inline constexpr int kBlocksPerPage = 5;
inline constexpr int kMaxSectionPages = 20;

// Shows a critical message with an OK button: title, text. The window passes its Prompter.
using CriticalMessage = std::function<void(const QString& title, const QString& text)>;

// A position holds data when its description is not empty or any material value or
// geometry slot is not 0 (the type, actions and results are not looked at).
bool positionHoldsData(const archive::SectionRecord& record);
bool archiveHoldsData(const archive::SectionArchive& archive);
// Nd or Md not 0: the position is printed; the first that is not ends the report.
bool positionIsPrinted(const archive::SectionRecord& record);

// The positions (0..99) of each section page, in order; the project page is not in the list.
// Empty when no position holds data. A first position that is not printed still gives one
// section page, with nothing but its header and footer.
std::vector<std::vector<int>> sectionPages(const archive::SectionArchive& archive);

// Mu / Md cut to four decimals (towards minus infinity) and kept in single precision, in text
// form; kRatioUndefined when Md is 0. A quotient beyond single precision (a tiny Md) is written
// from double precision, with seven digits; kValueOutOfRange when Mu is not a finite number.
QString cutRatioText(float Mu, float Md, const engine::numtext::NumberLocale& loc);

// The verdict at the end of a block's ratio line, as the main window judges a stored position:
// "VERIFICATA" when Mu >= Md, "NON VERIFICATA" otherwise.
QString verdictText(float Mu, float Md);

// The positions (0..99) that hold data or actions but are not printed, because the report stops
// at the first position without Nd and Md; empty when none is left out.
std::vector<int> positionsLeftOut(const archive::SectionArchive& archive);
// The Italian note that names them (numbered from 1) and why they were left out; empty for none.
QString leftOutMessage(const std::vector<int>& positions);

enum class ReportOutcome {
    Written,      // the document is complete in the page file
    NoData,       // the message was shown; no document was started
    WriteFailed,  // the writer failed (it has shown its own warning); the document is incomplete
};

// `FullReport`: writes the whole document with `writer`. The archive and the project data are
// only read.
ReportOutcome FullReport(pagescript::PageScriptWriter& writer, const archive::SectionArchive& archive,
                         const archive::ProjectData& projectData, const engine::numtext::NumberLocale& loc,
                         const CriticalMessage& noData, const ReportContext& context = {});

struct PdfReport {
    ReportOutcome outcome = ReportOutcome::NoData;
    int pages = 0;    // pages sent to the PDF
    QString message;  // Italian, why no PDF was made; empty when it was
};

// Any page-script document without a window: `write` writes it with a writer whose page file lies
// in a private folder made for the call (see pagescript::PrivateFolder), then the pages it ended are printed
// onto an A4 PDF at `pdfPath`, positions measured from the corner of the sheet. A document `write` did not
// finish (NoData, WriteFailed) makes no PDF. The PDF is written as pdf_file.h says; a `pdfPath` it
// refuses (`source` is the file the pages come from) is refused before anything is written.
using DocumentWriter = std::function<ReportOutcome(pagescript::PageScriptWriter& writer)>;
PdfReport documentToPdf(const engine::numtext::NumberLocale& loc, const QString& pdfPath,
                        const DocumentWriter& write, const QString& source = {});

// The same report without a window: written into a page file of a private folder and printed
// onto an A4 PDF at `pdfPath`, positions measured from the corner of the sheet; the project file
// of `context` is never replaced by it.
PdfReport fullReportToPdf(const archive::SectionArchive& archive, const archive::ProjectData& projectData,
                          const engine::numtext::NumberLocale& loc, const QString& pdfPath,
                          const ReportContext& context = {});

}  // namespace fortema::report
