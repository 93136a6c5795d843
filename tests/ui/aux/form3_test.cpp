#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include "archive/number_locale.h"
#include "tests/support/test_registry.h"
#include "tests/ui/aux/window_checks.h"
#include "ui/aux/form3.h"
#include "ui/aux/scripted_prompter.h"

namespace fortema::ui::test {

namespace {

QLineEdit* num(Form3& w, int i) { return w.findChild<QLineEdit*>(QStringLiteral("num_%1").arg(i)); }
QLabel* label(Form3& w, const QString& name) { return w.findChild<QLabel*>(name); }
void click(Form3& w, const char* name) {
    QTest::mouseClick(w.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}
QString total(Form3& w) { return label(w, QStringLiteral("lblSezione"))->text(); }
// "3.39" in the separators of the locale the test runs under.
QString localeText(const char* plain) {
    QString text = QString::fromLatin1(plain);
    return text.replace(u'.', QChar::fromLatin1(archive::numberLocale().decimal));
}

class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

}  // namespace

class Form3Test : public QObject {
    Q_OBJECT
private slots:
    void layout() {
        Form3 w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Calcolo sezione armature"));
        QVERIFY(!w.isModal());
        QCOMPARE(w.size(), QSize(256, 336));
        const QStringList diameters = {"8", "10", "11", "12", "13", "14", "16", "17", "21", "22", "28"};
        for (int i = 0; i < Form3::kRows; ++i) {
            QCOMPARE(label(w, QStringLiteral("ferro_%1").arg(i))->text(), diameters[i]);
            QVERIFY(num(w, i)->text().isEmpty());
            QVERIFY(num(w, i)->font().bold());
            QCOMPARE(num(w, i)->font().styleHint(), QFont::TypeWriter);
        }
        QCOMPARE(label(w, "lblFerri")->text(), QStringLiteral("Diametro ferri (mm)"));
        QCOMPARE(label(w, QStringLiteral("lblQuantità"))->text(), QStringLiteral(" Numero ferri"));
        QCOMPARE(label(w, "Label_13")->text(), QStringLiteral("Tot. cmq"));
        FORTEMA_VERIFY_LAYOUT(w);
    }

    void sumsTheBars() {
        ScriptedPrompter p;
        Form3 w;
        w.show();
        click(w, "cmdCalcola");
        QCOMPARE(total(w), localeText("0.00"));

        QTest::keyClicks(num(w, 3), "3");
        click(w, "cmdCalcola");
        QCOMPARE(total(w), localeText("3.39"));

        // One bar of every diameter: pi/400 times the sum of the squared diameters (3048).
        for (int i = 0; i < Form3::kRows; ++i) {
            num(w, i)->clear();
            QTest::keyClicks(num(w, i), "1");
        }
        click(w, "cmdCalcola");
        QCOMPARE(total(w), localeText("23.94"));
        QCOMPARE(p.beeps(), 1);  // emptying row 3 before retyping it
        saveScreenshot(w, "Form3");
    }

    void largeTotalsFollowTheLocaleGrouping() {
        ScriptedPrompter p;
        Form3 w;
        QTest::keyClicks(num(w, 10), "2000");
        click(w, "cmdCalcola");
        // 2000 bars of 28 mm: 12315.04 cm^2.
        const QString expected = QString::fromStdString(engine::numtext::fixedText(
            static_cast<float>(2000 * 3.141592654 * 1.4 * 1.4), 2, archive::numberLocale()));
        QCOMPARE(total(w), expected);
        QVERIFY(total(w).endsWith(localeText("5.04")));
    }

    void nonNumericCountsAreRefused() {
        ScriptedPrompter p;
        Form3 w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        num(w, 0)->setFocus();
        QTest::keyClicks(num(w, 5), "a");
        QCOMPARE(num(w, 5)->text(), QString());
        QCOMPARE(p.beeps(), 1);
        QVERIFY(num(w, 5)->hasFocus());

        QTest::keyClicks(num(w, 2), "12x");
        QCOMPARE(num(w, 2)->text(), QString());
        QCOMPARE(p.beeps(), 2);

        // Deleting the last digit leaves an empty text, which is not a number either.
        QTest::keyClicks(num(w, 4), "7");
        QTest::keyClick(num(w, 4), Qt::Key_Backspace);
        QCOMPARE(p.beeps(), 3);
        QVERIFY(p.messages().isEmpty());
    }

    void commaCountUnderItalianLocale() {
        LocaleGuard italian(QLocale(QLocale::Italian, QLocale::Italy));
        ScriptedPrompter p;
        Form3 w;
        QTest::keyClicks(num(w, 3), "2,5");
        QCOMPARE(num(w, 3)->text(), QStringLiteral("2,5"));
        QCOMPARE(p.beeps(), 0);
        click(w, "cmdCalcola");
        QCOMPARE(total(w), QStringLiteral("2,26"));  // two bars of 12 mm: the comma ends the count
    }

    void cancellaBeepsOncePerFilledBox() {
        ScriptedPrompter p;
        Form3 w;
        QTest::keyClicks(num(w, 0), "2");
        QTest::keyClicks(num(w, 6), "4");
        QTest::keyClicks(num(w, 10), "1");
        click(w, "cmdCalcola");
        QVERIFY(!total(w).isEmpty());
        click(w, "cmdCancella");
        QCOMPARE(p.beeps(), 3);
        for (int i = 0; i < Form3::kRows; ++i) QVERIFY(num(w, i)->text().isEmpty());
        QVERIFY(total(w).isEmpty());
    }

    void reopeningKeepsClosingLoses() {
        ScriptedPrompter p;
        Form3 w;
        w.showOrRaise();
        QTest::keyClicks(num(w, 1), "5");
        click(w, "cmdCalcola");
        const QString shown = total(w);
        w.showOrRaise();
        QVERIFY(w.isVisible());
        QCOMPARE(num(w, 1)->text(), QStringLiteral("5"));
        QCOMPARE(total(w), shown);

        click(w, "cmdChiudi");
        QVERIFY(!w.isVisible());
        w.showOrRaise();
        QVERIFY(num(w, 1)->text().isEmpty());
        QVERIFY(total(w).isEmpty());
        QCOMPARE(p.beeps(), 0);  // losing the contents is silent
    }
};

static RegisterTest<Form3Test> registerForm3Test;

}  // namespace fortema::ui::test

#include "form3_test.moc"
