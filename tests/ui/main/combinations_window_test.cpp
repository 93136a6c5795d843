// The window of the load combinations, as a user meets it: rows pasted from a spreadsheet and
// checked at once, a bad cell refused without losing anything, the governing row and the plot,
// and the combinations kept with the project file.

#include <QMouseEvent>
#include <QTableWidget>

#include "drawing/picture_box.h"
#include "tests/ui/main/window_test_support.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/main/combinations_window.h"

namespace fortema::ui::test {

class CombinationsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void pasteCheckEditSaveAndReopen() {
        ScriptedPrompter p;
        QTemporaryDir dir;
        MainWindow w;
        const MainControls& c = w.form().ui();
        c.mnuEsempi[2]->trigger();  // the rectangle of the T beam: Mu = 1895493 daN*cm at N = 45000 exactly
        click(c.calcola);
        click(c.salva);
        // Rows as a spreadsheet copies them: tabs, decimal commas, a header; the third fails.
        const QString rows = QStringLiteral(
            "Nome\tN\tM\nSLU 1\t45000\t1001000,5\nSLU 2\t20000\t5,5\n"
            "SLU 3\t45000\t2000000,5\n");
        const auto drive = [&](CombinationsWindow& window) {
            QTableWidget& table = *window.table();
            QVERIFY(window.pasteText(rows));
            QCOMPARE(table.rowCount(), 3);
            QCOMPARE(window.result().governing, 2);
            QVERIFY(table.item(2, CombinationsWindow::Name)->font().bold());
            QCOMPARE(table.item(2, CombinationsWindow::Verdict)->text(), "NON VERIFICATA");
            QCOMPARE(table.item(0, CombinationsWindow::Verdict)->text(), "VERIFICATA");
            // A cell that is no number is refused and keeps its value.
            p.queueAnswer(Answer::Ok);
            table.item(0, CombinationsWindow::M)->setText(QStringLiteral("molto"));
            QCOMPARE(
                table.item(0, CombinationsWindow::M)->text(),
                QString::fromStdString(engine::numtext::generalText(1001000.5, archive::numberLocale())));
            QVERIFY(p.messages().last().text.startsWith(QStringLiteral("Riga 1: M deve essere un numero")));
            // A bad pasted row refuses the paste, with its line, and adds nothing.
            p.queueAnswer(Answer::Ok);
            QVERIFY(!window.pasteText(QStringLiteral("a\t1\t2\nb\tdue\t3\n")));
            QVERIFY(p.messages().last().text.contains(QStringLiteral("riga 2")));
            QCOMPARE(table.rowCount(), 3);
            // The cursor's N and M (the dialog is never shown, so the move is sent), and a zoom.
            const QPointF at(230, 230);
            QMouseEvent move(QEvent::MouseMove, at, window.plot()->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(window.plot(), &move);
            QVERIFY(window.readout()->text().startsWith(QStringLiteral("N = ")));
            const LoadPlotView before = window.view();
            window.setView(before.zoomed(0.5, 0, 0));
            QVERIFY(window.view().mMax - window.view().mMin < before.mMax - before.mMin);
        };
        p.setDialogHandler([&](QDialog& d) {
            auto* combinations = qobject_cast<CombinationsWindow*>(&d);
            if (!combinations) return int(QDialog::Rejected);  // the new project's data
            drive(*combinations);
            return int(QDialog::Accepted);
        });
        c.mnuCombinazioni->trigger();
        QCOMPARE(w.archive().archive().combinations(0).size(), std::size_t(3));
        const QString path = QDir(dir.path()).filePath(QStringLiteral("comb.ftm"));
        p.queueFileName(path);
        c.mnuSalvaconnome->trigger();
        p.queueAnswer(Answer::No);
        c.mnuNuovo->trigger();
        QVERIFY(w.archive().archive().combinations(0).empty());
        QVERIFY(w.archive().openFile(path));
        QCOMPARE(w.archive().archive().combinations(0)[2].M, 2000000.5);
    }
};

static RegisterTest<CombinationsWindowTest> registered;

}  // namespace fortema::ui::test

#include "combinations_window_test.moc"
