#include "ui/print/cls_print_dialog.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <algorithm>
#include <limits>

#include "drawing/current_printer.h"
#include "ui/aux/prompter.h"

namespace fortema::ui {

namespace {

std::int16_t pageValue(int value) {
    return static_cast<std::int16_t>(std::clamp(value, 0, int(std::numeric_limits<std::int16_t>::max())));
}

void raiseTo(std::int16_t& field, std::int16_t v) { field = std::max(field, v); }
void lowerTo(std::int16_t& field, std::int16_t v) { field = std::min(field, v); }

}  // namespace

clsPrintDialog::clsPrintDialog(QPrinter* printer)
    : m_printer(printer ? printer : &drawing::currentPrinter()) {}

void clsPrintDialog::setMin(int value) {
    const std::int16_t v = pageValue(value);
    m_min = v;
    raiseTo(m_fromPage, v);
    raiseTo(m_toPage, v);
    raiseTo(m_max, v);
}

void clsPrintDialog::setFromPage(int value) {
    const std::int16_t v = pageValue(value);
    m_fromPage = v;
    raiseTo(m_toPage, v);
    raiseTo(m_max, v);
    lowerTo(m_min, v);
}

void clsPrintDialog::setToPage(int value) {
    const std::int16_t v = pageValue(value);
    m_toPage = v;
    raiseTo(m_max, v);
    lowerTo(m_fromPage, v);
    lowerTo(m_min, v);
}

void clsPrintDialog::setMax(int value) {
    const std::int16_t v = pageValue(value);
    m_max = v;
    lowerTo(m_toPage, v);
    lowerTo(m_fromPage, v);
    lowerTo(m_min, v);
}

bool clsPrintDialog::ShowPrinter(QWidget* parent) {
    QPrintDialog dialog(m_printer, parent);
    const bool setup = (m_flags & PD_PRINTSETUP) != 0;
    if (setup) {
        // The range is chosen in the print range window; here only the printer is set up.
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setWindowTitle(QStringLiteral("Imposta stampante"));
        // Accepting the setup prints nothing, so its button must not say it does.
        if (auto* box = dialog.findChild<QDialogButtonBox*>()) {
            if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
        }
    } else {
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, m_max > 0);
        if (m_max > 0) {
            dialog.setMinMax(m_min, m_max);
            if (m_fromPage > 0) dialog.setFromTo(m_fromPage, m_toPage);
        }
    }
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);

    if (prompter().exec(dialog) != QDialog::Accepted) return false;

    std::uint32_t flags = m_flags & ~(PD_SELECTION | PD_PAGENUMS | PD_PRINTTOFILE);
    if (dialog.printRange() == QAbstractPrintDialog::PageRange) flags |= PD_PAGENUMS;
    if (dialog.printRange() == QAbstractPrintDialog::Selection) flags |= PD_SELECTION;
    if (m_printer->outputFormat() == QPrinter::PdfFormat) flags |= PD_PRINTTOFILE;
    m_flags = flags;
    // As the dialog returned them, without the rules of the assignments.
    m_fromPage = pageValue(dialog.fromPage());
    m_toPage = pageValue(dialog.toPage());
    return true;
}

}  // namespace fortema::ui
