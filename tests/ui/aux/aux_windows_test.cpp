// The small windows (the project data dialog, the bar area calculator, the About window, the two
// reference cards), the number separators they take from the locale, and the scripted prompter
// every window test relies on to notice a prompt it did not expect.

#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include "archive/number_locale.h"
#include "tests/support/test_registry.h"
#include "tests/ui/aux/window_checks.h"
#include "ui/aux/form2.h"
#include "ui/aux/form3.h"
#include "ui/aux/frm_about.h"
#include "ui/aux/frm_help_acciaio.h"
#include "ui/aux/frm_help_elas.h"
#include "ui/aux/scripted_prompter.h"

namespace fortema::ui::test {

namespace {

const ProjectTexts kData = {"Ponte sul Po", "Comune di Pavia", "Ing. Rossi", "A", "01/02/2018", "03/04/2018"};

template <typename T = QLineEdit>
T* child(QWidget& w, const QString& name) {
    return w.findChild<T*>(name);
}
QLineEdit* box(Form2& dlg, int i) { return child(dlg, QStringLiteral("txtDati_%1").arg(i)); }
QLineEdit* num(Form3& w, int i) { return child(w, QStringLiteral("num_%1").arg(i)); }
void click(QWidget& w, const char* button) {
    QTest::mouseClick(child<QPushButton>(w, QLatin1String(button)), Qt::LeftButton);
}
QString total(Form3& w) { return child<QLabel>(w, QStringLiteral("lblSezione"))->text(); }

}  // namespace

class AuxWindowsTest : public QObject {
    Q_OBJECT
private slots:
    // OK stores what the boxes hold; Annulla and the close box keep what the dialog was given;
    // a new project's dialog shows and stores empty boxes whatever data it was given. No text
    // takes a double quote.
    void projectDataKeepsOrStores() {
        ProjectTexts edited = kData;
        edited[0] += " bis";
        const struct {
            Form2::Boxes boxes;
            const char* button;  // nullptr: the close box
            ProjectTexts expected;
        } cases[] = {{Form2::Boxes::Filled, "cmdOK", edited},
                     {Form2::Boxes::Filled, "cmdAnnulla", kData},
                     {Form2::Boxes::Filled, nullptr, kData},
                     {Form2::Boxes::Empty, "cmdOK", {}}};
        for (const auto& c : cases) {
            Form2 dlg(kData, c.boxes);
            dlg.show();
            if (c.boxes == Form2::Boxes::Filled) {
                QTest::keyClick(box(dlg, 0), Qt::Key_End);
                QTest::keyClicks(box(dlg, 0), " bis");
            }
            c.button ? click(dlg, c.button) : void(dlg.close());
            QVERIFY(!dlg.isVisible());
            QVERIFY(dlg.data() == c.expected);
        }
        // A double quote would end the text early in the project file: typed, pasted or handed in.
        ScriptedPrompter p;
        Form2 dlg({"a\"b", "", "", "", "", ""});
        QLineEdit* b = box(dlg, 1);
        QTest::keyClicks(b, "Via \"Roma\"");
        QCOMPARE(p.beeps(), 2);
        QGuiApplication::clipboard()->setText(QStringLiteral(" \"12\""));
        b->paste();
        QCOMPARE(b->text(), QStringLiteral("Via Roma 12"));
        QCOMPARE(box(dlg, 0)->text(), QStringLiteral("ab"));
    }

    // pi/400 times the count times the squared diameter, summed over the rows of 8, 10, 11, 12, 13,
    // 14, 16, 17, 21, 22 and 28 mm, grouped as the locale groups. A count that is no number is
    // emptied with a beep and keeps the focus; "C&ANCELLA" empties through the same check, one
    // beep per filled box.
    void barAreas() {
        const auto loc = archive::numberLocale();
        const struct {
            QList<int> counts;
            QString expected;
        } cases[] = {
            {{0, 0, 0, 3}, "3.39"},
            {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, "23.94"},  // the squares add up to 3048
            {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2000}, "12,315.04"},
        };
        for (const auto& c : cases) {
            ScriptedPrompter p;
            Form3 w;
            for (int row = 0; row < c.counts.size(); ++row)
                if (c.counts[row]) QTest::keyClicks(num(w, row), QString::number(c.counts[row]));
            click(w, "cmdCalcola");
            QString expected = c.expected;
            for (QChar& ch : expected)
                ch = ch == u'.' ? QChar(loc.decimal) : ch == u',' ? QChar(loc.group) : ch;
            QCOMPARE(total(w), expected);
            QCOMPARE(p.beeps(), 0);
        }
        ScriptedPrompter p;
        Form3 w;
        w.showOrRaise();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        num(w, 0)->setFocus();
        QTest::keyClicks(num(w, 2), "12x");
        QVERIFY(num(w, 2)->text().isEmpty() && num(w, 2)->hasFocus());
        QTest::keyClicks(num(w, 6), "4");
        QTest::keyClicks(num(w, 10), "1");
        click(w, "cmdCancella");
        QCOMPARE(p.beeps(), 3);
        // Under the Italian locale the comma is typed and ends the count: 2 bars of 12 mm.
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QTest::keyClicks(num(w, 3), "2,5");
        click(w, "cmdCalcola");
        const QString italian = total(w);
        QLocale::setDefault(saved);
        QCOMPARE(italian, QStringLiteral("2,26"));
        // Opened again the calculator keeps its counts, closed it loses them, silently.
        w.showOrRaise();
        QCOMPARE(num(w, 3)->text(), QStringLiteral("2,5"));
        click(w, "cmdChiudi");
        w.showOrRaise();
        QVERIFY(num(w, 3)->text().isEmpty() && total(w).isEmpty());
        QCOMPARE(p.beeps(), 3);
    }

