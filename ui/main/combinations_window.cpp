#include "ui/main/combinations_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "archive/number_locale.h"
#include "drawing/picture_box.h"
#include "drawing/twips.h"
#include "engine/code_page.h"
#include "engine/numtext.h"
#include "ui/aux/prompter.h"

namespace fortema::ui {

namespace {

namespace numtext = engine::numtext;

constexpr int kPlotWidth = 460, kPlotHeight = 460;

// A number typed into a cell: the locale's form ("1.234,5" in Italian) or the plain "." form.
std::optional<double> cellNumber(const QString& cell) {
    const std::string text = cell.trimmed().toStdString();
    const numtext::NumberLocale loc = archive::numberLocale();
    double value;
    if (numtext::isLocaleNumber(text, loc))
        value = numtext::localeNumberValue(text, loc);
    else if (numtext::readsWhole(text))
        value = numtext::leadingNumber(text);
    else
        return std::nullopt;
    if (!std::isfinite(value) || std::fabs(value) >= 1e30) return std::nullopt;
    return value;
}

QString numberText(double v) {
    return QString::fromStdString(numtext::generalText(v, archive::numberLocale()));
}

QString cut2(double v) {
    if (std::isinf(v)) return v > 0 ? QStringLiteral("∞") : QStringLiteral("-∞");
    if (!std::isfinite(v)) return QStringLiteral("-");
    return QString::fromStdString(numtext::fixedText(std::floor(v * 100) / 100, 2, archive::numberLocale()));
}

FileDialogRequest csvRequest() {
    return {QStringLiteral("Combinazioni di carico"), QStringLiteral("file CSV (*.csv)"),
            QStringLiteral("csv"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)};
}

}  // namespace

CombinationsWindow::CombinationsWindow(archive::CombinationList& list,
                                       const archive::PositionSection& section, int position, QWidget* parent,
                                       std::function<void()> changed)
    : QDialog(parent), m_list(list), m_changed(std::move(changed)), m_sectionRefusal(section.refusal) {
    setObjectName(QStringLiteral("CombinationsWindow"));
    setWindowTitle(QStringLiteral("Combinazioni di carico - posizione N° %1").arg(position + 1));
    if (m_sectionRefusal.empty()) {
        engine::CurrentSection bare = section.section;
        bare.Nd = 1;
        bare.Md = 0;
        m_sectionRefusal = engine::checkSection(bare, section.layout);
    }
    if (m_sectionRefusal.empty()) {
        m_domain.emplace(section.section, section.layout);
        m_outline = m_domain->outline(200);
    }

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("tabella"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Nome"), QStringLiteral("N [daN]"),
                                        QStringLiteral("M [daN*cm]"), QStringLiteral("Mu [daN*cm]"),
                                        QStringLiteral("Mu/|M|"), QStringLiteral("lambda"),
                                        QStringLiteral("Campo"), QStringLiteral("Esito")});
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setMinimumWidth(620);
    m_table->installEventFilter(this);
    connect(m_table, &QTableWidget::cellChanged, this, &CombinationsWindow::cellChanged);

    m_plot = new drawing::PictureBox(this);
    m_plot->setObjectName(QStringLiteral("dominio"));
    // Sized through the design size so that its image has the box's size before it is first
    // shown: a hidden widget's resize event waits for the showing, after the first drawing.
    m_plot->setDesignSize(kPlotWidth * drawing::kTwipsPerPixel, kPlotHeight * drawing::kTwipsPerPixel);
    m_plot->setFixedSize(kPlotWidth, kPlotHeight);
    m_plot->setMouseTracking(true);
    m_plot->installEventFilter(this);
    m_readout = new QLabel(this);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);

    const auto button = [this](const char* caption, auto handler) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button("&Aggiungi riga", &CombinationsWindow::addRow));
    buttons->addWidget(button("&Elimina righe", &CombinationsWindow::deleteSelectedRows));
    buttons->addWidget(button("I&ncolla", &CombinationsWindow::paste));
    buttons->addWidget(button("&Importa CSV...", &CombinationsWindow::importCsv));
    buttons->addWidget(button("Es&porta CSV...", &CombinationsWindow::exportCsv));
    buttons->addWidget(button("&Adatta", &CombinationsWindow::fitAll));
    buttons->addStretch();
    buttons->addWidget(button("&Chiudi", &QDialog::accept));

    auto* left = new QVBoxLayout;
    left->addWidget(m_table);
    left->addWidget(m_status);
    auto* right = new QVBoxLayout;
    right->addWidget(m_plot);
    right->addWidget(m_readout);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(right);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(buttons);

    m_filling = true;
    m_table->setRowCount(static_cast<int>(m_list.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) fillRow(row);
    m_filling = false;
    refresh();
    fitAll();
}

