#pragma once

// "Combinazioni di carico": the load combinations of the position shown, edited in a table and
// checked at once against the section stored there; the full domain with every combination as a
// point, with zoom, pan and the N and M under the cursor.

#include <QDialog>
#include <functional>
#include <optional>

#include "archive/section_archive.h"
#include "engine/load_combinations.h"
#include "ui/main/combinations_plot.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace fortema::drawing {
class PictureBox;
}

namespace fortema::ui {

class CombinationsWindow : public QDialog {
    Q_OBJECT
public:
    enum Column { Name, N, M, Mu, Ratio, LoadFactor, Campo, Verdict, ColumnCount };

    // `list` is the position's own list, changed as the table is; `changed` runs after every change.
    CombinationsWindow(archive::CombinationList& list, const archive::PositionSection& section, int position,
                       QWidget* parent, std::function<void()> changed = {});

    QTableWidget* table() const { return m_table; }
    drawing::PictureBox* plot() const { return m_plot; }
    QLabel* readout() const { return m_readout; }
    QLabel* status() const { return m_status; }
    const engine::CombinationsResult& result() const { return m_result; }
    const LoadPlotView& view() const { return m_view; }
    void setView(const LoadPlotView& view);

    // Rows from a spreadsheet or a CSV text, added after the last one; a bad row refuses them all
    // with its line and reason, and the table keeps what it had.
    bool pasteText(const QString& text);
    void paste();  // the clipboard's text
    void importCsv();
    void exportCsv();
    void addRow();
    void deleteSelectedRows();
    // The whole domain and every point in sight again.
    void fitAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh(int editedRow = -1);
    void fillRow(int row);
    void cellChanged(int row, int column);
    void refuse(const QString& why);
    void drawPlot();

    archive::CombinationList& m_list;
    std::function<void()> m_changed;
    std::string m_sectionRefusal;
    std::optional<engine::FullDomain> m_domain;
    std::vector<std::pair<double, double>> m_outline;
    engine::CombinationsResult m_result;
    LoadPlotView m_view;
    QTableWidget* m_table = nullptr;
    drawing::PictureBox* m_plot = nullptr;
    QLabel* m_readout = nullptr;
    QLabel* m_status = nullptr;
    bool m_filling = false;
    std::optional<QPointF> m_dragFrom;  // (M, N) under the cursor when a pan began
};

}  // namespace fortema::ui
