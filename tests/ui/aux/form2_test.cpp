#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/support/test_registry.h"
#include "tests/ui/aux/window_checks.h"
#include "ui/aux/form2.h"
#include "ui/aux/scripted_prompter.h"

namespace fortema::ui::test {

namespace {

const ProjectTexts kData = {"Ponte sul Po", "Comune di Pavia", "Ing. Rossi", "A", "01/02/2018", "03/04/2018"};

QLineEdit* box(Form2& dlg, int i) { return dlg.findChild<QLineEdit*>(QStringLiteral("txtDati_%1").arg(i)); }
QPushButton* button(Form2& dlg, const char* name) {
    return dlg.findChild<QPushButton*>(QString::fromLatin1(name));
}

}  // namespace

class Form2Test : public QObject {
    Q_OBJECT
private slots:
    void showsLabelsAndData() {
        Form2 dlg(kData);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("      Dati di Progetto"));
        QCOMPARE(dlg.size(), QSize(497, 173));
        const QStringList labels = {
            "PROGETTO:", "COMMITTENTE:", "PROGETTISTA:", "REVISIONE:", "DATA:", "DATA REVISIONE:"};
        for (int i = 0; i < 6; ++i) {
            auto* label = dlg.findChild<QLabel*>(QStringLiteral("lbldati_%1").arg(i));
            QVERIFY(label);
            QCOMPARE(label->text(), labels[i]);
            QCOMPARE(box(dlg, i)->text(), kData[i]);
            // Each label stands left of its box on the same row.
            QCOMPARE(label->y(), box(dlg, i)->y());
            QVERIFY(label->geometry().right() < box(dlg, i)->x());
        }
        QCOMPARE(button(dlg, "cmdOK")->text(), QStringLiteral("OK"));
        QCOMPARE(button(dlg, "cmdAnnulla")->text(), QStringLiteral("Annulla"));
        FORTEMA_VERIFY_LAYOUT(dlg);

        QWidget* w = box(dlg, 0);
        QStringList order;
        do {
            if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != box(dlg, 0) && order.size() < 20);
        QCOMPARE(order, QStringList({"txtDati_0", "txtDati_1", "txtDati_2", "txtDati_3", "txtDati_4",
                                     "txtDati_5", "cmdOK", "cmdAnnulla"}));
        saveScreenshot(dlg, "Form2");
    }

    void okStoresWhatWasTyped() {
        ScriptedPrompter p;
        Form2 dlg(kData);
        p.setDialogHandler([](QDialog& d) {
            auto& form = static_cast<Form2&>(d);
            QTest::keyClick(box(form, 0), Qt::Key_End);
            QTest::keyClicks(box(form, 0), " bis");
            box(form, 4)->clear();
            QTest::mouseClick(button(form, "cmdOK"), Qt::LeftButton);
            return form.result();
        });
        QCOMPARE(prompter().exec(dlg), int(QDialog::Accepted));
        ProjectTexts expected = kData;
        expected[0] += " bis";
        expected[4].clear();
        for (int i = 0; i < 6; ++i) QCOMPARE(dlg.data()[i], expected[i]);
        QVERIFY(p.unexpected().isEmpty());
    }

    void annullaAndCloseBoxLeaveTheData() {
        for (const bool closeBox : {false, true}) {
            Form2 dlg(kData);
            dlg.show();
            QTest::keyClicks(box(dlg, 2), "xyz");
            box(dlg, 5)->clear();
            if (closeBox) {
                dlg.close();
            } else {
                QTest::mouseClick(button(dlg, "cmdAnnulla"), Qt::LeftButton);
            }
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
            QVERIFY(!dlg.isVisible());
            QVERIFY(dlg.data() == kData);
        }
    }

    void newProjectOpensEmpty() {
        const ProjectTexts empty{};
        {
            Form2 dlg(empty, Form2::Boxes::Empty);
            for (int i = 0; i < 6; ++i) QVERIFY(box(dlg, i)->text().isEmpty());
            QTest::keyClicks(box(dlg, 1), "Regione");
            QTest::mouseClick(button(dlg, "cmdOK"), Qt::LeftButton);
            ProjectTexts expected{};
            expected[1] = "Regione";
            QVERIFY(dlg.data() == expected);
        }
        {
            Form2 dlg(empty, Form2::Boxes::Empty);
            QTest::keyClicks(box(dlg, 3), "B");
            QTest::mouseClick(button(dlg, "cmdAnnulla"), Qt::LeftButton);
            QVERIFY(dlg.data() == empty);
        }
        {
            // Data the boxes do not show are not stored back by OK either.
            Form2 dlg(kData, Form2::Boxes::Empty);
            for (int i = 0; i < 6; ++i) QVERIFY(box(dlg, i)->text().isEmpty());
            QTest::mouseClick(button(dlg, "cmdOK"), Qt::LeftButton);
            QVERIFY(dlg.data() == empty);
        }
    }

    void doubleQuotesAreRefused() {
        ScriptedPrompter p;
        Form2 dlg(kData, Form2::Boxes::Empty);
        dlg.show();
        QLineEdit* b = box(dlg, 0);
        QTest::keyClicks(b, "Via \"Roma\"");
        QCOMPARE(b->text(), QStringLiteral("Via Roma"));
        QCOMPARE(p.beeps(), 2);

        QGuiApplication::clipboard()->setText(QStringLiteral(" \"12\""));
        b->setFocus();
        b->end(false);
        b->paste();
        QCOMPARE(b->text(), QStringLiteral("Via Roma 12"));

        // Texts handed in with quotes cannot reach the project file through the boxes either.
        Form2 loaded({"a\"b", "", "", "", "", ""});
        QCOMPARE(box(loaded, 0)->text(), QStringLiteral("ab"));
        QVERIFY(p.messages().isEmpty());
    }
};

static RegisterTest<Form2Test> registerForm2Test;

}  // namespace fortema::ui::test

#include "form2_test.moc"