void CombinationsWindow::fillRow(int row) {
    const engine::LoadCombination& c = m_list[static_cast<std::size_t>(row)];
    const auto set = [this, row](int column, const QString& text, bool editable) {
        QTableWidgetItem* item = m_table->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            if (!editable) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (column != Name && column != Verdict)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
        if (item->text() != text) item->setText(text);
    };
    set(Name, QString::fromStdString(c.name), true);
    set(N, numberText(c.N), true);
    set(M, numberText(c.M), true);
    const bool checked = static_cast<std::size_t>(row) < m_result.checks.size();
    const engine::CombinationCheck k =
        checked ? m_result.checks[static_cast<std::size_t>(row)] : engine::CombinationCheck{};
    set(Mu, checked && std::isfinite(k.Mu) ? numberText(std::floor(k.Mu)) : QStringLiteral("-"), false);
    set(Ratio, checked ? cut2(k.ratio) : QStringLiteral("-"), false);
    set(LoadFactor, checked ? cut2(k.loadFactor) : QStringLiteral("-"), false);
    set(Campo, checked && k.campo ? QString::number(k.campo) : QStringLiteral("-"), false);
    set(Verdict,
        !checked           ? QStringLiteral("-")
        : k.beyondCapacity ? QStringLiteral("NON VERIFICATA: N oltre la capacità")
        : k.passes         ? QStringLiteral("VERIFICATA")
                           : QStringLiteral("NON VERIFICATA"),
        false);
    // A failing row in red, the governing one in bold on yellow.
    const bool governing = checked && row == m_result.governing;
    for (int column = 0; column < ColumnCount; ++column) {
        QTableWidgetItem* item = m_table->item(row, column);
        item->setForeground(checked && !k.passes ? drawing::qbColor(12) : drawing::qbColor(0));
        item->setBackground(governing ? QColor(255, 255, 160) : QColor(Qt::white));
        QFont font = item->font();
        font.setBold(governing);
        item->setFont(font);
    }
}

void CombinationsWindow::refresh(int editedRow) {
    const int wasGoverning = m_result.governing;
    if (editedRow >= 0 && m_domain) {
        // One row changed: only it is checked again, and only the rows whose look can change
        // are filled, so that an edit shows within a frame however long the table.
        engine::recheckCombination(*m_domain, m_list, static_cast<std::size_t>(editedRow), m_result);
    } else {
        m_result = m_domain ? engine::checkCombinations(*m_domain, m_list)
                            : engine::CombinationsResult{m_sectionRefusal, {}, -1, false};
        editedRow = -1;
    }
    m_filling = true;
    if (editedRow >= 0) {
        for (const int row : {editedRow, wasGoverning, m_result.governing})
            if (row >= 0 && row < m_table->rowCount()) fillRow(row);
    } else {
        for (int row = 0; row < m_table->rowCount(); ++row) fillRow(row);
    }
    m_filling = false;
    if (!m_sectionRefusal.empty()) {
        m_status->setText(QStringLiteral("Combinazioni non calcolabili: %1.")
                              .arg(QString::fromStdString(m_sectionRefusal)));
    } else if (m_list.empty()) {
        m_status->setText(
            QStringLiteral("Nessuna combinazione: incollare le righe da un foglio di calcolo o "
                           "importare un file CSV (nome, N in daN, M in daN*cm)."));
    } else {
        const std::size_t failing = static_cast<std::size_t>(std::count_if(
            m_result.checks.begin(), m_result.checks.end(), [](const auto& c) { return !c.passes; }));
        m_status->setText(
            QStringLiteral("%1 combinazioni, %2 non verificate; governa: %3.")
                .arg(m_list.size())
                .arg(failing)
                .arg(QString::fromStdString(m_list[static_cast<std::size_t>(m_result.governing)].name)));
    }
    drawPlot();
}

void CombinationsWindow::drawPlot() {
    std::vector<LoadPlotPoint> points;
    for (std::size_t i = 0; i < m_list.size(); ++i) {
        const bool checked = i < m_result.checks.size();
        points.push_back({m_list[i].N, m_list[i].M, checked && m_result.checks[i].passes,
                          checked && static_cast<int>(i) == m_result.governing});
    }
    drawLoadDomain(m_plot->surface(), m_view, m_outline, points);
    m_plot->update();
}

void CombinationsWindow::setView(const LoadPlotView& view) {
    m_view = view;
    drawPlot();
}

void CombinationsWindow::fitAll() {
    std::vector<LoadPlotPoint> points;
    for (const engine::LoadCombination& c : m_list) points.push_back({c.N, c.M, true, false});
    setView(fitView(m_outline, points));
}

void CombinationsWindow::refuse(const QString& why) {
    prompter().message(this, QString(), why, Icon::Exclamation);
}

void CombinationsWindow::cellChanged(int row, int column) {
    if (m_filling || row < 0 || static_cast<std::size_t>(row) >= m_list.size()) return;
    engine::LoadCombination& c = m_list[static_cast<std::size_t>(row)];
    const QString text = m_table->item(row, column)->text();
    if (column == Name) {
        QString name = text;
        name.remove(QLatin1Char('"'));  // the project file has no escape for it
        c.name = name.toStdString();
    } else if (column == N || column == M) {
        const std::optional<double> value = cellNumber(text);
        if (!value) {
            m_filling = true;
            fillRow(row);  // the value it had comes back
            m_filling = false;
            refuse(QStringLiteral("Riga %1: %2 deve essere un numero, non \"%3\".")
                       .arg(row + 1)
                       .arg(column == N ? QStringLiteral("N") : QStringLiteral("M"), text));
            return;
        }
        (column == N ? c.N : c.M) = *value;
    } else {
        return;
    }
    refresh(row);
    if (m_changed) m_changed();
}

