#pragma once

// The printer setup of the program over the system print dialog. The dialog works on the
// program's one current printer, so the printer, orientation, duplex mode and copies chosen
// there (or "print to file", PDF) are what the preview's printing and the single-section
// printout use afterwards.

#include <cstdint>

class QPrinter;
class QWidget;

namespace fortema::ui {

class clsPrintDialog {
public:
    // The request flags of the system dialog that matter here.
    static constexpr std::uint32_t PD_SELECTION = 0x1;
    static constexpr std::uint32_t PD_PAGENUMS = 0x2;
    static constexpr std::uint32_t PD_PRINTTOFILE = 0x20;
    // The printer setup instead of the print dialog: no page range is offered.
    static constexpr std::uint32_t PD_PRINTSETUP = 0x40;

    // `printer` must outlive the instance; nullptr means the program's current printer.
    explicit clsPrintDialog(QPrinter* printer = nullptr);

    std::uint32_t Flags() const { return m_flags; }
    void setFlags(std::uint32_t flags) { m_flags = flags; }
    bool CancelError() const { return m_cancelError; }
    void setCancelError(bool on) { m_cancelError = on; }

    // Every assignment stores a value below 1 as 0 (and one beyond the 16-bit range as
    // 32767), then pushes the other page values so that Min <= FromPage <= ToPage <= Max.
    std::int16_t Min() const { return m_min; }
    std::int16_t Max() const { return m_max; }
    std::int16_t FromPage() const { return m_fromPage; }
    std::int16_t ToPage() const { return m_toPage; }
    void setMin(int value);
    void setMax(int value);
    void setFromPage(int value);
    void setToPage(int value);

    // Shows the dialog through the Prompter; true when the user accepted it. Accepted, the
    // printer holds the choices and Flags, FromPage and ToPage what the dialog returned;
    // cancelled, nothing changes.
    bool ShowPrinter(QWidget* parent = nullptr);

private:
    QPrinter* m_printer;
    std::uint32_t m_flags = 0;
    bool m_cancelError = false;
    std::int16_t m_min = 0;
    std::int16_t m_max = 0;
    std::int16_t m_fromPage = 0;
    std::int16_t m_toPage = 0;
};

}  // namespace fortema::ui
