// Inputs no other window test gives: fyk whose quotient by 1.15 is whole or has decimals of .5 and
// more, a calculation that ends in campo 5, a project opened while another position is shown,
// and the Ctrl shortcuts typed into a numeric box.

#include <QClipboard>
#include <QGuiApplication>

#include "tests/ui/main/window_test_support.h"
#include "ui/aux/scripted_prompter.h"

namespace fortema::ui::test {

class WindowHolesTest : public QObject {
    Q_OBJECT
private slots:
    // The proposed fyd is fyk / 1.15 cut to a whole number, never rounded up.
    void fydProposalIsCut() {
        ScriptedPrompter prompter;
        MainWindow w;
        // 4600 / 1.15 = 4000 (4000.0000000000005 in doubles); 4601 / 1.15 = 4000.87; 4450 / 1.15 = 3869.57.
        for (const auto& [fyk, fyd] : {std::pair{"4600", "4000"}, {"4601", "4000"}, {"4450", "3869"}}) {
            typeInto(w.form(), Field::fyk, QString::fromLatin1(fyk));
            QCOMPARE(w.form().ui().field(Field::fyd)->text(), QString::fromLatin1(fyd));
        }
    }

    // Campo 5 reads black on light cyan, after a calculation (here after one in campo 3, white on
    // light magenta) and when the stored position is shown again.
    void campoFiveIsBlackOnLightCyan() {
        ScriptedPrompter prompter;
        MainWindow w;
        Form1& form = w.form();
        const MainControls& c = form.ui();
        typeSection(form, typedExample(2));
        click(c.calcola);
        QCOMPARE(c.lblCampo->text(), QStringLiteral(" Campo = 3"));
        typeInto(form, Field::Nd, QStringLiteral("212400"));  // n = 1.2, high in field 5
        click(c.calcola);
        const auto check = [&] {
            QCOMPARE(c.lblCampo->text(), QStringLiteral(" Campo = 5"));
            QCOMPARE(textColour(c.lblCampo), QColor(0, 0, 0));
            QCOMPARE(backColour(c.lblCampo), QColor(0, 255, 255));
        };
        check();
        click(c.salva);
        click(c.avanti);
        QCOMPARE(c.lblCampo->text(), QStringLiteral(" Campo = ?"));
        click(c.indietro);
        check();
    }

    void openingAProjectShowsPositionOne() {
        ScriptedPrompter p;
        QTemporaryDir dir;
        archive::SectionArchive stored;
        stored.at(0).description = QStringLiteral("prima");
        stored.at(2).description = QStringLiteral("terza");
        const QString path = projectFile(dir, stored);
        MainWindow w;
        const MainControls& c = w.form().ui();
        click(c.avanti);
        click(c.avanti);
        QCOMPARE(c.lblNumero->text(), QStringLiteral("3"));
        p.queueFileName(path);
        c.mnuApri->trigger();
        QCOMPARE(w.archive().currentPosition(), 0);
        QCOMPARE(c.lblNumero->text(), QStringLiteral("1"));
        QCOMPARE(c.descrizione->text(), QStringLiteral("prima"));
        QVERIFY(p.unexpected().isEmpty());
    }

    // Select all, copy and paste by keyboard are no typed characters for the key filters.
    void ctrlShortcutsPassTheKeyFilters() {
        ScriptedPrompter prompter;
        MainWindow w;
        QLineEdit* h = w.form().ui().field(Field::h);
        QLineEdit* b = w.form().ui().field(Field::b);
        typeInto(h, QStringLiteral("500"));
        typeInto(b, QStringLiteral("300"));
        QTest::keyClick(h, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(h, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("500"));
        QTest::keyClick(b, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(b, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(b->text(), QStringLiteral("500"));
        QCOMPARE(prompter.beeps(), 0);
    }
};

static RegisterTest<WindowHolesTest> registerHoles;

}  // namespace fortema::ui::test

#include "window_holes_test.moc"