bool CombinationsWindow::pasteText(const QString& text) {
    const engine::LoadTable table = engine::parseLoadTable(text.toStdString());
    if (table.errorLine) {
        refuse(QStringLiteral("Righe non incollate, %1.").arg(QString::fromStdString(table.error)));
        return false;
    }
    if (m_list.size() + table.rows.size() > engine::kMaxCombinations) {
        refuse(QStringLiteral("Righe non incollate: una posizione tiene al più %1 combinazioni.")
                   .arg(engine::kMaxCombinations));
        return false;
    }
    const int first = m_table->rowCount();
    m_list.insert(m_list.end(), table.rows.begin(), table.rows.end());
    m_table->setRowCount(static_cast<int>(m_list.size()));
    for (int row = first; row < m_table->rowCount(); ++row) {
        // A name left out takes the number of its row in the table.
        engine::LoadCombination& c = m_list[static_cast<std::size_t>(row)];
        if (c.name.size() > 1 && c.name[0] == 'C' &&
            c.name.find_first_not_of("0123456789", 1) == std::string::npos)
            c.name = "C" + std::to_string(row + 1);
    }
    refresh();
    fitAll();
    if (m_changed) m_changed();
    return true;
}

void CombinationsWindow::paste() { pasteText(QApplication::clipboard()->text()); }

void CombinationsWindow::importCsv() {
    const QString path = prompter().openFileName(this, csvRequest());
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        refuse(QStringLiteral("Impossibile leggere il file %1.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const QByteArray bytes = file.read(4 * 1024 * 1024);
    const QString utf8 = QString::fromUtf8(bytes);
    pasteText(utf8.toUtf8() == bytes
                  ? utf8
                  : QString::fromStdU32String(engine::fromWindows1252(bytes.toStdString())));
}

void CombinationsWindow::exportCsv() {
    const QString path = prompter().saveFileName(this, csvRequest());
    if (path.isEmpty()) return;
    QSaveFile file(path);
    const QByteArray bytes =
        QByteArray::fromStdString(engine::writeLoadTable(m_list, archive::numberLocale().decimal));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        refuse(QStringLiteral("Impossibile scrivere il file %1.").arg(QDir::toNativeSeparators(path)));
}

void CombinationsWindow::addRow() {
    if (m_list.size() >= engine::kMaxCombinations) {
        refuse(QStringLiteral("Una posizione tiene al più %1 combinazioni.").arg(engine::kMaxCombinations));
        return;
    }
    m_list.push_back({"C" + std::to_string(m_list.size() + 1), 0, 0});
    m_table->setRowCount(static_cast<int>(m_list.size()));
    refresh();
    if (m_changed) m_changed();
}

void CombinationsWindow::deleteSelectedRows() {
    std::vector<int> rows;
    for (const QTableWidgetSelectionRange& r : m_table->selectedRanges())
        for (int row = r.topRow(); row <= r.bottomRow(); ++row) rows.push_back(row);
    if (rows.empty()) return;
    std::sort(rows.rbegin(), rows.rend());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows) {
        m_list.erase(m_list.begin() + row);
        m_table->removeRow(row);
    }
    refresh();
    if (m_changed) m_changed();
}

bool CombinationsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_table && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        paste();
        return true;
    }
    if (watched != m_plot) return QDialog::eventFilter(watched, event);
    const auto userPoint = [this](QPointF at) {
        const QPointF u = m_plot->toUser(at);
        return QPointF(u.x(), -u.y());  // (M, N)
    };
    switch (event->type()) {
        case QEvent::MouseMove: {
            const auto* e = static_cast<QMouseEvent*>(event);
            const QPointF p = userPoint(e->position());
            m_readout->setText(QStringLiteral("N = %1 daN    M = %2 daN*cm")
                                   .arg(numberText(std::round(p.y())), numberText(std::round(p.x()))));
            if (m_dragFrom && (e->buttons() & Qt::LeftButton))
                setView(m_view.panned(m_dragFrom->x() - p.x(), m_dragFrom->y() - p.y()));
            return false;
        }
        case QEvent::MouseButtonPress:
            m_dragFrom = userPoint(static_cast<QMouseEvent*>(event)->position());
            return true;
        case QEvent::MouseButtonRelease:
            m_dragFrom.reset();
            return true;
        case QEvent::Wheel: {
            const auto* e = static_cast<QWheelEvent*>(event);
            const QPointF p = userPoint(e->position());
            setView(m_view.zoomed(e->angleDelta().y() > 0 ? 0.8 : 1.25, p.x(), p.y()));
            return true;
        }
        default:
            return QDialog::eventFilter(watched, event);
    }
}

}  // namespace fortema::ui