    // "&System Info..." starts the first tool found on the path; none found, or one that does
    // not start, gives the message instead.
    void aboutStartsTheSystemInformationTool() {
        QTemporaryDir dir;
        const QString tool = dir.filePath("kinfocenter");
        QVERIFY(QFile::copy(QStringLiteral("/bin/true"), tool));
        const QByteArray savedPath = qgetenv("PATH");
        qputenv("PATH", dir.path().toLocal8Bit());
        const auto restorePath = qScopeGuard([&] { qputenv("PATH", savedPath); });
        const struct {
            QStringList programs;
            bool starts;
            QStringList started;
        } cases[] = {{{"hardinfo", "kinfocenter"}, true, {tool}},
                     {{"kinfocenter"}, false, {tool}},
                     {{"hardinfo", "gnome-system-monitor"}, true, {}}};
        for (const auto& c : cases) {
            ScriptedPrompter p;
            p.queueAnswer(Answer::Ok);
            frmAbout w;
            w.setSysInfoPrograms(c.programs);
            QStringList started;
            w.setSysInfoStarter([&](const QString& path) { return started << path, c.starts; });
            click(w, "cmdSysInfo");
            QCOMPARE(started, c.started);
            const bool message = !c.starts || c.started.isEmpty();
            QCOMPARE(p.messages().size(), message ? 1 : 0);
            if (message)
                QCOMPARE(p.messages()[0].text,
                         QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili."));
        }
    }

    void unscriptedPromptsGetTheSafeAnswerAndAreReported() {
        Prompter* before = &prompter();
        {
            ScriptedPrompter p;
            QCOMPARE(prompter().message(nullptr, {}, "?", Icon::Question, Buttons::YesNo, Answer::Yes),
                     Answer::No);
            QCOMPARE(prompter().openFileName(nullptr, {}), QString());
            QDialog dialog;
            QCOMPARE(prompter().exec(dialog), int(QDialog::Rejected));
            QCOMPARE(p.unexpected().size(), 3);
        }
        QCOMPARE(&prompter(), before);
    }

    void numberSeparatorsFollowTheDefaultLocale() {
        const QLocale saved;
        // French groups with a narrow no-break space, which the texts write as a blank.
        for (const auto& [language, separators] :
             {std::pair{QLocale::Italian, ",."}, {QLocale::C, ".,"}, {QLocale::French, ", "}}) {
            QLocale::setDefault(QLocale(language));
            const auto loc = archive::numberLocale();
            QLocale::setDefault(saved);
            QCOMPARE(QByteArray().append(loc.decimal).append(loc.group), QByteArray(separators));
        }
    }

    void windowsFitAndClose() {
        Form2 form2(kData);
        Form3 form3;
        frmAbout about;
        frmHelpElas concrete;
        frmHelpAcciaio steel;
        for (const auto& [window, closing] : {std::pair<QWidget*, const char*>{&form2, "cmdAnnulla"},
                                              {&form3, "cmdChiudi"},
                                              {&about, "cmdOK"},
                                              {&concrete, "cmdChiudi"},
                                              {&steel, "cmdChiudi"}}) {
            FORTEMA_VERIFY_LAYOUT(*window, {"Line1_"});  // the two halves of the About window's line
            saveScreenshot(*window, QString::fromLatin1(window->metaObject()->className()).section("::", -1));
            window->show();
            click(*window, closing);
            QVERIFY(!window->isVisible());
        }
    }
};

static RegisterTest<AuxWindowsTest> registerAuxWindowsTest;

}  // namespace fortema::ui::test

#include "aux_windows_test.moc"
