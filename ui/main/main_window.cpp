#include "ui/main/main_window.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>

#include "archive/number_locale.h"
#include "report/full_report.h"
#include "ui/aux/prompter.h"
#include "ui/main/archive_commands.h"
#include "ui/main/combinations_window.h"
#include "ui/main/form1.h"
#include "ui/print/preview_host.h"
#include "ui/print/prn_prv.h"

namespace fortema::ui {

MainWindow::MainWindow()
    : m_form(std::make_unique<Form1>()), m_archive(std::make_unique<ArchiveCommands>(*m_form)) {
    m_preview = new PreviewHost(m_form.get());
    Form1& form = *m_form;
    ArchiveCommands& commands = *m_archive;
    const MainControls& c = form.ui();

    const auto onClick = [&form](QPushButton* button, auto handler) {
        QObject::connect(button, &QPushButton::clicked, &form, handler);
    };
    onClick(c.avanti, [&commands] { commands.avanti_Click(); });
    onClick(c.indietro, [&commands] { commands.indietro_Click(); });
    onClick(c.salva, [&commands] { commands.salva_Click(); });
    onClick(c.copia, [&commands] { commands.copia_Click(); });
    onClick(c.incolla, [&commands] { commands.incolla_Click(); });

    const auto onTrigger = [&form](QAction* action, auto handler) {
        QObject::connect(action, &QAction::triggered, &form, handler);
    };
    onTrigger(c.mnuNuovo, [&commands] { commands.mnuNuovo_Click(); });
    onTrigger(c.mnuApri, [&commands] { commands.mnuApri_Click(); });
    onTrigger(c.mnuChiudi, [&commands] { commands.mnuChiudi_Click(); });
    onTrigger(c.mnuSalva, [&commands] { commands.mnuSalva_Click(); });
    onTrigger(c.mnuSalvaconnome, [&commands] { commands.mnuSalvaconnome_Click(); });
    onTrigger(c.mnuEsci, [&commands] { commands.mnuEsci_Click(); });
    onTrigger(c.mnuDatiprogetto, [&commands] { commands.mnuDatiprogetto_Click(); });
    onTrigger(c.mnuCancellarecord, [&commands] { commands.mnuCancellarecord_Click(); });
    onTrigger(c.mnuAnteprimadistampa, [this] { mnuAnteprimadistampa_Click(); });
    onTrigger(c.mnuCombinazioni, [this] { mnuCombinazioni_Click(); });

    // The close box asks to save first, as "&Esci" does.
    form.setCloseGuard([&commands] { return commands.mayClose(); });
}

MainWindow::~MainWindow() { m_form->setCloseGuard({}); }

void MainWindow::mnuAnteprimadistampa_Click() {
    Form1& form = *m_form;
    const QString projectFile = m_archive->currentFileName();
    report::ReportContext context;
    context.projectFile = projectFile;
    const report::ReportOutcome outcome = report::FullReport(
        m_preview->writer(), m_archive->archive(), m_archive->projectData(), archive::numberLocale(),
        [&form](const QString& title, const QString& text) {
            prompter().message(&form, title, text, Icon::Critical);
        },
        context);
    if (outcome != report::ReportOutcome::Written) return;
    if (PrnPrv* preview = m_preview->window()) {
        // A PDF of the report is proposed beside the project file, under its name.
        const QFileInfo file(projectFile);
        preview->setPdfProposal(QDir(dialogFolder(projectFile))
                                    .filePath(projectFile.isEmpty()
                                                  ? QStringLiteral("resoconto.pdf")
                                                  : file.completeBaseName() + QStringLiteral(".pdf")));
    }
    // The report keeps its stop rule; the user hears what it left out.
    const QString leftOut = report::leftOutMessage(report::positionsLeftOut(m_archive->archive()));
    if (!leftOut.isEmpty()) {
        QWidget* parent = m_preview->window() ? static_cast<QWidget*>(m_preview->window()) : &form;
        prompter().message(parent, QString(), leftOut, Icon::Information);
    }
}

void MainWindow::mnuCombinazioni_Click() {
    const int position = m_archive->currentPosition();
    CombinationsWindow window(
        m_archive->combinations(position),
        archive::positionSection(m_archive->archive().at(position), archive::numberLocale()), position,
        m_form.get());
    prompter().exec(window);
}

}  // namespace fortema::ui
